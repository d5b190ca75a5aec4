// The find dialog ("検索") and the replace dialog ("置換"): their controls, captions, defaults
// and enable rules. What their buttons do is the search commands' work; the dialogs hold the
// search state that lasts for the run (options, search position, the regular-expression
// component) and tell the commands when a button is pressed.
#ifndef PLOTWEAVE_UI_SEARCH_TFORM_FIND_H_
#define PLOTWEAVE_UI_SEARCH_TFORM_FIND_H_

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "search/find_walk.h"
#include "search/regular_expression.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace pw {

// What both dialogs share.
class TFormFindBase : public QDialog {
 public:
  search::FindOptions Options() const;
  bool FromFirstNode() const;
  // The search text as typed (UTF-16) and as CP932; `unmappable` tells whether a character
  // has no CP932 form (such a text can match nothing).
  QString SearchText() const;
  std::string SearchBytes(bool* unmappable) const;
  search::FindSession& session() { return session_; }
  // Shows `entries` (the most recent first) as the drop-down of `box`, keeping what is typed.
  static void FillHistory(QComboBox* box, const std::vector<std::string>& entries);

  QComboBox* ComboBoxFind = nullptr;
  QLabel* LabelFind = nullptr;
  QGroupBox* GroupBoxOption = nullptr;
  QCheckBox* CheckBoxCase = nullptr;
  QCheckBox* CheckBoxReg = nullptr;
  QGroupBox* GroupBoxRange = nullptr;
  QRadioButton* RadioButtonLocal = nullptr;
  QRadioButton* RadioButtonAll = nullptr;
  QGroupBox* GroupBoxStart = nullptr;
  QRadioButton* RadioButtonSelected = nullptr;
  QRadioButton* RadioButtonTop = nullptr;
  QPushButton* ButtonFind = nullptr;
  QPushButton* ButtonClose = nullptr;

 protected:
  TFormFindBase(const char* name, const char* caption, QWidget* parent);
  // Builds the shared controls into `grid` from `row` on; returns the next free row.
  int BuildCommon(QGridLayout* grid, int row);
  void CheckBoxRegClick();
  search::TAWKStr& awk() { return awk_; }

 private:
  search::TAWKStr awk_;
  search::FindSession session_{&awk_};
};

class TFormFind : public TFormFindBase {
 public:
  explicit TFormFind(QWidget* parent);

  // Run by "検索(&F)".
  std::function<void()> on_find;

  search::TAWKStr& AWKStrFind() { return awk(); }
};

class TFormReplace : public TFormFindBase {
 public:
  explicit TFormReplace(QWidget* parent);

  QString ReplaceText() const;

  // Run by the buttons.
  std::function<void()> on_find;
  std::function<void()> on_replace_next;
  std::function<void()> on_replace_all;
  std::function<void()> on_find_next;

  // Before the first search: "検索(&F)" shown, the replace buttons off.
  void ShowBeforeSearch();
  // After a search: "次を検索(&I)" in the place of "検索(&F)", the replace buttons on.
  void ShowAfterSearch();

  search::TAWKStr& AWKStrReplace() { return awk(); }

  QComboBox* ComboBoxReplace = nullptr;
  QLabel* LabelReplace = nullptr;
  QPushButton* ButtonNext = nullptr;
  QPushButton* ButtonAll = nullptr;
  QPushButton* ButtonFindNext = nullptr;

 protected:
  // Hiding the dialog, by any means, lets the panes and the tree repaint again.
  void hideEvent(QHideEvent* event) override;

 public:
  std::function<void()> on_hidden;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_SEARCH_TFORM_FIND_H_
