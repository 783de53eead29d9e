#!/usr/bin/env bash
# folimo-cli render: a real PDF's layouts as PNG and JPEG at the size asked (held to
# 64...6000 a side); bad layouts, extensions and PDFs fail cleanly and write nothing.
source "$(dirname "$0")/common.bash"
pdf=/usr/share/doc/asymptote/CAD.pdf

expect_type() { # file description
    [[ "$(file -b "$1")" == "$2"* ]] || fail "$1: $(file -b "$1"), expected $2"
}

for layout in grid desk; do
    out="$("$cli" render "$pdf" --layout "$layout" --size 300x200 -o "$work/$layout.png")"
    [[ "$out" == "$work/$layout.png" ]] || fail "printed \"$out\""
    expect_type "$work/$layout.png" "PNG image data, 300 x 200, 8-bit/color RGB"
done

"$cli" render "$pdf" --layout fan --size 10x9000 --brand chalkboard --title "Shapes" \
    --pages 2-4 -o "$work/tall.JPG" >/dev/null
expect_type "$work/tall.JPG" "JPEG image data, JFIF standard"
[[ "$(file -b "$work/tall.JPG")" == *", 64x6000, "* ]] || fail "tall.JPG: $(file -b "$work/tall.JPG")"

status=0; "$cli" render "$pdf" --layout spiral -o "$work/x.png" 2>"$work/err" || status=$?
[[ $status == 2 ]] && grep -q "grid, cover, fan" "$work/err" || fail "unknown layout: $status"
status=0; "$cli" render "$pdf" --layout grid -o "$work/x.gif" 2>/dev/null || status=$?
[[ $status == 2 ]] || fail "unknown extension: $status"
status=0; "$cli" render "$work/missing.pdf" --layout grid -o "$work/x.png" 2>"$work/err" || status=$?
[[ $status == 1 ]] && grep -q "missing.pdf" "$work/err" || fail "missing PDF: $status"
[[ ! -e "$work/x.png" && ! -e "$work/x.gif" ]] || fail "wrote a file after failing"
# A full disk is named as the cause: a 64 KB file system of its own, in a mount namespace
# where one can be made (as root, or as the user's own root in a user namespace).
mkdir "$work/full"
if unshare -rm true 2>/dev/null; then
    status=0
    unshare -rm sh -c 'mount -t tmpfs -o size=64k tmpfs "$1" && shift && exec "$@"' sh         "$work/full" "$cli" render "$pdf" --layout desk --size 2000x2000         -o "$work/full/01-desk.png" 2>"$work/err" || status=$?
    [[ $status == 1 ]] || fail "full disk: status $status"
    expect_same "$(cat "$work/err")" "Couldn’t save 01-desk.png: the disk is full." "full disk"
fi
# Ctrl-C while a large image is drawn: "Stopped.", status 130, and neither the image nor a
# temporary file. The signal is sent once the program takes it (its waiting thread runs).
set -m
"$cli" render "$pdf" --layout desk --size 6000x6000 -o "$work/stopped.png" >/dev/null 2>"$work/err" &
pid=$!
set +m
for _ in $(seq 1 200); do
    threads=$(sed -n 's/^Threads:\s*//p' "/proc/$pid/status" 2>/dev/null || true)
    [[ "${threads:-0}" -ge 2 ]] && break
    sleep 0.05
done
kill -INT "$pid"
status=0; wait "$pid" || status=$?
[[ $status == 130 && "$(cat "$work/err")" == "Stopped." ]] || fail "Ctrl-C during render: $status $(cat "$work/err")"
[[ -z "$(find "$work" -name 'stopped.png' -o -name '*.part')" ]] || fail "a stopped render left a file"
echo "render: ok"
