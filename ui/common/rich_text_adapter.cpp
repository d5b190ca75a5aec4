// RichDocument <-> QTextDocument. Indents and tab stops are points in the rich document and
// pixels in Qt (1 point = 4/3 pixel); bullets become a disc list; line breaks inside a
// paragraph are Qt's line separator.
#include "ui/common/rich_text_adapter.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cmath>
#include <utility>
#include <vector>

#include "richtext/body_text.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

constexpr double kPixelsPerPoint = 4.0 / 3.0;

QColor ColorFromRef(uint32_t color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

uint32_t RefFromColor(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
         (static_cast<uint32_t>(color.blue()) << 16);
}

QString RunText(const std::string& utf8) {
  QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  text.replace(QChar(rich::kLineBreak), QChar(QChar::LineSeparator));
  return text;
}

QTextBlockFormat ToQtBlockFormat(const rich::ParagraphFormat& format) {
  QTextBlockFormat block;
  switch (format.alignment) {
    case rich::Alignment::kLeft:
      block.setAlignment(Qt::AlignLeft);
      break;
    case rich::Alignment::kCenter:
      block.setAlignment(Qt::AlignHCenter);
      break;
    case rich::Alignment::kRight:
      block.setAlignment(Qt::AlignRight);
      break;
    case rich::Alignment::kJustify:
      block.setAlignment(Qt::AlignJustify);
      break;
  }
  block.setLeftMargin(format.left_indent * kPixelsPerPoint);
  block.setTextIndent(format.first_indent * kPixelsPerPoint);
  block.setRightMargin(format.right_indent * kPixelsPerPoint);
  QList<QTextOption::Tab> tabs;
  for (double stop : format.tab_stops)
    tabs.append(QTextOption::Tab(stop * kPixelsPerPoint, QTextOption::LeftTab));
  block.setTabPositions(tabs);
  return block;
}

// A body uses few distinct formats over many runs and paragraphs. Each is converted once, and
// Qt is handed the same format object every time, which keeps its hash and its lookup in the
// document's format table cheap. Past a few dozen formats it just converts.
template <typename RichFormat, typename QtFormat, QtFormat (*Convert)(const RichFormat&)>
class FormatCache {
 public:
  const QtFormat& Get(const RichFormat& format) {
    for (const auto& [rich, qt] : entries_) {
      if (rich == format) return qt;
    }
    if (entries_.size() < kMaxEntries) return entries_.emplace_back(format, Convert(format)).second;
    spare_ = Convert(format);
    return spare_;
  }

 private:
  static constexpr size_t kMaxEntries = 32;
  std::vector<std::pair<RichFormat, QtFormat>> entries_;
  QtFormat spare_;
};

// Points, rounded to the half points RTF can hold, so pixel round trips stay exact.
double ToPoints(double pixels) { return std::round(pixels / kPixelsPerPoint * 2.0) / 2.0; }

rich::ParagraphFormat FromQtBlock(const QTextBlock& block) {
  const QTextBlockFormat format = block.blockFormat();
  rich::ParagraphFormat paragraph;
  const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
  if (align & Qt::AlignHCenter) {
    paragraph.alignment = rich::Alignment::kCenter;
  } else if (align & (Qt::AlignRight | Qt::AlignTrailing)) {
    paragraph.alignment = rich::Alignment::kRight;
  } else if (align & Qt::AlignJustify) {
    paragraph.alignment = rich::Alignment::kJustify;
  }
  paragraph.left_indent = ToPoints(format.leftMargin());
  paragraph.first_indent = ToPoints(format.textIndent());
  paragraph.right_indent = ToPoints(format.rightMargin());
  for (const QTextOption::Tab& tab : format.tabPositions()) {
    paragraph.tab_stops.push_back(ToPoints(tab.position));
  }
  paragraph.bullet = block.textList() != nullptr;
  return paragraph;
}

}  // namespace

QTextCharFormat ToQtFormat(const rich::CharFormat& format) {
  QTextCharFormat qt;
  if (!format.face.empty()) qt.setFontFamilies({QString::fromUtf8(format.face.c_str())});
  qt.setFontPointSize(format.size);
  qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  qt.setFontItalic(format.italic);
  qt.setFontUnderline(format.underline);
  qt.setFontStrikeOut(format.strike_out);
  if (!rich::IsSystemColor(format.color)) qt.setForeground(ColorFromRef(format.color));
  return qt;
}

rich::CharFormat FromQtFormat(const QTextCharFormat& format) {
  rich::CharFormat rich;
  const QFont font = format.font();
  const QStringList families = format.fontFamilies().toStringList();
  const QString family = families.isEmpty() ? font.family() : families.front();
  rich.face = family.toStdString();
  rich.size = format.fontPointSize() > 0 ? std::round(format.fontPointSize() * 2.0) / 2.0
                                         : (font.pointSizeF() > 0 ? font.pointSizeF() : 9);
  rich.bold = font.weight() >= QFont::DemiBold;
  rich.italic = font.italic();
  rich.underline = font.underline();
  rich.strike_out = font.strikeOut();
  if (format.hasProperty(QTextFormat::ForegroundBrush) &&
      format.foreground().style() != Qt::NoBrush) {
    rich.color = RefFromColor(format.foreground().color());
  } else {
    rich.color = rich::kWindowTextColor;
  }
  return rich;
}

// The formats a writer has converted, kept for the whole document.
struct QtDocumentWriter::Formats {
  FormatCache<rich::ParagraphFormat, QTextBlockFormat, ToQtBlockFormat> blocks;
  FormatCache<rich::CharFormat, QTextCharFormat, ToQtFormat> chars;
};

QtDocumentWriter::QtDocumentWriter(QTextDocument* document)
    : document_(document), cursor_(nullptr), formats_(std::make_unique<Formats>()) {
  document_->clear();
  cursor_ = new QTextCursor(document_);
}

QtDocumentWriter::~QtDocumentWriter() {
  Flush();
  delete cursor_;
}

void QtDocumentWriter::Append(const rich::Paragraph& paragraph) {
  if (!editing_) {
    cursor_->beginEditBlock();
    editing_ = true;
  }
  // A paragraph like the one before, starting in the format its text ends in, goes on in the
  // same insertion: the paragraph separator gives the new block the current block format and
  // that character format, just as inserting a block would.
  const bool same_block = !first_ && !paragraph.format.bullet && !previous_bullet_ &&
                          paragraph.format == previous_format_ && !pending_.isEmpty() &&
                          !paragraph.runs.empty() && has_format_ &&
                          paragraph.runs.front().format == format_;
  if (same_block) {
    pending_ += QChar(QChar::ParagraphSeparator);
  } else {
    if (!pending_.isEmpty()) {
      cursor_->insertText(pending_, qt_format_);
      pending_.clear();
    }
    const QTextBlockFormat& block = formats_->blocks.Get(paragraph.format);
    const QTextCharFormat block_chars = paragraph.runs.empty()
                                            ? QTextCharFormat()
                                            : formats_->chars.Get(paragraph.runs.front().format);
    if (first_) {
      cursor_->setBlockFormat(block);
      cursor_->setBlockCharFormat(block_chars);
      first_ = false;
    } else {
      cursor_->insertBlock(block, block_chars);
    }
    if (paragraph.format.bullet) {
      if (list_ != nullptr) {
        list_->add(cursor_->block());
      } else {
        QTextListFormat list_format;
        list_format.setStyle(QTextListFormat::ListDisc);
        list_format.setIndent(0);
        list_ = cursor_->createList(list_format);
      }
    } else {
      list_ = nullptr;
    }
  }
  for (const rich::Run& run : paragraph.runs) {
    if (!has_format_ || !(run.format == format_)) {
      if (!pending_.isEmpty()) {
        cursor_->insertText(pending_, qt_format_);
        pending_.clear();
      }
      format_ = run.format;
      qt_format_ = formats_->chars.Get(run.format);
      has_format_ = true;
    }
    pending_ += RunText(run.text);
  }
  previous_format_ = paragraph.format;
  previous_bullet_ = paragraph.format.bullet;
}

void QtDocumentWriter::Flush() {
  if (!pending_.isEmpty()) {
    cursor_->insertText(pending_, qt_format_);
    pending_.clear();
  }
  if (editing_) {
    cursor_->endEditBlock();
    editing_ = false;
  }
}

void RichToQt(const rich::RichDocument& rich_document, QTextDocument* document) {
  QtDocumentWriter writer(document);
  for (const rich::Paragraph& paragraph : rich_document.paragraphs) writer.Append(paragraph);
  writer.Flush();
}

rich::RichDocument QtToRich(const QTextDocument& document) {
  rich::RichDocument rich_document;
  rich_document.paragraphs.clear();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    rich::Paragraph paragraph;
    paragraph.format = FromQtBlock(block);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      QString text = fragment.text();
      text.replace(QChar(QChar::LineSeparator), QChar(rich::kLineBreak));
      text.remove(QChar(QChar::ObjectReplacementCharacter));
      if (text.isEmpty()) continue;
      QTextCharFormat format = fragment.charFormat();
      // Text typed into an empty pane carries no font: it shows in the pane's default font.
      if (!format.hasProperty(QTextFormat::FontFamilies)) {
        format.setFontFamilies({document.defaultFont().family()});
      }
      if (!format.hasProperty(QTextFormat::FontPointSize)) {
        format.setFontPointSize(document.defaultFont().pointSizeF());
      }
      paragraph.runs.push_back({text.toStdString(), FromQtFormat(format)});
    }
    rich_document.paragraphs.push_back(std::move(paragraph));
  }
  if (rich_document.paragraphs.empty()) rich_document.paragraphs.emplace_back();
  rich_document.Normalize();
  return rich_document;
}

void LoadBodyIntoDocument(std::string_view body, QTextDocument* document) {
  RichToQt(rich::BodyToDocument(body), document);
}

std::string DocumentToRtf(const QTextDocument& document) {
  return rich::WriteRtf(QtToRich(document));
}

}  // namespace pw
