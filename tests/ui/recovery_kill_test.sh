#!/usr/bin/env bash
# The recovery copy against a real crash: the real program, under a virtual X server, gets an
# edit typed into its body pane, is killed with SIGKILL once its recovery copy is written, and
# is started again; Yes to the question brings the edit back, and saving puts it in the
# document. Skips (status 77) where Xvfb or xdotool is not installed.
# Usage: recovery_kill_test.sh PLOTWEAVE PWVTOOL SAMPLE.PWV
set -u
app=$1
tool=$2
sample=$3
for program in Xvfb xdotool; do
  if ! command -v "$program" >/dev/null; then
    echo "skipped: $program is not installed"
    exit 77
  fi
done
work=$(mktemp -d)
pid=
xpid=
wmpid=
stop() {  # ends a process this script started and reaps it quietly
  [ -n "$2" ] || return 0
  kill "$1" "$2" 2>/dev/null
  wait "$2" 2>/dev/null
}
cleanup() {
  stop -KILL "$pid"
  stop -TERM "$wmpid"
  stop -TERM "$xpid"
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  for ((i = 0; i < seconds * 10; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

display=
for n in $(seq 80 99); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || fail "no free display number"
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
wait_for 10 test -e "/tmp/.X11-unix/X${display#:}" || fail "Xvfb did not start"
export DISPLAY=$display QT_QPA_PLATFORM=xcb HOME=$work
export PLOTWEAVE_CONFIG_DIR=$work/config PLOTWEAVE_RECOVERY_SECONDS=1
if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  wmpid=$!
fi
cp "$sample" "$work/story.PWV"

# Waits for a visible window whose title matches $1 and gives it the keyboard.
focus_window() {
  local id=
  for ((i = 0; i < 300; i++)); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || return 1
  xdotool mousemove --window "$id" 200 200 windowfocus --sync "$id" >/dev/null 2>&1 ||
    xdotool windowfocus "$id" >/dev/null 2>&1
  sleep 0.5
  echo "$id"
}

"$app" "$work/story.PWV" >"$work/first.log" 2>&1 &
pid=$!
focus_window '^story - Plotweave' >/dev/null || fail "the window did not show"
xdotool type --delay 30 "RECOVERED"
copy_holds_edit() {
  local copy
  copy=$(ls "$work/config/recovery/"*.PWV 2>/dev/null | head -1)
  [ -n "$copy" ] && "$tool" dump --text "$copy" | grep -q RECOVERED
}
wait_for 30 copy_holds_edit || fail "no recovery copy holding the edit"
kill -9 "$pid"
wait "$pid" 2>/dev/null
pid=
cmp -s "$sample" "$work/story.PWV" || fail "the document changed without a save"

"$app" >"$work/second.log" 2>&1 &
pid=$!
question=$(focus_window '^Plotweave$') || fail "no recovery question"
xdotool key --window "$question" Return 2>/dev/null || xdotool key Return
focus_window '^story - Plotweave' >/dev/null || fail "the copy did not open under its name"
xdotool key ctrl+s
document_holds_edit() { "$tool" dump --text "$work/story.PWV" | grep -q RECOVERED; }
wait_for 30 document_holds_edit || fail "saving did not write the recovered edit"
wait_for 10 sh -c "! ls '$work/config/recovery/'*.PWV" || fail "the copy was left after a save"
echo "recovery after SIGKILL: passed"
