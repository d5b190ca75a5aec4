// The body pane's bridge between stored bodies and QTextDocument: a RichDocument (read from
// RTF or plain text) becomes blocks and fragments with their formats, and back.
#ifndef PLOTWEAVE_UI_COMMON_RICH_TEXT_ADAPTER_H_
#define PLOTWEAVE_UI_COMMON_RICH_TEXT_ADAPTER_H_

#include <QTextCharFormat>
#include <string>
#include <string_view>

#include "richtext/rich_document.h"

class QTextDocument;

namespace pw {

// Replaces the content of `document` by `rich`. Text without a font of its own comes back
// in the document's default font.
void RichToQt(const rich::RichDocument& rich, QTextDocument* document);
rich::RichDocument QtToRich(const QTextDocument& document);

// A stored body (RTF up to its first NUL, or plain CP932 text) into the pane's document.
void LoadBodyIntoDocument(std::string_view body, QTextDocument* document);
// The RTF bytes a node stores for the pane's document.
std::string DocumentToRtf(const QTextDocument& document);

// Character formats both ways (exposed for the font bar and tests).
QTextCharFormat ToQtFormat(const rich::CharFormat& format);
rich::CharFormat FromQtFormat(const QTextCharFormat& format);

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_RICH_TEXT_ADAPTER_H_
