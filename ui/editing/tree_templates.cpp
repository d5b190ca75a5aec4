// Templates: a subtree saved as a template file, a template inserted under the selected node,
// and the recent templates of the tool button's drop-down.
#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "editing/templates.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_context.h"
#include "ui/document/document_commands.h"
#include "ui/editing/tree_commands.h"

namespace pw {

QString TreeCommands::TemplateDialogPath() const {
  const QString path = template_path_.isEmpty()
                           ? window_.document().DefaultFolder() + QStringLiteral("NewFile.PWT")
                           : template_path_;
  const QFileInfo info(path);
  if (QFileInfo(info.path()).isDir()) return path;
  return QString::fromStdString(ProgramFolderFile(info.fileName().toStdString()));
}

void TreeCommands::MenuTreeSaveTemplateClick() {
  window_.StoreCurrentNode();
  Node* s = window_.SelectedNode();
  if (s == nullptr) return;
  FileDialogRequest request;
  request.title = U8(kTemplateSaveTitle);
  request.filter = U8("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙ (*.PWT *.pwt)");
  request.default_suffix = QStringLiteral("PWT");
  request.proposed = TemplateDialogPath();
  const std::optional<QString> chosen =
      window_.dialogs().SaveFileName(window_.dialog_parent(), request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().toUpper() != QLatin1String("PWT")) {
    window_.ShowMessage(kInvalidNameMessage);
    window_.ShowMessage(kSaveFailedMessage);
    return;
  }
  if (!QFileInfo(QFileInfo(*chosen).path()).isDir()) {
    window_.ShowMessage(kNoFolderMessage);
    window_.ShowMessage(kSaveFailedMessage);
    return;
  }
  template_path_ = *chosen;
  if (!SaveTemplate(window_.outline(), s, &tree_temp_, LocalPath(*chosen))) {
    window_.ShowMessage(kSaveFailedMessage);
    return;
  }
  window_.settings().TempHistory.Add(chosen->toStdString());
  RebuildTemplateMenu();
}

void TreeCommands::MenuTreeInsTemplateClick() {
  window_.StoreCurrentNode();
  FileDialogRequest request;
  request.title = U8(kTemplateOpenTitle);
  request.filter = U8("ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙ (*.PWT *.pwt)");
  request.default_suffix = QStringLiteral("PWT");
  request.proposed = TemplateDialogPath();
  request.must_exist = true;
  const std::optional<QString> chosen =
      window_.dialogs().OpenFileName(window_.dialog_parent(), request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().toUpper() != QLatin1String("PWT")) {
    window_.ShowMessage(kInvalidNameMessage);
    return;
  }
  if (!LoadTemplate(LocalPath(*chosen), &tree_temp_)) {
    tree_temp_.Clear();
    window_.ShowMessage(kReadFailedMessage);
    return;
  }
  InsertFromTemp(true);
  window_.settings().TempHistory.Add(chosen->toStdString());
  RebuildTemplateMenu();
}

void TreeCommands::OpenRecentTemplate(int index) {
  window_.StoreCurrentNode();
  const size_t i = static_cast<size_t>(index);
  if (i >= window_.settings().TempHistory.size()) return;
  const std::string path = window_.settings().TempHistory[i];
  if (!QFileInfo::exists(QString::fromStdString(path))) {
    // A template that has gone leaves the list without a word.
    window_.settings().TempHistory.Remove(i);
  } else {
    if (LoadTemplate(path, &tree_temp_)) {
      InsertFromTemp(true);
    } else {
      tree_temp_.Clear();
      window_.ShowMessage(kReadFailedMessage);
    }
    window_.settings().TempHistory.MoveToTop(i);
  }
  RebuildTemplateMenu();
}

void TreeCommands::RebuildTemplateMenu() {
  ui_.PopupMenuTempFileOpen->clear();
  for (size_t i = 0; i < window_.settings().TempHistory.size(); ++i) {
    QString path = QString::fromStdString(window_.settings().TempHistory[i]);
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = ui_.PopupMenuTempFileOpen->addAction(QStringLiteral("&%1 %2").arg(i).arg(path));
    item->setObjectName(QStringLiteral("PopupTempFile%1").arg(i));
    const int index = static_cast<int>(i);
    connect(item, &QAction::triggered, this, [this, index] { OpenRecentTemplate(index); });
  }
}

}  // namespace pw
