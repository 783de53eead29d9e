#!/bin/bash
# folimo-cli info on real PDFs: an outside document, pages turned and mixed by qpdf, an
# encrypted one, one without pages and a missing file.
source "$(dirname "$0")/common.bash"

# An outside PDF with its own title.
out=$("$cli" info "$docs/asy-latex.pdf")
expect_same "$(head -n 3 <<<"$out")" $'title: The asymptote package\npages: 11\npage 1: 595.276 x 841.89 pt' "plain output"
expect_same "$(wc -l <<<"$out")" 13 "one line per page"

# A Letter page and an A4 page turned a quarter: sizes as a viewer shows them, whole
# numbers as integers, the file name as title.
qpdf --empty --pages "$docs/CAD.pdf" 1 "$docs/asy-latex.pdf" 1 -- "$work/mixed.pdf"
qpdf --rotate=+90:2 "$work/mixed.pdf" "$work/turned.pdf"
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
expect_same "$("$cli" info --json "$work/turned.pdf")" "$expected" "JSON output"

# A file name that is not UTF-8 still gives valid JSON.
cp "$work/mixed.pdf" "$work/caf"$'\xe9'".pdf"
out=$("$cli" info "$work/caf"$'\xe9'".pdf" --json)
[[ "$out" == *'"title": "caf'$'\xef\xbf\xbd''"'* ]] || fail "non-UTF-8 name: $out"

# Failures: the library's message on stderr, nothing on stdout, exit status 1.
check_error() {
    local file=$1 message=$2 status=0
    "$cli" info "$file" >"$work/stdout" 2>"$work/stderr" || status=$?
    expect_same "$status" 1 "exit status for $file"
    expect_same "$(cat "$work/stderr")" "$message" "message for $file"
    [[ ! -s "$work/stdout" ]] || fail "output for $file"
}
qpdf --encrypt secret owner 256 -- "$docs/CAD.pdf" "$work/locked worksheet.pdf"
check_error "$work/locked worksheet.pdf" "“locked worksheet.pdf” is protected with a password. Save a copy without the password and try again."
qpdf --empty "$work/empty.pdf"
check_error "$work/empty.pdf" "This PDF has no pages."
check_error "$work/missing.pdf" "“missing.pdf” couldn’t be opened as a PDF."
mkdir "$work/Worksheets"
check_error "$work/Worksheets/" "“Worksheets” couldn’t be opened as a PDF."

# Usage: help on stdout, a missing file argument is a usage error.
"$cli" info --help | grep -q -- "--json" || fail "help"
status=0
"$cli" info >/dev/null 2>&1 || status=$?
expect_same "$status" 2 "exit status without a file"
echo "info: all passed"
