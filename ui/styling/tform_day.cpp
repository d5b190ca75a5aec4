// The date dialog's list and choice.
#include "ui/styling/tform_day.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace pw {

TFormDay::TFormDay(const std::string& format_file, QWidget* parent, Clock clock)
    : QDialog(parent), formats_(styling::LoadDateFormats(format_file)), clock_(std::move(clock)) {
  setObjectName(QStringLiteral("FormDay"));
  setWindowTitle(U8("日付の挿入"));
  ListBoxFormat = new QListWidget(this);
  ListBoxFormat->setObjectName(QStringLiteral("ListBoxFormat"));
  ListBoxFormat->setSelectionMode(QAbstractItemView::SingleSelection);
  // Lines with and without kanji (drawn by a fallback font) keep one height.
  ListBoxFormat->setUniformItemSizes(true);
  ButtonOK = new QPushButton(U8("OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(U8("ｷｬﾝｾﾙ"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBoxFormat);
  layout->addLayout(buttons);
  resize(320, 360);

  connect(ButtonOK, &QPushButton::clicked, this, &TFormDay::ButtonOKClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ListBoxFormat, &QListWidget::itemDoubleClicked, this, &TFormDay::ButtonOKClick);
}

void TFormDay::FillList() {
  ListBoxFormat->clear();
  for (const std::string& format : formats_) {
    // The moment is taken anew for each line, as the list is built.
    if (std::optional<std::string> text = styling::FormatDateTime(format, clock_())) {
      ListBoxFormat->addItem(FromCp932(*text));
    }
  }
  if (chosen_index_ >= 0 && chosen_index_ < ListBoxFormat->count()) {
    ListBoxFormat->setCurrentRow(chosen_index_);
  }
}

std::optional<QString> TFormDay::Choose() {
  FillList();
  ListBoxFormat->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  QListWidgetItem* item = ListBoxFormat->item(chosen_index_);
  if (item == nullptr) return std::nullopt;
  return item->text();
}

void TFormDay::ButtonOKClick() {
  const QList<QListWidgetItem*> selected = ListBoxFormat->selectedItems();
  if (selected.isEmpty()) return;  // nothing chosen: the dialog stays
  chosen_index_ = ListBoxFormat->row(selected.front());
  accept();
}

}  // namespace pw
