// The main window's construction (in the start-up order of the program), its panes, the
// command classes it owns, the event routing between the panes and them, and closing.
#include "ui/window/tform_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/paths.h"
#include "ui/common/command_icons.h"
#include "ui/common/font_substitutes.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui/common/tree_icons.h"
#include "ui/document/document_commands.h"
#include "ui/document/node_panes.h"
#include "ui/document/outline_model.h"
#include "ui/document/tree_branch_style.h"
#include "ui/editing/tree_commands.h"
#include "ui/export/epub_commands.h"
#include "ui/export/export_commands.h"
#include "ui/export/export_file_prompt.h"
#include "ui/export/print_export_commands.h"
#include "ui/search/search_commands.h"
#include "ui/settings/settings_commands.h"
#include "ui/styling/styling_commands.h"
#include "ui/styling/tanl_ruler.h"
#include "ui/window/help_commands.h"
#include "ui/window/pane_shortcuts.h"

namespace pw {

TFormMain::TFormMain(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs)) {
  setObjectName("TFormMain");
  if (!dialogs_) dialogs_ = std::make_unique<QtDialogs>();
  InstallFontSubstitutes();
  setWindowIcon(ApplicationIcon());
  resize(709, 561);

  model_ = new OutlineModel(&outline_, this);

  CreatePanes();
  CreateMenus();
  CreateToolBars();
  CreateFontBar();
  CreateContextMenus();
  CreateStatusBar();
  ApplyCommandIcons(actions_);
  FormProgress = new TFormProgress(this);
  CreateCommands();
  new PaneShortcuts(actions_, TreeViewMain, MemoTitle, RichEditMain, this);

  // Dropped files are taken by the window, whichever pane they land on.
  setAcceptDrops(true);

  StatusPanels[1]->setText(U8("挿入"));

  // The settings file: every missing key keeps its default.
  const Settings defaults = DefaultSettings(HomeDir());
  IniFile ini;
  if (ini.LoadFile(SettingsFilePath())) {
    settings_ = LoadSettings(ini, defaults);
  } else {
    settings_ = defaults;
  }
  ApplyWindowLayout();
  ApplySettings();
  settings_commands_->ApplyInputMethod();
  document_->ApplySettings();
  tree_->RebuildTemplateMenu();
  styling_->LoadStartupStyles();
}

TFormMain::~TFormMain() {
  // The command classes go first: focus moves while the children are destroyed, and what
  // listens to it must be gone by then.
  settings_commands_.reset();
  help_.reset();
  epub_.reset();
  styling_.reset();
  search_.reset();
  export_.reset();
  print_export_.reset();
  tree_.reset();
  document_.reset();
  panes_.reset();
  // The model goes with the window's children; it must stop listening first.
  delete model_;
  model_ = nullptr;
}

void TFormMain::CreateCommands() {
  // The panes follow the outline after the model and before the tree editor.
  panes_ = std::make_unique<NodePanes>(*this);
  panes_->Connect();
  document_ = std::make_unique<DocumentCommands>(*this);
  tree_ = std::make_unique<TreeCommands>(*this);
  export_prompt_ = std::make_unique<ExportFilePrompt>(*this);
  export_ = std::make_unique<ExportCommands>(*this);
  epub_ = std::make_unique<EpubCommands>(*this);
  search_ = std::make_unique<SearchCommands>(*this);
  print_export_ = std::make_unique<PrintExportCommands>(*this);
  help_ = std::make_unique<HelpCommands>(*this);
  // The options dialog comes after the window, and its list is the one new characters take.
  settings_commands_ = std::make_unique<SettingsCommands>(*this);
  tree_->chara_items() = settings_commands_->character_items();
  connect(settings_commands_.get(), &SettingsCommands::CharacterItemsChanged, this,
          [this] { tree_->chara_items() = settings_commands_->character_items(); });
  styling_ = std::make_unique<StylingCommands>(*this);

  connect(Action("MenuFileExit"), &QAction::triggered, this, &TFormMain::MenuFileExitClick);
  document_->Bind(actions_);
  panes_->Bind(actions_);
  tree_->Bind(actions_);
  export_->Bind(actions_);
  epub_->Bind(actions_);
  search_->Bind(actions_);
  print_export_->Bind(actions_);
  help_->Bind(actions_);
  settings_commands_->Bind(actions_);
  styling_->Bind(actions_);
}

void TFormMain::SetDialogs(std::unique_ptr<Dialogs> dialogs) { dialogs_ = std::move(dialogs); }

Node* TFormMain::current_node() const { return panes_->current_node(); }
Node* TFormMain::previous_node() const { return panes_->previous_node(); }
Node* TFormMain::SelectedNode() const { return panes_ ? panes_->SelectedNode() : nullptr; }
void TFormMain::SelectNode(Node* node) { panes_->SelectNode(node); }
void TFormMain::StoreCurrentNode() { panes_->StoreCurrentNode(); }

void TFormMain::UpdateTreeCommands() {
  // Selection changes while the window is still being built come before the tree commands.
  if (tree_) tree_->UpdateTreeCommands();
}

void TFormMain::CreatePanes() {
  SplitterMain = new QSplitter(Qt::Horizontal, this);
  SplitterMain->setObjectName("SplitterMain");
  SplitterMain->setChildrenCollapsible(false);
  SplitterMain->setHandleWidth(4);

  TreeViewMain = new QTreeView(SplitterMain);
  TreeViewMain->setObjectName("TreeViewMain");
  TreeViewMain->setModel(model_);
  TreeViewMain->setHeaderHidden(true);
  TreeViewMain->setIndentation(19);
  TreeViewMain->setUniformRowHeights(true);
  TreeViewMain->setSelectionMode(QAbstractItemView::SingleSelection);
  TreeViewMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeViewMain->setIconSize(QSize(16, 16));
  tree_style_ = new TreeBranchStyle();
  tree_style_->setParent(TreeViewMain);
  TreeViewMain->setStyle(tree_style_);
  TreeViewMain->setContextMenuPolicy(Qt::CustomContextMenu);
  TreeViewMain->setMinimumWidth(10);
  TreeViewMain->header()->setStretchLastSection(false);
  TreeViewMain->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  TreeViewMain->installEventFilter(this);
  TreeViewMain->viewport()->installEventFilter(this);

  auto* right = new QWidget(SplitterMain);
  right->setObjectName("PanelRight");
  // The splitter may squeeze the panes down to a strip, as it may the tree.
  right->setMinimumSize(1, 1);
  auto* layout = new QVBoxLayout(right);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  MemoTitle = new QLineEdit(right);
  MemoTitle->setObjectName("MemoTitle");
  MemoTitle->setMaxLength(258);
  MemoTitle->setContextMenuPolicy(Qt::CustomContextMenu);
  MemoTitle->installEventFilter(this);
  layout->addWidget(MemoTitle);

  // The ruler over the body pane (set up and linked to the body by the styling commands).
  anlRulerMain = new TanlRuler(right);
  anlRulerMain->setObjectName("anlRulerMain");
  anlRulerMain->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(anlRulerMain);

  RichEditMain = new QTextEdit(right);
  RichEditMain->setObjectName("RichEditMain");
  RichEditMain->setTabChangesFocus(false);
  RichEditMain->setAcceptRichText(true);
  RichEditMain->setContextMenuPolicy(Qt::CustomContextMenu);
  RichEditMain->installEventFilter(this);
  RichEditMain->viewport()->installEventFilter(this);
  layout->addWidget(RichEditMain, 1);

  SplitterMain->addWidget(TreeViewMain);
  SplitterMain->addWidget(right);
  SplitterMain->setStretchFactor(0, 0);
  SplitterMain->setStretchFactor(1, 1);
  setCentralWidget(SplitterMain);

  TimerTree = new QTimer(this);
  TimerTree->setObjectName("TimerTree");
  TimerTree->setInterval(250);

  connect(TreeViewMain, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    PopupMenuTree->popup(TreeViewMain->viewport()->mapToGlobal(pos));
  });
  connect(MemoTitle, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenuTitle->popup(MemoTitle->mapToGlobal(pos)); });
  connect(RichEditMain, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    PopupMenuEdit->popup(RichEditMain->viewport()->mapToGlobal(pos));
  });
  connect(anlRulerMain, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    SyncBarChecks();
    PopupMenuEditTool->popup(anlRulerMain->mapToGlobal(pos));
  });
}

void TFormMain::StartUp(const QStringList& arguments) {
  starting_ = true;
  FormProgress->SetSuppressed(true);
  document_->NewDocument();
  // A copy left by a Plotweave that ended without saving comes before the command line.
  const bool restored = document_->OfferRecoveryCopies();
  if (!restored && arguments.size() >= 2) {
    // This file system has no short aliases, so the long form is the argument itself.
    QString path = arguments[1];
    if (QFileInfo::exists(path)) path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(path).suffix().toUpper() == QLatin1String("PWV")) {
      document_->OpenDocument(path, false);
    }
  }
  FormProgress->SetSuppressed(false);
  starting_ = false;
}

bool TFormMain::Busy() const { return FormProgress != nullptr && FormProgress->active(); }

void TFormMain::closeEvent(QCloseEvent* event) {
  // FormCloseQuery.
  if (Busy()) {
    event->ignore();
    return;
  }
  panes_->ShowStoredCurrentNode();
  const DocumentCommands::PromptResult answer = document_->SavePromptResult(true);
  if (answer != DocumentCommands::PromptResult::kFailed) WriteSettingsFile();
  if (answer != DocumentCommands::PromptResult::kGoOn) {
    event->ignore();
    return;
  }
  // Saved, or the user chose not to: nothing is left to recover.
  document_->DiscardRecoveryCopy();
  event->accept();
}

void TFormMain::MenuFileExitClick() {
  StoreCurrentNode();
  close();
}

void TFormMain::changeEvent(QEvent* event) {
  // Minimising or maximising during a long operation is undone at once.
  if (event->type() == QEvent::WindowStateChange && Busy() && !reverting_state_) {
    const Qt::WindowStates old_state = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    const Qt::WindowStates gained =
        windowState() & ~old_state & (Qt::WindowMinimized | Qt::WindowMaximized);
    if (gained != Qt::WindowNoState) {
      reverting_state_ = true;
      setWindowState(old_state);
      reverting_state_ = false;
    }
  }
  QMainWindow::changeEvent(event);
}

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_once_) {
    shown_once_ = true;
    // The splitter knows its room only once the window's layout has settled.
    QTimer::singleShot(0, this, [this] { panes_->LaySplitDirection(settings_.SplitH, true); });
    TreeViewMain->viewport()->update();
    RichEditMain->setFocus();
  }
}

namespace {

bool HasLocalFiles(const QMimeData* mime) {
  if (mime == nullptr || !mime->hasUrls()) return false;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) return true;
  }
  return false;
}

QStringList LocalFiles(const QMimeData* mime) {
  QStringList paths;
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) paths.append(url.toLocalFile());
  }
  return paths;
}

}  // namespace

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (HasLocalFiles(event->mimeData())) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  if (!HasLocalFiles(event->mimeData())) return;
  event->acceptProposedAction();
  document_->DropFiles(LocalFiles(event->mimeData()));
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  // The panes hear events while the window is built and destroyed, without commands then.
  if (!panes_ || !tree_) return QMainWindow::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (watched == TreeViewMain->viewport() && tree_->TreeDragEvent(event)) return true;
  // Files from the desktop go to the window on every pane.
  if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (HasLocalFiles(drop->mimeData())) {
      drop->acceptProposedAction();
      if (type == QEvent::Drop) document_->DropFiles(LocalFiles(drop->mimeData()));
      return true;
    }
    if (watched == TreeViewMain->viewport()) {
      if (type == QEvent::Drop) {
        tree_->TreeDragEnded();
      } else {
        tree_->TreeDragAt(static_cast<QDropEvent*>(event)->position().toPoint());
      }
    }
    return QMainWindow::eventFilter(watched, event);
  }
  if (type == QEvent::DragLeave && watched == TreeViewMain->viewport()) {
    tree_->TreeDragAt(TreeViewMain->viewport()->mapFromGlobal(QCursor::pos()));
  }
  if (watched == TreeViewMain) {
    if (type == QEvent::KeyPress) {
      const bool handled = panes_->TreeKeyPress(static_cast<QKeyEvent*>(event));
      QTimer::singleShot(0, this, &TFormMain::UpdateTreeCommands);
      return handled;
    }
    if (type == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2 &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
      TreeViewMain->edit(TreeViewMain->currentIndex());
      return true;
    }
  }
  if (watched == TreeViewMain->viewport() && type == QEvent::MouseButtonPress) {
    QTimer::singleShot(0, this, &TFormMain::UpdateTreeCommands);
  }
  if (watched == MemoTitle && type == QEvent::KeyPress) {
    return panes_->TitleKeyPress(static_cast<QKeyEvent*>(event));
  }
  if (watched == RichEditMain && (type == QEvent::KeyPress || type == QEvent::ShortcutOverride)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
      // Shift+Enter and Insert belong to the pane, not to a menu shortcut.
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
          key->modifiers() == Qt::ShiftModifier) {
        event->accept();
      }
      return false;
    }
    return panes_->BodyKeyPress(key);
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace pw
