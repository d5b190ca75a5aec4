// The main window as a shell: it builds the panes, the menus, the tool bars and the status
// bar, owns the document and one command class per subsystem, routes the panes' events to
// them and decides when it may close. The commands themselves live in their subsystems'
// folders and reach the window only through WindowContext.
#ifndef PLOTWEAVE_UI_WINDOW_TFORM_MAIN_H_
#define PLOTWEAVE_UI_WINDOW_TFORM_MAIN_H_

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "core/document_flags.h"
#include "core/outline.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/window_context.h"
#include "ui/common/window_controls.h"
#include "ui/styling/tanl_ruler.h"

class QMenu;
class QToolBar;
class QToolButton;

namespace pw {

class DocumentCommands;
class EpubCommands;
class ExportCommands;
class SearchCommands;
class ExportFilePrompt;
class HelpCommands;
class SettingsCommands;
class StylingCommands;
class NodePanes;
class OutlineModel;
class PrintExportCommands;
class TreeBranchStyle;
class TreeCommands;

class TFormMain : public QMainWindow, public WindowContext, public WindowControls {
  Q_OBJECT

 public:
  // Reads the settings file and builds the window; `dialogs` answers every question (the Qt
  // dialogs when null).
  explicit TFormMain(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~TFormMain() override;

  // The command-line step of start-up: opens `arguments[1]` when it names a ".PWV" document,
  // else starts a new document.
  void StartUp(const QStringList& arguments);
  void MenuFileExitClick();
  // True while a long operation shows the progress window (closing is refused then).
  bool Busy() const;

  // --- the command classes, one per subsystem ---
  DocumentCommands& document() override { return *document_; }
  NodePanes& panes() override { return *panes_; }
  TreeCommands& tree() { return *tree_; }
  ExportCommands& exports() { return *export_; }
  EpubCommands& epub() { return *epub_; }
  SearchCommands& search() { return *search_; }
  PrintExportCommands& print_exports() { return *print_export_; }
  HelpCommands& help() { return *help_; }
  SettingsCommands& settings_commands() { return *settings_commands_; }
  StylingCommands& styling() { return *styling_; }

  // A command's action by its name ("MenuFileOpen", "PopupTreeAdd", "MenuDispFile").
  QAction* Action(const QString& name) const { return actions_.Action(name); }
  QToolButton* ToolButton(const QString& name) const { return actions_.ToolButton(name); }
  void SetDialogs(std::unique_ptr<Dialogs> dialogs);
  bool split_h() const { return settings_.SplitH; }
  Node* previous_node() const;

  // --- WindowContext ---
  QWidget* dialog_parent() override { return this; }
  const WindowControls& controls() const override { return *this; }
  Outline& outline() override { return outline_; }
  OutlineModel* model() const override { return model_; }
  DocumentFlags& flags() override { return flags_; }
  Node* current_node() const override;
  Node* SelectedNode() const override;
  void SelectNode(Node* node) override;
  void StoreCurrentNode() override;
  void UpdateTreeCommands() override;
  Dialogs& dialogs() override { return *dialogs_; }
  Settings& settings() override { return settings_; }
  ActionRegistry& action_registry() override { return actions_; }
  ExportFilePrompt& export_prompt() override { return *export_prompt_; }
  void SetBarsEnabled(bool enabled) override;
  // The settings shown in the window: bounds, split, bars, pane fonts and colours, tab stops.
  void ApplySettings() override;
  void StoreWindowSettings();
  bool WriteSettingsFile();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  // Set-up: the panes (tform_main.cpp); one function per menu (tform_main_menus.cpp); the
  // bars and context menus (tform_main_bars.cpp).
  void CreatePanes();
  void CreateMenus();
  void CreateFileMenu();
  void CreateEditMenu();
  void CreateTreeMenu();
  void CreateTextMenu();
  void CreateMoveMenu();
  void CreateDispMenu();
  void CreateOptionMenu();
  void CreateHelpMenu();
  void CreateToolBars();
  void CreateFontBar();
  void CreateContextMenus();
  void CreateStatusBar();
  // Declarations into the action registry (see ActionRegistry).
  QAction* AddCommand(QMenu* menu, const char* name, const char* caption,
                      const QKeySequence& shortcut = {}) {
    return actions_.AddCommand(menu, name, caption, shortcut);
  }
  QAction* AddPopupItem(QMenu* popup, const char* name, QAction* command, const char* caption) {
    return actions_.AddPopupItem(popup, name, command, caption);
  }
  void AddToolButton(QToolBar* bar, QAction* command, const char* name, const char* hint,
                     QMenu* drop_down = nullptr) {
    actions_.AddToolButton(bar, command, name, hint, drop_down);
  }
  // Makes the command classes and binds their handlers to the actions just declared.
  void CreateCommands();
  void SyncBarChecks();
  // Window bounds and the bars from the settings (once, at start).
  void ApplyWindowLayout();
  // The bar of a place in the tool-bar area: a tool bar, or the font bar (kFontBarSlot).
  QToolBar* PlacedBar(size_t slot) const;
  void PlaceBars();

  Outline outline_;
  DocumentFlags flags_;
  Settings settings_;
  std::unique_ptr<Dialogs> dialogs_;
  OutlineModel* model_ = nullptr;
  TreeBranchStyle* tree_style_ = nullptr;
  ActionRegistry actions_{this};
  std::unique_ptr<ExportFilePrompt> export_prompt_;
  std::unique_ptr<NodePanes> panes_;
  std::unique_ptr<DocumentCommands> document_;
  std::unique_ptr<TreeCommands> tree_;
  std::unique_ptr<ExportCommands> export_;
  std::unique_ptr<EpubCommands> epub_;
  std::unique_ptr<SearchCommands> search_;
  std::unique_ptr<PrintExportCommands> print_export_;
  std::unique_ptr<HelpCommands> help_;
  std::unique_ptr<SettingsCommands> settings_commands_;
  BarRows bar_rows_;  // the rows the bars were given at start
  std::unique_ptr<StylingCommands> styling_;
  bool starting_ = false;
  bool shown_once_ = false;
  bool reverting_state_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_WINDOW_TFORM_MAIN_H_
