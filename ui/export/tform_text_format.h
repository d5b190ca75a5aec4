// The text-format dialog ("書式"): chapter numbering by depth, indentation, title options,
// bodies, the title font and the scope of a formatted export, with Save and Load of ".PWO"
// files. One is made for each export or print and destroyed after it; its settings live on in
// the default settings file, rewritten whenever it closes. Callers choose which pages and
// groups show before Execute().
#ifndef PLOTWEAVE_UI_EXPORT_TFORM_TEXT_FORMAT_H_
#define PLOTWEAVE_UI_EXPORT_TFORM_TEXT_FORMAT_H_

#include <QDialog>
#include <array>
#include <string>

#include "export/text_format.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace pw {

class Node;
class WindowContext;

class TFormTextFormat : public QDialog {
  Q_OBJECT

 public:
  // Loads the default settings file (or takes the built-in defaults). `selected` is the
  // tree's selected node, which the scope choices depend on.
  TFormTextFormat(WindowContext& window, const Node* selected);

  // Which pages show; the numbering page and the scope always do.
  void ShowPages(bool other, bool rtf);
  // Which of the indentation group (text export) and the title-font group (RTF, printing)
  // show.
  void ShowGroups(bool indent, bool font);
  // The title font shown before anything is loaded or chosen (the RTF export and printing
  // preset the title pane's font).
  void PresetTitleFont(const FontSetting& font);

  // Shows the dialog modally. True on OK; format() then holds the committed settings.
  bool Execute();
  const TextFormat& format() const { return format_; }
  // Where the default settings file is: "PLOTWEAV.PWO" in the configuration folder.
  static std::string DefaultFilePath();

  static constexpr int kRows = kNumberingDepths;

  QTabWidget* PageControl = nullptr;
  QWidget* TabSheetChapter = nullptr;
  QWidget* TabSheetOther = nullptr;
  QWidget* TabSheetRTF = nullptr;
  QCheckBox* CheckBoxChapterON = nullptr;
  QComboBox* ComboBoxLevel = nullptr;
  std::array<QLabel*, kRows> LabelRow{};
  std::array<QLineEdit*, kRows> EditFront{};
  std::array<QComboBox*, kRows> ComboBoxNum{};
  std::array<QLineEdit*, kRows> EditBack{};
  QGroupBox* GroupBoxIndent = nullptr;
  QRadioButton* RadioButtonIndentNone = nullptr;
  QRadioButton* RadioButtonIndentHSpace = nullptr;
  QRadioButton* RadioButtonIndentZSpace = nullptr;
  QRadioButton* RadioButtonIndentTab = nullptr;
  QRadioButton* RadioButtonIndentCustom = nullptr;
  QLineEdit* EditIndent = nullptr;
  QGroupBox* GroupBoxTitle = nullptr;
  QCheckBox* CheckBoxSplitF = nullptr;
  QCheckBox* CheckBoxSplitB = nullptr;
  QCheckBox* CheckBoxMark = nullptr;
  QCheckBox* CheckBoxContents = nullptr;
  QGroupBox* GroupBoxFont = nullptr;
  QPlainTextEdit* MemoFont = nullptr;
  QPushButton* ButtonFont = nullptr;
  QGroupBox* GroupBoxScope = nullptr;
  QRadioButton* RadioButtonSelected = nullptr;
  QRadioButton* RadioButtonSubtree = nullptr;
  QRadioButton* RadioButtonAll = nullptr;
  QPushButton* ButtonSave = nullptr;
  QPushButton* ButtonLoad = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;

 public slots:
  void done(int result) override;

 private:
  void BuildChapterPage();
  void BuildOtherPage();
  void BuildRtfPage();
  // What showing the dialog does: committed table to working, depth 0, scope choices, the
  // numbering page in front.
  void PrepareShow();
  void ComboBoxLevelChange(int level);
  // The shown rows into the working table at the shown depth.
  void StoreRows();
  void ShowRows(int level);
  // The options between the controls and format_ (tables excluded).
  void ApplyOptions();
  void ReadOptions();
  void ShowTitleFont();
  void ButtonSaveClick();
  void ButtonLoadClick();
  void ButtonFontClick();

  WindowContext& window_;
  const Node* selected_;
  TextFormat format_;
  int shown_level_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_TFORM_TEXT_FORMAT_H_
