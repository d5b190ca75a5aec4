// The text-format dialog.
#include "ui/export/tform_text_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/outline.h"
#include "export/chapter_number.h"
#include "export/export_prompt.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/dialogs.h"
#include "ui/common/font_setting_qt.h"
#include "ui/common/window_context.h"
#include "ui/export/cp932_validator.h"
#include "ui/export/export_file_prompt.h"

namespace pw {
namespace {

// Characters a prefix, suffix or indentation box takes: at most kMaxFormatTextBytes bytes.
constexpr int kMaxBoxChars = static_cast<int>(kMaxFormatTextBytes / 2);

QLineEdit* NewTextBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setMaxLength(kMaxBoxChars);
  box->setValidator(new Cp932TextValidator(box));
  return box;
}

QRadioButton* NewRadio(QWidget* parent, const char* name, const char* caption) {
  auto* radio = new QRadioButton(U8(caption), parent);
  radio->setObjectName(name);
  return radio;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, const char* caption) {
  auto* check = new QCheckBox(U8(caption), parent);
  check->setObjectName(name);
  return check;
}

}  // namespace

std::string TFormTextFormat::DefaultFilePath() { return ProgramFolderFile(kDefaultTextFormatFile); }

TFormTextFormat::TFormTextFormat(WindowContext& window, const Node* selected)
    : QDialog(window.dialog_parent()), window_(window), selected_(selected) {
  setObjectName("TFormTextFormat");
  setWindowTitle(U8("書式"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  layout->addWidget(PageControl);
  BuildChapterPage();
  BuildOtherPage();
  BuildRtfPage();

  GroupBoxScope = new QGroupBox(U8("出力範囲"), this);
  GroupBoxScope->setObjectName("GroupBoxScope");
  auto* scope = new QVBoxLayout(GroupBoxScope);
  RadioButtonSelected = NewRadio(GroupBoxScope, "RadioButtonSelected", kScopeSelectedNodeCaption);
  RadioButtonSubtree = NewRadio(GroupBoxScope, "RadioButtonSubtree", kScopeSubtreeCaption);
  RadioButtonAll = NewRadio(GroupBoxScope, "RadioButtonAll", kScopeAllCaption);
  scope->addWidget(RadioButtonSelected);
  scope->addWidget(RadioButtonSubtree);
  scope->addWidget(RadioButtonAll);
  layout->addWidget(GroupBoxScope);

  auto* buttons = new QHBoxLayout();
  ButtonSave = new QPushButton(U8("保存(&S)"), this);
  ButtonSave->setObjectName("ButtonSave");
  ButtonLoad = new QPushButton(U8("読みこみ(&L)"), this);
  ButtonLoad->setObjectName("ButtonLoad");
  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName("ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(U8("ｷｬﾝｾﾙ"), this);
  ButtonCancel->setObjectName("ButtonCancel");
  buttons->addWidget(ButtonSave);
  buttons->addWidget(ButtonLoad);
  buttons->addStretch(1);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  layout->addLayout(buttons);
  for (QPushButton* button : {ButtonSave, ButtonLoad, ButtonFont}) button->setAutoDefault(false);

  connect(ButtonSave, &QPushButton::clicked, this, &TFormTextFormat::ButtonSaveClick);
  connect(ButtonLoad, &QPushButton::clicked, this, &TFormTextFormat::ButtonLoadClick);
  connect(ButtonFont, &QPushButton::clicked, this, &TFormTextFormat::ButtonFontClick);
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ComboBoxLevel, &QComboBox::currentIndexChanged, this,
          &TFormTextFormat::ComboBoxLevelChange);
  // Leaving the numbering page keeps what its rows show.
  connect(PageControl, &QTabWidget::currentChanged, this, [this] { StoreRows(); });

  format_ = InitialTextFormat(DefaultFilePath());
  format_.BeginEditing();
  ShowRows(0);
  ApplyOptions();
  PageControl->setCurrentWidget(TabSheetChapter);
}

void TFormTextFormat::BuildChapterPage() {
  TabSheetChapter = new QWidget(PageControl);
  TabSheetChapter->setObjectName("TabSheetChapter");
  PageControl->addTab(TabSheetChapter, U8("章番号(&C)"));
  auto* page = new QVBoxLayout(TabSheetChapter);
  CheckBoxChapterON = NewCheck(TabSheetChapter, "CheckBoxChapterON", "章番号を付ける(&O)");
  page->addWidget(CheckBoxChapterON);
  auto* level = new QHBoxLayout();
  ComboBoxLevel = new QComboBox(TabSheetChapter);
  ComboBoxLevel->setObjectName("ComboBoxLevel");
  for (int d = 0; d < kRows; ++d) ComboBoxLevel->addItem(QStringLiteral("Level%1").arg(d));
  level->addWidget(ComboBoxLevel);
  level->addStretch(1);
  page->addLayout(level);
  auto* grid = new QGridLayout();
  for (int c = 0; c < kRows; ++c) {
    LabelRow[c] = new QLabel(QString::number(c), TabSheetChapter);
    EditFront[c] = NewTextBox(TabSheetChapter, "EditFront");
    EditFront[c]->setObjectName(QStringLiteral("EditFront%1").arg(c));
    ComboBoxNum[c] = new QComboBox(TabSheetChapter);
    ComboBoxNum[c]->setObjectName(QStringLiteral("ComboBoxNum%1").arg(c));
    for (const char* caption : kNumberStyleCaptions) ComboBoxNum[c]->addItem(U8(caption));
    EditBack[c] = NewTextBox(TabSheetChapter, "EditBack");
    EditBack[c]->setObjectName(QStringLiteral("EditBack%1").arg(c));
    grid->addWidget(LabelRow[c], c, 0);
    grid->addWidget(EditFront[c], c, 1);
    grid->addWidget(ComboBoxNum[c], c, 2);
    grid->addWidget(EditBack[c], c, 3);
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  page->addLayout(grid);
  page->addStretch(1);
}

void TFormTextFormat::BuildOtherPage() {
  TabSheetOther = new QWidget(PageControl);
  TabSheetOther->setObjectName("TabSheetOther");
  PageControl->addTab(TabSheetOther, U8("その他(&E)"));
  auto* page = new QVBoxLayout(TabSheetOther);

  GroupBoxIndent = new QGroupBox(U8("ｲﾝﾃﾞﾝﾄ<ﾃｷｽﾄﾌｧｲﾙ出力時のみ有効>"), TabSheetOther);
  GroupBoxIndent->setObjectName("GroupBoxIndent");
  auto* indent = new QGridLayout(GroupBoxIndent);
  RadioButtonIndentNone = NewRadio(GroupBoxIndent, "RadioButtonIndentNone", "ｲﾝﾃﾞﾝﾄしない(&N)");
  RadioButtonIndentHSpace =
      NewRadio(GroupBoxIndent, "RadioButtonIndentHSpace", "ｲﾝﾃﾞﾝﾄに半角ｽﾍﾟｰｽを使う(&H)");
  RadioButtonIndentZSpace =
      NewRadio(GroupBoxIndent, "RadioButtonIndentZSpace", "ｲﾝﾃﾞﾝﾄに全角ｽﾍﾟｰｽを使う(&Z)");
  RadioButtonIndentTab = NewRadio(GroupBoxIndent, "RadioButtonIndentTab", "ｲﾝﾃﾞﾝﾄにタブを使う(&T)");
  RadioButtonIndentCustom =
      NewRadio(GroupBoxIndent, "RadioButtonIndentCustom", "ｲﾝﾃﾞﾝﾄにカスタム文字を使う(&C)");
  EditIndent = NewTextBox(GroupBoxIndent, "EditIndent");
  indent->addWidget(RadioButtonIndentNone, 0, 0, 1, 2);
  indent->addWidget(RadioButtonIndentHSpace, 1, 0, 1, 2);
  indent->addWidget(RadioButtonIndentZSpace, 2, 0, 1, 2);
  indent->addWidget(RadioButtonIndentTab, 3, 0, 1, 2);
  indent->addWidget(RadioButtonIndentCustom, 4, 0);
  indent->addWidget(EditIndent, 4, 1);
  connect(RadioButtonIndentCustom, &QRadioButton::toggled, EditIndent, &QWidget::setVisible);
  page->addWidget(GroupBoxIndent);

  GroupBoxTitle = new QGroupBox(U8("ﾀｲﾄﾙ"), TabSheetOther);
  GroupBoxTitle->setObjectName("GroupBoxTitle");
  auto* title = new QVBoxLayout(GroupBoxTitle);
  CheckBoxSplitF = NewCheck(GroupBoxTitle, "CheckBoxSplitF", "ﾀｲﾄﾙの上に区切り線を付ける(&F)");
  CheckBoxSplitB = NewCheck(GroupBoxTitle, "CheckBoxSplitB", "ﾀｲﾄﾙの下に区切り線を付ける(&B)");
  CheckBoxMark = NewCheck(GroupBoxTitle, "CheckBoxMark", "ﾀｲﾄﾙの頭に記号を付ける(&M)");
  title->addWidget(CheckBoxSplitF);
  title->addWidget(CheckBoxSplitB);
  title->addWidget(CheckBoxMark);
  page->addWidget(GroupBoxTitle);

  CheckBoxContents = NewCheck(TabSheetOther, "CheckBoxContents", "出力に本文を含む(&N)");
  page->addWidget(CheckBoxContents);
  page->addStretch(1);
}

void TFormTextFormat::BuildRtfPage() {
  TabSheetRTF = new QWidget(PageControl);
  TabSheetRTF->setObjectName("TabSheetRTF");
  PageControl->addTab(TabSheetRTF, U8("RTF(&R)"));
  auto* page = new QVBoxLayout(TabSheetRTF);
  GroupBoxFont = new QGroupBox(U8("ﾀｲﾄﾙのﾌｫﾝﾄ<RTFﾌｧｲﾙ出力時及び印刷時のみ有効>"), TabSheetRTF);
  GroupBoxFont->setObjectName("GroupBoxFont");
  auto* font = new QHBoxLayout(GroupBoxFont);
  MemoFont = new QPlainTextEdit(GroupBoxFont);
  MemoFont->setObjectName("MemoFont");
  MemoFont->setReadOnly(true);
  MemoFont->setFixedHeight(56);
  ButtonFont = new QPushButton(U8("ﾌｫﾝﾄの変更(&T)"), GroupBoxFont);
  ButtonFont->setObjectName("ButtonFont");
  font->addWidget(MemoFont, 1);
  font->addWidget(ButtonFont, 0, Qt::AlignTop);
  page->addWidget(GroupBoxFont);
  page->addStretch(1);
}

void TFormTextFormat::ShowPages(bool other, bool rtf) {
  PageControl->setTabVisible(PageControl->indexOf(TabSheetOther), other);
  PageControl->setTabVisible(PageControl->indexOf(TabSheetRTF), rtf);
}

void TFormTextFormat::ShowGroups(bool indent, bool font) {
  GroupBoxIndent->setVisible(indent);
  GroupBoxFont->setVisible(font);
}

void TFormTextFormat::PresetTitleFont(const FontSetting& font) {
  format_.title_font = font;
  ShowTitleFont();
}

bool TFormTextFormat::Execute() {
  PrepareShow();
  return exec() == QDialog::Accepted;
}

void TFormTextFormat::PrepareShow() {
  format_.BeginEditing();
  {
    // Selecting Level0 must not store the rows shown before over the fresh working table.
    const QSignalBlocker block(ComboBoxLevel);
    ComboBoxLevel->setCurrentIndex(0);
  }
  ShowRows(0);
  RadioButtonSelected->setEnabled(selected_ != nullptr);
  RadioButtonSubtree->setEnabled(SubtreeScopeAvailable(selected_));
  if (!RadioButtonSelected->isChecked() && !RadioButtonSubtree->isChecked()) {
    RadioButtonAll->setChecked(true);
  }
  if (!RadioButtonSelected->isEnabled() && RadioButtonSelected->isChecked()) {
    RadioButtonAll->setChecked(true);
  }
  if (!RadioButtonSubtree->isEnabled() && RadioButtonSubtree->isChecked()) {
    RadioButtonAll->setChecked(true);
  }
  {
    const QSignalBlocker block(PageControl);
    PageControl->setCurrentWidget(TabSheetChapter);
  }
}

void TFormTextFormat::ComboBoxLevelChange(int level) {
  if (level < 0) return;
  StoreRows();
  ShowRows(level);
}

void TFormTextFormat::StoreRows() {
  for (int c = 0; c <= shown_level_; ++c) {
    NumberComponent& cell = format_.working.at(shown_level_, c);
    cell.Front = ToCp932(EditFront[c]->text()).bytes;
    cell.Num = ComboBoxNum[c]->currentIndex();
    cell.Back = ToCp932(EditBack[c]->text()).bytes;
  }
}

void TFormTextFormat::ShowRows(int level) {
  for (int c = 0; c < kRows; ++c) {
    const bool shown = c <= level;
    const NumberComponent* cell = shown ? &format_.working.at(level, c) : nullptr;
    EditFront[c]->setText(shown ? FromCp932(cell->Front) : QString());
    // A style read from a file outside the list selects nothing and writes no number.
    const int style = shown ? cell->Num : 0;
    ComboBoxNum[c]->setCurrentIndex(style >= 0 && style < kNumberStyleCount ? style : -1);
    EditBack[c]->setText(shown ? FromCp932(cell->Back) : QString());
    for (QWidget* w : {static_cast<QWidget*>(LabelRow[c]), static_cast<QWidget*>(EditFront[c]),
                       static_cast<QWidget*>(ComboBoxNum[c]), static_cast<QWidget*>(EditBack[c])}) {
      w->setVisible(shown);
    }
  }
  shown_level_ = level;
}

void TFormTextFormat::ApplyOptions() {
  CheckBoxChapterON->setChecked(format_.chapter_numbers);
  RadioButtonIndentNone->setChecked(format_.indent == IndentChoice::kNone);
  RadioButtonIndentHSpace->setChecked(format_.indent == IndentChoice::kHalfSpace);
  RadioButtonIndentZSpace->setChecked(format_.indent == IndentChoice::kFullSpace);
  RadioButtonIndentTab->setChecked(format_.indent == IndentChoice::kTab);
  RadioButtonIndentCustom->setChecked(format_.indent == IndentChoice::kCustom);
  EditIndent->setText(FromCp932(format_.custom_indent));
  EditIndent->setVisible(format_.indent == IndentChoice::kCustom);
  CheckBoxSplitF->setChecked(format_.separator_above);
  CheckBoxSplitB->setChecked(format_.separator_below);
  CheckBoxMark->setChecked(format_.mark_before_title);
  CheckBoxContents->setChecked(format_.include_bodies);
  ShowTitleFont();
}

void TFormTextFormat::ReadOptions() {
  format_.chapter_numbers = CheckBoxChapterON->isChecked();
  if (RadioButtonIndentHSpace->isChecked()) {
    format_.indent = IndentChoice::kHalfSpace;
  } else if (RadioButtonIndentZSpace->isChecked()) {
    format_.indent = IndentChoice::kFullSpace;
  } else if (RadioButtonIndentTab->isChecked()) {
    format_.indent = IndentChoice::kTab;
  } else if (RadioButtonIndentCustom->isChecked()) {
    format_.indent = IndentChoice::kCustom;
  } else {
    format_.indent = IndentChoice::kNone;
  }
  format_.custom_indent = ToCp932(EditIndent->text()).bytes;
  format_.separator_above = CheckBoxSplitF->isChecked();
  format_.separator_below = CheckBoxSplitB->isChecked();
  format_.mark_before_title = CheckBoxMark->isChecked();
  format_.include_bodies = CheckBoxContents->isChecked();
  if (RadioButtonSelected->isChecked()) {
    format_.scope = ExportScope::kSelectedNode;
  } else if (RadioButtonSubtree->isChecked()) {
    format_.scope = ExportScope::kSubtree;
  } else {
    format_.scope = ExportScope::kAll;
  }
}

void TFormTextFormat::ShowTitleFont() {
  const QFont font = ToQFont(format_.title_font);
  MemoFont->setFont(font);
  QPalette palette = MemoFont->palette();
  const int32_t color = format_.title_font.Color;
  palette.setColor(QPalette::Text, IsSystemColor(color) ? QWidget::palette().color(QPalette::Text)
                                                        : QColor(color & 0xFF, color >> 8 & 0xFF,
                                                                 color >> 16 & 0xFF));
  MemoFont->setPalette(palette);
  MemoFont->setPlainText(QStringLiteral("%1 %2pt").arg(font.family()).arg(format_.title_font.Size));
}

void TFormTextFormat::done(int result) {
  // Whichever button closes the dialog, what it shows is kept for the next time.
  StoreRows();
  ReadOptions();
  if (result == QDialog::Accepted) format_.CommitEditing();
  SaveTextFormatFile(DefaultFilePath(), format_);  // a failure here is not the user's concern
  QDialog::done(result);
}

void TFormTextFormat::ButtonSaveClick() {
  StoreRows();
  ReadOptions();
  FileDialogRequest request;
  request.title = U8(kTextFormatSaveTitle);
  request.filter = QtFilter(kTextFormatFilter);
  request.default_suffix = QStringLiteral("PWO");
  request.proposed = QString::fromStdString(SuggestedExportPath(
      window_.settings().FormatFileName, kTextFormatExtension, WithTrailingSlash(ConfigDir())));
  const std::optional<QString> chosen = window_.dialogs().SaveFileName(this, request);
  if (!chosen) return;
  std::string message;
  const std::string path = LocalPath(QFileInfo(*chosen).absoluteFilePath());
  if (CheckChosenPath(path, "PWO", &message) == PromptOutcome::kFailed) {
    window_.ShowMessage(message.c_str());
    window_.ShowMessage(kSaveFailedMessage);
    return;
  }
  if (!SaveTextFormatFile(path, format_)) {
    window_.ShowMessage(kSaveFailedMessage);
    return;
  }
  window_.settings().FormatFileName = path;
}

void TFormTextFormat::ButtonLoadClick() {
  FileDialogRequest request;
  request.title = U8(kTextFormatLoadTitle);
  request.filter = QtFilter(kTextFormatFilter);
  request.default_suffix = QStringLiteral("PWO");
  request.proposed = QString::fromStdString(SuggestedExportPath(
      window_.settings().FormatFileName, kTextFormatExtension, WithTrailingSlash(ConfigDir())));
  request.must_exist = true;
  const std::optional<QString> chosen = window_.dialogs().OpenFileName(this, request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().compare(QLatin1String("PWO"), Qt::CaseInsensitive) != 0) {
    window_.ShowMessage(kInvalidNameMessage);
    return;
  }
  const std::string path = LocalPath(QFileInfo(*chosen).absoluteFilePath());
  TextFormat loaded = format_;
  if (!LoadTextFormatFile(path, &loaded)) {
    window_.ShowMessage(kReadFailedMessage);
    return;
  }
  format_ = std::move(loaded);
  ApplyOptions();
  window_.settings().FormatFileName = path;
  PrepareShow();
}

void TFormTextFormat::ButtonFontClick() {
  const std::optional<QFont> font = window_.dialogs().ChooseFont(this, MemoFont->font());
  if (!font) return;
  // The font dialog has no colour: the colour stays as it was.
  format_.title_font = FromQFont(*font, format_.title_font);
  ShowTitleFont();
}

}  // namespace pw
