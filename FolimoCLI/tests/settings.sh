#!/bin/bash
# folimo-cli settings: the defaults are the complete stored form, --check accepts them and
# explains what is wrong with a broken file.
source "$(dirname "$0")/common.bash"

# The defaults: valid JSON holding every part of the stored form (their values are the
# library's to test).
"$cli" settings --defaults >"$work/defaults.json"
python3 - "$work/defaults.json" <<'PY' || fail "default settings"
import json, sys
s = json.load(open(sys.argv[1]))
assert list(s) == ["title", "showTitle", "brand", "layouts", "pages", "images", "preview", "video"], list(s)
PY

# What --defaults prints, --check accepts; so does a hand edit in another key order.
expect_same "$("$cli" settings --check "$work/defaults.json")" ok "check of the defaults"
python3 - "$work/defaults.json" "$work/edited.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))
s["layouts"] = ["frame", "grid"]
s["video"]["seconds"] = 15
json.dump(dict(reversed(list(s.items()))), open(sys.argv[2], "w"))
PY
expect_same "$("$cli" settings --check "$work/edited.json")" ok "check of an edited file"

# A broken file: exit status 2 and the place of the fault on stderr.
python3 - "$work/defaults.json" "$work/broken.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))
s["video"]["fps"] = 29.97
json.dump(s, open(sys.argv[2], "w"))
PY
status=0
"$cli" settings --check "$work/broken.json" >"$work/out" 2>"$work/err" || status=$?
expect_same "$status" 2 "exit status of a broken file"
grep -q 'settings.video.fps: must be a 64-bit integer, not 29.97' "$work/err" ||
    fail "broken file message: $(cat "$work/err")"
[[ ! -s "$work/out" ]] || fail "broken file printed to stdout"

# Settings and brand files nested a hundred thousand deep are refused, naming the file.
python3 -c 'print("{\"title\": " + "[" * 100000 + "]" * 100000 + "}")' >"$work/deep.json"
for words in "settings --check $work/deep.json" \
    "render $docs/asymptote.pdf --layout grid --size 64x64 -o $work/x.png --settings $work/deep.json" \
    "render $docs/asymptote.pdf --layout grid --size 64x64 -o $work/x.png --brand $work/deep.json"; do
    status=0
    # shellcheck disable=SC2086
    "$cli" $words >/dev/null 2>"$work/err" || status=$?
    expect_same "$status" 2 "exit status of $words"
    grep -q "“$work/deep.json” is not .*valid .*nested deeper than 32 levels" "$work/err" ||
        fail "deep file message: $(cat "$work/err")"
done
[[ ! -e "$work/x.png" ]] || fail "a deep settings file still drew"

# Help, and usage errors with status 2.
"$cli" settings --help | grep -q -- "--check FILE.json" || fail "help"
for words in "" "--defaults --check $work/defaults.json" "--defaults extra" "--check" "--frobnicate"; do
    status=0
    # shellcheck disable=SC2086
    "$cli" settings $words >/dev/null 2>&1 || status=$?
    expect_same "$status" 2 "exit status of settings $words"
done
echo "settings: ok"
