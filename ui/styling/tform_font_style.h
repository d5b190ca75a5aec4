// The font-style dialogs: registering one style ("ﾌｫﾝﾄｽﾀｲﾙ": a name and a sample in the
// chosen font) and editing the whole table ("ﾌｫﾝﾄｽﾀｲﾙの編集": rename, refont, add, delete,
// reorder a copy that replaces the table on OK).
#ifndef PLOTWEAVE_UI_STYLING_TFORM_FONT_STYLE_H_
#define PLOTWEAVE_UI_STYLING_TFORM_FONT_STYLE_H_

#include <QDialog>
#include <QValidator>
#include <optional>

#include "richtext/rich_document.h"
#include "styling/font_style.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pw {

class Dialogs;

// Accepts only text that Shift-JIS can hold within `max_bytes` bytes, so what the user sees
// in a name box is exactly what the style file will keep.
class Cp932NameValidator : public QValidator {
 public:
  Cp932NameValidator(size_t max_bytes, QObject* parent) : QValidator(parent), max_(max_bytes) {}
  State validate(QString& input, int& pos) const override;

 private:
  size_t max_;
};

// The font dialog on a character format (face, size, style bits and colour).
std::optional<rich::CharFormat> ChooseCharFormat(Dialogs* dialogs, QWidget* parent,
                                                 const rich::CharFormat& initial);

class TFormFontStyle : public QDialog {
  Q_OBJECT

 public:
  TFormFontStyle(Dialogs* dialogs, QWidget* parent = nullptr);

  // Opens with an empty name and the sample in `sample`; the new style on OK.
  std::optional<styling::FontStyle> Register(const rich::CharFormat& sample);

  QLineEdit* EditName = nullptr;
  QLabel* LabelSample = nullptr;
  QPushButton* ButtonFont = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;

 private:
  void ButtonFontClick();
  void ButtonOKClick();
  void ShowSample();

  Dialogs* dialogs_;
  rich::CharFormat sample_;
};

class TFormFontStyleEdit : public QDialog {
  Q_OBJECT

 public:
  TFormFontStyleEdit(Dialogs* dialogs, TFormFontStyle* register_dialog, QWidget* parent = nullptr);

  // Edits a copy of `table`; new styles start from `default_format`. The edited table on OK.
  std::optional<styling::FontStyleTable> Edit(const styling::FontStyleTable& table,
                                              const rich::CharFormat& default_format);

  const styling::FontStyleTable& table() const { return table_; }

  QListWidget* ListBoxStyle = nullptr;
  QLineEdit* EditName = nullptr;
  QPushButton* ButtonFont = nullptr;
  QPushButton* ButtonAdd = nullptr;
  QPushButton* ButtonDelete = nullptr;
  QPushButton* ButtonUp = nullptr;
  QPushButton* ButtonDown = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;

 private:
  void FillList(int select);
  void ListBoxStyleClick();
  void EditNameChange();
  void ButtonFontClick();
  void ButtonAddClick();
  void ButtonDeleteClick();
  void Move(int by);

  Dialogs* dialogs_;
  TFormFontStyle* register_dialog_;
  styling::FontStyleTable table_;
  rich::CharFormat default_format_;
  bool filling_ = false;
};

// Messages of the style commands.
inline constexpr char kStyleTableFull[] = "これ以上登録できません";
inline constexpr char kStyleNameMissing[] = "スタイル名を入力して下さい";

}  // namespace pw

#endif  // PLOTWEAVE_UI_STYLING_TFORM_FONT_STYLE_H_
