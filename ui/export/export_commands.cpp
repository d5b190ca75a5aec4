// The window's export and import commands: hierarchical text both ways, formatted text and
// the HTML site.
#include "ui/export/export_commands.h"

#include <QApplication>
#include <QFileInfo>

#include "core/byte_io.h"
#include "core/outline.h"
#include "export/export_prompt.h"
#include "export/hier_text.h"
#include "export/html_export.h"
#include "export/text_export.h"
#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui/common/wait_cursor.h"
#include "ui/common/window_context.h"
#include "ui/document/document_commands.h"
#include "ui/export/export_file_prompt.h"
#include "ui/export/tform_html_format.h"
#include "ui/export/tform_text_format.h"

namespace pw {

void ExportCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuSaveOutlineText", this, &ExportCommands::MenuSaveOutlineTextClick);
  actions.Bind("MenuLoadOutlineText", this, &ExportCommands::MenuLoadOutlineTextClick);
  actions.Bind("MenuSaveText", this, &ExportCommands::MenuSaveTextClick);
  actions.Bind("MenuSaveHTML", this, &ExportCommands::MenuSaveHTMLClick);
}

void ExportCommands::MenuSaveOutlineTextClick() {
  window_.StoreCurrentNode();
  QString path;
  if (!window_.export_prompt().Choose(".TXT", kHierTextFilter, kHierExportTitle, &path)) return;
  const Status status = ExportHierText(LocalPath(path), window_.outline(), window_.progress());
  if (!status) ReportWriteFailure(status);
}

void ExportCommands::ReportWriteFailure(const Status& status) {
  window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"),
                            U8(kWriteFailed).arg(QString::fromStdString(status.message)),
                            DialogIcon::kError);
  window_.ShowMessage(kSaveFailed);
}

void ExportCommands::MenuSaveTextClick() {
  window_.StoreCurrentNode();
  const Node* selected = window_.SelectedNode();
  TFormTextFormat dialog(window_, selected);
  dialog.ShowPages(true, true);
  dialog.ShowGroups(true, false);
  if (!dialog.Execute()) return;
  QString path;
  if (!window_.export_prompt().Choose(kTextExportExtension, kTextExportFilter, kTextExportTitle,
                                      &path)) {
    return;
  }
  const TextFormat& format = dialog.format();
  Status status;
  {
    WaitCursor wait;
    status = ExportFormattedText(LocalPath(path), window_.outline(),
                                 ScopeRange(window_.outline(), format.scope, selected), format,
                                 window_.settings().SplitLine, window_.progress());
  }
  if (!status) ReportWriteFailure(status);
}

QString ExportCommands::HtmlProposedPath() const {
  const QFileInfo suggested(window_.export_prompt().SuggestedPath(kHtmlExportExtension));
  QString name = suggested.completeBaseName();
  for (QChar& c : name) {
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + ('a' - 'A'));
  }
  return suggested.path() + QLatin1Char('/') + name;
}

void ExportCommands::MenuSaveHTMLClick() {
  window_.StoreCurrentNode();
  const Node* selected = window_.SelectedNode();
  TFormTextFormat dialog(window_, selected);
  dialog.ShowPages(false, false);
  TFormHTMLFormat options(window_.dialog_parent());
  if (!dialog.Execute()) return;
  const TextFormat& format = dialog.format();
  const bool single = format.scope == ExportScope::kSelectedNode;
  if (!single) {
    options.SetSiteTitle(DefaultSiteTitle(window_.outline(), format.scope, selected));
    if (options.exec() != QDialog::Accepted) return;
  }
  QString path;
  if (!window_.export_prompt().Choose(".HTM", kHtmlExportFilter, kHtmlExportTitle, &path,
                                      HtmlProposedPath())) {
    return;
  }
  Status status;
  {
    WaitCursor wait;
    if (single) {
      status = WriteHtmlPage(LocalPath(path), *selected);
    } else {
      status = WriteHtmlSite(
          LocalPath(path), window_.outline(), ScopeRange(window_.outline(), format.scope, selected),
          format, options.Options(), DataDir() + "/" + kMarkImageSourceFolder, window_.progress());
    }
  }
  if (!status) ReportWriteFailure(status);
}

void ExportCommands::MenuLoadOutlineTextClick() {
  DocumentCommands& document = window_.document();
  if (!document.SavePrompt()) return;
  FileDialogRequest request;
  request.title = U8(kHierImportTitle);
  request.filter = QtFilter(kHierTextFilter);
  request.default_suffix = QStringLiteral("TXT");
  request.proposed = window_.export_prompt().SuggestedPath(".TXT");
  request.must_exist = true;
  const std::optional<QString> chosen =
      window_.dialogs().OpenFileName(window_.dialog_parent(), request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().compare(QLatin1String("TXT"), Qt::CaseInsensitive) != 0) {
    window_.ShowMessage(kInvalidFileName);
    return;
  }
  std::string text;
  std::string error;
  if (!ReadWholeFile(LocalPath(*chosen), &text, &error)) {
    window_.ShowMessage(kReadFailedMessage);
    return;
  }
  // Built aside: an empty file changes nothing, and a tree that cannot be built leaves an
  // empty new document rather than half a tree.
  Outline imported;
  const HierImport result = ImportHierText(text, &imported, window_.progress());
  if (!result.status && imported.empty()) {
    window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"),
                              QString::fromStdString(result.status.message), DialogIcon::kError);
    return;
  }
  document.NewDocument();
  if (!result.status) {
    window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"),
                              QString::fromStdString(result.status.message), DialogIcon::kError);
    return;
  }
  document.TakeImportedDocument(&imported, QFileInfo(*chosen).absolutePath() + QLatin1Char('/') +
                                               QFileInfo(*chosen).completeBaseName() +
                                               QStringLiteral(".PWV"));
}

}  // namespace pw
