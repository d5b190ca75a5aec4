// The EPUB options dialog.
#include "ui/export/tform_epub_options.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace pw {

TFormEpubOptions::TFormEpubOptions(QWidget* parent,
                                   std::function<std::string(ExportScope)> title_of_scope,
                                   bool node_selected, bool subtree_available)
    : QDialog(parent), title_of_scope_(std::move(title_of_scope)) {
  setObjectName("TFormEpubOptions");
  setWindowTitle(U8(kEpubOptionsCaption));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  GroupBoxWriting = new QGroupBox(U8("書字方向"), this);
  GroupBoxWriting->setObjectName("GroupBoxWriting");
  auto* writing = new QHBoxLayout(GroupBoxWriting);
  RadioButtonVertical = new QRadioButton(U8("縦書き(&V)"), GroupBoxWriting);
  RadioButtonVertical->setObjectName("RadioButtonVertical");
  RadioButtonHorizontal = new QRadioButton(U8("横書き(&Y)"), GroupBoxWriting);
  RadioButtonHorizontal->setObjectName("RadioButtonHorizontal");
  writing->addWidget(RadioButtonVertical);
  writing->addWidget(RadioButtonHorizontal);
  writing->addStretch(1);
  layout->addWidget(GroupBoxWriting);

  GroupBoxScope = new QGroupBox(U8("範囲"), this);
  GroupBoxScope->setObjectName("GroupBoxScope");
  auto* scope = new QVBoxLayout(GroupBoxScope);
  RadioButtonSelected = new QRadioButton(U8(kScopeSelectedNodeCaption), GroupBoxScope);
  RadioButtonSelected->setObjectName("RadioButtonSelected");
  RadioButtonSubtree = new QRadioButton(U8(kScopeSubtreeCaption), GroupBoxScope);
  RadioButtonSubtree->setObjectName("RadioButtonSubtree");
  RadioButtonAll = new QRadioButton(U8(kScopeAllCaption), GroupBoxScope);
  RadioButtonAll->setObjectName("RadioButtonAll");
  RadioButtonSelected->setEnabled(node_selected);
  RadioButtonSubtree->setEnabled(node_selected && subtree_available);
  scope->addWidget(RadioButtonSelected);
  scope->addWidget(RadioButtonSubtree);
  scope->addWidget(RadioButtonAll);
  layout->addWidget(GroupBoxScope);

  auto* book = new QFormLayout();
  EditTitle = new QLineEdit(this);
  EditTitle->setObjectName("EditTitle");
  EditTitle->setMinimumWidth(320);
  EditAuthor = new QLineEdit(this);
  EditAuthor->setObjectName("EditAuthor");
  auto* title_label = new QLabel(U8("書名(&T)"), this);
  title_label->setBuddy(EditTitle);
  auto* author_label = new QLabel(U8("著者(&R)"), this);
  author_label->setBuddy(EditAuthor);
  book->addRow(title_label, EditTitle);
  book->addRow(author_label, EditAuthor);
  layout->addLayout(book);

  CheckBoxChapterON = new QCheckBox(U8("見出しに章番号を付ける(&N)"), this);
  CheckBoxChapterON->setObjectName("CheckBoxChapterON");
  layout->addWidget(CheckBoxChapterON);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName("ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(U8("ｷｬﾝｾﾙ"), this);
  ButtonCancel->setObjectName("ButtonCancel");
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  layout->addLayout(buttons);

  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(EditTitle, &QLineEdit::textEdited, this, [this] { title_typed_ = true; });
  for (QRadioButton* b : {RadioButtonSelected, RadioButtonSubtree, RadioButtonAll}) {
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ScopeChanged();
    });
  }
  RadioButtonVertical->setChecked(true);
  RadioButtonAll->setChecked(true);
}

ExportScope TFormEpubOptions::Scope() const {
  if (RadioButtonSelected->isChecked()) return ExportScope::kSelectedNode;
  if (RadioButtonSubtree->isChecked()) return ExportScope::kSubtree;
  return ExportScope::kAll;
}

void TFormEpubOptions::ScopeChanged() {
  if (!title_typed_ && title_of_scope_) EditTitle->setText(U8(title_of_scope_(Scope()).c_str()));
}

void TFormEpubOptions::SetChoices(const EpubChoices& choices) {
  (choices.vertical ? RadioButtonVertical : RadioButtonHorizontal)->setChecked(true);
  QRadioButton* scope = choices.scope == ExportScope::kSelectedNode ? RadioButtonSelected
                        : choices.scope == ExportScope::kSubtree    ? RadioButtonSubtree
                                                                    : RadioButtonAll;
  if (!scope->isEnabled()) scope = RadioButtonAll;
  scope->setChecked(true);
  EditTitle->setText(QString::fromStdString(choices.title));
  EditAuthor->setText(QString::fromStdString(choices.author));
  CheckBoxChapterON->setChecked(choices.chapter_numbers);
  title_typed_ = false;
}

EpubChoices TFormEpubOptions::Choices() const {
  EpubChoices choices;
  choices.vertical = RadioButtonVertical->isChecked();
  choices.scope = Scope();
  choices.title = EditTitle->text().toStdString();
  choices.author = EditAuthor->text().toStdString();
  choices.chapter_numbers = CheckBoxChapterON->isChecked();
  return choices;
}

}  // namespace pw
