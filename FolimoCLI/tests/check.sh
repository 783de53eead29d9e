#!/usr/bin/env bash
# folimo-cli check: nothing to tell exits 0, findings one a line exit 3; make tells the same
# on stderr and makes the set all the same.
source "$(dirname "$0")/common.bash"
pdf=$docs/CAD.pdf

out=$("$cli" check "$pdf") || fail "check of a sound set exited $?"
expect_same "$out" "" "check of a sound set"

status=0
out=$("$cli" check "$pdf" --pages "1-3, 9" --title "$(printf 'W%.0s' {1..400})") || status=$?
expect_same "$status" 3 "exit status with findings"
expect_same "$out" $'Page 9 is not in this 7-page PDF.\nThe title is too long to read at 750 × 750; shorten it or turn it off.' "findings"

"$cli" make "$pdf" -o "$work" --pages 9 --layouts grid --no-preview --no-video \
    >"$work/stdout" 2>"$work/stderr" || fail "make with a finding exited $?"
expect_same "$(cat "$work/stderr")" "Page 9 is not in this 7-page PDF." "make's stderr"
[[ -s "$work/CAD listing/Square thumbnails/01-grid.png" ]] || fail "make made no set"
echo "check: all passed"
