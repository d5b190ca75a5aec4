// The shortcut keys of the command tables win over the panes' own key bindings: Qt's line and
// text editors bring platform bindings (on X11 Ctrl+K deletes to the end of the line, Ctrl+E
// moves the caret), which would otherwise take the key when a command has it. A key whose
// command is disabled does nothing, so a shortcut key never edits text.
#ifndef PLOTWEAVE_UI_WINDOW_PANE_SHORTCUTS_H_
#define PLOTWEAVE_UI_WINDOW_PANE_SHORTCUTS_H_

#include <QObject>

class QWidget;

namespace pw {

class ActionRegistry;

class PaneShortcuts : public QObject {
  Q_OBJECT

 public:
  // Watches the tree and the two text panes.
  PaneShortcuts(const ActionRegistry& actions, QWidget* tree, QWidget* title, QWidget* body,
                QObject* parent);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const ActionRegistry& actions_;
  QWidget* tree_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_WINDOW_PANE_SHORTCUTS_H_
