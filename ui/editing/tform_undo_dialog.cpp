// The confirmation dialog of merge, split and the undo of an add.
#include "ui/editing/tform_undo_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace pw {

TFormUndoDialog::TFormUndoDialog(bool* setting, QWidget* parent)
    : QDialog(parent), setting_(setting) {
  setObjectName("TFormUndoDialog");
  setWindowTitle(U8("確認"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  LabelText = new QLabel(this);
  LabelText->setObjectName("LabelText");
  layout->addWidget(LabelText);
  CheckBoxDisable = new QCheckBox(U8("次からこの確認ﾀﾞｲｱﾛｸﾞは出さない"), this);
  CheckBoxDisable->setObjectName("CheckBoxDisable");
  layout->addWidget(CheckBoxDisable);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  ButtonYes = new QPushButton(U8("はい"), this);
  ButtonYes->setObjectName("ButtonYes");
  ButtonNo = new QPushButton(U8("いいえ"), this);
  ButtonNo->setObjectName("ButtonNo");
  ButtonNo->setDefault(true);
  buttons->addWidget(ButtonYes);
  buttons->addWidget(ButtonNo);
  layout->addLayout(buttons);
  // "いいえ" comes first in the tab order, so a stray Enter or Space never confirms.
  setTabOrder(ButtonNo, ButtonYes);
  setTabOrder(ButtonYes, CheckBoxDisable);
  connect(ButtonYes, &QPushButton::clicked, this, [this] { done(kYes); });
  connect(ButtonNo, &QPushButton::clicked, this, [this] { done(kNo); });
}

bool TFormUndoDialog::AskGoOn(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  LabelText->setText(shown);
  ButtonNo->setFocus();
  return exec() != kNo;
}

void TFormUndoDialog::hideEvent(QHideEvent* event) {
  if (setting_ != nullptr) *setting_ = !CheckBoxDisable->isChecked();
  QDialog::hideEvent(event);
}

}  // namespace pw
