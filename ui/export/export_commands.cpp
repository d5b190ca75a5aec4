// The window's export and import commands: hierarchical text both ways.
#include "ui/export/export_commands.h"

#include <QFileInfo>

#include "core/byte_io.h"
#include "core/outline.h"
#include "export/export_prompt.h"
#include "export/hier_text.h"
#include "platform/paths.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui/common/window_context.h"
#include "ui/document/document_commands.h"
#include "ui/export/export_file_prompt.h"

namespace pw {
namespace {

constexpr char kWriteFailed[] = "ファイルに書き込めませんでした。\r\n%1";

}  // namespace

void ExportCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuSaveOutlineText", this, &ExportCommands::MenuSaveOutlineTextClick);
  actions.Bind("MenuLoadOutlineText", this, &ExportCommands::MenuLoadOutlineTextClick);
}

void ExportCommands::MenuSaveOutlineTextClick() {
  window_.StoreCurrentNode();
  QString path;
  switch (window_.export_prompt().Run(".TXT", kHierTextFilter, kHierExportTitle, &path)) {
    case PromptOutcome::kCancelled:
      return;
    case PromptOutcome::kFailed:
      window_.ShowMessage(kSaveFailed);
      return;
    case PromptOutcome::kChosen:
      break;
  }
  const Status status = ExportHierText(LocalPath(path), window_.outline(), window_.progress());
  if (!status) {
    window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"),
                              U8(kWriteFailed).arg(QString::fromStdString(status.message)),
                              DialogIcon::kError);
    window_.ShowMessage(kSaveFailed);
  }
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
