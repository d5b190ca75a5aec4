// Qt's message boxes and common dialogs behind the dialog interface.
#include "ui/common/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QPushButton>

namespace pw {
namespace {

// The title bar's buttons and margins beside the caption, in pixels.
constexpr int kTitleBarReserve = 160;

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
  // Qt sizes the box by its text alone; a short text under a long caption would cut the
  // caption in the title bar. Room for the caption, the frame's buttons and margins.
  const int caption_width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                                .horizontalAdvance(caption);
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(caption_width + kTitleBarReserve, 0, QSizePolicy::Minimum,
                                  QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
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

std::optional<QString> QtDialogs::ChooseFolder(QWidget* parent, const QString& caption,
                                               const QString& initial) {
  const QString folder = QFileDialog::getExistingDirectory(parent, caption, initial);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

std::optional<std::pair<QFont, QColor>> QtDialogs::ChooseFontAndColor(QWidget* parent,
                                                                      const QFont& font,
                                                                      const QColor& color) {
  // Qt's font dialog has no colour of its own: a button in its button row opens the colour
  // dialog, and a swatch beside it shows the colour chosen.
  QFontDialog dialog(font, parent);
  QColor chosen = color;
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    auto* button = buttons->addButton(QString::fromUtf8("色(&C)..."), QDialogButtonBox::ActionRole);
    const auto show = [button, &chosen] {
      QPixmap swatch(16, 16);
      swatch.fill(chosen.isValid() ? chosen : button->palette().color(QPalette::Text));
      button->setIcon(QIcon(swatch));
    };
    show();
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &chosen, show] {
      const QColor picked = QColorDialog::getColor(
          chosen.isValid() ? chosen : dialog.palette().color(QPalette::Text), &dialog);
      if (picked.isValid()) {
        chosen = picked;
        show();
      }
    });
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return std::make_pair(dialog.selectedFont(), chosen);
}

}  // namespace pw
