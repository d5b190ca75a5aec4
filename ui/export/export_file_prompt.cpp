// The export file prompt: suggested path, save dialog, checks on the chosen name.
#include "ui/export/export_file_prompt.h"

#include <QFileInfo>

#include "platform/paths.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_context.h"
#include "ui/document/document_commands.h"

namespace pw {

QString QtFilter(const char* filter) {
  const QString caption = U8(filter).section(QLatin1Char('|'), 0, 0);
  const QString pattern = U8(filter).section(QLatin1Char('|'), 1);
  QStringList patterns = {pattern};
  for (const QString& other : {pattern.toLower(), pattern.toUpper()}) {
    if (!patterns.contains(other)) patterns.append(other);
  }
  return caption.left(caption.indexOf(QLatin1Char('('))) + QStringLiteral("(") +
         patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
}

QString ExportFilePrompt::SuggestedPath(const char* extension) const {
  return QString::fromStdString(SuggestedExportPath(LocalPath(window_.document().document_name()),
                                                    extension, WithTrailingSlash(ConfigDir())));
}

PromptOutcome ExportFilePrompt::Run(const char* extension, const char* filter, const char* title,
                                    QString* path, const QString& proposed) {
  FileDialogRequest request;
  request.title = U8(title);
  request.filter = QtFilter(filter);
  request.default_suffix = U8(extension + 1);
  request.proposed = proposed.isEmpty() ? SuggestedPath(extension) : proposed;
  request.confirm_overwrite = true;
  DocumentCommands& document = window_.document();
  const std::optional<QString> chosen =
      window_.dialogs().SaveFileName(window_.dialog_parent(), request);
  if (!chosen) {
    document.set_save_cancelled(true);
    return PromptOutcome::kCancelled;
  }
  std::string message;
  if (CheckChosenPath(LocalPath(*chosen), extension + 1, &message) == PromptOutcome::kFailed) {
    window_.ShowMessage(message.c_str());
    return PromptOutcome::kFailed;
  }
  document.set_save_cancelled(false);
  *path = QFileInfo(*chosen).absoluteFilePath();
  return PromptOutcome::kChosen;
}

bool ExportFilePrompt::Choose(const char* extension, const char* filter, const char* title,
                              QString* path, const QString& proposed) {
  switch (Run(extension, filter, title, path, proposed)) {
    case PromptOutcome::kCancelled:
      return false;
    case PromptOutcome::kFailed:
      window_.ShowMessage(kSaveFailed);
      return false;
    case PromptOutcome::kChosen:
      return true;
  }
  return false;
}

}  // namespace pw
