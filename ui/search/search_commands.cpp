// Find and replace in the window.
#include "ui/search/search_commands.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeView>
#include <string>
#include <utility>

#include "core/outline.h"
#include "search/find_history.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/wait_cursor.h"
#include "ui/common/window_context.h"
#include "ui/search/tform_find.h"

namespace pw {
namespace {

using search::FindPane;

constexpr char kNotFoundText[] = "検索文字列が見つかりません。\r\n検索を終了します。";
constexpr char kNotFoundCaption[] = "検索終了";
constexpr char kReplacedText[] = "個の置換が終了しました。";
constexpr char kReplacedCaption[] = "置換終了";
constexpr char kHalfLineBreakText[] = "改行は\\r\\nです";
constexpr char kUnmappableReplacement[] =
    "置換文字列にShift-JISで表せない文字があります。\r\n置換できません。";

// The text of the body pane's selection up to its first line break.
QString SelectedLine(QTextEdit* body) {
  QString text = body->textCursor().selectedText();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n') ||
        c == QLatin1Char('\r')) {
      text.truncate(i);
      break;
    }
  }
  return text;
}

void CenterOnScreen(QWidget* dialog) {
  dialog->adjustSize();
  QScreen* screen =
      dialog->screen() != nullptr ? dialog->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
}

}  // namespace

SearchCommands::SearchCommands(WindowContext& window) : window_(window), panes_(window) {
  // Made once at start-up: their controls keep their state for the whole run.
  form_find_ = new TFormFind(window.dialog_parent());
  form_replace_ = new TFormReplace(window.dialog_parent());
  form_find_->on_find = [this] { ButtonFindClick(); };
  form_replace_->on_find = [this] { ReplaceButtonFindClick(); };
  form_replace_->on_find_next = [this] { ButtonFindNextClick(); };
  form_replace_->on_replace_next = [this] { ButtonNextClick(); };
  form_replace_->on_replace_all = [this] { ButtonAllClick(); };
  form_replace_->on_hidden = [this] { HoldRepaint(false); };
}

SearchCommands::~SearchCommands() {
  delete form_find_;
  delete form_replace_;
}

void SearchCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuTextFind", this, &SearchCommands::MenuTextFindClick);
  actions.Bind("MenuTextFindNext", this, &SearchCommands::MenuTextFindNextClick);
  actions.Bind("MenuTextReplace", this, &SearchCommands::MenuTextReplaceClick);
  SetFindNext(false);
}

void SearchCommands::SetFindNext(bool enabled) {
  find_next_ = enabled;
  window_.action_registry().SetEnabled(QStringLiteral("MenuTextFindNext"), enabled);
}

void SearchCommands::HoldRepaint(bool hold) {
  const WindowControls& ui = window_.controls();
  ui.MemoTitle->setUpdatesEnabled(!hold);
  ui.RichEditMain->setUpdatesEnabled(!hold);
  ui.TreeViewMain->setUpdatesEnabled(!hold);
}

void SearchCommands::ShowDialog(TFormFindBase* form) {
  const WindowControls& ui = window_.controls();
  QWidget* active = window_.dialog_parent()->focusWidget();
  if (active == ui.TreeViewMain || (active != nullptr && ui.TreeViewMain->isAncestorOf(active))) {
    panes_.Select(FindPane::kTitle, 0, 0);
  }
  form->session().search_position = 0;
  CenterOnScreen(form);
  form->ComboBoxFind->setFocus();
  form->ComboBoxFind->lineEdit()->selectAll();
}

void SearchCommands::PrepareFind() {
  form_find_->ComboBoxFind->setEditText(SelectedLine(window_.controls().RichEditMain));
  TFormFindBase::FillHistory(form_find_->ComboBoxFind, window_.settings().FindFind);
  ShowDialog(form_find_);
}

void SearchCommands::PrepareReplace() {
  form_replace_->ComboBoxFind->setEditText(SelectedLine(window_.controls().RichEditMain));
  TFormFindBase::FillHistory(form_replace_->ComboBoxFind, window_.settings().ReplaceFind);
  TFormFindBase::FillHistory(form_replace_->ComboBoxReplace, window_.settings().ReplaceReplace);
  form_replace_->ShowBeforeSearch();
  ShowDialog(form_replace_);
}

void SearchCommands::MenuTextFindClick() {
  PrepareFind();
  form_find_->exec();
}

void SearchCommands::MenuTextReplaceClick() {
  PrepareReplace();
  form_replace_->exec();
}

void SearchCommands::MenuTextFindNextClick() {
  window_.SetBarsEnabled(false);
  const SearchResult result = OneSearch(form_find_);
  window_.SetBarsEnabled(true);
  if (result == SearchResult::kNotFound) SetFindNext(false);
}

bool SearchCommands::Prepare(TFormFindBase* form, bool* nothing) {
  bool unmappable = false;
  const std::string pattern = form->SearchBytes(&unmappable);
  // A character without a Shift-JIS form is in no title and no body.
  *nothing = unmappable;
  if (auto error = form->session().Prepare(pattern, form->Options())) {
    window_.dialogs().Message(MessageParent(form), U8("Plotweave"), U8(error->message.c_str()),
                              DialogIcon::kError);
    return false;
  }
  return true;
}

QWidget* SearchCommands::MessageParent(TFormFindBase* form) {
  // Over the dialog while it shows: it stays on top, and would hide a box of the window's.
  return form != nullptr && form->isVisible() ? static_cast<QWidget*>(form)
                                              : window_.dialog_parent();
}

void SearchCommands::ShowNotFound(TFormFindBase* form) {
  window_.dialogs().Message(MessageParent(form), U8(kNotFoundCaption), U8(kNotFoundText),
                            DialogIcon::kInformation);
}

SearchCommands::SearchResult SearchCommands::OneSearch(TFormFindBase* form) {
  // A malformed pattern ends the search before any pane is searched or held.
  bool nothing = false;
  if (!Prepare(form, &nothing)) return SearchResult::kError;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  HoldRepaint(true);
  Node* remembered = window_.current_node();
  const bool found = !nothing && form->session().Walk(panes_);
  if (!found) {
    if (remembered != nullptr && window_.current_node() != remembered) {
      window_.SelectNode(remembered);
    }
    HoldRepaint(false);
    QApplication::restoreOverrideCursor();
    ShowNotFound(form);
    form->reject();
    if (form == form_find_) SetFindNext(false);
    return SearchResult::kNotFound;
  }
  HoldRepaint(false);
  QApplication::restoreOverrideCursor();
  return SearchResult::kFound;
}

void SearchCommands::StartAtFirstNode() {
  if (window_.outline().empty()) return;
  panes_.SelectNode(window_.outline().NodeAt(0));
  panes_.Select(FindPane::kBody, 0, 0);
  panes_.Select(FindPane::kTitle, 0, 0);
}

void SearchCommands::ButtonFindClick() {
  TFormFind* form = form_find_;
  if (form->SearchText().isEmpty()) return;
  bool unmappable = false;
  const std::string text = form->SearchBytes(&unmappable);
  form->setEnabled(false);
  search::AddToHistory(&window_.settings().FindFind, text, false);
  TFormFindBase::FillHistory(form->ComboBoxFind, window_.settings().FindFind);
  if (form->FromFirstNode()) StartAtFirstNode();
  const SearchResult result = OneSearch(form);
  form->setEnabled(true);
  if (result == SearchResult::kError) return;
  SetFindNext(true);
  form->accept();
}

void SearchCommands::ReplaceButtonFindClick() {
  TFormReplace* form = form_replace_;
  if (form->SearchText().isEmpty()) return;
  bool unmappable = false;
  const std::string text = form->SearchBytes(&unmappable);
  if (search::HasHalfALineBreak(text)) {
    window_.dialogs().Message(form, U8("Plotweave"), U8(kHalfLineBreakText));
    return;
  }
  form->setEnabled(false);
  search::AddToHistory(&window_.settings().ReplaceFind, text, false);
  TFormFindBase::FillHistory(form->ComboBoxFind, window_.settings().ReplaceFind);
  if (form->FromFirstNode()) StartAtFirstNode();
  const SearchResult result = OneSearch(form);
  form->setEnabled(true);
  if (result == SearchResult::kFound) form->ShowAfterSearch();
}

void SearchCommands::ButtonFindNextClick() {
  TFormReplace* form = form_replace_;
  if (form->SearchText().isEmpty()) return;
  bool unmappable = false;
  const std::string text = form->SearchBytes(&unmappable);
  search::AddToHistory(&window_.settings().ReplaceFind, text, true);
  TFormFindBase::FillHistory(form->ComboBoxFind, window_.settings().ReplaceFind);
  form->setEnabled(false);
  OneSearch(form);
  form->setEnabled(true);
}

bool SearchCommands::TakeReplacement(std::string* templ) {
  TFormReplace* form = form_replace_;
  Cp932Text text = ToCp932(form->ReplaceText());
  if (text.unmappable > 0) {
    window_.dialogs().Message(form, U8("Plotweave"), U8(kUnmappableReplacement),
                              DialogIcon::kWarning);
    return false;
  }
  search::AddToHistory(&window_.settings().ReplaceReplace, text.bytes, false);
  TFormFindBase::FillHistory(form->ComboBoxReplace, window_.settings().ReplaceReplace);
  *templ = std::move(text.bytes);
  return true;
}

void SearchCommands::ButtonNextClick() {
  TFormReplace* form = form_replace_;
  std::string templ;
  if (!TakeReplacement(&templ)) return;
  form->setEnabled(false);
  bool nothing = false;
  if (Prepare(form, &nothing)) {
    form->session().ReplaceInPane(panes_, templ);
    OneSearch(form);
  }
  form->setEnabled(true);
}

void SearchCommands::ButtonAllClick() {
  TFormReplace* form = form_replace_;
  std::string templ;
  if (!TakeReplacement(&templ)) return;
  form->setEnabled(false);
  bool nothing = false;
  if (!Prepare(form, &nothing)) {
    form->setEnabled(true);
    return;
  }
  HoldRepaint(true);
  size_t count = 0;
  {
    WaitCursor wait;
    count = form->session().ReplaceAll(panes_, templ);
  }
  form->setEnabled(true);
  window_.dialogs().Message(MessageParent(form), U8(kReplacedCaption),
                            QString::number(count) + U8(kReplacedText), DialogIcon::kInformation);
  HoldRepaint(false);
  form->reject();
}

}  // namespace pw
