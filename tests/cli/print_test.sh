#!/usr/bin/env bash
# pwvtool print end to end, read back with poppler-utils where installed: the PDF's title is the
# first node's caption, every line of the document is in its text, a CJK font is embedded.
# Usage: print_test.sh PWVTOOL SAMPLE.PWV
set -u
tool=$1
sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # NAME CONDITION-COMMAND...
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
  fi
}
for program in pdfinfo pdftotext pdffonts; do
  if ! command -v "$program" >/dev/null; then
    echo "SKIPPED: $program (poppler-utils) is not installed"
    exit 0
  fi
done
export QT_QPA_PLATFORM=offscreen

check "print the sample" "$tool" print "$sample" "$work/story.pdf"
check "title is the first caption" grep -qx "Title: *星降る町の約束" <(pdfinfo "$work/story.pdf")
check "a CJK font is embedded" grep -qE "(CJK|Noto).* yes " <(pdffonts "$work/story.pdf")
# Every non-empty line of the document (as its RTF export reads) is in the text, whitespace
# aside (the printer wraps long lines). The PDF names some characters by other code points that
# share their glyph in the CJK font (kanji as Kangxi radicals, "・" as U+2027), so both sides
# are compared in NFKC and without middle dots.
"$tool" export rtf "$sample" "$work/story.RTF"
if perl -MUnicode::Normalize -e 1 2>/dev/null; then
  nfkc() { perl -CSD -MUnicode::Normalize -pe '$_ = NFKC($_); s/[\x{30FB}\x{2027}]//g'; }
  pdftotext -enc UTF-8 "$work/story.pdf" - | nfkc | tr -d ' \t\n\f\r' >"$work/pdf.txt"
  missing=0
  lines=0
  while IFS= read -r line; do
    squeezed=$(printf '%s' "$line" | nfkc | tr -d ' \t\r')
    [ -z "$squeezed" ] && continue
    lines=$((lines + 1))
    if ! grep -qF -- "$squeezed" "$work/pdf.txt"; then
      echo "    not in the PDF: $line"
      missing=$((missing + 1))
    fi
  done < <("$tool" text "$work/story.RTF")
  check "all the text is there" test "$missing" -eq 0 -a "$lines" -gt 40
else
  echo "SKIPPED: the text comparison needs perl's Unicode::Normalize"
fi
check "pages" grep -qE "^Pages: +[1-9]" <(pdfinfo "$work/story.pdf")

check "one node however deep" "$tool" print --scope node:2 "$sample" "$work/one.pdf"
check "its title is that node's caption" grep -qx "Title: *駅前の雨" <(pdfinfo "$work/one.pdf")
check "and it holds that node alone" bash -c "! pdftotext -enc UTF-8 '$work/one.pdf' - | grep -q 古書店"
# A template may hold no node at all (the layout's three bytes and two empty sizes).
printf '\003\000\000\000\000\000\000\000\000\000\000' >"$work/empty.PWT"
"$tool" print "$work/empty.PWT" "$work/empty.pdf" 2>/dev/null
check "a document without nodes fails cleanly" test $? -eq 1 -a ! -e "$work/empty.pdf"
# An earlier file of the name is replaced; the PDF is printed aside, so nothing else is left.
mkdir "$work/again" && echo old >"$work/again/x.pdf"
check "an earlier PDF is replaced" bash -c "umask 022 && '$tool' print '$sample' '$work/again/x.pdf'"
check "by a PDF" grep -qE "^Pages: +[1-9]" <(pdfinfo "$work/again/x.pdf")
check "with the mode of a new file" test "$(stat -c %a "$work/again/x.pdf")" = 644
check "and no temporary file beside it" test "$(ls "$work/again")" = x.pdf
check "unwritable output fails" bash -c "! '$tool' print '$sample' '$work/no/such/x.pdf' 2>/dev/null"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
