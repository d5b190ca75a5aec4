// The main window: the outline tree, the title and body panes, every menu, tool bar and
// context menu, the document's life (new, open, save, recent files, drops, closing) and the
// hand-over of the current node between the model and the panes.
#ifndef PLOTWEAVE_UI_TFORM_MAIN_H_
#define PLOTWEAVE_UI_TFORM_MAIN_H_

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>
#include <string>

#include "core/document_flags.h"
#include "core/outline.h"
#include "editing/character_items.h"
#include "editing/tree_drop.h"
#include "settings/settings.h"
#include "ui/common/dialogs.h"

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QLockFile;
class QMenu;
class QSplitter;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;

namespace pw {

class OutlineModel;
class TreeBranchStyle;
class TFormProgress;
class TFormUndoDialog;
class TFormImportNode;
class TreeEditor;
enum class PromptOutcome;

// The enabled state of each command that depends on the selected node.
struct TreeCommandStates {
  bool add = false;               // MenuTreeAdd
  bool add_child = false;         // MenuTreeAddChild
  bool ins_parent_child = false;  // MenuTreeInsParent, MenuTreeInsChild
  bool ins_chara_item = false;    // MenuTreeInsCharaItem
  bool up = false;                // MenuTreeUp
  bool down = false;              // MenuTreeDown
  bool mark_change = false;       // MenuTreeMarkChange
  bool color = false;             // MenuTreeColor
  bool del = false;               // MenuTreeDel
  bool merge = false;             // MenuTreeMerge
  bool split = false;             // MenuTreeSplitChild, MenuTreeSplit
  bool save_template = false;     // MenuTreeSaveTemplate
  bool edit_up = false;           // MenuEditUp: a previous node in pre-order
  bool edit_down = false;         // MenuEditDown: a next node in pre-order
  friend bool operator==(const TreeCommandStates&, const TreeCommandStates&) = default;
};
// The rules for `node` (nullptr: nothing selected, everything off).
TreeCommandStates ComputeTreeCommandStates(const Outline& outline, const Node* node);

// Commands whose work is not built yet: always disabled, whatever the tables say.
bool IsPendingCommand(const QString& name);

inline constexpr char kProgramCaption[] = "Plotweave Ver 3.21";

class TFormMain : public QMainWindow, public OutlineObserver {
  Q_OBJECT

 public:
  // Reads the settings file and builds the window; `dialogs` answers every question (the Qt
  // dialogs when null).
  explicit TFormMain(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~TFormMain() override;

  // The command-line step of start-up: opens `arguments[1]` when it names a ".PWV" document,
  // else starts a new document.
  void StartUp(const QStringList& arguments);

  // --- the controls, named as the program names them ---
  QTreeView* TreeViewMain = nullptr;
  QLineEdit* MemoTitle = nullptr;
  QTextEdit* RichEditMain = nullptr;
  QSplitter* SplitterMain = nullptr;
  QTimer* TimerTree = nullptr;
  QToolBar* PanelEditToolFont = nullptr;
  QWidget* anlRulerMain = nullptr;
  std::array<QLabel*, 3> StatusPanels{};
  std::array<QToolBar*, 7> ToolBars{};  // ToolBarFile .. ToolBarHelp
  QMenu* MenuFile = nullptr;
  QMenu* MenuDisp = nullptr;
  QMenu* PopupMenuTree = nullptr;
  QMenu* PopupMenuTitle = nullptr;
  QMenu* PopupMenuEdit = nullptr;
  QMenu* PopupMenuBar = nullptr;
  QMenu* PopupMenuEditTool = nullptr;
  QMenu* PopupMenuFileOpen = nullptr;
  QMenu* PopupMenuIconColor = nullptr;
  QMenu* PopupMenuTempFileOpen = nullptr;
  QMenu* PopupMenuFontStyle = nullptr;
  TFormProgress* FormProgress = nullptr;

  // A command's action by its name ("MenuFileOpen", "PopupTreeAdd", "MenuDispFile").
  QAction* Action(const QString& name) const;
  QToolButton* ToolButton(const QString& name) const;

  // --- state, for the other commands and for tests ---
  Outline& outline() { return outline_; }
  OutlineModel* model() const { return model_; }
  DocumentFlags& flags() { return flags_; }
  Settings& settings() { return settings_; }
  Dialogs& dialogs() { return *dialogs_; }
  void SetDialogs(std::unique_ptr<Dialogs> dialogs);
  const QString& document_name() const { return document_name_; }
  Node* current_node() const { return current_; }
  Node* SelectedNode() const;
  Node* previous_node() const { return previous_node_; }
  bool split_h() const { return settings_.SplitH; }
  QString DefaultFolder() const;

  // --- commands (handlers named after their menu items) ---
  void MenuFileNewClick();
  void MenuFileOpenClick();
  void MenuFileSaveClick();
  void MenuFileSaveAsClick();
  void MenuFileExitClick();
  void MenuEditBackClick();
  void MenuEditSelectAllClick();
  void MenuEditUpClick();
  void MenuEditDownClick();
  void MenuEditUpVisibleClick();
  void MenuEditDownVisibleClick();
  void MenuEditSplitChangeClick();
  void MenuMoveTreeClick();
  void MenuMoveTitleClick();
  void MenuMoveEditClick();
  void MenuSaveOutlineTextClick();
  void MenuLoadOutlineTextClick();
  void MenuHelpContentsClick();
  void MenuHelpAboutClick();
  void OpenRecentFile(int index);

  // --- tree editing, undo, node clipboard, templates, characters (tform_main_tree.cpp) ---
  void MenuTreeAddClick();
  void MenuTreeAddChildClick();
  void MenuTreeInsParentClick();
  void MenuTreeInsChildClick();
  void MenuTreeDelClick();
  void MenuTreeUpClick();
  void MenuTreeDownClick();
  void MenuTreeMarkChangeClick();
  void MenuTreeColorClick(int32_t color);  // the six colour commands
  void ToolButtonTreeColorClick();
  void MenuTreeOpenClick();
  void MenuTreeCloseClick();
  void MenuTreeMergeClick();
  void MenuTreeSplitChildClick();
  void MenuTreeSplitClick();
  void MenuEditUndoClick();
  void MenuEditCutClick();
  void MenuEditCopyClick();
  void MenuEditPasteClick();
  void MenuEditCopyNodeClick();
  void MenuTreeSaveTemplateClick();
  void MenuTreeInsTemplateClick();
  void OpenRecentTemplate(int index);
  void MenuTreeInsCharaClick();
  void MenuTreeInsCharaItemClick();
  // Captions and enabled states of the editing commands for the focused pane.
  void UpdateCommandStates();
  // Drag and drop inside the tree, at a point in the tree viewport's coordinates (points
  // outside the viewport scroll). Over: whether a drop there is taken.
  DropHit TreeHitAt(const QPoint& pos, Node** target) const;
  bool TreeViewMainDragOver(const QPoint& pos);
  void TreeViewMainDragDrop(const QPoint& pos);
  TreeEditor& tree_editor() { return *tree_editor_; }
  const Outline& tree_temp() const { return tree_temp_; }
  CharacterItemList& chara_items() { return chara_items_; }
  TFormUndoDialog* FormUndoDialog = nullptr;
  TFormImportNode* FormImportNode = nullptr;

  // --- the document's life ---
  // The save prompt. kGoOn: nothing to save, saved, or the user chose not to save.
  enum class PromptResult { kGoOn, kCancelled, kFailed };
  PromptResult SavePromptResult(bool closing);
  bool SavePrompt(bool closing = false) { return SavePromptResult(closing) == PromptResult::kGoOn; }
  // Reads `path` into the tree; on success takes it as the document (caption, recent files,
  // stored selection). Reports a failure and returns false.
  bool OpenDocument(const QString& path, bool focus_body);
  void NewDocument();
  void DropFiles(const QStringList& paths);
  // True while a long operation shows the progress window (closing is refused then).
  bool Busy() const;

  // --- panes ---
  void StoreBody(Node* node);
  void StoreCurrentNode();
  void LoadBody(Node* node);
  void ClearBodyPane();
  void SelectNode(Node* node);
  void UpdateTreeCommands();
  void UpdateStatusBar();
  // Shift+Enter: the title from the body's first line when the title pane is empty.
  void TitleFromBody();
  // The direction a drag at `pos` (tree viewport coordinates) scrolls the tree, and whether
  // TimerTree runs; the timer's tick scrolls one step that way.
  void TreeDragAt(const QPoint& pos);
  void TreeDragEnded();
  void TimerTreeTimer();

  // --- settings ---
  void ApplySettings();
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

  // OutlineObserver: keeps the current node and the previous place away from removed nodes.
  void BeginInsert(Node*, size_t, size_t) override {}
  void EndInsert() override {}
  void BeginRemove(Node* parent, size_t row, size_t count) override;
  void EndRemove() override {}
  void BeginMove(Node*, size_t, Node*, size_t) override {}
  void EndMove() override {}
  void BeginReset() override;
  void EndReset() override {}
  void NodeChanged(Node* node) override;

 private:
  enum class SaveResult { kSaved, kCancelled, kFailed };

  // Set-up (one function per menu, in tform_main_menus.cpp).
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
  QAction* AddCommand(QMenu* menu, const char* name, const char* caption,
                      const QKeySequence& shortcut = {});
  QAction* AddPopupItem(QMenu* popup, const char* name, QAction* command, const char* caption);
  void AddToolButton(QToolBar* bar, QAction* command, const char* name, const char* hint,
                     QMenu* drop_down = nullptr);
  void DisablePendingCommands();
  void SetCommandEnabled(const QString& name, bool enabled);
  void SyncBarChecks();
  void SetBarsEnabled(bool enabled);

  // The document's life (tform_main_file.cpp).
  void SetCaption();
  SaveResult SaveDocument();
  SaveResult SaveRule();
  SaveResult SaveAsDocument();
  void TrimTitle(Node* node);
  void ApplyPaneFonts();
  void PlaceBars();
  bool WriteDocument(const QString& path);
  void MakeBackup(const QString& path);
  bool IsReadOnlyFile(const QString& path) const;
  FileDialogRequest DocumentDialogRequest(bool save) const;
  void AddRecentFile(const QString& path);
  void RebuildRecentMenus();
  void ShowMessage(const char* text);
  // Locks the document against other running Plotweaves, warning when one holds it already.
  void HoldDocument(const QString& path);
  void TakeOpenedDocument(const QString& path, int32_t selected, int32_t caret, bool focus_body);
  void ApplyExpandedStatesToView();
  // After a successful save: caption, no modified flags, panes unmodified.
  void MarkSaved();
  // After a new, opened or imported document: no previous place, no modified flags or panes.
  void ForgetChanges();
  // Moves a document read aside into the tree, replacing what it held.
  void ReplaceOutline(Outline* loaded);
  // The export file prompt shared by every exporter (tform_main_export.cpp): the suggested
  // path, the save dialog and the checks on the chosen name.
  QString SuggestedPath(const char* extension) const;
  PromptOutcome RunExportPrompt(const char* extension, const char* filter, const char* title,
                                QString* path);
  void LoadFileIntoBody(const QString& path);

  // Panes (tform_main_panes.cpp).
  void TreeViewMainChange(Node* node);
  void MemoTitleChange();
  void CaptionEdited(Node* node, const QString& text);
  void SetTitleText(Node* node, const QString& text);
  QString CheckedTitle(const QString& text, std::string* bytes);
  void PaneFocusChanged(QWidget* now);
  bool TreeKeyPress(QKeyEvent* event);
  bool TitleKeyPress(QKeyEvent* event);
  bool BodyKeyPress(QKeyEvent* event);
  void LaySplitDirection(bool side_by_side, bool enforce_minimum);
  void SelectAndKeepCaret(Node* node);
  void ShowCaretPosition();

  // Tree editing (tform_main_tree.cpp).
  void ConnectTreeCommands();
  void EndNodeCreation(Node* created);
  bool Confirm(const char* question);
  void SplitCommand(bool into_child);
  void InsertFromTemp(bool whole_template);
  void RebuildTemplateMenu();
  bool TreeDragEvent(QEvent* event);
  void WriteNodesToClipboard(const Outline& scratch);
  QString TemplateDialogPath() const;

  Outline outline_;
  OutlineModel* model_ = nullptr;
  TreeBranchStyle* tree_style_ = nullptr;
  std::unique_ptr<Dialogs> dialogs_;
  DocumentFlags flags_;
  Settings settings_;
  QString document_name_;
  std::unique_ptr<QLockFile> document_lock_;
  Node* current_ = nullptr;
  Node* previous_node_ = nullptr;
  int previous_caret_ = 0;
  bool busy_ = false;
  bool clearing_ = false;
  bool starting_ = false;
  bool select_all_running_ = false;
  bool title_updating_ = false;
  bool save_cancelled_ = false;
  bool shown_once_ = false;
  bool reverting_state_ = false;
  int32_t stored_selected_ = 0;
  int32_t stored_caret_ = 0;
  int tree_width_beside_ = kTreeWidthBeside;
  int tree_height_above_ = 0;  // 0: not chosen yet in this run
  int scroll_dx_ = 0;
  int scroll_dy_ = 0;
  QHash<QString, QAction*> actions_;
  QHash<QString, QToolButton*> tool_buttons_;
  QList<QAction*> recent_actions_;
  QActionGroup* move_group_ = nullptr;
  QMetaObject::Connection focus_connection_;
  QFontComboBox* font_name_box_ = nullptr;
  std::unique_ptr<TreeEditor> tree_editor_;
  Outline tree_temp_;  // TreeViewTemp: the subtree being copied, pasted or saved as template
  CharacterItemList chara_items_;
  QString template_path_;
  QPoint drag_press_pos_;
  bool drag_pressed_ = false;
  bool cutting_ = false;
  bool updating_states_ = false;
  QComboBox* font_size_box_ = nullptr;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_TFORM_MAIN_H_
