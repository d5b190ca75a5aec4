// What a command class may reach of the main window: the document, the current node and the
// panes that show it, the dialogs, the progress window, the settings, the commands' actions
// and the export file prompt. TFormMain implements it; no command class sees the rest of the
// window (its layout, its bars, its closing).
#ifndef PLOTWEAVE_UI_COMMON_WINDOW_CONTEXT_H_
#define PLOTWEAVE_UI_COMMON_WINDOW_CONTEXT_H_

#include "ui/common/window_controls.h"

class QWidget;

namespace pw {

class ActionRegistry;
class Dialogs;
class DocumentCommands;
class ExportFilePrompt;
class NodePanes;
class Node;
class Outline;
class OutlineModel;
struct DocumentFlags;
struct Settings;

class WindowContext {
 public:
  // The window as the parent of dialogs and message boxes, and where they are placed.
  virtual QWidget* dialog_parent() = 0;
  virtual const WindowControls& controls() const = 0;

  // --- the document ---
  virtual Outline& outline() = 0;
  virtual OutlineModel* model() const = 0;
  virtual DocumentFlags& flags() = 0;
  // Its name and life: new, open, the save prompt, taking an imported tree.
  virtual DocumentCommands& document() = 0;

  // --- the current node and the panes ---
  // The node the panes show (nullptr while nothing is selected or the tree is replaced).
  virtual Node* current_node() const = 0;
  virtual Node* SelectedNode() const = 0;
  virtual void SelectNode(Node* node) = 0;
  // Stores the body pane into the current node and trims its title: the first step of
  // nearly every command.
  virtual void StoreCurrentNode() = 0;
  // The enabled states of the commands that depend on the selected node.
  virtual void UpdateTreeCommands() = 0;
  // The finer steps of the hand-over (clearing the body pane, replacing the tree).
  virtual NodePanes& panes() = 0;

  // --- the services ---
  virtual Dialogs& dialogs() = 0;
  virtual Settings& settings() = 0;
  virtual ActionRegistry& action_registry() = 0;
  virtual ExportFilePrompt& export_prompt() = 0;
  // Menus and bars are off while a command waits on a dialog of its own.
  virtual void SetBarsEnabled(bool enabled) = 0;
  // Shows the settings in the window again (after the options changed them).
  virtual void ApplySettings() = 0;

  TFormProgress* progress() const { return controls().FormProgress; }
  // A plain message box captioned "Plotweave"; `text` is UTF-8.
  void ShowMessage(const char* text);

 protected:
  ~WindowContext() = default;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_WINDOW_CONTEXT_H_
