// The window's export and import commands: the shared export file prompt and hierarchical
// text both ways.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>

#include "core/byte_io.h"
#include "export/export_prompt.h"
#include "export/hier_text.h"
#include "platform/paths.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui/tform_main.h"

namespace pw {
namespace {

constexpr char kWriteFailed[] = "ファイルに書き込めませんでした。\r\n%1";

// "ﾃｷｽﾄﾌｧｲﾙ (*.TXT)|*.TXT" as a Qt filter that also shows lower-case names.
QString QtFilter(const char* filter) {
  const QString caption = U8(filter).section(QLatin1Char('|'), 0, 0);
  const QString pattern = U8(filter).section(QLatin1Char('|'), 1);
  return caption.left(caption.indexOf(QLatin1Char('('))) + QStringLiteral("(") + pattern +
         QLatin1Char(' ') + pattern.toLower() + QStringLiteral(")");
}

}  // namespace

QString TFormMain::SuggestedPath(const char* extension) const {
  return QString::fromStdString(
      SuggestedExportPath(LocalPath(document_name_), extension, WithTrailingSlash(ConfigDir())));
}

PromptOutcome TFormMain::RunExportPrompt(const char* extension, const char* filter,
                                         const char* title, QString* path) {
  FileDialogRequest request;
  request.title = U8(title);
  request.filter = QtFilter(filter);
  request.default_suffix = U8(extension + 1);
  request.proposed = SuggestedPath(extension);
  request.confirm_overwrite = true;
  const std::optional<QString> chosen = dialogs_->SaveFileName(this, request);
  if (!chosen) {
    save_cancelled_ = true;
    return PromptOutcome::kCancelled;
  }
  std::string message;
  if (CheckChosenPath(LocalPath(*chosen), extension + 1, &message) == PromptOutcome::kFailed) {
    ShowMessage(message.c_str());
    return PromptOutcome::kFailed;
  }
  save_cancelled_ = false;
  *path = QFileInfo(*chosen).absoluteFilePath();
  return PromptOutcome::kChosen;
}

void TFormMain::MenuSaveOutlineTextClick() {
  StoreCurrentNode();
  QString path;
  switch (RunExportPrompt(".TXT", kHierTextFilter, kHierExportTitle, &path)) {
    case PromptOutcome::kCancelled:
      return;
    case PromptOutcome::kFailed:
      ShowMessage(kSaveFailed);
      return;
    case PromptOutcome::kChosen:
      break;
  }
  const Status status = ExportHierText(LocalPath(path), outline_, FormProgress);
  if (!status) {
    dialogs_->Message(this, U8("Plotweave"),
                      U8(kWriteFailed).arg(QString::fromStdString(status.message)),
                      DialogIcon::kError);
    ShowMessage(kSaveFailed);
  }
}

void TFormMain::MenuLoadOutlineTextClick() {
  if (!SavePrompt()) return;
  FileDialogRequest request;
  request.title = U8(kHierImportTitle);
  request.filter = QtFilter(kHierTextFilter);
  request.default_suffix = QStringLiteral("TXT");
  request.proposed = SuggestedPath(".TXT");
  request.must_exist = true;
  const std::optional<QString> chosen = dialogs_->OpenFileName(this, request);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().compare(QLatin1String("TXT"), Qt::CaseInsensitive) != 0) {
    ShowMessage(kInvalidFileName);
    return;
  }
  std::string text;
  std::string error;
  if (!ReadWholeFile(LocalPath(*chosen), &text, &error)) {
    ShowMessage(kReadFailedMessage);
    return;
  }
  // Built aside: an empty file changes nothing, and a tree that cannot be built leaves an
  // empty new document rather than half a tree.
  Outline imported;
  const HierImport result = ImportHierText(text, &imported, FormProgress);
  if (!result.status && imported.empty()) {
    dialogs_->Message(this, U8("Plotweave"), QString::fromStdString(result.status.message),
                      DialogIcon::kError);
    return;
  }
  NewDocument();
  if (!result.status) {
    dialogs_->Message(this, U8("Plotweave"), QString::fromStdString(result.status.message),
                      DialogIcon::kError);
    return;
  }
  ReplaceOutline(&imported);
  document_name_ = QFileInfo(*chosen).absolutePath() + QLatin1Char('/') +
                   QFileInfo(*chosen).completeBaseName() + QStringLiteral(".PWV");
  HoldDocument(document_name_);
  SetCaption();
  ClearBodyPane();
  SelectNode(outline_.NodeAt(0));
  ForgetChanges();
}

}  // namespace pw
