// The export file prompt every exporter shares: the suggested path beside the document, the
// save dialog and the checks on the chosen name.
#ifndef PLOTWEAVE_UI_EXPORT_EXPORT_FILE_PROMPT_H_
#define PLOTWEAVE_UI_EXPORT_EXPORT_FILE_PROMPT_H_

#include <QString>

#include "export/export_prompt.h"

namespace pw {

class WindowContext;

// "ﾃｷｽﾄﾌｧｲﾙ (*.TXT)|*.TXT" as a Qt filter that also shows names in the other letter case.
QString QtFilter(const char* filter);

class ExportFilePrompt {
 public:
  explicit ExportFilePrompt(WindowContext& window) : window_(window) {}

  // The document's path with `extension` (".TXT"); when its folder does not exist, the
  // configuration folder with that file name.
  QString SuggestedPath(const char* extension) const;
  // Asks for the file to write. kChosen: `path` holds the absolute path. kFailed: the name
  // was refused and the user told why; the caller reports the failed save. The dialog starts
  // with `proposed`, or the suggested path when it is empty.
  PromptOutcome Run(const char* extension, const char* filter, const char* title, QString* path,
                    const QString& proposed = QString());
  // Run, with a refused name reported as the failed save it is; true when `path` was chosen.
  bool Choose(const char* extension, const char* filter, const char* title, QString* path,
              const QString& proposed = QString());

 private:
  WindowContext& window_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_EXPORT_FILE_PROMPT_H_
