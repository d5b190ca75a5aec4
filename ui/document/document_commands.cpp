// The document's life in the main window: new, open, save, save as, the save prompt, back-up
// copies, recent files, dropped files and the caption.
#include "ui/document/document_commands.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeView>

#include "core/document_flags.h"
#include "core/new_document.h"
#include "core/outline_file.h"
#include "platform/paths.h"
#include "richtext/body_text.h"
#include "richtext/plain_text.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/common/tform_progress.h"
#include "ui/common/window_context.h"
#include "ui/document/node_panes.h"
#include "ui/document/outline_model.h"

namespace pw {
namespace {

constexpr char kNoBackup[] = "バックアップファイルは作成できません";
constexpr char kReadOnlyCaption[] = "上書き保存できません";
constexpr char kReadOnlyText[] =
    "このファイルは読み取り専用ファイルです。\r\n上書き保存は出来ません。\r\n"
    "別のファイル名で保存してください。";
constexpr char kSavePromptText[] = "この文書は変更されています\r\n保存しますか？";
constexpr char kSavePromptCaption[] = "ﾌｧｲﾙの保存";
constexpr char kClosePromptCaption[] = "Plotweaveﾌｧｲﾙの保存";
constexpr char kHeldElsewhere[] =
    "この文書は他のPlotweaveで開かれています。\r\n"
    "両方で変更して保存すると、先に保存した変更が失われます。";
constexpr char kImportCaption[] = "ﾌｧｲﾙから取り込み";
constexpr char kImportText[] =
    "現在のノードの内容を上書きしてファイルを読み込みます\r\nよろしいですか？";

bool HasDocumentExtension(const QString& path) {
  return QFileInfo(path).suffix().compare(QLatin1String("PWV"), Qt::CaseInsensitive) == 0;
}

}  // namespace

DocumentCommands::DocumentCommands(WindowContext& window)
    : window_(window), ui_(window.controls()) {}

DocumentCommands::~DocumentCommands() = default;

void DocumentCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuFileNew", this, &DocumentCommands::MenuFileNewClick);
  actions.Bind("MenuFileOpen", this, &DocumentCommands::MenuFileOpenClick);
  actions.Bind("MenuFileSave", this, &DocumentCommands::MenuFileSaveClick);
  actions.Bind("MenuFileSaveAs", this, &DocumentCommands::MenuFileSaveAsClick);
}

void DocumentCommands::ApplySettings() {
  RebuildRecentMenus();
  document_name_ = DefaultFolder() + U8(kNewFileName);
}

QString DocumentCommands::DefaultFolder() const {
  QString folder = QString::fromStdString(window_.settings().DefaultDir);
  if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
  return folder;
}

void DocumentCommands::SetCaption() {
  window_.dialog_parent()->setWindowTitle(QFileInfo(document_name_).completeBaseName() +
                                          QStringLiteral(" - ") + U8(kProgramCaption));
}

void DocumentCommands::NewDocument() {
  QString folder = DefaultFolder();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    folder = QString::fromStdString(WithTrailingSlash(ConfigDir()));
  }
  document_name_ = folder + U8(kNewFileName);
  SetCaption();
  HoldDocument(QString());

  NodePanes& panes = window_.panes();
  panes.ReplaceTree([this] { window_.outline().Clear(); });
  panes.ClearBodyPane();
  ui_.RichEditMain->document()->setModified(false);
  panes.ApplyFonts();

  Node* root = MakeNewDocument(&window_.outline());
  window_.SelectNode(root);
  ForgetChanges();
}

void DocumentCommands::MenuFileNewClick() {
  if (!SavePrompt()) return;
  NewDocument();
}

bool DocumentCommands::OpenDocument(const QString& path, bool focus_body) {
  stored_selected_ = 0;
  stored_caret_ = 0;
  // The file is read beside the open document, so a failed read leaves it as it was.
  Outline loaded;
  const ReadResult result =
      ReadOutlineFile(LocalPath(path), ReadTarget::kMainTree, &loaded, window_.progress());
  if (!result.status) {
    window_.ShowMessage(kReadFailedMessage);
    return false;
  }
  ReplaceOutline(&loaded);
  stored_selected_ = result.info.selected_index;
  stored_caret_ = result.info.caret;
  TakeOpenedDocument(path, stored_selected_, stored_caret_, focus_body);
  return true;
}

void DocumentCommands::ReplaceOutline(Outline* loaded) {
  std::vector<std::unique_ptr<Node>> top;
  while (!loaded->empty())
    top.push_back(loaded->Take(loaded->child(nullptr, loaded->child_count(nullptr) - 1)));
  window_.panes().ReplaceTree([&] {
    Outline& outline = window_.outline();
    outline.BeginBulkLoad();
    outline.Clear();
    for (auto it = top.rbegin(); it != top.rend(); ++it) {
      outline.Adopt(nullptr, outline.child_count(nullptr), std::move(*it));
    }
    outline.EndBulkLoad();
  });
}

void DocumentCommands::TakeImportedDocument(Outline* imported, const QString& name) {
  ReplaceOutline(imported);
  document_name_ = name;
  HoldDocument(document_name_);
  SetCaption();
  window_.panes().ClearBodyPane();
  window_.SelectNode(window_.outline().NodeAt(0));
  ForgetChanges();
}

void DocumentCommands::HoldDocument(const QString& path) {
  document_lock_.reset();
  if (path.isEmpty()) return;
  // A hidden lock file beside the document tells another running Plotweave that this one
  // holds it. Where no lock can be made (a read-only folder) nothing is said.
  const QFileInfo info(path);
  auto lock = std::make_unique<QLockFile>(info.path() + QStringLiteral("/.~lock.") +
                                          info.fileName() + QLatin1Char('#'));
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) {
    document_lock_ = std::move(lock);
  } else if (lock->error() == QLockFile::LockFailedError) {
    window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"), U8(kHeldElsewhere),
                              DialogIcon::kWarning);
  }
}

void DocumentCommands::TakeOpenedDocument(const QString& path, int32_t selected, int32_t caret,
                                          bool focus_body) {
  HoldDocument(path);
  document_name_ = path;
  SetCaption();
  AddRecentFile(path);
  if (window_.settings().NodeOpen) {
    Outline& outline = window_.outline();
    outline.ForEach([&outline](Node* node) {
      if (node->has_children() && !node->expanded()) outline.SetExpanded(node, true);
    });
  }
  ApplyExpandedStatesToView();
  window_.panes().ClearBodyPane();
  window_.SelectNode(StoredSelection(window_.outline(), selected));
  if (window_.settings().LoadEditPos && caret > 0) {
    QTextCursor cursor = ui_.RichEditMain->textCursor();
    cursor.setPosition(std::min<int>(caret, ui_.RichEditMain->document()->characterCount() - 1));
    ui_.RichEditMain->setTextCursor(cursor);
    ui_.RichEditMain->ensureCursorVisible();
  }
  if (focus_body) ui_.RichEditMain->setFocus();
  // The document just read is the one on disk.
  ForgetChanges();
}

void DocumentCommands::ForgetChanges() {
  window_.panes().ForgetPreviousPlace();
  window_.flags().Clear();
  window_.panes().SetUnmodified();
  window_.UpdateTreeCommands();
}

void DocumentCommands::ApplyExpandedStatesToView() {
  window_.outline().ForEach([this](Node* node) {
    if (node->expanded() && node->has_children()) {
      ui_.TreeViewMain->setExpanded(window_.model()->IndexFromNode(node), true);
    }
  });
}

void DocumentCommands::MenuFileOpenClick() {
  if (!SavePrompt()) return;
  window_.SetBarsEnabled(false);
  stored_selected_ = 0;
  stored_caret_ = 0;
  const std::optional<QString> name =
      window_.dialogs().OpenFileName(window_.dialog_parent(), DocumentDialogRequest(false));
  if (name) {
    if (!HasDocumentExtension(*name)) {
      window_.ShowMessage(kInvalidNameMessage);
    } else {
      OpenDocument(*name, true);
    }
  }
  window_.SetBarsEnabled(true);
}

void DocumentCommands::OpenRecentFile(int index) {
  if (index < 0 || static_cast<size_t>(index) >= window_.settings().History.size()) return;
  // Saving in the prompt puts the saved file on top, so the entry is found again by its path.
  const std::string entry = window_.settings().History[static_cast<size_t>(index)];
  if (!SavePrompt()) return;
  const size_t now = window_.settings().History.Find(entry);
  if (now == std::string::npos) return;
  const QString path = QString::fromStdString(entry);
  if (!QFileInfo(path).isFile()) {
    window_.settings().History.Remove(now);
    RebuildRecentMenus();
    return;
  }
  window_.SetBarsEnabled(false);
  OpenDocument(path, true);  // a successful read moves the entry to the top
  window_.SetBarsEnabled(true);
}

FileDialogRequest DocumentCommands::DocumentDialogRequest(bool save) const {
  FileDialogRequest request;
  request.title = U8(save ? "ﾌｧｲﾙの保存" : "ﾌｧｲﾙの読み込み");
  request.filter = U8("Plotweaveﾌｧｲﾙ (*.PWV *.pwv)");
  request.default_suffix = QStringLiteral("PWV");
  const QFileInfo info(document_name_);
  if (QFileInfo(info.path()).isDir()) {
    request.proposed = document_name_;
  } else {
    request.proposed = DefaultFolder() + info.fileName();
  }
  request.must_exist = !save;
  request.confirm_overwrite = true;
  return request;
}

DocumentCommands::PromptResult DocumentCommands::SavePromptResult(bool closing) {
  window_.StoreCurrentNode();
  if (!window_.flags().TestModified()) return PromptResult::kGoOn;
  const DialogAnswer answer = window_.dialogs().Ask(
      window_.dialog_parent(), U8(closing ? kClosePromptCaption : kSavePromptCaption),
      U8(kSavePromptText), DialogButtons::kYesNoCancel, DialogIcon::kWarning);
  switch (answer) {
    case DialogAnswer::kYes:
      switch (SaveDocument()) {
        case SaveResult::kSaved:
          return PromptResult::kGoOn;
        case SaveResult::kCancelled:
          return PromptResult::kCancelled;
        case SaveResult::kFailed:
          return PromptResult::kFailed;
      }
      return PromptResult::kFailed;
    case DialogAnswer::kNo:
      return PromptResult::kGoOn;
    default:
      return PromptResult::kCancelled;
  }
}

void DocumentCommands::MenuFileSaveClick() { SaveDocument(); }

DocumentCommands::SaveResult DocumentCommands::SaveDocument() {
  window_.StoreCurrentNode();
  if (QFileInfo::exists(document_name_) && IsReadOnlyFile(document_name_)) {
    window_.dialogs().Message(window_.dialog_parent(), U8(kReadOnlyCaption), U8(kReadOnlyText),
                              DialogIcon::kError);
    return SaveResult::kFailed;
  }
  window_.SetBarsEnabled(false);
  save_cancelled_ = false;
  const SaveResult result = SaveRule();
  window_.SetBarsEnabled(true);
  if (result == SaveResult::kSaved) MarkSaved();
  return result;
}

DocumentCommands::SaveResult DocumentCommands::SaveRule() {
  const QFileInfo info(document_name_);
  if (info.exists() && info.fileName() != U8(kNewFileName)) {
    MakeBackup(document_name_);
    return WriteDocument(document_name_) ? SaveResult::kSaved : SaveResult::kFailed;
  }
  return SaveAsDocument();
}

void DocumentCommands::MarkSaved() {
  SetCaption();
  window_.flags().Clear();
  window_.panes().SetUnmodified();
}

void DocumentCommands::MenuFileSaveAsClick() {
  window_.StoreCurrentNode();
  window_.SetBarsEnabled(false);
  save_cancelled_ = false;
  const SaveResult result = SaveAsDocument();
  window_.SetBarsEnabled(true);
  if (result == SaveResult::kSaved) MarkSaved();
}

DocumentCommands::SaveResult DocumentCommands::SaveAsDocument() {
  FileDialogRequest request = DocumentDialogRequest(true);
  const std::optional<QString> name =
      window_.dialogs().SaveFileName(window_.dialog_parent(), request);
  if (!name) {
    save_cancelled_ = true;
    return SaveResult::kCancelled;
  }
  if (!HasDocumentExtension(*name)) {
    window_.ShowMessage(kInvalidNameMessage);
    window_.ShowMessage(kSaveFailedMessage);
    return SaveResult::kFailed;
  }
  const QFileInfo chosen(*name);
  if (!QFileInfo(chosen.path()).isDir()) {
    window_.ShowMessage(kNoFolderMessage);
    window_.ShowMessage(kSaveFailedMessage);
    return SaveResult::kFailed;
  }
  const QString path = chosen.absoluteFilePath();
  if (QFileInfo::exists(path) && IsReadOnlyFile(path)) {
    window_.dialogs().Message(window_.dialog_parent(), U8(kReadOnlyCaption), U8(kReadOnlyText),
                              DialogIcon::kError);
    return SaveResult::kFailed;
  }
  const bool same_file =
      QFileInfo(document_name_).absoluteFilePath() == path && QFileInfo::exists(path);
  if (same_file) MakeBackup(path);
  // The name changes only with a successful write: a failed save keeps the document's name.
  if (!WriteDocument(path)) return SaveResult::kFailed;
  if (path != document_name_) HoldDocument(path);
  document_name_ = path;
  return SaveResult::kSaved;
}

bool DocumentCommands::WriteDocument(const QString& path) {
  WriteOptions options;
  options.variant = OutlineVariant::kDocument;
  Node* current = window_.current_node();
  options.selected_index =
      current != nullptr ? static_cast<int32_t>(window_.outline().AbsoluteIndex(current)) : 0;
  options.caret = ui_.RichEditMain->textCursor().position();
  options.body_serializer = [](std::string_view body) { return rich::SerializeBodyForFile(body); };
  options.progress = window_.progress();
  const Status status = WriteOutlineFile(LocalPath(path), window_.outline(), options);
  if (!status) {
    window_.ShowMessage(kSaveFailedMessage);
    return false;
  }
  AddRecentFile(path);
  return true;
}

bool DocumentCommands::IsReadOnlyFile(const QString& path) const {
  // The owner's write bit, not access(): the refusal must not depend on who runs the program.
  return (QFile::permissions(path) & QFileDevice::WriteOwner) == 0;
}

void DocumentCommands::MakeBackup(const QString& path) {
  if (!window_.settings().MakeBak) return;
  const QFileInfo info(path);
  const QString bak_name = info.completeBaseName() + QStringLiteral(".BAK");
  QString bak = info.path() + QLatin1Char('/') + bak_name;
  if (window_.settings().UseBakDir) {
    bak = QString::fromStdString(WithTrailingSlash(window_.settings().BackDir)) + bak_name;
  }
  if (QFileInfo::exists(bak) && !QFile::remove(bak)) {
    window_.ShowMessage(kNoBackup);
    return;
  }
  if (!QFile::copy(path, bak)) window_.ShowMessage(kNoBackup);
}

void DocumentCommands::AddRecentFile(const QString& path) {
  window_.settings().History.Add(path.toStdString());
  RebuildRecentMenus();
}

void DocumentCommands::RebuildRecentMenus() {
  for (QAction* action : recent_actions_) {
    ui_.MenuFile->removeAction(action);
    delete action;
  }
  recent_actions_.clear();
  ui_.PopupMenuFileOpen->clear();
  for (size_t i = 0; i < window_.settings().History.size(); ++i) {
    QString path = QString::fromStdString(window_.settings().History[i]);
    // A "&" in a path is shown, not taken as an access key.
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QString caption = QStringLiteral("&%1 %2").arg(i).arg(path);
    const int index = static_cast<int>(i);
    auto* item = new QAction(caption, ui_.MenuFile);
    item->setObjectName(QStringLiteral("MenuFileHistory%1").arg(i));
    connect(item, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
    ui_.MenuFile->addAction(item);
    recent_actions_.append(item);
    QAction* popup = ui_.PopupMenuFileOpen->addAction(caption);
    popup->setObjectName(QStringLiteral("PopupFileOpenHistory%1").arg(i));
    connect(popup, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
  }
}

void DocumentCommands::DropFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  const QString path = paths.front();
  const QString extension = QFileInfo(path).suffix().toUpper();
  if (extension == QLatin1String("TXT") || extension == QLatin1String("RTF")) {
    if (window_.dialogs().Ask(window_.dialog_parent(), U8(kImportCaption), U8(kImportText),
                              DialogButtons::kYesNo, DialogIcon::kWarning) == DialogAnswer::kYes) {
      LoadFileIntoBody(path);
    }
    return;
  }
  if (extension == QLatin1String("PWV")) {
    if (!SavePrompt()) return;
    OpenDocument(path, false);
    return;
  }
  QTextCursor cursor = ui_.RichEditMain->textCursor();
  cursor.removeSelectedText();
  cursor.insertText(FromCp932(window_.settings().LinkLeft) + path +
                    FromCp932(window_.settings().LinkRight));
  ui_.RichEditMain->setTextCursor(cursor);
}

void DocumentCommands::LoadFileIntoBody(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    window_.ShowMessage(kReadFailedMessage);
    return;
  }
  const QByteArray bytes = file.readAll();
  const std::string_view content(bytes.constData(), static_cast<size_t>(bytes.size()));
  window_.panes().ClearBodyPane();
  QTextDocument* document = ui_.RichEditMain->document();
  document->setUndoRedoEnabled(false);
  if (QFileInfo(path).suffix().toUpper() == QLatin1String("RTF")) {
    LoadBodyIntoDocument(content, document);
  } else {
    RichToQt(
        rich::PlainTextToDocument(content, FromQtFormat(ui_.RichEditMain->currentCharFormat())),
        document);
  }
  document->setUndoRedoEnabled(true);
  // The pane now differs from the node: the next store writes it back.
  document->setModified(true);
}

}  // namespace pw
