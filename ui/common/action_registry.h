// Every command's action by its name ("MenuFileOpen", "PopupTreeAdd", "ToolButtonTreeAdd"):
// the window's menu files declare them here, each command class binds its handlers to them
// and sets their enabled states.
#ifndef PLOTWEAVE_UI_COMMON_ACTION_REGISTRY_H_
#define PLOTWEAVE_UI_COMMON_ACTION_REGISTRY_H_

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

class QMenu;
class QObject;
class QToolBar;
class QToolButton;
class QWidget;

namespace pw {

// A menu caption without its access key: "同じ階層に追加(&A)" -> "同じ階層に追加".
QString WithoutAccessKey(const QString& caption);

class ActionRegistry {
 public:
  // The actions are children of `owner` (the main window).
  explicit ActionRegistry(QObject* owner) : owner_(owner) {}

  // --- declaring (the window's menu files) ---
  // A command of its own, added to `menu` when there is one.
  QAction* AddCommand(QMenu* menu, const char* name, const char* caption,
                      const QKeySequence& shortcut = {});
  // A context-menu item that runs `command` and follows its enabled state; without a caption
  // it shows the command's caption without the access key.
  QAction* AddPopupItem(QMenu* popup, const char* name, QAction* command, const char* caption);
  // A tool button that shows `hint`, runs `command` and follows its state.
  void AddToolButton(QToolBar* bar, QAction* command, const char* name, const char* hint,
                     QMenu* drop_down = nullptr);
  // An action made elsewhere (a submenu's own action), found by its object name.
  void Add(QAction* action) { actions_.insert(action->objectName(), action); }
  // A control that is not an action (the font bar's boxes), for the enabled rules only.
  void AddControl(QWidget* control);

  // --- finding, binding, enabling (the command classes) ---
  QAction* Action(const QString& name) const { return actions_.value(name, nullptr); }
  QToolButton* ToolButton(const QString& name) const { return tool_buttons_.value(name, nullptr); }
  // The command whose shortcut `key` is, or nullptr.
  QAction* CommandWithShortcut(const QKeySequence& key) const;
  // Runs `handler` of `commands` whenever the named action is triggered.
  template <class Commands>
  void Bind(const char* name, Commands* commands, void (Commands::*handler)()) {
    QObject::connect(Action(QString::fromLatin1(name)), &QAction::triggered, commands, handler);
  }
  // Enables or disables a command.
  void SetEnabled(const QString& name, bool enabled);

 private:
  QObject* owner_;
  QHash<QString, QAction*> actions_;
  QHash<QString, QToolButton*> tool_buttons_;
  QList<QWidget*> controls_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_ACTION_REGISTRY_H_
