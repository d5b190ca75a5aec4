// Replacing text in a stored body without the pane: the RTF bytes that give the replaced text
// are spliced out and the new text spliced in, encoded as the RTF writer would encode it in
// the font in effect there, so the new text takes the formatting of the text it replaces and
// every other byte of the body stays as it was.
#ifndef PLOTWEAVE_RICHTEXT_BODY_EDIT_H_
#define PLOTWEAVE_RICHTEXT_BODY_EDIT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/rich_document.h"

namespace pw::rich {

// Bytes [begin, end) of the body's plain text (BodyPlainText) become `text`, which must be in
// the pane's form (PlainTextPaneForm: CR LF line breaks, whole characters).
struct TextEdit {
  size_t begin = 0;
  size_t end = 0;
  std::string text;
};

// The body with the edits made; they must be in order and must not overlap. Afterwards
// BodyPlainText of the result is the old plain text with the edits made. An RTF body keeps
// every byte outside the replaced text; a plain-text body stays plain text; an empty or absent
// body becomes RTF in the default body format.
// `spliced`, when given, tells whether the bytes were spliced (false: written again whole).
std::string EditBody(std::string_view body, const std::vector<TextEdit>& edits,
                     bool* spliced = nullptr);

// The same edit on a document: the text between two offsets of its plain text (as
// Utf8ToPlainCp932(DocumentText) gives it) becomes `text` (pane form), in the format of the
// first character replaced, or for an insertion of the character before it (the one after it
// at the start of a paragraph). Offsets inside a character or a line break move to its end.
void EditDocumentText(RichDocument* document, size_t begin, size_t end, std::string_view text);

// The plain text with the edits made.
std::string ApplyTextEdits(std::string_view text, const std::vector<TextEdit>& edits);

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_BODY_EDIT_H_
