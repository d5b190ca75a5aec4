// The main window's construction (in the start-up order of the program), its panes, the
// event routing between them, closing, help and the about box.
#include "ui/tform_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include "core/new_document.h"
#include "editing/tree_editor.h"
#include "platform/paths.h"
#include "ui/common/font_substitutes.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui/common/tree_icons.h"
#include "ui/document/outline_model.h"
#include "ui/document/tree_branch_style.h"

namespace pw {

TFormMain::TFormMain(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs)) {
  setObjectName("TFormMain");
  if (!dialogs_) dialogs_ = std::make_unique<QtDialogs>();
  InstallFontSubstitutes();
  setWindowIcon(ApplicationIcon());
  resize(709, 561);

  model_ = new OutlineModel(&outline_, this);
  model_->SetCaptionEditHandler(
      [this](Node* node, const QString& text) { CaptionEdited(node, text); });
  outline_.AddObserver(this);

  CreatePanes();
  CreateMenus();
  CreateToolBars();
  CreateFontBar();
  CreateContextMenus();
  CreateStatusBar();
  DisablePendingCommands();
  FormProgress = new TFormProgress(this);
  ConnectTreeCommands();

  // Dropped files are taken by the window, whichever pane they land on.
  setAcceptDrops(true);
  focus_connection_ = connect(qApp, &QApplication::focusChanged, this,
                              [this](QWidget*, QWidget* now) { PaneFocusChanged(now); });

  StatusPanels[1]->setText(U8("挿入"));

  // The settings file: every missing key keeps its default.
  const Settings defaults = DefaultSettings(HomeDir());
  IniFile ini;
  if (ini.LoadFile(SettingsFilePath())) {
    settings_ = LoadSettings(ini, defaults);
  } else {
    settings_ = defaults;
  }
  ApplySettings();
  RebuildRecentMenus();
  RebuildTemplateMenu();

  document_name_ = DefaultFolder() + U8(kNewFileName);
}

TFormMain::~TFormMain() {
  // Focus moves while the children are destroyed; this window is no longer one by then.
  disconnect(focus_connection_);
  outline_.RemoveObserver(this);
  // The model goes with the window's children; it must stop listening first.
  delete model_;
  model_ = nullptr;
}

void TFormMain::SetDialogs(std::unique_ptr<Dialogs> dialogs) { dialogs_ = std::move(dialogs); }

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

  // The ruler's place; the ruler itself is drawn by the text styling work.
  anlRulerMain = new QWidget(right);
  anlRulerMain->setObjectName("anlRulerMain");
  anlRulerMain->setFixedHeight(18);
  anlRulerMain->setAutoFillBackground(true);
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
  connect(TimerTree, &QTimer::timeout, this, &TFormMain::TimerTreeTimer);

  connect(TreeViewMain->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now) { TreeViewMainChange(model_->NodeFromIndex(now)); });
  connect(TreeViewMain, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    Node* node = model_->NodeFromIndex(index);
    if (node != nullptr && !node->expanded()) outline_.SetExpanded(node, true);
  });
  connect(TreeViewMain, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
    Node* node = model_->NodeFromIndex(index);
    if (node != nullptr && node->expanded()) outline_.SetExpanded(node, false);
  });
  connect(MemoTitle, &QLineEdit::textChanged, this, &TFormMain::MemoTitleChange);
  connect(RichEditMain, &QTextEdit::cursorPositionChanged, this, &TFormMain::ShowCaretPosition);
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
  NewDocument();
  if (arguments.size() >= 2) {
    // This file system has no short aliases, so the long form is the argument itself.
    QString path = arguments[1];
    if (QFileInfo::exists(path)) path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(path).suffix().toUpper() == QLatin1String("PWV")) {
      OpenDocument(path, false);
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
  const int caret = RichEditMain->textCursor().position();
  StoreCurrentNode();
  if (current_ != nullptr) {
    LoadBody(current_);
    title_updating_ = true;
    MemoTitle->setText(FromCp932(current_->title()));
    title_updating_ = false;
    StatusPanels[0]->setText(MemoTitle->text());
    QTextCursor cursor = RichEditMain->textCursor();
    cursor.setPosition(std::min(caret, RichEditMain->document()->characterCount() - 1));
    RichEditMain->setTextCursor(cursor);
    UpdateStatusBar();
  }
  const PromptResult answer = SavePromptResult(true);
  if (answer != PromptResult::kFailed) WriteSettingsFile();
  if (answer != PromptResult::kGoOn) {
    event->ignore();
    return;
  }
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
    QTimer::singleShot(0, this, [this] { LaySplitDirection(settings_.SplitH, true); });
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
  DropFiles(LocalFiles(event->mimeData()));
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == TreeViewMain->viewport() && TreeDragEvent(event)) return true;
  // Files from the desktop go to the window on every pane.
  if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (HasLocalFiles(drop->mimeData())) {
      drop->acceptProposedAction();
      if (type == QEvent::Drop) DropFiles(LocalFiles(drop->mimeData()));
      return true;
    }
    if (watched == TreeViewMain->viewport()) {
      if (type == QEvent::Drop) {
        TreeDragEnded();
      } else {
        TreeDragAt(static_cast<QDropEvent*>(event)->position().toPoint());
      }
    }
    return QMainWindow::eventFilter(watched, event);
  }
  if (type == QEvent::DragLeave && watched == TreeViewMain->viewport()) {
    TreeDragAt(TreeViewMain->viewport()->mapFromGlobal(QCursor::pos()));
  }
  if (watched == TreeViewMain) {
    if (type == QEvent::KeyPress) {
      const bool handled = TreeKeyPress(static_cast<QKeyEvent*>(event));
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
    return TitleKeyPress(static_cast<QKeyEvent*>(event));
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
    return BodyKeyPress(key);
  }
  return QMainWindow::eventFilter(watched, event);
}

QString TFormMain::DefaultFolder() const {
  QString folder = QString::fromStdString(settings_.DefaultDir);
  if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
  return folder;
}

void TFormMain::MenuHelpContentsClick() {
  static QPointer<QDialog> help;
  if (help == nullptr) {
    help = new QDialog(this);
    help->setObjectName("FormHelp");
    help->setWindowTitle(U8("Plotweave ﾍﾙﾌﾟ"));
    help->resize(640, 520);
    auto* layout = new QVBoxLayout(help);
    auto* browser = new QTextBrowser(help);
    browser->setObjectName("HelpBrowser");
    browser->setOpenExternalLinks(true);
    const QString page = QString::fromStdString(DataDir()) + QStringLiteral("/help/index.html");
    browser->setSource(QUrl::fromLocalFile(page));
    layout->addWidget(browser);
    auto* close = new QPushButton(U8("閉じる"), help);
    connect(close, &QPushButton::clicked, help, &QDialog::hide);
    layout->addWidget(close, 0, Qt::AlignRight);
  }
  help->show();
  help->raise();
}

void TFormMain::MenuHelpAboutClick() {
  QDialog about(this);
  about.setObjectName("FormAbout");
  about.setWindowTitle(U8("ﾊﾞｰｼﾞｮﾝ情報"));
  auto* layout = new QVBoxLayout(&about);
  auto* icon = new QLabel(&about);
  icon->setPixmap(DrawApplicationPixmap(64));
  icon->setAlignment(Qt::AlignCenter);
  layout->addWidget(icon);
  auto* product = new QLabel(U8("Plotweave"), &about);
  QFont big = product->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  product->setFont(big);
  product->setAlignment(Qt::AlignCenter);
  layout->addWidget(product);
  auto* version = new QLabel(&about);
  version->setObjectName("LabelVersion");
  version->setText(U8("Version 3.21"));
  version->setAlignment(Qt::AlignCenter);
  layout->addWidget(version);
  auto* author = new QLabel(U8("作者: Plotweave 開発チーム"), &about);
  author->setAlignment(Qt::AlignCenter);
  layout->addWidget(author);
  auto* contact = new QLabel(U8("ご意見・不具合の報告はウェブページからどうぞ"), &about);
  contact->setAlignment(Qt::AlignCenter);
  layout->addWidget(contact);
  const QString address = QStringLiteral("https://plotweave.example.org/");
  auto* web = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address), &about);
  web->setObjectName("LabelWeb");
  web->setAlignment(Qt::AlignCenter);
  web->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(web, &QLabel::linkActivated, &about,
          [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
  layout->addWidget(web);
  auto* ok = new QPushButton(QStringLiteral("OK"), &about);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  about.exec();
}

}  // namespace pw
