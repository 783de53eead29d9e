#!/bin/bash
# folimo-cli video on a real PDF: the file ffprobe sees, naming inside a folder, the
# option checks and a failure.
source "$(dirname "$0")/common.bash"
pdf=/usr/share/doc/asymptote/asy-latex.pdf

# Odd sizes are made even and short videos long enough; only the path goes to stdout.
out=$("$cli" video "$pdf" -o "$work/clip.mp4" --size 161x121 --seconds 3 --fps 10 --pages 2-4 2>"$work/stderr")
expect_same "$out" "$work/clip.mp4" "printed path"
expect_same "$(cat "$work/stderr")" "160 × 120, 100 frames at 10 fps, 3 pages" "summary"
probe=$(ffprobe -v error -select_streams v:0 -count_frames \
    -show_entries stream=codec_name,profile,pix_fmt,width,height,r_frame_rate,nb_read_frames,duration \
    -of default=noprint_wrappers=1 "$work/clip.mp4")
expect_same "$probe" $'codec_name=h264\nprofile=High\nwidth=160\nheight=120\npix_fmt=yuv420p\nr_frame_rate=10/1\nduration=10.000000\nnb_read_frames=100' "ffprobe"

# A folder gets the set's file name, after the title.
"$cli" video "$pdf" -o "$work" --title "Fall Math" --size 64x64 --fps 10 --seconds 10 >/dev/null 2>&1
[[ -f "$work/Fall Math flip-through.mp4" ]] || fail "named file: $(ls "$work")"

# Usage errors exit with 2; a folder that isn't there is the library's video error.
status=0; "$cli" video "$pdf" --fps 2.5 >/dev/null 2>&1 || status=$?
expect_same "$status" 2 "fractional fps"
status=0; "$cli" video "$pdf" --size big >/dev/null 2>&1 || status=$?
expect_same "$status" 2 "bad size"
status=0
"$cli" video "$pdf" -o "$work/nowhere/v.mp4" --size 64x64 >/dev/null 2>"$work/stderr" || status=$?
expect_same "$status" 1 "missing folder"
[[ "$(cat "$work/stderr")" == "The video couldn’t be made: "* ]] || fail "message: $(cat "$work/stderr")"
echo ok
