// Find and replace: "検索(&F)...", "置換(&R)..." and "次を検索(&S)", the two dialogs made once at
// start-up, the find-next flag, and one search as the dialogs run it (hourglass, the panes
// held from repainting, the message when nothing is found, the error box of a malformed
// pattern). The walk itself is search::FindSession's, over the window's panes.
#ifndef PLOTWEAVE_UI_SEARCH_SEARCH_COMMANDS_H_
#define PLOTWEAVE_UI_SEARCH_SEARCH_COMMANDS_H_

#include <QObject>
#include <memory>
#include <string>

#include "ui/search/find_panes.h"

namespace pw {

class ActionRegistry;
class TFormFind;
class TFormFindBase;
class TFormReplace;
class WindowContext;

class SearchCommands : public QObject {
 public:
  explicit SearchCommands(WindowContext& window);
  ~SearchCommands() override;

  void Bind(ActionRegistry& actions);

  void MenuTextFindClick();
  void MenuTextReplaceClick();
  void MenuTextFindNextClick();

  // The steps of the entry points before the dialog runs (also what tests call before they
  // show a dialog without its own event loop).
  void PrepareFind();
  void PrepareReplace();

  // The buttons.
  void ButtonFindClick();
  void ReplaceButtonFindClick();
  void ButtonNextClick();
  void ButtonAllClick();
  void ButtonFindNextClick();

  bool find_next_enabled() const { return find_next_; }
  TFormFind* form_find() const { return form_find_; }
  TFormReplace* form_replace() const { return form_replace_; }
  search::TFindPanes& find_panes() { return panes_; }

 private:
  enum class SearchResult { kFound, kNotFound, kError };
  // One search with the dialog's text and options from its search position.
  SearchResult OneSearch(TFormFindBase* form);
  // The pattern and options into the dialog's session; false (after the error box) when the
  // pattern is malformed, and in *nothing when the text can match nothing at all.
  bool Prepare(TFormFindBase* form, bool* nothing);
  // The replacement text in Shift-JIS, taken into its history; false (after saying why) when
  // it holds characters Shift-JIS lacks.
  bool TakeReplacement(std::string* templ);
  // "最初のﾉｰﾄﾞから": the first node selected, both panes' carets at their start.
  void StartAtFirstNode();
  void ShowDialog(TFormFindBase* form);
  void HoldRepaint(bool hold);
  void SetFindNext(bool enabled);
  void ShowNotFound(TFormFindBase* form);
  QWidget* MessageParent(TFormFindBase* form);

  WindowContext& window_;
  WindowFindPanes panes_;
  TFormFind* form_find_ = nullptr;  // children of the window
  TFormReplace* form_replace_ = nullptr;
  bool find_next_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_SEARCH_SEARCH_COMMANDS_H_
