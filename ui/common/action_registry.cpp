// Declaring, finding and enabling the window's commands. Every entry of one command (menu
// item, tool button, context-menu item) runs the same handler and shares its enabled state.
#include "ui/common/action_registry.h"

#include <QMenu>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "ui/common/qt_text.h"

namespace pw {

QString WithoutAccessKey(const QString& caption) {
  static const QRegularExpression access_key(QStringLiteral("\\(&.\\)"));
  QString text = caption;
  text.remove(access_key);
  return text;
}

QAction* ActionRegistry::AddCommand(QMenu* menu, const char* name, const char* caption,
                                    const QKeySequence& shortcut) {
  auto* action = new QAction(U8(caption), owner_);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (menu != nullptr) menu->addAction(action);
  actions_.insert(action->objectName(), action);
  return action;
}

QAction* ActionRegistry::AddPopupItem(QMenu* popup, const char* name, QAction* command,
                                      const char* caption) {
  const QString text = caption != nullptr ? U8(caption) : WithoutAccessKey(command->text());
  auto* item = new QAction(text, popup);
  item->setObjectName(QString::fromLatin1(name));
  item->setEnabled(command->isEnabled());
  QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
  QObject::connect(command, &QAction::changed, item,
                   [item, command] { item->setEnabled(command->isEnabled()); });
  popup->addAction(item);
  actions_.insert(item->objectName(), item);
  return item;
}

void ActionRegistry::AddToolButton(QToolBar* bar, QAction* command, const char* name,
                                   const char* hint, QMenu* drop_down) {
  // The button shows the hint, the menu the caption: the button gets an action of its own
  // that follows the command.
  auto* button_action = new QAction(command->icon(), U8(hint), bar);
  button_action->setObjectName(QString::fromLatin1(name));
  button_action->setToolTip(U8(hint));
  button_action->setCheckable(command->isCheckable());
  button_action->setEnabled(command->isEnabled());
  QObject::connect(button_action, &QAction::triggered, command, [command] {
    if (command->isCheckable()) command->setChecked(true);
    command->trigger();
  });
  QObject::connect(command, &QAction::changed, button_action, [button_action, command] {
    button_action->setEnabled(command->isEnabled());
    // The buttons form an exclusive group of their own: checking one unchecks the others.
    if (command->isCheckable() && command->isChecked()) button_action->setChecked(true);
  });
  bar->addAction(button_action);
  auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(button_action));
  if (button != nullptr) {
    button->setObjectName(QString::fromLatin1(name));
    if (drop_down != nullptr) {
      button->setMenu(drop_down);
      button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    tool_buttons_.insert(button->objectName(), button);
  }
  actions_.insert(button_action->objectName(), button_action);
}

void ActionRegistry::AddControl(QWidget* control) { controls_.append(control); }

void ActionRegistry::SetEnabled(const QString& name, bool enabled) {
  QAction* action = Action(name);
  if (action == nullptr) return;
  action->setEnabled(enabled);
}

QAction* ActionRegistry::CommandWithShortcut(const QKeySequence& key) const {
  for (QAction* action : actions_) {
    if (action->shortcuts().contains(key)) return action;
  }
  return nullptr;
}

}  // namespace pw
