// Qt's message boxes and common dialogs behind the dialog interface.
#include "ui/common/dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace pw {
namespace {

QString ForDisplay(QString text) {
  return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent, request.title, request.proposed, request.filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(request.default_suffix);
  if (save && !request.confirm_overwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.proposed.isEmpty()) dialog.selectFile(request.proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace

DialogAnswer QtDialogs::Ask(QWidget* parent, const QString& caption, const QString& text,
                            DialogButtons buttons, DialogIcon icon) {
  QMessageBox::Icon qt_icon = QMessageBox::NoIcon;
  switch (icon) {
    case DialogIcon::kNone:
      break;
    case DialogIcon::kInformation:
      qt_icon = QMessageBox::Information;
      break;
    case DialogIcon::kWarning:
      qt_icon = QMessageBox::Warning;
      break;
    case DialogIcon::kError:
      qt_icon = QMessageBox::Critical;
      break;
    case DialogIcon::kQuestion:
      qt_icon = QMessageBox::Question;
      break;
  }
  QMessageBox::StandardButtons qt_buttons = QMessageBox::Ok;
  if (buttons == DialogButtons::kYesNo) qt_buttons = QMessageBox::Yes | QMessageBox::No;
  if (buttons == DialogButtons::kYesNoCancel) {
    qt_buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  QMessageBox box(qt_icon, caption, ForDisplay(text), qt_buttons, parent);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return DialogAnswer::kYes;
    case QMessageBox::No:
      return DialogAnswer::kNo;
    case QMessageBox::Ok:
      return DialogAnswer::kOk;
    default:
      return buttons == DialogButtons::kYesNo ? DialogAnswer::kNo : DialogAnswer::kCancel;
  }
}

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, false);
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, true);
}

std::optional<QFont> QtDialogs::ChooseFont(QWidget* parent, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<QColor> QtDialogs::ChooseColor(QWidget* parent, const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial, parent);
  if (!color.isValid()) return std::nullopt;
  return color;
}

}  // namespace pw
