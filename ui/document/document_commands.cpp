// The document's life in the main window: new, open, save, save as, the save prompt, back-up
// copies, recent files, dropped files, the caption, and the recovery copy.
#include "ui/document/document_commands.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeView>

#include "core/atomic_file.h"
#include "core/document_flags.h"
#include "core/new_document.h"
#include "core/outline_file.h"
#include "core/recovery_copy.h"
#include "platform/document_lock.h"
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

// The recovery question: the document, when its copy was written, and what No does.
constexpr char kRecoveryCaption[] = "Plotweave";
constexpr char kRecoveryText[] =
    "前回、保存されないまま終了した文書の復元用データがあります。\r\n\r\n"
    "文書: %1\r\n記録: %2\r\n\r\n復元しますか？";
constexpr char kRecoveryKeptNote[] = "\r\n（「いいえ」のときは、次回の起動時にもう一度確認します）";
constexpr char kRecoveryDroppedNote[] = "\r\n（「いいえ」のときは、この復元用データを削除します）";
constexpr int kDefaultRecoveryMs = 60 * 1000;
// One step of writing the copy: bodies of about this size, for at most this long.
constexpr size_t kRecoveryStepBytes = size_t{256} << 10;
constexpr qint64 kRecoveryStepNs = 8 * 1000 * 1000;
// After a writing was abandoned, the next try; after this many in a row, one go.
constexpr int kRetryAfterAbandonMs = 1000;
constexpr int kAbandonedBeforeOneGo = 3;

bool HasDocumentExtension(const QString& path) {
  return QFileInfo(path).suffix().compare(QLatin1String("PWV"), Qt::CaseInsensitive) == 0;
}

int RecoveryIntervalMs() {
  bool ok = false;
  const int seconds = qEnvironmentVariableIntValue("PLOTWEAVE_RECOVERY_SECONDS", &ok);
  return ok && seconds > 0 ? seconds * 1000 : kDefaultRecoveryMs;
}

QString FromLocalPath(const std::string& path) { return QFile::decodeName(path.c_str()); }

}  // namespace

DocumentCommands::DocumentCommands(WindowContext& window)
    : window_(window), ui_(window.controls()) {
  // A copy is due after a minute of editing: the first change after a copy starts the clock.
  recovery_interval_ms_ = RecoveryIntervalMs();
  recovery_timer_.setSingleShot(true);
  connect(&recovery_timer_, &QTimer::timeout, this, &DocumentCommands::WriteRecoveryCopy);
  step_timer_.setInterval(0);
  connect(&step_timer_, &QTimer::timeout, this, &DocumentCommands::StepRecoveryCopy);
  // The body pane's document is replaced with every node it shows; the pane's own signal
  // follows whichever it holds.
  connect(ui_.RichEditMain, &QTextEdit::textChanged, this, &DocumentCommands::NoteEdit);
  connect(ui_.MemoTitle, &QLineEdit::textEdited, this, &DocumentCommands::NoteEdit);
  QAbstractItemModel* model = window_.model();
  connect(model, &QAbstractItemModel::dataChanged, this, &DocumentCommands::NoteEdit);
  connect(model, &QAbstractItemModel::rowsInserted, this, &DocumentCommands::NoteEdit);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &DocumentCommands::NoteEdit);
  connect(model, &QAbstractItemModel::rowsMoved, this, &DocumentCommands::NoteEdit);
  connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
          &DocumentCommands::AbandonRecoveryWriting);
  connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          &DocumentCommands::AbandonRecoveryWriting);
  connect(model, &QAbstractItemModel::rowsAboutToBeMoved, this,
          &DocumentCommands::AbandonRecoveryWriting);
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
          &DocumentCommands::AbandonRecoveryWriting);
  connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this,
          &DocumentCommands::AbandonRecoveryWriting);
}

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
    window_.ShowMessage(WithReason(kReadFailedMessage, result.status.message).c_str());
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
  // A hidden lock file beside the document tells every other Plotweave window that this one
  // edits it. Where no lock can be made (a read-only folder) nothing is said.
  bool held_elsewhere = false;
  document_lock_ =
      DocumentLock::Acquire(LocalPath(QFileInfo(path).absoluteFilePath()), &held_elsewhere);
  if (held_elsewhere) {
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
  // What the previous document's copy held was saved or given up in the save prompt.
  DiscardRecoveryCopy();
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
  // A successful read moves the entry to the top; a failed one moves it there too.
  if (!OpenDocument(path, true)) {
    const size_t failed = window_.settings().History.Find(entry);
    if (failed != std::string::npos) {
      window_.settings().History.MoveToTop(failed);
      RebuildRecentMenus();
    }
  }
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
  DiscardRecoveryCopy();
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
  // Where the folder takes no new files, a writable document is rewritten in place.
  options.file.spare_folder = TempDir();
  const Status status = WriteOutlineFile(LocalPath(path), window_.outline(), options);
  if (!status) {
    window_.ShowMessage(WithReason(kSaveFailedMessage, status.message).c_str());
    return false;
  }
  AddRecentFile(path);
  return true;
}

bool DocumentCommands::IsReadOnlyFile(const QString& path) const {
  // The owner's write bit, and the system's answer for this user: a file another user owns
  // is as read-only to us as one without write permission.
  return pw::IsReadOnlyFile(LocalPath(path));
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

void DocumentCommands::NoteEdit() {
  edited_since_copy_ = true;
  if (!recovery_timer_.isActive()) recovery_timer_.start(recovery_interval_ms_);
}

bool DocumentCommands::HasUnsavedChanges() {
  return window_.flags().TestModified() || ui_.RichEditMain->document()->isModified() ||
         ui_.MemoTitle->isModified();
}

void DocumentCommands::WriteRecoveryCopy() {
  if (writing_ || !edited_since_copy_ || !HasUnsavedChanges()) return;
  if (window_.panes().changing() || (window_.progress() && window_.progress()->active())) {
    recovery_timer_.start(kRetryAfterAbandonMs);  // in the middle of something: a little later
    return;
  }
  Node* current = window_.current_node();
  // The body pane's edits belong in the copy; the node keeps what it would keep anyway.
  window_.panes().StoreBody(current);
  if (!recovery_) {
    Status status;
    recovery_ = RecoveryCopy::Start(RecoveryFolder(ConfigDir()), LocalPath(document_name_), &status);
    if (!recovery_) return;  // no configuration folder: there is nothing to tell the user
  }
  const int32_t selected =
      current != nullptr ? static_cast<int32_t>(window_.outline().AbsoluteIndex(current)) : 0;
  writing_ = recovery_->BeginWrite(window_.outline(), selected,
                                   ui_.RichEditMain->textCursor().position());
  // Edits from now on are the next copy's.
  edited_since_copy_ = false;
  if (abandoned_writings_ >= kAbandonedBeforeOneGo) {
    // The tree keeps changing shape under the steps: this once, all at once.
    while (!writing_->Step(SIZE_MAX)) {
    }
    writing_.reset();
    abandoned_writings_ = 0;
    return;
  }
  step_timer_.start();
}

void DocumentCommands::StepRecoveryCopy() {
  if (!writing_) {
    step_timer_.stop();
    return;
  }
  QElapsedTimer clock;
  clock.start();
  while (!writing_->Step(kRecoveryStepBytes)) {
    if (clock.nsecsElapsed() >= kRecoveryStepNs) return;  // the rest after the events
  }
  // A copy that could not be written leaves the previous one; the next edits try again.
  if (!writing_->status()) edited_since_copy_ = true;
  writing_.reset();
  step_timer_.stop();
  abandoned_writings_ = 0;
}

void DocumentCommands::AbandonRecoveryWriting() {
  if (!writing_) return;
  writing_.reset();
  step_timer_.stop();
  ++abandoned_writings_;
  edited_since_copy_ = true;
  recovery_timer_.start(kRetryAfterAbandonMs);
}

void DocumentCommands::DiscardRecoveryCopy() {
  writing_.reset();
  step_timer_.stop();
  abandoned_writings_ = 0;
  recovery_timer_.stop();
  edited_since_copy_ = false;
  if (recovery_) {
    recovery_->Discard();
    recovery_.reset();
  }
}

bool DocumentCommands::OfferRecoveryCopies() {
  std::vector<std::unique_ptr<RecoveryCopy>> copies =
      FindOrphanedRecoveryCopies(RecoveryFolder(ConfigDir()));
  for (std::unique_ptr<RecoveryCopy>& copy : copies) {
    const QString written = QFileInfo(FromLocalPath(copy->copy_path()))
                                .lastModified()
                                .toString(QStringLiteral("yyyy/MM/dd hh:mm"));
    const QString text = U8(kRecoveryText).arg(FromLocalPath(copy->document_path()), written) +
                         U8(copy->declined_before() ? kRecoveryDroppedNote : kRecoveryKeptNote);
    if (window_.dialogs().Ask(window_.dialog_parent(), U8(kRecoveryCaption), text,
                              DialogButtons::kYesNo, DialogIcon::kQuestion) != DialogAnswer::kYes) {
      copy->Decline();
      continue;
    }
    Outline loaded;
    const ReadResult result =
        ReadOutlineFile(copy->copy_path(), ReadTarget::kMainTree, &loaded, window_.progress());
    if (!result.status) {
      window_.ShowMessage(WithReason(kReadFailedMessage, result.status.message).c_str());
      copy->Decline();
      continue;
    }
    ReplaceOutline(&loaded);
    stored_selected_ = result.info.selected_index;
    stored_caret_ = result.info.caret;
    TakeOpenedDocument(FromLocalPath(copy->document_path()), stored_selected_, stored_caret_,
                       false);
    // The document is the unsaved one it was, and the copy goes on being its copy.
    window_.flags().TreeModified = true;
    recovery_ = std::move(copy);
    return true;
  }
  return false;
}

}  // namespace pw
