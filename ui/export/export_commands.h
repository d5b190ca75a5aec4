// The export and import commands of the window. Each exporter stores the current node, asks
// for its settings and its file (through the shared export file prompt) and writes the stored
// bodies headless.
#ifndef PLOTWEAVE_UI_EXPORT_EXPORT_COMMANDS_H_
#define PLOTWEAVE_UI_EXPORT_EXPORT_COMMANDS_H_

#include <QObject>
#include <QString>

namespace pw {

class ActionRegistry;
struct Status;
class WindowContext;

class ExportCommands : public QObject {
 public:
  explicit ExportCommands(WindowContext& window) : window_(window) {}

  void Bind(ActionRegistry& actions);

  // Hierarchical text both ways.
  void MenuSaveOutlineTextClick();
  void MenuLoadOutlineTextClick();
  // Formatted text and the HTML site, through the text-format dialog.
  void MenuSaveTextClick();
  void MenuSaveHTMLClick();

  // The name the HTML save dialog starts with: the suggested path without its extension, its
  // file name's ASCII letters in lower case.
  QString HtmlProposedPath() const;

 private:
  // The system's reason in one box, then "保存に失敗しました".
  void ReportWriteFailure(const Status& status);

  WindowContext& window_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_EXPORT_COMMANDS_H_
