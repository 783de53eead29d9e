#!/usr/bin/env bash
# folimo-cli sample: each pack written as a PDF with its title, creator and pages; a folder
# as -o takes the pack's own file name; bad packs and unwritable places fail cleanly.
source "$(dirname "$0")/common.bash"

check_pack() { # file title pages
    [[ "$(info "$1" Title)" == "$2" ]] || fail "$1: title $(info "$1" Title)"
    [[ "$(info "$1" Creator)" == "Folimo sample" ]] || fail "$1: creator $(info "$1" Creator)"
    [[ "$(info "$1" Pages)" == "$3" ]] || fail "$1: pages $(info "$1" Pages)"
    [[ "$(info "$1" "Page size")" == "612 x 792 pts (letter)" ]] || fail "$1: page size"
}

# The default pack, into a named file; the path written is printed.
out="$("$cli" sample -o "$work/default.pdf")"
[[ "$out" == "$work/default.pdf" ]] || fail "printed \"$out\""
check_pack "$work/default.pdf" "Fall Math Practice" 8

# Each pack into a folder (a name with a blank, to be sure paths are taken whole).
mkdir "$work/my packs"
out="$("$cli" sample planner -o "$work/my packs")"
[[ "$out" == "$work/my packs/Weekly Teacher Planner.pdf" ]] || fail "printed \"$out\""
check_pack "$out" "Weekly Teacher Planner" 6
[[ "$(ls -A "$work/my packs" | wc -l)" == 1 ]] || fail "stray files: $(ls -A "$work/my packs")"

# Unknown packs and options are usage errors (2); an unwritable place is a failure (1)
# that names the file.
status=0; "$cli" sample cooking -o "$work/x.pdf" 2>/dev/null || status=$?
[[ $status == 2 ]] || fail "unknown pack gave $status"
status=0; "$cli" sample --colour red 2>/dev/null || status=$?
[[ $status == 2 ]] || fail "unknown option gave $status"
status=0; err="$("$cli" sample -o "$work/missing/pack.pdf" 2>&1 >/dev/null)" || status=$?
[[ $status == 1 ]] || fail "unwritable place gave $status"
[[ "$err" == "Couldn’t save pack.pdf." ]] || fail "message \"$err\""
# A place that cannot even be looked at fails the same way rather than aborting.
ln -s loop "$work/loop"
status=0; err="$("$cli" sample -o "$work/loop/pack.pdf" 2>&1 >/dev/null)" || status=$?
[[ $status == 1 ]] || fail "a symbolic link loop gave $status"
[[ "$err" == "Couldn’t save pack.pdf." ]] || fail "message \"$err\""
[[ ! -e "$work/x.pdf" ]] || fail "a file was written for an unknown pack"

echo "sample: ok"
