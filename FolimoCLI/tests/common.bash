# The shared start of the command line's end-to-end tests, sourced by each with
# folimo-cli's path as its first argument: a scratch folder removed at exit and the checks.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
docs=/usr/share/doc/asymptote

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_same() { [[ "$1" == "$2" ]] || fail "$3: expected [$2], got [$1]"; }
info() { pdfinfo "$1" | sed -n "s/^$2: *//p"; }
