#!/bin/bash
# folimo-cli settings: the defaults are the complete stored form, --check accepts them and
# explains what is wrong with a broken file.
set -euo pipefail
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_same() { [[ "$1" == "$2" ]] || fail "$3: expected [$2], got [$1]"; }

# The defaults: valid JSON holding every field, with the values a new listing starts from.
"$cli" settings --defaults >"$dir/defaults.json"
python3 - "$dir/defaults.json" <<'PY' || fail "default settings"
import json, sys
s = json.load(open(sys.argv[1]))
assert list(s) == ["title", "showTitle", "brand", "layouts", "pages", "images", "preview", "video"], list(s)
assert set(s["brand"]) == {"id", "name", "fontFamily", "background", "accent", "text", "badge"}
assert s["brand"]["id"] == "6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E01"
assert s["layouts"] == ["grid", "cover", "fan", "clipboard", "desk", "frame"]
assert [p["id"] for p in s["images"]] == ["thumbnails", "listing-4x3", "listing-square"]
assert s["images"][1]["size"] == {"width": 2000, "height": 1500} and s["images"][1]["format"] == "jpeg"
assert set(s["preview"]) == {"isOn", "pages", "watermark", "style", "opacity", "sheetWidth",
                             "sheetHeight", "pagesPerSheet", "flatten"}
assert s["video"] == {"isOn": True, "size": {"width": 1080, "height": 1080}, "seconds": 12.0,
                      "fps": 30, "pages": ""}
PY

# What --defaults prints, --check accepts; so does a hand edit in another key order.
expect_same "$("$cli" settings --check "$dir/defaults.json")" ok "check of the defaults"
python3 - "$dir/defaults.json" "$dir/edited.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))
s["layouts"] = ["frame", "grid"]
s["video"]["seconds"] = 15
json.dump(dict(reversed(list(s.items()))), open(sys.argv[2], "w"))
PY
expect_same "$("$cli" settings --check "$dir/edited.json")" ok "check of an edited file"

# A broken file: exit status 2 and the place of the fault on stderr.
python3 - "$dir/defaults.json" "$dir/broken.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))
s["video"]["fps"] = 29.97
json.dump(s, open(sys.argv[2], "w"))
PY
status=0
"$cli" settings --check "$dir/broken.json" >"$dir/out" 2>"$dir/err" || status=$?
expect_same "$status" 2 "exit status of a broken file"
grep -q 'settings.video.fps: must be a 64-bit integer, not 29.97' "$dir/err" ||
    fail "broken file message: $(cat "$dir/err")"
[[ ! -s "$dir/out" ]] || fail "broken file printed to stdout"

# Help, and usage errors with status 2.
"$cli" settings --help | grep -q -- "--check FILE.json" || fail "help"
for words in "" "--defaults --check $dir/defaults.json" "--defaults extra" "--check" "--frobnicate"; do
    status=0
    # shellcheck disable=SC2086
    "$cli" settings $words >/dev/null 2>&1 || status=$?
    expect_same "$status" 2 "exit status of settings $words"
done
echo "settings: ok"
