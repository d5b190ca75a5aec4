// The find and replace dialogs.
#include "ui/search/tform_find.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace pw {
namespace {

QComboBox* NewHistoryBox(const char* name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // the dialogs keep their lists themselves
  box->setCompleter(nullptr);                 // what is typed stays as typed
  box->setMinimumWidth(260);
  return box;
}

QPushButton* NewButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(U8(caption), parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TFormFindBase::TFormFindBase(const char* name, const char* caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setObjectName(name);
  setWindowTitle(U8(caption));
  setModal(true);
}

int TFormFindBase::BuildCommon(QGridLayout* grid, int row) {
  GroupBoxOption = new QGroupBox(U8("ｵﾌﾟｼｮﾝ"), this);
  GroupBoxOption->setObjectName("GroupBoxOption");
  auto* options = new QVBoxLayout(GroupBoxOption);
  CheckBoxCase = new QCheckBox(U8("大/小文字の区別(&C)"), GroupBoxOption);
  CheckBoxCase->setObjectName("CheckBoxCase");
  CheckBoxReg = new QCheckBox(U8("正規表現(&R)"), GroupBoxOption);
  CheckBoxReg->setObjectName("CheckBoxReg");
  options->addWidget(CheckBoxCase);
  options->addWidget(CheckBoxReg);
  connect(CheckBoxReg, &QCheckBox::toggled, this, [this] { CheckBoxRegClick(); });

  GroupBoxRange = new QGroupBox(U8("検索範囲"), this);
  GroupBoxRange->setObjectName("GroupBoxRange");
  auto* range = new QVBoxLayout(GroupBoxRange);
  RadioButtonLocal = new QRadioButton(U8("選択ﾉｰﾄﾞのみ(&S)"), GroupBoxRange);
  RadioButtonLocal->setObjectName("RadioButtonLocal");
  RadioButtonAll = new QRadioButton(U8("全体(&G)"), GroupBoxRange);
  RadioButtonAll->setObjectName("RadioButtonAll");
  RadioButtonLocal->setChecked(true);
  range->addWidget(RadioButtonLocal);
  range->addWidget(RadioButtonAll);

  GroupBoxStart = new QGroupBox(U8("検索開始位置"), this);
  GroupBoxStart->setObjectName("GroupBoxStart");
  auto* start = new QVBoxLayout(GroupBoxStart);
  RadioButtonSelected = new QRadioButton(U8("現在のﾉｰﾄﾞから(&N)"), GroupBoxStart);
  RadioButtonSelected->setObjectName("RadioButtonSelected");
  RadioButtonTop = new QRadioButton(U8("最初のﾉｰﾄﾞから(&E)"), GroupBoxStart);
  RadioButtonTop->setObjectName("RadioButtonTop");
  RadioButtonSelected->setChecked(true);
  start->addWidget(RadioButtonSelected);
  start->addWidget(RadioButtonTop);

  auto* groups = new QHBoxLayout();
  groups->addWidget(GroupBoxOption);
  groups->addWidget(GroupBoxRange);
  groups->addWidget(GroupBoxStart);
  grid->addLayout(groups, row, 0, 1, 2);
  return row + 1;
}

void TFormFindBase::CheckBoxRegClick() {
  // Regular expressions always match case.
  CheckBoxCase->setEnabled(!CheckBoxReg->isChecked());
}

search::FindOptions TFormFindBase::Options() const {
  search::FindOptions options;
  options.regex = CheckBoxReg->isChecked();
  options.match_case = CheckBoxCase->isChecked();
  options.whole_document = RadioButtonAll->isChecked();
  return options;
}

bool TFormFindBase::FromFirstNode() const { return RadioButtonTop->isChecked(); }

QString TFormFindBase::SearchText() const { return ComboBoxFind->currentText(); }

std::string TFormFindBase::SearchBytes(bool* unmappable) const {
  Cp932Text text = ToCp932(SearchText());
  *unmappable = text.unmappable > 0;
  return std::move(text.bytes);
}

void TFormFindBase::FillHistory(QComboBox* box, const std::vector<std::string>& entries) {
  const QString typed = box->currentText();
  box->blockSignals(true);
  box->clear();
  for (const std::string& entry : entries) box->addItem(FromCp932(entry));
  box->setCurrentIndex(-1);
  box->setEditText(typed);
  box->blockSignals(false);
}

TFormFind::TFormFind(QWidget* parent) : TFormFindBase("TFormFind", "検索", parent) {
  auto* outer = new QHBoxLayout(this);
  auto* grid = new QGridLayout();
  LabelFind = new QLabel(U8("検索文字列(&T)"), this);
  LabelFind->setObjectName("LabelFind");
  ComboBoxFind = NewHistoryBox("ComboBoxFind", this);
  LabelFind->setBuddy(ComboBoxFind);
  grid->addWidget(LabelFind, 0, 0);
  grid->addWidget(ComboBoxFind, 0, 1);
  grid->setColumnStretch(1, 1);
  BuildCommon(grid, 1);
  outer->addLayout(grid, 1);

  auto* buttons = new QVBoxLayout();
  ButtonFind = NewButton("ButtonFind", "検索(&F)", this);
  ButtonFind->setDefault(true);
  ButtonClose = NewButton("ButtonClose", "閉じる", this);
  buttons->addWidget(ButtonFind);
  buttons->addWidget(ButtonClose);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  connect(ButtonFind, &QPushButton::clicked, this, [this] {
    if (on_find) on_find();
  });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);
}

TFormReplace::TFormReplace(QWidget* parent) : TFormFindBase("TFormReplace", "置換", parent) {
  auto* outer = new QHBoxLayout(this);
  auto* grid = new QGridLayout();
  LabelFind = new QLabel(U8("検索文字列(&T)"), this);
  LabelFind->setObjectName("LabelFind");
  ComboBoxFind = NewHistoryBox("ComboBoxFind", this);
  LabelFind->setBuddy(ComboBoxFind);
  LabelReplace = new QLabel(U8("置換文字列(&P)"), this);
  LabelReplace->setObjectName("LabelReplace");
  ComboBoxReplace = NewHistoryBox("ComboBoxReplace", this);
  LabelReplace->setBuddy(ComboBoxReplace);
  grid->addWidget(LabelFind, 0, 0);
  grid->addWidget(ComboBoxFind, 0, 1);
  grid->addWidget(LabelReplace, 1, 0);
  grid->addWidget(ComboBoxReplace, 1, 1);
  grid->setColumnStretch(1, 1);
  BuildCommon(grid, 2);
  outer->addLayout(grid, 1);

  auto* buttons = new QVBoxLayout();
  ButtonFind = NewButton("ButtonFind", "検索(&F)", this);
  ButtonFindNext = NewButton("ButtonFindNext", "次を検索(&I)", this);
  ButtonNext = NewButton("ButtonNext", "置換して次に(&X)", this);
  ButtonAll = NewButton("ButtonAll", "すべて置換(&L)", this);
  ButtonClose = NewButton("ButtonClose", "閉じる", this);
  buttons->addWidget(ButtonFind);
  buttons->addWidget(ButtonFindNext);
  buttons->addWidget(ButtonNext);
  buttons->addWidget(ButtonAll);
  buttons->addWidget(ButtonClose);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  auto run = [](const std::function<void()>& fn) {
    if (fn) fn();
  };
  connect(ButtonFind, &QPushButton::clicked, this, [this, run] { run(on_find); });
  connect(ButtonFindNext, &QPushButton::clicked, this, [this, run] { run(on_find_next); });
  connect(ButtonNext, &QPushButton::clicked, this, [this, run] { run(on_replace_next); });
  connect(ButtonAll, &QPushButton::clicked, this, [this, run] { run(on_replace_all); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);
  ShowBeforeSearch();
}

QString TFormReplace::ReplaceText() const { return ComboBoxReplace->currentText(); }

void TFormReplace::ShowBeforeSearch() {
  ButtonNext->setEnabled(false);
  ButtonAll->setEnabled(false);
  ButtonFindNext->hide();
  ButtonFind->show();
  ButtonFind->setDefault(true);
}

void TFormReplace::ShowAfterSearch() {
  ButtonNext->setEnabled(true);
  ButtonAll->setEnabled(true);
  ButtonFind->hide();
  ButtonFindNext->show();
  ButtonFindNext->setDefault(true);
}

void TFormReplace::hideEvent(QHideEvent* event) {
  if (on_hidden) on_hidden();
  QDialog::hideEvent(event);
}

}  // namespace pw
