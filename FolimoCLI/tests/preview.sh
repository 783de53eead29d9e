#!/usr/bin/env bash
# folimo-cli preview: each option reaches the preview (what it draws is the library's to test);
# settings files and the preview's own options combine; bad options and impossible pages fail
# cleanly without leaving files.
source "$(dirname "$0")/common.bash"

text() { pdftotext -raw "$1" - | tr -d ' \n\f'; }
# The characters of a text, sorted: Poppler reads turned text in an order of its own.
letters() { printf '%s' "$1" | fold -w1 | LC_ALL=C sort | tr -d '\n'; }

latex=/usr/share/doc/asymptote/asy-latex.pdf # 11 pages, titled "The asymptote package"

# Defaults: every page two to a landscape Letter sheet, into a folder under the set's name
# (a title of blanks is no title: the PDF's own stands).
mkdir "$work/out"
out="$("$cli" preview "$latex" -o "$work/out" --title "   " 2>/dev/null)"
[[ "$out" == "$work/out/The asymptote package preview.pdf" ]] || fail "printed \"$out\""
[[ "$(info "$out" Title)" == "The asymptote package (preview)" ]] || fail "title $(info "$out" Title)"
[[ "$(info "$out" Pages)" == 6 ]] || fail "pages $(info "$out" Pages)"

# The preview's own options, pages among them, on a title of our own.
"$cli" preview "$latex" -o "$work/v.pdf" --pages 2-4 --per-sheet 1 --sheet 8.5x11 \
    --no-flatten --watermark "DRAFT COPY" --style corner --opacity 0.5 --title "  Fall Math  " \
    >/dev/null 2>&1
[[ "$(info "$work/v.pdf" Title)" == "Fall Math (preview)" ]] || fail "title $(info "$work/v.pdf" Title)"
[[ "$(info "$work/v.pdf" Pages)" == 3 ]] || fail "pages $(info "$work/v.pdf" Pages)"
[[ "$(info "$work/v.pdf" "Page size")" == "612 x 792 pts (letter)" ]] || fail "portrait size"
vector="$(text "$work/v.pdf")"
[[ "$vector" == *"DRAFTCOPY"* && "$vector" == *"Page2of11"* ]] || fail "watermark or caption"
[[ "$vector" == *"asymptote"* ]] || fail "vector pages lost their text"

# A settings file, with options on top of it.
"$cli" settings --defaults | sed 's/"watermark": "PREVIEW"/"watermark": "SAMPLE"/' >"$work/s.json"
"$cli" preview "$latex" --settings "$work/s.json" --pages 1 -o "$work/s.pdf" >/dev/null 2>&1
[[ "$(info "$work/s.pdf" Pages)" == 1 ]] || fail "settings file pages"
[[ "$(letters "$(text "$work/s.pdf")")" == "$(letters "SAMPLEPage1of11")" ]] ||
    fail "settings file watermark: $(text "$work/s.pdf")"

# Usage errors are 2; no selected page and an unwritable place are failures (1) that say why.
for bad in "--style wavy" "--sheet 8.5" "--opacity nan" "--per-sheet two" "--colour red"; do
    status=0; "$cli" preview "$latex" -o "$work/bad.pdf" $bad 2>/dev/null || status=$?
    [[ $status == 2 ]] || fail "\"$bad\" gave $status"
done
status=0; err="$("$cli" preview "$latex" -o "$work/none.pdf" --pages 40-50 2>&1 >/dev/null)" || status=$?
[[ $status == 1 ]] || fail "no pages gave $status"
[[ "$err" == "None of the chosen pages are in this PDF. Use page numbers like 1-3, 5." ]] || fail "message \"$err\""
status=0; err="$("$cli" preview "$latex" -o "$work/missing/p.pdf" 2>&1 >/dev/null)" || status=$?
[[ $status == 1 ]] || fail "unwritable place gave $status"
[[ "$err" == "Couldn’t save p.pdf." ]] || fail "message \"$err\""
err="$("$cli" preview "$latex" -o "$work/missing/" 2>&1 >/dev/null)" && fail "a place that is no folder"
[[ "$err" == "Couldn’t save missing." ]] || fail "message \"$err\""
[[ "$(ls -A "$work")" == "$(printf 'out\ns.json\ns.pdf\nv.pdf')" ]] || fail "stray files: $(ls -A "$work")"

echo "preview: ok"
