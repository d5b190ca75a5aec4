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

printf '[Format]\r\nON=1\r\n' >"$work/numbers.PWO"
mkdir -p "$work/site" "$work/page" "$work/blocked"
: >"$work/blocked/gif"
utf8() { iconv -f CP932 -t UTF-8 "$1"; }
expect "export text" 0 "" -- "$tool" export text "$sample" "$work/formatted.TXT"
expect "export text marks and indent" 0 "^　　◆ 駅前の雨" -- utf8 "$work/formatted.TXT"
expect "export text format file with missing keys" 0 "" -- \
  "$tool" export text "$sample" "$work/numbered.TXT" --format-file "$work/numbers.PWO" --scope subtree:1
expect "export text numbers from the file defaults" 0 "^　1-1-1-◆ 駅前の雨" -- utf8 "$work/numbered.TXT"
expect "export text one node" 0 "^1-1-1-◆ 駅前の雨" -- sh -c \
  "'$tool' export text '$sample' '$work/one.TXT' --format-file '$work/numbers.PWO' --scope node:2 && iconv -f CP932 -t UTF-8 '$work/one.TXT'"
expect "export text missing format file" 1 "ﾌｧｲﾙの読み込みに失敗しました" -- \
  "$tool" export text "$sample" "$work/x.TXT" --format-file "$work/none.PWO"
expect "export text subtree of a leaf" 1 "子ノードがありません" -- \
  "$tool" export text "$sample" "$work/x.TXT" --scope subtree:2
expect "export text node past the end" 1 "ノード 99 はありません" -- \
  "$tool" export text "$sample" "$work/x.TXT" --scope node:99
expect "export text bad scope" 1 "--scope takes" -- "$tool" export text "$sample" "$work/x.TXT" --scope 3
expect "export text wrong extension" 1 "ファイル名が無効です" -- "$tool" export text "$sample" "$work/x.rtf"
expect "export html" 0 "" -- "$tool" export html "$sample" "$work/site/story.htm" --title "星の町"
expect "export html frame page" 0 '<FRAME SRC="0.htm" NAME="Text" RESIZE>' -- utf8 "$work/site/story.htm"
expect "export html title" 0 "<TITLE>星の町 - CONTENTS</TITLE>" -- utf8 "$work/site/contents.htm"
expect "export html images" 0 "^15$" -- sh -c "ls '$work/site/gif' | wc -l"
expect "export html pages" 0 "^13$" -- sh -c "ls '$work/site' | grep -c '^[0-9]*\.htm$'"
expect "export html .html text marks" 0 '<FONT COLOR="#00FF00">◆</FONT>  駅前の雨' -- sh -c \
  "'$tool' export html '$sample' '$work/site/b.htm' --ext html --marks text --no-indent --scope subtree:1 && iconv -f CP932 -t UTF-8 '$work/site/contents.html'"
expect "export html single page" 0 "<TITLE>性別</TITLE>" -- sh -c \
  "'$tool' export html '$sample' '$work/page/p.htm' --scope node:10 && ls '$work/page' | wc -l | grep -qx 1 && iconv -f CP932 -t UTF-8 '$work/page/p.htm'"
expect "export html gif folder fails" 1 "保存に失敗しました" -- "$tool" export html "$sample" "$work/blocked/a.htm"
expect "export html nothing written after failing" 0 "^1$" -- sh -c "ls '$work/blocked' | wc -l"
expect "export html .html chosen" 1 "ファイル名が無効です" -- "$tool" export html "$sample" "$work/site/a.html"
expect "export html bad marks" 1 "--marks takes" -- "$tool" export html "$sample" "$work/site/a.htm" --marks png

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
