// What the exporters and the whole-document commands do with a rich document: its lines and
// plain text, taking and inserting ranges (rich append), and whole-document formatting.
#ifndef PLOTWEAVE_RICHTEXT_RICH_OPERATIONS_H_
#define PLOTWEAVE_RICHTEXT_RICH_OPERATIONS_H_

#include <string>
#include <string_view>
#include <vector>

#include "richtext/rich_document.h"

namespace pw::rich {

// One UTF-8 line per paragraph and per line break inside one; a trailing empty line is dropped.
std::vector<std::string> DocumentLines(const RichDocument& document);

// The whole text in UTF-8 with CR LF between paragraphs and at line breaks.
std::string DocumentText(const RichDocument& document);

// The part of a document between two positions (clamped to the document; swapped if reversed).
RichDocument Slice(const RichDocument& document, TextPosition begin, TextPosition end);

// Inserts `source` at `at` as pasting does: the paragraph at `at` is split, its first half
// joins the first pasted paragraph, its second half the last one. Returns the position after
// the inserted text.
TextPosition InsertDocument(RichDocument* target, TextPosition at, const RichDocument& source);

// Reads RTF (or plain CP932 text when it is not RTF) into the document at `at`.
TextPosition InsertRtf(RichDocument* target, TextPosition at, std::string_view rtf);

// Rich append: the whole of `source`, with its formats, at the end of `target`.
void AppendDocument(RichDocument* target, const RichDocument& source);
// The same, taking the paragraphs over instead of copying them (the document builder's case).
void AppendDocument(RichDocument* target, RichDocument&& source);

// Every run takes `format`: all earlier character formatting is replaced (font unification).
void SetCharFormatAll(RichDocument* document, const CharFormat& format);

// Every paragraph gets exactly these tab stops, in points (tab unification).
void SetTabStopsAll(RichDocument* document, const std::vector<double>& tab_stops);

// Every paragraph: left aligned, indents 0, no bullet (tab stops stay).
void ResetParagraphFormats(RichDocument* document);

// Every paragraph gets these first, left and right indents, in points.
void SetIndentsAll(RichDocument* document, double first, double left, double right);

// Ends the last paragraph: a new empty paragraph in the same paragraph format follows it.
void AppendParagraphBreak(RichDocument* document);

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_RICH_OPERATIONS_H_
