// The two font-style dialogs.
#include "ui/styling/tform_font_style.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/styling/char_format_qt.h"

namespace pw {
namespace {

constexpr char kSampleText[] = "ﾌｫﾝﾄのｻﾝﾌﾟﾙです";

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(U8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

QValidator::State Cp932NameValidator::validate(QString& input, int& /*pos*/) const {
  const Cp932Text converted = ToCp932(input);
  if (converted.unmappable > 0 || converted.bytes.size() > max_) return Invalid;
  return Acceptable;
}

std::optional<rich::CharFormat> ChooseCharFormat(Dialogs* dialogs, QWidget* parent,
                                                 const rich::CharFormat& initial) {
  // A face this system lacks ("ＭＳ 明朝" from another system) opens the dialog on the font that
  // stands in for it; keeping that font keeps the face's own name.
  QFont shown = QtFontFromCharFormat(initial);
  const QString face = QString::fromStdString(initial.face);
  QString stand_in;
  if (!face.isEmpty() && !QFontDatabase::hasFamily(face)) {
    stand_in = QFontInfo(shown).family();
    shown.setFamilies({stand_in});
  }
  const std::optional<std::pair<QFont, QColor>> chosen =
      dialogs->ChooseFontAndColor(parent, shown, QtColorFromRef(initial.color));
  if (!chosen) return std::nullopt;
  rich::CharFormat format = CharFormatFromQtFont(chosen->first);
  if (!stand_in.isEmpty() && chosen->first.family() == stand_in) format.face = initial.face;
  format.color = chosen->second.isValid() ? RefFromQtColor(chosen->second) : initial.color;
  // An unchanged automatic colour stays automatic.
  if (chosen->second == QtColorFromRef(initial.color)) format.color = initial.color;
  return format;
}

TFormFontStyle::TFormFontStyle(Dialogs* dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("FormFontStyle"));
  setWindowTitle(U8("ﾌｫﾝﾄｽﾀｲﾙ"));
  auto* label = new QLabel(U8("ｽﾀｲﾙ名(&S)"), this);
  EditName = new QLineEdit(this);
  EditName->setObjectName(QStringLiteral("EditName"));
  EditName->setMaxLength(static_cast<int>(styling::kMaxStyleNameBytes));
  EditName->setValidator(new Cp932NameValidator(styling::kMaxStyleNameBytes, EditName));
  label->setBuddy(EditName);
  LabelSample = new QLabel(U8(kSampleText), this);
  LabelSample->setObjectName(QStringLiteral("LabelSample"));
  LabelSample->setAlignment(Qt::AlignCenter);
  LabelSample->setFrameShape(QFrame::StyledPanel);
  LabelSample->setMinimumSize(260, 64);
  LabelSample->setAutoFillBackground(true);
  ButtonFont = Button(this, "ButtonFont", "ﾌｫﾝﾄ設定(&F)");
  ButtonOK = Button(this, "ButtonOK", "OK");
  ButtonOK->setDefault(true);
  ButtonCancel = Button(this, "ButtonCancel", "ｷｬﾝｾﾙ");

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(EditName, 0, 1, 1, 2);
  layout->addWidget(LabelSample, 1, 0, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonFont);
  buttons->addStretch();
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  layout->addLayout(buttons, 2, 0, 1, 3);

  connect(ButtonFont, &QPushButton::clicked, this, &TFormFontStyle::ButtonFontClick);
  connect(ButtonOK, &QPushButton::clicked, this, &TFormFontStyle::ButtonOKClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<styling::FontStyle> TFormFontStyle::Register(const rich::CharFormat& sample) {
  sample_ = sample;
  EditName->clear();
  ShowSample();
  EditName->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return styling::StyleFromCharFormat(sample_, ToCp932(EditName->text()).bytes);
}

void TFormFontStyle::ShowSample() {
  LabelSample->setFont(QtFontFromCharFormat(sample_));
  QPalette palette = LabelSample->palette();
  palette.setColor(QPalette::WindowText, rich::IsSystemColor(sample_.color)
                                             ? this->palette().color(QPalette::Text)
                                             : QtColorFromRef(sample_.color));
  palette.setColor(QPalette::Window, this->palette().color(QPalette::Base));
  LabelSample->setPalette(palette);
}

void TFormFontStyle::ButtonFontClick() {
  if (std::optional<rich::CharFormat> chosen = ChooseCharFormat(dialogs_, this, sample_)) {
    sample_ = *chosen;
    ShowSample();
  }
}

void TFormFontStyle::ButtonOKClick() {
  if (EditName->text().isEmpty()) {
    dialogs_->Message(this, U8("Plotweave"), U8(kStyleNameMissing));
    EditName->setFocus();
    return;
  }
  accept();
}

TFormFontStyleEdit::TFormFontStyleEdit(Dialogs* dialogs, TFormFontStyle* register_dialog,
                                       QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), register_dialog_(register_dialog) {
  setObjectName(QStringLiteral("FormFontStyleEdit"));
  setWindowTitle(U8("ﾌｫﾝﾄｽﾀｲﾙの編集"));
  ListBoxStyle = new QListWidget(this);
  ListBoxStyle->setObjectName(QStringLiteral("ListBoxStyle"));
  EditName = new QLineEdit(this);
  EditName->setObjectName(QStringLiteral("EditName"));
  EditName->setMaxLength(static_cast<int>(styling::kMaxStyleNameBytes));
  EditName->setValidator(new Cp932NameValidator(styling::kMaxStyleNameBytes, EditName));
  ButtonFont = Button(this, "ButtonFont", "ﾌｫﾝﾄ(&F)");
  ButtonAdd = Button(this, "ButtonAdd", "追加(&A)");
  ButtonDelete = Button(this, "ButtonDelete", "削除(&D)");
  ButtonUp = Button(this, "ButtonUp", "↑(&U)");
  ButtonDown = Button(this, "ButtonDown", "↓(&L)");
  ButtonOK = Button(this, "ButtonOK", "OK");
  ButtonOK->setDefault(true);
  ButtonCancel = Button(this, "ButtonCancel", "ｷｬﾝｾﾙ");

  auto* side = new QVBoxLayout;
  for (QPushButton* button : {ButtonFont, ButtonAdd, ButtonDelete, ButtonUp, ButtonDown}) {
    side->addWidget(button);
  }
  side->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(ListBoxStyle);
  left->addWidget(EditName);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(side);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(ButtonOK);
  bottom->addWidget(ButtonCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(bottom);

  connect(ListBoxStyle, &QListWidget::currentRowChanged, this,
          &TFormFontStyleEdit::ListBoxStyleClick);
  connect(ListBoxStyle, &QListWidget::itemDoubleClicked, this,
          &TFormFontStyleEdit::ButtonFontClick);
  connect(EditName, &QLineEdit::textEdited, this, &TFormFontStyleEdit::EditNameChange);
  connect(ButtonFont, &QPushButton::clicked, this, &TFormFontStyleEdit::ButtonFontClick);
  connect(ButtonAdd, &QPushButton::clicked, this, &TFormFontStyleEdit::ButtonAddClick);
  connect(ButtonDelete, &QPushButton::clicked, this, &TFormFontStyleEdit::ButtonDeleteClick);
  connect(ButtonUp, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(ButtonDown, &QPushButton::clicked, this, [this] { Move(1); });
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<styling::FontStyleTable> TFormFontStyleEdit::Edit(
    const styling::FontStyleTable& table, const rich::CharFormat& default_format) {
  table_ = table;
  default_format_ = default_format;
  FillList(-1);
  EditName->clear();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return table_;
}

void TFormFontStyleEdit::FillList(int select) {
  filling_ = true;
  ListBoxStyle->clear();
  for (const styling::FontStyle& style : table_.styles()) {
    ListBoxStyle->addItem(FromCp932(style.name));
  }
  ListBoxStyle->setCurrentRow(select);
  filling_ = false;
  if (select >= 0 && select < ListBoxStyle->count()) {
    EditName->setText(FromCp932(table_.at(static_cast<size_t>(select)).name));
  }
}

void TFormFontStyleEdit::ListBoxStyleClick() {
  if (filling_) return;
  const int row = ListBoxStyle->currentRow();
  if (row >= 0) EditName->setText(FromCp932(table_.at(static_cast<size_t>(row)).name));
}

void TFormFontStyleEdit::EditNameChange() {
  const int row = ListBoxStyle->currentRow();
  if (row < 0) return;
  table_.Rename(static_cast<size_t>(row), ToCp932(EditName->text()).bytes);
  ListBoxStyle->item(row)->setText(EditName->text());
}

void TFormFontStyleEdit::ButtonFontClick() {
  const int row = ListBoxStyle->currentRow();
  if (row < 0) return;
  const styling::FontStyle& style = table_.at(static_cast<size_t>(row));
  if (std::optional<rich::CharFormat> chosen =
          ChooseCharFormat(dialogs_, this, styling::CharFormatFromStyle(style))) {
    table_.Set(static_cast<size_t>(row), styling::StyleFromCharFormat(*chosen, style.name));
  }
}

void TFormFontStyleEdit::ButtonAddClick() {
  if (table_.full()) {
    dialogs_->Message(this, U8("Plotweave"), U8(kStyleTableFull));
    return;
  }
  if (std::optional<styling::FontStyle> style = register_dialog_->Register(default_format_)) {
    table_.Add(*style);
    FillList(static_cast<int>(table_.size()) - 1);
  }
}

void TFormFontStyleEdit::ButtonDeleteClick() {
  const styling::StyleDeletion deletion = styling::DeleteStyle(&table_, ListBoxStyle->currentRow());
  if (deletion.removed < 0) return;
  FillList(deletion.select_after);
  if (deletion.select_after < 0) EditName->clear();
}

void TFormFontStyleEdit::Move(int by) {
  const int row = ListBoxStyle->currentRow();
  const int other = row + by;
  if (row < 0 || other < 0 || other >= static_cast<int>(table_.size())) return;
  table_.Swap(static_cast<size_t>(row), static_cast<size_t>(other));
  FillList(other);
}

}  // namespace pw
