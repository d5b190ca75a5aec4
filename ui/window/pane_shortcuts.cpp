// Gives the command tables' shortcut keys to the commands in every pane.
#include "ui/window/pane_shortcuts.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include "ui/common/action_registry.h"

namespace pw {

PaneShortcuts::PaneShortcuts(const ActionRegistry& actions, QWidget* tree, QWidget* title,
                             QWidget* body, QObject* parent)
    : QObject(parent), actions_(actions), tree_(tree) {
  for (QWidget* pane : {tree, title, body}) pane->installEventFilter(this);
}

bool PaneShortcuts::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  const QKeySequence sequence(QKeyCombination(modifiers, Qt::Key(key->key())));
  if (actions_.CommandWithShortcut(sequence) == nullptr) return false;
  // Ctrl+Delete deletes the node only from the tree; in the text panes it is the desktop's
  // "delete the next word".
  if (sequence == QKeySequence(Qt::CTRL | Qt::Key_Delete) && watched != tree_) {
    if (type == QEvent::ShortcutOverride) event->accept();
    return false;
  }
  if (type == QEvent::ShortcutOverride) {
    // Not taken by the pane: the shortcut runs the command (when it is enabled).
    event->ignore();
    return true;
  }
  // The key reached the pane, so its command is disabled: it does nothing.
  return true;
}

}  // namespace pw
