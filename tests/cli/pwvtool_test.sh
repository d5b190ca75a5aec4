#!/usr/bin/env bash
# pwvtool end to end: exit statuses, messages and outputs of every command, on the sample
# story and on broken files. Usage: pwvtool_test.sh PWVTOOL SAMPLE.PWV
set -u
tool=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# expect NAME STATUS PATTERN -- COMMAND...: the status must match and the output (stdout and
# stderr together) must contain PATTERN (a grep -E expression).
expect() {
  local name=$1 status=$2 pattern=$3
  shift 4
  local out rc
  out=$("$@" 2>&1)
  rc=$?
  if [ "$rc" -eq "$status" ] && grep -qE -- "$pattern" <<<"$out"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name (status $rc, wanted $status; pattern '$pattern')"
    echo "$out" | head -5 | sed 's/^/    /'
  fi
}

printf '\x03\x00\x00\x50\x00\x00\x00' >"$work/truncated.PWV"
printf '.A\r\n..B\r\n...C\r\n' >"$work/outline.TXT"
printf 'just a note\r\n' >"$work/plain.TXT"
: >"$work/empty.TXT"

expect "no arguments prints usage" 1 "usage:" -- "$tool"
expect "unknown command" 1 "unknown command" -- "$tool" frobnicate
expect "info on the sample" 0 "layout: current" -- "$tool" info "$sample"
expect "info counts nodes" 0 "nodes: 13" -- "$tool" info "$sample"
expect "info stored selection" 0 "selected node: 2" -- "$tool" info "$sample"
expect "dump titles in UTF-8" 0 '"title":"星降る町の約束"' -- "$tool" dump "$sample"
expect "dump character item" 0 '"title":"名前","kind":5' -- "$tool" dump "$sample"
expect "dump --text lines" 0 '"lines":\["水瀬 湊（みなせ みなと）"\]' -- "$tool" dump --text "$sample"
expect "truncated file" 1 "ﾌｧｲﾙの読み込みに失敗しました" -- "$tool" info "$work/truncated.PWV"
expect "missing file" 1 "No such file" -- "$tool" info "$work/missing.PWV"
expect "new" 0 "" -- "$tool" new "$work/new.PWV"
expect "new is 59 bytes" 0 "^59$" -- stat -c %s "$work/new.PWV"
expect "new has No Title" 0 '"title":"No Title","kind":1' -- "$tool" dump "$work/new.PWV"
expect "resave" 0 "" -- "$tool" resave "$sample" "$work/again.PWV"
expect "resave is byte for byte" 0 "" -- cmp "$sample" "$work/again.PWV"
expect "resave into a missing folder" 1 "保存に失敗しました" -- "$tool" resave "$sample" "$work/no/x.PWV"
expect "export hier" 0 "" -- "$tool" export hier "$sample" "$work/story.TXT"
expect "export hier heading" 0 "^\.\.\.駅前の雨" -- sh -c "iconv -f CP932 -t UTF-8 '$work/story.TXT'"
expect "import hier" 0 "" -- "$tool" import hier "$work/outline.TXT" "$work/outline.PWV"
expect "import hier shape" 0 '"level":2,"title":"C","kind":3' -- "$tool" dump "$work/outline.PWV"
expect "import plain text" 0 "1 nodes \(plain text\)" -- "$tool" import hier "$work/plain.TXT"
expect "import empty file" 1 "ファイルが空です" -- "$tool" import hier "$work/empty.TXT"
expect "text of an RTF file" 0 "^last$" -- sh -c "printf '{\\\\rtf1 first\\\\par last}' >'$work/a.rtf' && '$tool' text '$work/a.rtf'"
expect "date worked example" 0 '^\(2001/02/03 04:05:06\)$' -- "$tool" date "(yyyy/mm/dd hh:nn:ss)" --at 2001-02-03T04:05:06
expect "date weekday and kanji" 0 '^2001年2月3日 土曜日$' -- "$tool" date 'yyyy"年"m"月"d"日" aaaa' --at 2001-02-03T04:05:06
expect "date 12-hour clock" 0 '^PM 01:00:00$' -- "$tool" date "AM/PM hh:nn:ss" --at 2001-02-03T13:00:00
expect "date now" 0 '^[0-9]{4}-[0-9]{2}-[0-9]{2}$' -- "$tool" date "yyyy-mm-dd"
expect "date bad time" 1 "not a date and time" -- "$tool" date c --at 2001-02-30T00:00:00
expect "date without format" 1 "usage: pwvtool date" -- "$tool" date --at 2001-02-03T04:05:06
expect "date outside Shift-JIS" 1 "Shift-JIS cannot hold" -- "$tool" date "y 😀"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
