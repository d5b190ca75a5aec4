#!/usr/bin/env bash
# Opens the HTML site written from the sample story in Chromium (headless): the pages must
# decode as Shift-JIS (short pages included), the contents frame must list the titles, and a
# screenshot of the frame page must show the mark images. Skips (77) where Chromium is not
# installed. Usage: chromium_site_test.sh PWVTOOL SAMPLE.PWV [SCREENSHOT.png]
set -u
tool=$1
sample=$2
keep=${3:-}
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "chromium is not installed: skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # check NAME COMMAND...
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
chrome() {  # chrome ARGS... : one headless run with a profile of its own
  local profile
  profile=$(mktemp -d "$work/profile.XXXXXX")
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" "$@" \
    2>"$work/chrome.log"
}

mkdir "$work/site"
check "export html" "$tool" export html "$sample" "$work/site/story.htm"
chrome --dump-dom "file://$work/site/10.htm" >"$work/10.dom"
check "a short page decodes as Shift-JIS" grep -q "<title>性別 - CONTENTS</title>" "$work/10.dom"
check "its body too" grep -q "<pre>男" "$work/10.dom"
chrome --dump-dom "file://$work/site/contents.htm" >"$work/contents.dom"
check "contents lists the titles" grep -q "駅前の雨" "$work/contents.dom"
check "contents links the pages" grep -q 'href="2.htm" target="Text"' "$work/contents.dom"
check "contents shows images" grep -q 'src="./gif/c_green.gif"' "$work/contents.dom"

chrome --window-size=1000,700 --screenshot="$work/shot.png" "file://$work/site/story.htm" >/dev/null
check "screenshot taken" test -s "$work/shot.png"
if command -v convert >/dev/null; then
  # The fill colours of the blue parent mark, the green child mark and the orange child mark.
  colors=$(convert "$work/shot.png" -format %c histogram:info: 2>/dev/null)
  for c in 2B5CD6 2E9E3A F08C1A; do
    check "the frame page shows the mark image coloured #$c" grep -qi "#$c" <<<"$colors"
  done
fi
[ -n "$keep" ] && cp "$work/shot.png" "$keep"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
