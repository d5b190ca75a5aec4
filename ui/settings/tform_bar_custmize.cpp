// The tool-bar customisation dialog: a check list of the 43 tool buttons.
#include "ui/settings/tform_bar_custmize.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace pw {

TFormBarCustmize::TFormBarCustmize(const std::array<bool, kToolButtonCount>& visible,
                                   QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FormBarCustmize"));
  setWindowTitle(U8("ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ"));
  setModal(true);
  CheckListBoxMain = new QListWidget;
  CheckListBoxMain->setObjectName(QStringLiteral("CheckListBoxMain"));
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    const std::string_view caption = ToolButtons()[i].entry_caption;
    auto* item = new QListWidgetItem(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
        CheckListBoxMain);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(visible[i] ? Qt::Checked : Qt::Unchecked);
  }
  CheckListBoxMain->setCurrentRow(0);
  // Tall enough for a good part of the list, wide enough for its longest entry.
  CheckListBoxMain->setMinimumSize(CheckListBoxMain->sizeHintForColumn(0) + 48,
                                   CheckListBoxMain->sizeHintForRow(0) * 16);

  ButtonOK = new QPushButton(QStringLiteral("OK"));
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(U8("ｷｬﾝｾﾙ"));
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CheckListBoxMain, 1);
  layout->addLayout(buttons);
}

std::array<bool, kToolButtonCount> TFormBarCustmize::Checked() const {
  std::array<bool, kToolButtonCount> checked{};
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    checked[i] = CheckListBoxMain->item(static_cast<int>(i))->checkState() == Qt::Checked;
  }
  return checked;
}

}  // namespace pw
