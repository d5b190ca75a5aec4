// Named font styles in the window: registering, applying (menus, Ctrl+1..Ctrl+8, the style
// button), editing, and the ".FSF" file saved and loaded through the file dialogs.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTextEdit>

#include "export/export_prompt.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_context.h"
#include "ui/common/window_controls.h"
#include "ui/document/document_commands.h"
#include "ui/export/export_file_prompt.h"
#include "ui/styling/char_format_qt.h"
#include "ui/styling/styling_commands.h"
#include "ui/styling/tform_font_style.h"

namespace pw {
namespace {

constexpr char kStyleFilter[] = "ﾌｫﾝﾄｽﾀｲﾙﾌｧｲﾙ (*.FSF)|*.FSF";
constexpr char kStyleSaveTitle[] = "ﾌｫﾝﾄｽﾀｲﾙの保存";
constexpr char kStyleLoadTitle[] = "ﾌｫﾝﾄｽﾀｲﾙの読み込み";

FileDialogRequest StyleDialogRequest(const char* title, const QString& proposed) {
  FileDialogRequest request;
  request.title = U8(title);
  request.filter = QtFilter(kStyleFilter);
  request.default_suffix = QStringLiteral("FSF");
  request.proposed = proposed;
  return request;
}

}  // namespace

rich::CharFormat StylingCommands::DefaultBodyFormat() const {
  const FontSetting& font = window_.settings().RichEditFont;
  styling::FontStyle style{font.Color, font.Size, font.Name, static_cast<uint8_t>(font.Style & 15),
                           {}};
  return styling::CharFormatFromStyle(style);
}

void StylingCommands::LoadStartupStyles() {
  style_dialog_file_ = window_.document().DefaultFolder() + U8("NewFile.FSF");
  const QString path = QString::fromStdString(window_.settings().StyFileName);
  if (!path.isEmpty() && QFileInfo(path).isFile()) ReadStyleFile(path, true);
}

bool StylingCommands::ReadStyleFile(const QString& path, bool silent) {
  const Status status = styling::ReadFontStyleFile(LocalPath(path), &styles_);
  if (!status) {
    if (!silent) window_.ShowMessage(kReadFailedMessage);
    return false;
  }
  style_dialog_file_ = path;
  window_.settings().StyFileName = LocalPath(path);
  RebuildStyleMenus();
  return true;
}

void StylingCommands::RebuildStyleMenus() {
  qDeleteAll(style_items_);
  style_items_.clear();
  QMenu* text_menu = window_.dialog_parent()->findChild<QMenu*>(QStringLiteral("MenuText"));
  for (size_t i = 0; i < styles_.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    QString name = FromCp932(styles_.at(i).name);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));  // shown as written, not as a key
    const QString caption = QStringLiteral("&%1 ").arg(n) + name;
    const QKeySequence key(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + n));
    for (QMenu* menu : {text_menu, ui_.PopupMenuEdit, ui_.PopupMenuFontStyle}) {
      if (menu == nullptr) continue;
      auto* item = new QAction(caption, menu);
      item->setObjectName(QStringLiteral("MenuTextStyle%1").arg(n));
      item->setShortcut(key);
      // One window-wide Ctrl+n, on the text menu's item; the others only show it.
      if (menu != text_menu) item->setShortcutContext(Qt::WidgetShortcut);
      connect(item, &QAction::triggered, this, [this, n] { ApplyStyle(n); });
      menu->addAction(item);
      style_items_.append(item);
    }
  }
}

void StylingCommands::ApplyStyle(int n) {
  if (n < 1 || n > static_cast<int>(styles_.size())) return;
  MergeIntoSelection(FullQtCharFormat(styling::CharFormatFromStyle(styles_.at(static_cast<size_t>(n - 1)))));
  last_style_ = n;
}

void StylingCommands::ToolTextStyleClick() {
  if (styles_.empty()) return;
  // Deleting styles leaves the number as it was; past the end it means the last style.
  ApplyStyle(std::min(last_style_, static_cast<int>(styles_.size())));
}

void StylingCommands::MenuTextStyleSetClick() {
  if (styles_.full()) {
    window_.ShowMessage(kStyleTableFull);
    return;
  }
  const rich::CharFormat sample =
      ui_.RichEditMain->textCursor().hasSelection() ? SelectionFormat() : DefaultBodyFormat();
  if (std::optional<styling::FontStyle> style = FormFontStyle->Register(sample)) {
    styles_.Add(*style);
    RebuildStyleMenus();
  }
}

void StylingCommands::MenuTextStyleEditClick() {
  TFormFontStyleEdit dialog(&window_.dialogs(), FormFontStyle, window_.dialog_parent());
  if (std::optional<styling::FontStyleTable> edited = dialog.Edit(styles_, DefaultBodyFormat())) {
    styles_ = *edited;
    RebuildStyleMenus();
  }
}

void StylingCommands::MenuTextStyleSaveClick() {
  const QString proposed = QString::fromStdString(SuggestedExportPath(
      LocalPath(style_dialog_file_), ".FSF", WithTrailingSlash(ConfigDir())));
  const std::optional<QString> chosen = window_.dialogs().SaveFileName(
      window_.dialog_parent(), StyleDialogRequest(kStyleSaveTitle, proposed));
  if (!chosen) return;
  std::string message;
  if (CheckChosenPath(LocalPath(*chosen), "FSF", &message) == PromptOutcome::kFailed) {
    window_.ShowMessage(message.c_str());
    window_.ShowMessage(kSaveFailedMessage);
    return;
  }
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const Status status = styling::WriteFontStyleFile(LocalPath(path), styles_);
  QApplication::restoreOverrideCursor();
  if (!status) {
    window_.ShowMessage(kSaveFailedMessage);
    return;
  }
  style_dialog_file_ = path;
  window_.settings().StyFileName = LocalPath(path);
}

void StylingCommands::MenuTextStyleLoadClick() {
  FileDialogRequest request = StyleDialogRequest(kStyleLoadTitle, style_dialog_file_);
  request.must_exist = true;
  const std::optional<QString> chosen =
      window_.dialogs().OpenFileName(window_.dialog_parent(), request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().toUpper() != QLatin1String("FSF")) {
    window_.ShowMessage(kInvalidNameMessage);
    return;
  }
  ReadStyleFile(QFileInfo(*chosen).absoluteFilePath(), false);
}

}  // namespace pw
