// The export and import commands of the window. Each exporter stores the current node, asks
// for its file through the shared export file prompt and writes the stored bodies headless.
#ifndef PLOTWEAVE_UI_EXPORT_EXPORT_COMMANDS_H_
#define PLOTWEAVE_UI_EXPORT_EXPORT_COMMANDS_H_

#include <QObject>

namespace pw {

class ActionRegistry;
class WindowContext;

class ExportCommands : public QObject {
 public:
  explicit ExportCommands(WindowContext& window) : window_(window) {}

  void Bind(ActionRegistry& actions);

  // Hierarchical text both ways.
  void MenuSaveOutlineTextClick();
  void MenuLoadOutlineTextClick();

 private:
  WindowContext& window_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_EXPORT_COMMANDS_H_
