#!/usr/bin/env bash
# folimo-cli make and batch end to end: set folders and their files, the lines printed,
# exit statuses, a locked PDF inside a batch, a refused settings file and Ctrl-C.
source "$(dirname "$0")/common.bash"
lq=$(printf '\xe2\x80\x9c') rq=$(printf '\xe2\x80\x9d') # typographic quotes

# Small images, two preview pages and a tiny video keep every set quick.
cat >"$work/small.json" <<'JSON'
{"title": "", "showTitle": true,
 "brand": {"id": "6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E01", "name": "Classic",
           "fontFamily": "Avenir Next",
           "background": {"red": 0.96, "green": 0.94, "blue": 0.89},
           "accent": {"red": 0.85, "green": 0.41, "blue": 0.17},
           "text": {"red": 0.18, "green": 0.16, "blue": 0.15}, "badge": "{pages} pages"},
 "layouts": ["cover", "grid"], "pages": "",
 "images": [{"id": "t", "name": "Thumbs", "size": {"width": 120, "height": 120},
             "format": "png", "isOn": true},
            {"id": "w", "name": "Wide", "size": {"width": 160, "height": 120},
             "format": "jpeg", "isOn": true}],
 "preview": {"isOn": true, "pages": "1-2", "watermark": "PREVIEW", "style": "diagonal",
             "opacity": 0.22, "sheetWidth": 11.0, "sheetHeight": 8.5, "pagesPerSheet": 2,
             "flatten": true},
 "video": {"isOn": true, "size": {"width": 64, "height": 64}, "seconds": 10.0, "fps": 10,
           "pages": ""}}
JSON
small=(--settings "$work/small.json")

# make: the folder is named after the title, made safe and unique; the summary names it.
mkdir "$work/out"
"$cli" make "$docs/CAD.pdf" -o "$work/out" "${small[@]}" --title "Fall Math: Grade 2/3" >"$work/stdout"
expected="Saved 6 files to ${lq}Fall Math- Grade 2-3 listing${rq}.
$work/out/Fall Math- Grade 2-3 listing"
[ "$(cat "$work/stdout")" = "$expected" ] || fail "make printed: $(cat "$work/stdout")"
set_dir="$work/out/Fall Math- Grade 2-3 listing"
for f in Thumbs/01-grid.png Thumbs/02-cover.png Wide/01-grid.jpg Wide/02-cover.jpg \
  "Fall Math- Grade 2-3 preview.pdf" "Fall Math- Grade 2-3 flip-through.mp4"; do
  [ -s "$set_dir/$f" ] || fail "make did not write $f"
done
[ "$(find "$set_dir" -type f | wc -l)" -eq 6 ] || fail "make wrote other files too"

# The same title again goes to a new folder; layouts and the video can be left out.
"$cli" make "$docs/CAD.pdf" -o "$work/out" "${small[@]}" --title "Fall Math: Grade 2/3" \
  --layouts fan --no-video >"$work/stdout"
grep -qx "Saved 3 files to ${lq}Fall Math- Grade 2-3 listing 2${rq}." "$work/stdout" || fail "second make: $(cat "$work/stdout")"
[ -s "$work/out/Fall Math- Grade 2-3 listing 2/Wide/03-fan.jpg" ] || fail "second make wrote no fan"

# Presets whose names come out the same share a folder: a file written twice counts once.
sed 's/"Wide"/"Thumbs"/; s/"jpeg"/"png"/' "$work/small.json" >"$work/same.json"
"$cli" make "$docs/CAD.pdf" -o "$work/out" --settings "$work/same.json" --layouts grid \
  --no-preview --no-video >"$work/stdout"
grep -qx "Saved 1 file to ${lq}CAD listing${rq}." "$work/stdout" || fail "shared folder: $(cat "$work/stdout")"

# The sample pack is made like any PDF and titled from it.
(cd "$work/out" && "$cli" make --sample "${small[@]}" --no-preview --no-video --layouts cover >"$work/stdout")
grep -qx "Saved 2 files to ${lq}Fall Math Practice listing${rq}." "$work/stdout" || fail "sample: $(cat "$work/stdout")"
[ -s "$work/out/Fall Math Practice listing/Thumbs/02-cover.png" ] || fail "sample wrote no cover"
# Without a temporary folder to put the pack in, that is a failure to save it, not an abort.
status=0; TMPDIR="$work/no such folder" "$cli" make --sample -o "$work/out" 2>"$work/stderr" || status=$?
[ "$status" = 1 ] || fail "sample without a temporary folder exited $status"
grep -qx "Couldn’t save Fall Math Practice.pdf." "$work/stderr" || fail "no temporary folder: $(cat "$work/stderr")"

# A settings file that is not complete stored settings is refused before any work.
echo '{"title": ""}' >"$work/partial.json"
mkdir "$work/refused"
status=0; "$cli" make "$docs/CAD.pdf" -o "$work/refused" --settings "$work/partial.json" 2>"$work/stderr" || status=$?
[ "$status" -eq 2 ] || fail "incomplete settings gave status $status"
grep -q "partial.json" "$work/stderr" || fail "the refusal does not name the file: $(cat "$work/stderr")"
[ -z "$(ls -A "$work/refused")" ] || fail "refused settings still made files"
status=0; "$cli" make "$docs/CAD.pdf" --layouts grid,poster 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "an unknown layout gave status $status"

# batch: file-browser order, one line per PDF, a locked PDF fails alone.
mkdir "$work/in" "$work/in/sub"
cp "$docs/CAD.pdf" "$work/in/Unit 10.pdf"
cp "$docs/asyRefCard.pdf" "$work/in/unit 2.PDF"
cp "$docs/CAD.pdf" "$work/in/sub/Unit 1.pdf"
cp "$docs/CAD.pdf" "$work/in/.hidden.pdf"
echo notes >"$work/in/notes.txt"
qpdf --encrypt secret secret 256 -- "$docs/asyRefCard.pdf" "$work/in/Locked.pdf"
mkdir -p "$work/sets/Unit 10 listing"
status=0; "$cli" batch "$work/in" -o "$work/sets" "${small[@]}" >"$work/stdout" || status=$?
[ "$status" -eq 1 ] || fail "a batch with a locked PDF gave status $status"
expected="Locked: ${lq}Locked.pdf${rq} is protected with a password. Save a copy without the password and try again.
unit 2: Saved 6 files
Unit 10: Saved 6 files
2 sets made, 1 failed."
[ "$(cat "$work/stdout")" = "$expected" ] || fail "batch printed: $(cat "$work/stdout")"
[ -s "$work/sets/unit 2 listing/unit 2 preview.pdf" ] || fail "batch sets take their PDF's name"
[ -s "$work/sets/Unit 10 listing 2/Unit 10 flip-through.mp4" ] || fail "batch wrote into an existing folder"
[ -z "$(ls -A "$work/sets/Unit 10 listing")" ] || fail "batch touched the existing folder"
[ ! -e "$work/sets/Locked listing" ] || fail "the locked PDF got a folder"

# Every set of a batch takes its own PDF's title, so a title for all of them is refused.
status=0; "$cli" batch "$work/in" -o "$work/titled" --title "Fall" 2>"$work/stderr" || status=$?
[ "$status" -eq 2 ] || fail "batch --title gave status $status"
[ ! -e "$work/titled" ] || fail "batch --title made its output folder"

# All good: status 0. A named pipe called like a PDF is no PDF and cannot hold the batch up.
rm "$work/in/Locked.pdf"
mkfifo "$work/in/pipe.pdf"
timeout 120 "$cli" batch "$work/in" -o "$work/sets2" "${small[@]}" --no-video >"$work/stdout" || fail "good batch failed"
[ "$(wc -l <"$work/stdout")" -eq 3 ] || fail "good batch printed: $(cat "$work/stdout")"
status=0; timeout 60 "$cli" make "$work/in/pipe.pdf" -o "$work/sets2" 2>"$work/stderr" || status=$?
[ "$status" -eq 1 ] || fail "make of a named pipe gave status $status"

# A folder whose PDFs are only in subfolders.
mkdir -p "$work/empty/inner"
cp "$docs/CAD.pdf" "$work/empty/inner/"
status=0; "$cli" batch "$work/empty" -o "$work/sets3" 2>"$work/stderr" || status=$?
[ "$status" -eq 1 ] || fail "an empty batch gave status $status"
[ "$(cat "$work/stderr")" = "There are no PDFs directly inside ${lq}empty${rq}." ] || fail "empty batch said: $(cat "$work/stderr")"

# Ctrl-C, SIGTERM and SIGHUP: the export stops soon, keeps its files, leaves no temporary
# file, says so and exits with 128 + the signal. Job control gives the background job the
# default dispositions, as a terminal would. One run has a title of 30,000 characters.
qpdf --empty --pages "$docs/asymptote.pdf" 1-12 -- "$work/twelve.pdf"
long_title=$(printf 'Long title %.0s' $(seq 1 2728))
for stop in INT:130 TERM:143 HUP:129; do
  signal=${stop%:*}
  title=()
  [ "$signal" = TERM ] && title=(--title "$long_title")
  rm -rf "$work/stopped"
  set -m
  "$cli" make "$work/twelve.pdf" -o "$work/stopped" "${title[@]}" >"$work/stdout" 2>"$work/stderr" &
  pid=$!
  set +m
  for _ in $(seq 1 600); do
    [ -n "$(find "$work/stopped" -name '*.png' 2>/dev/null | head -1)" ] && break
    sleep 0.05
  done
  kill -"$signal" "$pid"
  status=0; wait "$pid" || status=$?
  [ "$status" -eq "${stop#*:}" ] || fail "SIG$signal gave status $status"
  [ ! -s "$work/stdout" ] || fail "a stopped make printed a summary"
  written=$(find "$work/stopped" -type f | wc -l)
  [ "$written" -ge 1 ] && [ "$written" -lt 20 ] || fail "SIG$signal left $written files"
  set_folder=$(basename "$(find "$work/stopped" -mindepth 1 -maxdepth 1 -type d)")
  # After what the check tells of the long title.
  [ "$(tail -n 1 "$work/stderr")" = "Stopped. $written of 20 files saved in ${lq}${set_folder}${rq}." ] ||
    fail "SIG$signal said: $(cat "$work/stderr")"
  [ -z "$(find "$work/stopped" -name '*.mp4' -o -name '*.part')" ] ||
    fail "SIG$signal left a video or a temporary file: $(find "$work/stopped")"
done

echo "make_batch: ok"
