#!/bin/bash
# folimo-cli info on real PDFs: an outside document, pages turned and mixed by qpdf, an
# encrypted one, one without pages and a missing file.
set -euo pipefail
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
docs=/usr/share/doc/asymptote

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_same() { [[ "$1" == "$2" ]] || fail "$3: expected [$2], got [$1]"; }

# An outside PDF with its own title.
out=$("$cli" info "$docs/asy-latex.pdf")
expect_same "$(head -n 3 <<<"$out")" $'title: The asymptote package\npages: 11\npage 1: 595.276 x 841.89 pt' "plain output"
expect_same "$(wc -l <<<"$out")" 13 "one line per page"

# A Letter page and an A4 page turned a quarter: sizes as a viewer shows them, whole
# numbers as integers, the file name as title.
qpdf --empty --pages "$docs/CAD.pdf" 1 "$docs/asy-latex.pdf" 1 -- "$dir/mixed.pdf"
qpdf --rotate=+90:2 "$dir/mixed.pdf" "$dir/turned.pdf"
expected='{
  "title": "turned",
  "pageCount": 2,
  "pages": [
    {
      "width": 612,
      "height": 792
    },
    {
      "width": 841.89,
      "height": 595.276
    }
  ]
}'
expect_same "$("$cli" info --json "$dir/turned.pdf")" "$expected" "JSON output"

# A file name that is not UTF-8 still gives valid JSON.
cp "$dir/mixed.pdf" "$dir/caf"$'\xe9'".pdf"
out=$("$cli" info "$dir/caf"$'\xe9'".pdf" --json)
[[ "$out" == *'"title": "caf'$'\xef\xbf\xbd''"'* ]] || fail "non-UTF-8 name: $out"

# Failures: the library's message on stderr, nothing on stdout, exit status 1.
check_error() {
    local file=$1 message=$2 status=0
    "$cli" info "$file" >"$dir/stdout" 2>"$dir/stderr" || status=$?
    expect_same "$status" 1 "exit status for $file"
    expect_same "$(cat "$dir/stderr")" "$message" "message for $file"
    [[ ! -s "$dir/stdout" ]] || fail "output for $file"
}
qpdf --encrypt secret owner 256 -- "$docs/CAD.pdf" "$dir/locked worksheet.pdf"
check_error "$dir/locked worksheet.pdf" "“locked worksheet.pdf” is protected with a password. Save a copy without the password and try again."
qpdf --empty "$dir/empty.pdf"
check_error "$dir/empty.pdf" "This PDF has no pages."
check_error "$dir/missing.pdf" "“missing.pdf” couldn’t be opened as a PDF."

# Usage: help on stdout, a missing file argument is a usage error.
"$cli" info --help | grep -q -- "--json" || fail "help"
status=0
"$cli" info >/dev/null 2>&1 || status=$?
expect_same "$status" 2 "exit status without a file"
echo "info: all passed"
