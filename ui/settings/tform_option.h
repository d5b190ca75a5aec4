// The options dialog "ｶｽﾀﾏｲｽﾞ": every preference of the settings file that the user edits, and
// the character-item list with its file. Created once with the main window, shown modally.
#ifndef PLOTWEAVE_UI_SETTINGS_TFORM_OPTION_H_
#define PLOTWEAVE_UI_SETTINGS_TFORM_OPTION_H_

#include <QDialog>
#include <QFont>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "editing/character_items.h"
#include "settings/settings.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pw {

class Dialogs;

class TFormOption : public QDialog {
  Q_OBJECT

 public:
  // `chr_path`: the character-item file; `help`: opens the help file's contents.
  TFormOption(Dialogs* dialogs, std::string chr_path, std::function<void()> help,
              QWidget* parent = nullptr);

  // The showing steps: reloads the character-item file (or writes it when missing), fills
  // every control from `settings`, shows tab "全般". Then exec().
  void Prepare(const Settings& settings);
  // After OK: every setting the dialog binds, from its controls.
  void StoreInto(Settings* settings) const;

  // The list new character nodes take their items from.
  const CharacterItemList& character_items() const { return chara_items_; }

  // Pages, in order: 全般, ﾘﾝｸ, ﾌｧｲﾙ, ﾌｫﾝﾄ, ｶﾗｰ, ｷｬﾗｸﾀｰ.
  QTabWidget* PageControlMain = nullptr;
  // 全般
  QCheckBox* CheckBoxShowButtons = nullptr;
  QCheckBox* CheckBoxShowLines = nullptr;
  QSpinBox* SpinEditTitleMaxLength = nullptr;
  QCheckBox* CheckBoxScrollBars = nullptr;
  QCheckBox* CheckBoxWordWrap = nullptr;
  std::array<QRadioButton*, 3> RadioButtonTab{};  // "2", "4", "8"
  QToolButton* ColorBoxIMEText = nullptr;
  QToolButton* ColorBoxIMEBack = nullptr;
  QToolButton* ColorBoxIMEInput = nullptr;
  QCheckBox* CheckBoxIMEEnable = nullptr;
  // ﾘﾝｸ
  QLineEdit* EditLinkLeft = nullptr;
  QLineEdit* EditLinkRight = nullptr;
  // ﾌｧｲﾙ
  QCheckBox* CheckBoxNodeOpen = nullptr;
  QCheckBox* CheckBoxMakeBak = nullptr;
  QCheckBox* CheckBoxLoadEditPos = nullptr;
  QCheckBox* CheckBoxUseBakDir = nullptr;
  QLineEdit* EditBackDir = nullptr;
  QPushButton* ButtonBackDir = nullptr;
  QLineEdit* EditDefaultDir = nullptr;
  QPushButton* ButtonDefaultDir = nullptr;
  QLineEdit* EditSplitLine = nullptr;
  // ﾌｫﾝﾄ and ｶﾗｰ: previews of the tree, the title pane and the body pane on each page
  std::array<QTreeWidget*, 2> TreeViewSample{};
  std::array<QLineEdit*, 2> MemoSample{};
  std::array<QTextEdit*, 2> RichEditSample{};
  std::array<QPushButton*, 3> ButtonFont{};   // tree, title, body
  std::array<QPushButton*, 3> ButtonColor{};  // tree, title, body
  // ｷｬﾗｸﾀｰ
  QTreeWidget* TreeViewChara = nullptr;
  QLineEdit* EditChara = nullptr;
  QPushButton* ButtonCharaNew = nullptr;
  QPushButton* ButtonCharaDelete = nullptr;
  QPushButton* ButtonCharaUp = nullptr;
  QPushButton* ButtonCharaDown = nullptr;
  // Buttons
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonHelp = nullptr;

  void ButtonOKClick();
  void ButtonCancelClick();
  void ButtonCharaNewClick();
  void ButtonCharaDeleteClick();
  void ButtonCharaUpClick();
  void ButtonCharaDownClick();

  // Cancel, Esc and the close box: nothing changes, the list included.
  void reject() override;

 private:
  enum Pane { kTree, kTitle, kBody };

  QWidget* CreateGeneralPage();
  QWidget* CreateLinkPage();
  QWidget* CreateFilePage();
  QWidget* CreatePreviewPage(int page);
  QWidget* CreateCharaPage();
  void LoadCharaFile();
  void FillCharaTree();
  void CharaSelectionChanged();
  void EditCharaEdited(const QString& text);
  void ChooseFont(Pane pane);
  void ChooseColor(Pane pane);
  void ChooseImeColor(QToolButton* box, int32_t* color);
  void ChooseFolder(QLineEdit* box);
  void ShowPreviews();
  void ShowImeColors();

  Dialogs* dialogs_;
  std::string chr_path_;
  std::function<void()> help_;
  CharacterItemList chara_items_;
  CharacterItemList shown_items_;  // as the dialog was shown: what Cancel leaves
  // Edited copies of what the previews and colour boxes show.
  std::array<FontSetting, 3> fonts_;
  std::array<int32_t, 3> colors_{};
  int32_t ime_text_ = 0;
  int32_t ime_back_ = 0;
  int32_t ime_input_ = 0;
  int title_max_length_ = 0;  // as stored, for a value beyond the spin box's range
  bool filling_chara_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_SETTINGS_TFORM_OPTION_H_
