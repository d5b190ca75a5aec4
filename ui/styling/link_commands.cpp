// Links in the body pane (making one, the hand cursor over one, following one with a double
// click) and reading a file into the body.
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

#include "core/cp932.h"
#include "richtext/plain_text.h"
#include "settings/settings.h"
#include "styling/link_finder.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/common/window_context.h"
#include "ui/common/window_controls.h"
#include "ui/document/document_commands.h"
#include "ui/document/node_panes.h"
#include "ui/styling/styling_commands.h"

namespace pw {
namespace {

constexpr char kLinkFailedCaption[] = "実行できません";
constexpr char kLinkFailed[] = "そのﾘﾝｸを実行する事が出来ませんでした。";
constexpr char kImportTitle[] = "ﾌｧｲﾙから取り込み";
constexpr char kImportFilter[] =
    "ﾃｷｽﾄﾌｧｲﾙ (*.TXT *.txt);;RTFﾌｧｲﾙ (*.RTF *.rtf);;すべてのﾌｧｲﾙ (*)";
constexpr char kImportQuestion[] =
    "現在のノードの内容を上書きしてファイルを読み込みます\r\nよろしいですか？";
// A body is text to read and edit; a file larger than this is not one.
constexpr qint64 kMaxImportBytes = qint64{64} << 20;

}  // namespace

void StylingCommands::MenuTextLinkClick() {
  QTextCursor cursor = ui_.RichEditMain->textCursor();
  if (!cursor.hasSelection()) return;
  const Settings& settings = window_.settings();
  const int begin = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  // The markers go around the selection, which keeps its own formatting.
  cursor.beginEditBlock();
  cursor.setPosition(end);
  cursor.insertText(FromCp932(settings.LinkRight));
  const int after = cursor.position();
  cursor.setPosition(begin);
  cursor.insertText(FromCp932(settings.LinkLeft));
  cursor.endEditBlock();
  cursor.setPosition(after + static_cast<int>(FromCp932(settings.LinkLeft).size()));
  ui_.RichEditMain->setTextCursor(cursor);
}

std::optional<std::string> StylingCommands::LinkAt(const QPoint& viewport_pos) {
  QTextEdit* body = ui_.RichEditMain;
  const QTextDocument* document = body->document();
  if (link_document_ != document || document->revision() != link_revision_) {
    // The body's text as the finder reads it, and where each position's character starts.
    link_document_ = document;
    link_revision_ = document->revision();
    link_text_.clear();
    link_offsets_.assign(static_cast<size_t>(document->characterCount()) + 1, 0);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
      const QString text = block.text();
      const size_t base = static_cast<size_t>(block.position());
      for (qsizetype i = 0; i < text.size(); ++i) {
        link_offsets_[base + static_cast<size_t>(i)] = static_cast<uint32_t>(link_text_.size());
        char32_t ch = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
          ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
          link_offsets_[base + static_cast<size_t>(i) + 1] =
              static_cast<uint32_t>(link_text_.size());
          ++i;
        }
        if (ch == QChar::LineSeparator) {
          link_text_ += "\r\n";
        } else if (!EncodeCp932Char(ch, &link_text_)) {
          link_text_ += '?';
        }
      }
      const size_t separator = base + static_cast<size_t>(text.size());
      if (separator < link_offsets_.size()) {
        link_offsets_[separator] = static_cast<uint32_t>(link_text_.size());
      }
      if (block.next().isValid()) link_text_ += "\r\n";
    }
  }
  // The character under the pointer: the caret position nearest to it, or the one before when
  // the pointer lies left of that caret.
  const QTextCursor at = body->cursorForPosition(viewport_pos);
  int position = at.position();
  if (position > 0 && viewport_pos.x() < body->cursorRect(at).left()) --position;
  if (position < 0 || static_cast<size_t>(position) >= link_offsets_.size()) return std::nullopt;
  const Settings& settings = window_.settings();
  return styling::FindLink(link_text_, link_offsets_[static_cast<size_t>(position)] + 1,
                           settings.LinkLeft, settings.LinkRight);
}

void StylingCommands::FollowLink(const std::string& target) {
  const std::string name = styling::TrimLinkTarget(target);
  if (name.empty()) return;
  Outline& outline = window_.outline();
  for (Node* node = outline.NodeAt(0); node != nullptr; node = outline.NextInPreorder(node)) {
    if (node->title() == name) {
      window_.SelectNode(node);
      return;
    }
  }
  // Not a title: a file (beside the document when the path is relative) or an address.
  const QString text = FromCp932(name);
  QUrl url;
  const QFileInfo document(window_.document().document_name());
  const QFileInfo file(QDir(document.absolutePath()), text);
  if (file.exists()) {
    url = QUrl::fromLocalFile(file.absoluteFilePath());
  } else {
    const QUrl address(text, QUrl::StrictMode);
    // A one-letter scheme is a drive letter of another system, not an address.
    if (address.isValid() && address.scheme().size() > 1) {
      url = address;
    } else if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
      url = QUrl(QStringLiteral("http://") + text, QUrl::StrictMode);
    }
  }
  if (url.isValid() && !url.isEmpty() && QDesktopServices::openUrl(url)) return;
  window_.dialogs().Message(window_.dialog_parent(), U8(kLinkFailedCaption), U8(kLinkFailed),
                            DialogIcon::kError);
}

bool StylingCommands::eventFilter(QObject* watched, QEvent* event) {
  if (ui_.RichEditMain == nullptr || watched != ui_.RichEditMain->viewport()) return false;
  if (event->type() == QEvent::MouseMove) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->buttons() == Qt::NoButton) {
      const bool on_link = LinkAt(mouse->position().toPoint()).has_value();
      ui_.RichEditMain->viewport()->setCursor(on_link ? Qt::PointingHandCursor : Qt::IBeamCursor);
    }
  } else if (event->type() == QEvent::MouseButtonDblClick) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    const std::optional<std::string> target = LinkAt(mouse->position().toPoint());
    if (!target || styling::TrimLinkTarget(*target).empty()) return false;
    FollowLink(*target);
    return true;
  }
  return false;
}

void StylingCommands::MenuTextImportClick() {
  FileDialogRequest request;
  request.title = U8(kImportTitle);
  request.filter = U8(kImportFilter);
  request.proposed = window_.document().DefaultFolder();
  request.must_exist = true;
  const std::optional<QString> chosen =
      window_.dialogs().OpenFileName(window_.dialog_parent(), request);
  if (!chosen) return;
  if (window_.dialogs().Ask(window_.dialog_parent(), U8(kImportTitle), U8(kImportQuestion),
                            DialogButtons::kYesNo, DialogIcon::kWarning) != DialogAnswer::kYes) {
    return;
  }
  QFile file(*chosen);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxImportBytes) {
    window_.ShowMessage(kReadFailedMessage);
    return;
  }
  const QByteArray bytes = file.readAll();
  const std::string_view content(bytes.constData(), static_cast<size_t>(bytes.size()));
  QTextDocument* document = ui_.RichEditMain->document();
  const rich::CharFormat typing = FromQtFormat(ui_.RichEditMain->currentCharFormat());
  window_.panes().ClearBodyPane();
  document->setUndoRedoEnabled(false);
  if (rich::IsRtf(content)) {
    LoadBodyIntoDocument(content, document);
  } else {
    RichToQt(rich::PlainTextToDocument(content, typing), document);
  }
  document->setUndoRedoEnabled(true);
  // The body now differs from the node: it reaches the node as any edit does.
  document->setModified(true);
  ui_.RichEditMain->moveCursor(QTextCursor::Start);
}

}  // namespace pw
