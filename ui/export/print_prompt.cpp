// The print dialog with a preview button. The preview works on the same printer object, so
// what the user set in either dialog holds for the print.
#include "ui/export/print_prompt.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include "ui/common/qt_text.h"

namespace pw {

PrintPrompt::Choice QtPrintPrompt::Ask(QWidget* parent, QPrinter* printer,
                                       const std::function<void(QPrinter*)>& paint) {
  QPrintDialog dialog(printer, parent);
  dialog.setObjectName("PrintDialogMain");
  bool printed_from_preview = false;
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    QPushButton* preview = buttons->addButton(U8(kPreviewButton), QDialogButtonBox::ActionRole);
    preview->setObjectName("ButtonPreview");
    QObject::connect(preview, &QPushButton::clicked, &dialog, [&] {
      QPrintPreviewDialog pages(printer, &dialog);
      pages.setObjectName("PrintPreviewDialog");
      pages.resize(860, 720);
      QObject::connect(&pages, &QPrintPreviewDialog::paintRequested, &pages,
                       [&paint](QPrinter* target) { paint(target); });
      // The preview's own print button prints and closes it with Accepted.
      if (pages.exec() == QDialog::Accepted) {
        printed_from_preview = true;
        dialog.done(QDialog::Accepted);
      }
    });
  }
  if (dialog.exec() != QDialog::Accepted) return Choice::kCancelled;
  return printed_from_preview ? Choice::kPrintedFromPreview : Choice::kPrint;
}

}  // namespace pw
