// The help menu: the help pages in a browser window of their own, and the about box.
#ifndef PLOTWEAVE_UI_WINDOW_HELP_COMMANDS_H_
#define PLOTWEAVE_UI_WINDOW_HELP_COMMANDS_H_

#include <QObject>

namespace pw {

class ActionRegistry;
class WindowContext;

class HelpCommands : public QObject {
 public:
  explicit HelpCommands(WindowContext& window) : window_(window) {}

  void Bind(ActionRegistry& actions);

  void MenuHelpContentsClick();
  void MenuHelpAboutClick();

 private:
  WindowContext& window_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_WINDOW_HELP_COMMANDS_H_
