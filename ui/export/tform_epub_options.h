// The options of the EPUB export: vertical or horizontal writing, the book's title and author,
// whether headings take chapter numbers and, until the text-format dialog chooses it for this
// export, the range of nodes.
#ifndef PLOTWEAVE_UI_EXPORT_TFORM_EPUB_OPTIONS_H_
#define PLOTWEAVE_UI_EXPORT_TFORM_EPUB_OPTIONS_H_

#include <QDialog>
#include <functional>
#include <string>

#include "export/export_scope.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pw {

inline constexpr char kEpubOptionsCaption[] = "EPUB出力ｵﾌﾟｼｮﾝ";

struct EpubChoices {
  bool vertical = true;
  ExportScope scope = ExportScope::kAll;
  std::string title;   // UTF-8
  std::string author;  // UTF-8
  bool chapter_numbers = false;
};

class TFormEpubOptions : public QDialog {
  Q_OBJECT

 public:
  // `title_of_scope` gives the title a scope starts with (UTF-8): the title follows the
  // chosen scope until the user types one. The subtree scope is offered only when the
  // selected node has children, the node scopes only when a node is selected.
  TFormEpubOptions(QWidget* parent, std::function<std::string(ExportScope)> title_of_scope,
                   bool node_selected, bool subtree_available);

  void SetChoices(const EpubChoices& choices);
  EpubChoices Choices() const;

  QGroupBox* GroupBoxWriting = nullptr;
  QRadioButton* RadioButtonVertical = nullptr;
  QRadioButton* RadioButtonHorizontal = nullptr;
  QGroupBox* GroupBoxScope = nullptr;
  QRadioButton* RadioButtonSelected = nullptr;
  QRadioButton* RadioButtonSubtree = nullptr;
  QRadioButton* RadioButtonAll = nullptr;
  QLineEdit* EditTitle = nullptr;
  QLineEdit* EditAuthor = nullptr;
  QCheckBox* CheckBoxChapterON = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;

 private:
  ExportScope Scope() const;
  void ScopeChanged();

  std::function<std::string(ExportScope)> title_of_scope_;
  bool title_typed_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_TFORM_EPUB_OPTIONS_H_
