// The font bar and the font command: each sets one part of the body selection's character or
// paragraph format; the idle update shows the selection's format in the bar.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/common/window_context.h"
#include "ui/common/window_controls.h"
#include "ui/styling/char_format_qt.h"
#include "ui/styling/styling_commands.h"
#include "ui/styling/tform_font_style.h"

namespace pw {
namespace {

// The parts of the selection's format that all of it shares.
struct SharedFormat {
  QString family;  // empty when mixed
  double size = 0;  // 0 when mixed
  bool bold = true, italic = true, underline = true, strike_out = true;
};

// A size-box text sets the size only when it is digits "0"-"9" alone, and a size a font can
// have.
std::optional<int> SizeFromText(const QString& text) {
  if (text.isEmpty() || text.size() > 4) return std::nullopt;
  int size = 0;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    size = size * 10 + (c.unicode() - '0');
  }
  if (size < 1 || size > styling::kMaxFontSize) return std::nullopt;
  return size;
}

}  // namespace

rich::CharFormat StylingCommands::SelectionFormat() const {
  QTextEdit* body = ui_.RichEditMain;
  const QTextCursor cursor = body->textCursor();
  QTextCharFormat format = body->currentCharFormat();
  if (cursor.hasSelection()) {
    QTextCursor start(body->document());
    start.setPosition(cursor.selectionStart());
    start.movePosition(QTextCursor::NextCharacter);
    format = start.charFormat();
  }
  if (!format.hasProperty(QTextFormat::FontFamilies)) {
    format.setFontFamilies({body->document()->defaultFont().family()});
  }
  if (!format.hasProperty(QTextFormat::FontPointSize)) {
    format.setFontPointSize(body->document()->defaultFont().pointSizeF());
  }
  return FromQtFormat(format);
}

void StylingCommands::MergeIntoSelection(const QTextCharFormat& format) {
  // Without a selection this becomes the format of what is typed next.
  ui_.RichEditMain->mergeCurrentCharFormat(format);
}

void StylingCommands::MenuTextFontClick() {
  if (std::optional<rich::CharFormat> chosen =
          ChooseCharFormat(&window_.dialogs(), window_.dialog_parent(), SelectionFormat())) {
    MergeIntoSelection(FullQtCharFormat(*chosen));
  }
}

void StylingCommands::FontBarNameChange(const QString& family) {
  if (family.isEmpty()) return;
  QTextCharFormat format;
  format.setFontFamilies({family});
  MergeIntoSelection(format);
}

void StylingCommands::FontBarSizeChange(const QString& text) {
  const std::optional<int> size = SizeFromText(text);
  if (!size) return;
  QTextCharFormat format;
  format.setFontPointSize(*size);
  MergeIntoSelection(format);
}

void StylingCommands::FontBarStyleClick(int bit, bool on) {
  QTextCharFormat format;
  switch (bit) {
    case styling::kStyleBold:
      format.setFontWeight(on ? QFont::Bold : QFont::Normal);
      break;
    case styling::kStyleItalic:
      format.setFontItalic(on);
      break;
    case styling::kStyleUnderline:
      format.setFontUnderline(on);
      break;
    case styling::kStyleStrikeOut:
      format.setFontStrikeOut(on);
      break;
    default:
      return;
  }
  MergeIntoSelection(format);
}

void StylingCommands::FontBarColorClick() {
  const rich::CharFormat current = SelectionFormat();
  QColor initial = QtColorFromRef(current.color);
  if (!initial.isValid()) initial = ui_.RichEditMain->palette().color(QPalette::Text);
  if (std::optional<QColor> color = window_.dialogs().ChooseColor(window_.dialog_parent(), initial)) {
    QTextCharFormat format;
    format.setForeground(*color);
    MergeIntoSelection(format);
  }
}

void StylingCommands::FontBarAlignClick(Qt::Alignment alignment) {
  ui_.RichEditMain->setAlignment(alignment);
}

void StylingCommands::FontBarBulletClick(bool on) {
  QTextCursor cursor = ui_.RichEditMain->textCursor();
  cursor.beginEditBlock();
  if (on) {
    if (cursor.currentList() == nullptr) {
      QTextListFormat list;
      list.setStyle(QTextListFormat::ListDisc);
      list.setIndent(0);
      cursor.createList(list);
    }
  } else {
    // Every paragraph of the selection leaves its list.
    QTextDocument* document = ui_.RichEditMain->document();
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
      if (QTextList* list = block.textList()) list->remove(block);
      QTextCursor at(block);
      QTextBlockFormat format = block.blockFormat();
      format.setIndent(0);
      at.setBlockFormat(format);
      if (block == last) break;
    }
  }
  cursor.endEditBlock();
}

void StylingCommands::UpdateFontBar() {
  QTextEdit* body = ui_.RichEditMain;
  if (updating_bar_ || body == nullptr) return;
  const bool body_active = QApplication::focusWidget() == body;
  window_.action_registry().SetEnabled("ToolTextStyle", body_active && !styles_.empty());
  if (!body_active) {
    bar_state_ = {};
    return;
  }
  const QTextCursor cursor = body->textCursor();
  // The walk over a large selection runs once per change, not on every idle turn.
  const BarState state{body->document()->revision(), cursor.selectionStart(),
                       cursor.selectionEnd(), cursor.position()};
  if (state == bar_state_ && bar_document_ == body->document()) return;
  bar_state_ = state;
  bar_document_ = body->document();
  updating_bar_ = true;
  SharedFormat shared;
  const rich::CharFormat first = SelectionFormat();
  shared.family = QString::fromStdString(first.face);
  shared.size = first.size;
  shared.bold = first.bold;
  shared.italic = first.italic;
  shared.underline = first.underline;
  shared.strike_out = first.strike_out;
  if (cursor.hasSelection()) {
    // A mixed selection shows no face or size, and a style button is down only when all of
    // the selection has that style.
    const int begin = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QTextDocument* document = body->document();
    for (QTextBlock block = document->findBlock(begin); block.isValid() && block.position() < end;
         block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid() || fragment.position() + fragment.length() <= begin) continue;
        if (fragment.position() >= end) break;
        const QTextCharFormat f = fragment.charFormat();
        const QFont font = f.font();
        const QStringList families = f.fontFamilies().toStringList();
        const QString family =
            families.isEmpty() ? document->defaultFont().family() : families.front();
        const double size =
            f.fontPointSize() > 0 ? f.fontPointSize() : document->defaultFont().pointSizeF();
        if (family != shared.family) shared.family.clear();
        if (size != shared.size) shared.size = 0;
        shared.bold = shared.bold && font.weight() >= QFont::DemiBold;
        shared.italic = shared.italic && font.italic();
        shared.underline = shared.underline && font.underline();
        shared.strike_out = shared.strike_out && font.strikeOut();
      }
    }
  }
  if (ui_.FontBarName->currentText() != shared.family) ui_.FontBarName->setEditText(shared.family);
  const QString size = shared.size > 0 ? QString::number(shared.size) : QString();
  if (ui_.FontBarSize->currentText() != size) ui_.FontBarSize->setEditText(size);
  ActionRegistry& actions = window_.action_registry();
  actions.Action("FontBarBold")->setChecked(shared.bold);
  actions.Action("FontBarItalic")->setChecked(shared.italic);
  actions.Action("FontBarUnderline")->setChecked(shared.underline);
  actions.Action("FontBarStrikeOut")->setChecked(shared.strike_out);
  actions.Action("FontBarBullet")->setChecked(cursor.currentList() != nullptr);
  const Qt::Alignment align = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
  const char* button = "FontBarLeft";
  if (align & Qt::AlignHCenter) button = "FontBarCenter";
  if (align & (Qt::AlignRight | Qt::AlignTrailing)) button = "FontBarRight";
  actions.Action(QString::fromLatin1(button))->setChecked(true);
  updating_bar_ = false;
}

}  // namespace pw
