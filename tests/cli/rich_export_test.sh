#!/usr/bin/env bash
# pwvtool export rtf, export outline, export medoc and count end to end on the sample story:
# exit statuses, messages, what the outputs hold, and the PalmDOC readers where installed.
# Usage: rich_export_test.sh PWVTOOL SAMPLE.PWV
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
utf8() { iconv -f CP932 -t UTF-8 "$1"; }

"$tool" new "$work/new.PWV"

expect "export rtf" 0 "" -- "$tool" export rtf "$sample" "$work/story.RTF"
expect "rtf holds the titles" 0 "^■ 星降る町の約束$" -- "$tool" text "$work/story.RTF"
expect "rtf holds the bodies" 0 "^東京で校正の仕事をしている。" -- "$tool" text "$work/story.RTF"
expect "rtf of one node" 0 "" -- "$tool" export rtf --scope node:2 "$sample" "$work/one.RTF"
expect "rtf one node however deep" 0 "^◆ 駅前の雨$" -- "$tool" text "$work/one.RTF"
expect "rtf one node only" 1 "" -- grep -q "古書店の少女" <("$tool" text "$work/one.RTF")
expect "rtf subtree of a leaf" 1 "子ノードがありません" -- "$tool" export rtf --scope subtree:2 "$sample" "$work/x.RTF"
expect "rtf bad scope" 1 "--scope takes" -- "$tool" export rtf --scope some "$sample" "$work/x.RTF"
expect "rtf wrong extension" 1 "ファイル名が無効です: 保存に失敗しました" -- "$tool" export rtf "$sample" "$work/x.TXT"
expect "rtf missing format file" 1 "ﾌｧｲﾙの読み込みに失敗しました" -- "$tool" export rtf --format-file "$work/none.PWO" "$sample" "$work/x.RTF"
expect "rtf missing document" 1 "ﾌｧｲﾙの読み込みに失敗しました" -- "$tool" export rtf "$work/none.PWV" "$work/x.RTF"

expect "export outline" 0 "" -- "$tool" export outline "$sample" "$work/outline.TXT"
expect "outline drawing" 0 "^│　└─古書店の少女" -- utf8 "$work/outline.TXT"
expect "outline last child" 0 "^　　└─備考" -- utf8 "$work/outline.TXT"
expect "outline CR LF after each line" 0 "^13 13$" -- sh -c "echo \$(tr -cd '\\r' <'$work/outline.TXT' | wc -c) \$(wc -l <'$work/outline.TXT')"
expect "outline into a missing folder" 1 "ディレクトリが存在しません" -- "$tool" export outline "$sample" "$work/no/o.TXT"

expect "export medoc" 0 "" -- "$tool" export medoc "$sample" "$work/星の本.PDB"
expect "medoc database name" 0 "^星の本" -- sh -c "head -c 32 '$work/星の本.PDB' | tr -d '\\000' | iconv -f CP932 -t UTF-8; echo"
expect "medoc wrong extension" 1 "ファイル名が無効です" -- "$tool" export medoc "$sample" "$work/x.TXT"
if command -v txt2pdbdoc >/dev/null; then
  expect "medoc index through txt2pdbdoc" 0 "^#!Medoc index 13" -- sh -c "txt2pdbdoc -d '$work/星の本.PDB' | iconv -f CP932 -t UTF-8"
  expect "medoc first heading" 0 "^15:星降る町の約束" -- sh -c "txt2pdbdoc -d '$work/星の本.PDB' | iconv -f CP932 -t UTF-8"
fi
if command -v mobitool >/dev/null; then
  mkdir "$work/mobi"
  expect "medoc through mobitool" 0 "^38:水瀬 湊" -- sh -c "mobitool -d -o '$work/mobi' '$work/星の本.PDB' >/dev/null && iconv -f CP932 -t UTF-8 '$work/mobi/星の本.rawml'"
fi

expect "count first line is the number" 0 "^270$" -- sh -c "'$tool' count '$sample' | head -1"
expect "count pages" 0 "^400-character pages: 1$" -- "$tool" count "$sample"
expect "count of empty bodies" 0 "^0$" -- sh -c "'$tool' count '$work/new.PWV' | head -1"
expect "count usage" 1 "usage: pwvtool count" -- "$tool" count

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
