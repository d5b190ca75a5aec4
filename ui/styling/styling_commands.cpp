// The text-styling commands: construction and binding, the settings' tab stops, the ruler's
// link with the body pane, and the date command. The font bar, font styles, links and the
// unifications live in their own files.
#include "ui/styling/styling_commands.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <cmath>

#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_context.h"
#include "ui/common/window_controls.h"
#include "ui/styling/body_tabs.h"
#include "ui/styling/tanl_ruler.h"
#include "ui/styling/tform_day.h"
#include "ui/styling/tform_font_style.h"

namespace pw {
namespace {

constexpr double kPixelsPerPoint = 4.0 / 3.0;

// Points of a Qt length in pixels, to the half point RTF keeps (as the body adapter reads it).
double PointsOf(double pixels) { return std::round(pixels / kPixelsPerPoint * 2.0) / 2.0; }

styling::ParagraphIndents IndentsOf(const QTextBlockFormat& format) {
  const double left = PointsOf(format.leftMargin());
  const double first_relative = PointsOf(format.textIndent());
  return {left + first_relative, -first_relative, PointsOf(format.rightMargin())};
}

}  // namespace

StylingCommands::StylingCommands(WindowContext& window)
    : window_(window), ui_(window.controls()) {
  FormFontStyle = new TFormFontStyle(&window_.dialogs(), window_.dialog_parent());
  FormDay = new TFormDay(ProgramFolderFile(styling::kDateFormatFileName), window_.dialog_parent());

  // The ruler as the window sets it up: snapping and ticks every 12 pixels, a number every
  // 48 (8, 16, ...), no margins.
  TanlRuler* r = ruler();
  r->setFixedHeight(25);
  QFont font;
  font.setFamilies({U8("ＭＳ ゴシック")});
  font.setPixelSize(9);
  r->setFont(font);
  r->SetRulerTab(12);
  r->SetMinIndentDist(50);
  r->SetFactor(8);
  r->SetTabDist(12);
  r->SetMarginLeft(0);
  r->SetMarginRight(0);
  r->SetIndents(0, 0, 270);
  r->SetRichedit(ui_.RichEditMain);
  connect(r, &TanlRuler::OnIndentChange, this, &StylingCommands::anlRulerMainIndentChange);
  connect(ui_.RichEditMain, &QTextEdit::cursorPositionChanged, this,
          &StylingCommands::UpdateRuler);

  ui_.RichEditMain->viewport()->installEventFilter(this);
  ui_.RichEditMain->viewport()->setMouseTracking(true);
}

StylingCommands::~StylingCommands() {
  if (ui_.RichEditMain != nullptr) ui_.RichEditMain->viewport()->removeEventFilter(this);
}

TanlRuler* StylingCommands::ruler() const { return ui_.anlRulerMain; }

void StylingCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuTextFont", this, &StylingCommands::MenuTextFontClick);
  actions.Bind("MenuTextLink", this, &StylingCommands::MenuTextLinkClick);
  actions.Bind("MenuTextFontAll", this, &StylingCommands::MenuTextFontAllClick);
  actions.Bind("MenuTextTabAll", this, &StylingCommands::MenuTextTabAllClick);
  actions.Bind("MenuTextStyleSet", this, &StylingCommands::MenuTextStyleSetClick);
  actions.Bind("MenuTextStyleLoad", this, &StylingCommands::MenuTextStyleLoadClick);
  actions.Bind("MenuTextStyleSave", this, &StylingCommands::MenuTextStyleSaveClick);
  actions.Bind("MenuTextStyleEdit", this, &StylingCommands::MenuTextStyleEditClick);
  actions.Bind("MenuTextImport", this, &StylingCommands::MenuTextImportClick);
  actions.Bind("MenuEditDay", this, &StylingCommands::MenuEditDayClick);
  // The style button applies the last style; its drop-down lists them all.
  actions.Bind("ToolTextStyle", this, &StylingCommands::ToolTextStyleClick);

  // The font bar. Only what the user does counts: the idle update sets the same controls.
  connect(ui_.FontBarName, &QComboBox::textActivated, this, [this](const QString& family) {
    FontBarNameChange(family);
    ui_.RichEditMain->setFocus();
  });
  connect(ui_.FontBarSize, &QComboBox::textActivated, this, [this](const QString& text) {
    FontBarSizeChange(text);
    ui_.RichEditMain->setFocus();
  });
  connect(ui_.FontBarSize->lineEdit(), &QLineEdit::textEdited, this,
          &StylingCommands::FontBarSizeChange);
  const struct {
    const char* name;
    int bit;
  } bits[] = {{"FontBarBold", styling::kStyleBold},
              {"FontBarItalic", styling::kStyleItalic},
              {"FontBarUnderline", styling::kStyleUnderline},
              {"FontBarStrikeOut", styling::kStyleStrikeOut}};
  for (const auto& b : bits) {
    const int bit = b.bit;
    connect(actions.Action(QString::fromLatin1(b.name)), &QAction::triggered, this,
            [this, bit](bool on) { FontBarStyleClick(bit, on); });
  }
  actions.Bind("FontBarColor", this, &StylingCommands::FontBarColorClick);
  const struct {
    const char* name;
    Qt::Alignment alignment;
  } aligns[] = {{"FontBarLeft", Qt::AlignLeft},
                {"FontBarCenter", Qt::AlignHCenter},
                {"FontBarRight", Qt::AlignRight}};
  for (const auto& a : aligns) {
    const Qt::Alignment alignment = a.alignment;
    connect(actions.Action(QString::fromLatin1(a.name)), &QAction::triggered, this,
            [this, alignment] { FontBarAlignClick(alignment); });
  }
  connect(actions.Action("FontBarBullet"), &QAction::triggered, this,
          &StylingCommands::FontBarBulletClick);

  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      UpdateFontBar();
      UpdateRuler();
    });
  }
  RebuildStyleMenus();
}

// --- the settings' tab stops ---

void StylingCommands::SetPaneTabStops(const std::vector<double>& stops, int zero_width) {
  const QList<QTextOption::Tab> tabs = QtTabPositions(stops);
  QTextDocument* document = ui_.RichEditMain->document();
  bool changed = false;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().tabPositions() != tabs) {
      changed = true;
      break;
    }
  }
  // Only a body whose stops differ is touched: setting the same stops again would mark an
  // untouched body as edited.
  if (changed) {
    QTextCursor cursor(document);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setTabPositions(tabs);
    cursor.mergeBlockFormat(format);
  }
  if (!tabs.isEmpty()) ui_.RichEditMain->setTabStopDistance(tabs.front().position);
  ruler()->SetShowNumbers(false);
  if (zero_width > 0) ruler()->SetTabDist(zero_width);
}

void StylingCommands::ApplySettings() {
  int zero_width = 0;
  const std::vector<double> stops =
      BodyTabStopPoints(*ui_.RichEditMain, window_.settings().Tab, &zero_width);
  SetPaneTabStops(stops, zero_width);
}

// --- the ruler ---

void StylingCommands::UpdateRuler() {
  TanlRuler* r = ruler();
  if (r == nullptr || r->model().dragging_handle() || r->model().dragging_margin()) return;
  const QTextBlockFormat format = ui_.RichEditMain->textCursor().blockFormat();
  const styling::RulerIndents handles = styling::IndentsToRuler(IndentsOf(format), r->width());
  r->SetIndents(handles.first, handles.left, handles.right);
}

void StylingCommands::anlRulerMainIndentChange(int indent_id) {
  TanlRuler* r = ruler();
  QTextCursor cursor = ui_.RichEditMain->textCursor();
  const styling::ParagraphIndents current = IndentsOf(cursor.blockFormat());
  const styling::ParagraphIndents wanted = styling::RulerToIndents(
      current, {r->IndentFirst(), r->IndentLeft(), r->IndentRight()}, indent_id, r->width());
  if (wanted == current) return;
  // Every paragraph of the selection takes the indents the handle set.
  QTextBlockFormat format;
  if (indent_id == styling::kIndentRight) {
    format.setRightMargin(wanted.right * kPixelsPerPoint);
  } else {
    format.setLeftMargin((wanted.first + wanted.offset) * kPixelsPerPoint);
    format.setTextIndent(-wanted.offset * kPixelsPerPoint);
  }
  cursor.mergeBlockFormat(format);
  UpdateRuler();
}

// --- dates ---

void StylingCommands::MenuEditDayClick() {
  // The pane that had the focus before the dialog took it gets the date.
  QWidget* target = window_.dialog_parent()->focusWidget();
  const std::optional<QString> text = FormDay->Choose();
  if (text) InsertDate(*text, target);
}

void StylingCommands::InsertDate(const QString& text, QWidget* target) {
  if (target == ui_.MemoTitle) {
    QLineEdit* title = ui_.MemoTitle;
    const int start = title->hasSelectedText() ? title->selectionStart() : title->cursorPosition();
    title->setCursorPosition(start);
    title->insert(text);
    title->setFocus();
  } else if (target == ui_.RichEditMain) {
    QTextCursor cursor = ui_.RichEditMain->textCursor();
    cursor.setPosition(cursor.selectionStart());
    cursor.insertText(text);
    ui_.RichEditMain->setTextCursor(cursor);
    ui_.RichEditMain->setFocus();
  }
}

}  // namespace pw
