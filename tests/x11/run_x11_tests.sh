#!/usr/bin/env bash
# Runs the X11 suite: the real window on the xcb platform, under a private virtual X server
# (a free display picked by xvfb-run) with openbox as its window manager, driven by xdotool
# and xclip. Exits 77, which ctest counts as skipped, where those tools are not installed.
# Usage: run_x11_tests.sh X11_TESTS_BINARY [gtest arguments...]
set -uo pipefail
for tool in xvfb-run Xvfb openbox xdotool xclip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "x11: $tool is not installed (scripts/setup --test); the X11 suite is skipped"
    exit 77
  fi
done
export QT_QPA_PLATFORM=xcb
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
exec xvfb-run -a -s "-screen 0 1280x900x24 -nolisten tcp" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  "$@"
  rc=$?
  kill "$wm" 2>/dev/null
  wait "$wm" 2>/dev/null
  exit "$rc"' x11 "$@"
