// The body pane's bridge between stored bodies and QTextDocument: a RichDocument (read from
// RTF or plain text) becomes blocks and fragments with their formats, and back.
#ifndef PLOTWEAVE_UI_COMMON_RICH_TEXT_ADAPTER_H_
#define PLOTWEAVE_UI_COMMON_RICH_TEXT_ADAPTER_H_

#include <QString>
#include <QTextCharFormat>
#include <memory>
#include <string>
#include <string_view>

#include "richtext/rich_document.h"

class QTextCursor;
class QTextDocument;
class QTextList;

namespace pw {

// Replaces the content of `document` by `rich`. Text without a font of its own comes back
// in the document's default font.
void RichToQt(const rich::RichDocument& rich, QTextDocument* document);

// The same paragraph by paragraph, for documents too large to convert in one go (the
// document viewer fills itself in pieces). Consecutive paragraphs of one format go into the
// document in one insertion, which is what makes a large document quick.
class QtDocumentWriter {
 public:
  // Clears `document`; it must outlive the writer.
  explicit QtDocumentWriter(QTextDocument* document);
  ~QtDocumentWriter();
  QtDocumentWriter(const QtDocumentWriter&) = delete;
  QtDocumentWriter& operator=(const QtDocumentWriter&) = delete;

  void Append(const rich::Paragraph& paragraph);
  // Puts everything appended so far into the document (each piece is one edit block).
  void Flush();

 private:
  struct Formats;
  QTextDocument* document_;
  QTextCursor* cursor_;
  std::unique_ptr<Formats> formats_;
  QTextList* list_ = nullptr;
  bool first_ = true;
  bool editing_ = false;
  bool previous_bullet_ = false;
  rich::ParagraphFormat previous_format_;
  // Text waiting to be inserted, all in one character format.
  QString pending_;
  bool has_format_ = false;
  rich::CharFormat format_;
  QTextCharFormat qt_format_;
};
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
