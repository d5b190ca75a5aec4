// The EPUB export command of the window: the options dialog, the export file prompt, and the
// book written headless from the stored bodies.
#ifndef PLOTWEAVE_UI_EXPORT_EPUB_COMMANDS_H_
#define PLOTWEAVE_UI_EXPORT_EPUB_COMMANDS_H_

#include <QObject>
#include <string>

namespace pw {

class ActionRegistry;
class WindowContext;

class EpubCommands : public QObject {
 public:
  explicit EpubCommands(WindowContext& window) : window_(window) {}

  void Bind(ActionRegistry& actions);

  void MenuSaveEPUBClick();

 private:
  WindowContext& window_;
  // The writing direction and the author are kept for the next export while the program runs.
  bool vertical_ = true;
  std::string author_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_EPUB_COMMANDS_H_
