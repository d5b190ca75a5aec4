// The print progress window.
#include "ui/export/tform_info.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace pw {

TFormInfo::TFormInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TFormInfo");
  setWindowTitle(U8(kInfoCaption));
  setMinimumWidth(280);
  auto* layout = new QVBoxLayout(this);
  LabelInfo = new QLabel(this);
  LabelInfo->setObjectName("LabelInfo");
  LabelInfo->setAlignment(Qt::AlignCenter);
  LabelInfo->setWordWrap(true);
  LabelInfo->setMinimumHeight(48);
  layout->addWidget(LabelInfo);
  ButtonOK = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  ButtonOK->setObjectName("ButtonOK");
  ButtonOK->setCenterButtons(true);
  ButtonOK->hide();
  connect(ButtonOK, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(ButtonOK);
}

void TFormInfo::SetState(const QString& job_name, const char* state) {
  LabelInfo->setText(job_name + QLatin1Char('\n') + U8(state));
}

QString TFormInfo::text() const { return LabelInfo->text(); }

void TFormInfo::ShowNow() {
  show();
  raise();
  repaint();
  // The window manager maps the window; input stays blocked while the print runs.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormInfo::WaitForAcknowledgement() {
  closable_ = true;
  ButtonOK->show();
  ButtonOK->button(QDialogButtonBox::Ok)->setFocus();
  hide();  // exec() shows it again, modal
  exec();
}

void TFormInfo::reject() {
  // Escape closes it only once the print is over.
  if (closable_) QDialog::reject();
}

}  // namespace pw
