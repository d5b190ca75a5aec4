// The document's life in the main window: new, open, save, save as, the save prompt, back-up
// copies, recent files, dropped files and the caption.
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

#include "core/new_document.h"
#include "core/outline_file.h"
#include "platform/paths.h"
#include "richtext/body_text.h"
#include "richtext/plain_text.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/common/tform_progress.h"
#include "ui/document/outline_model.h"
#include "ui/tform_main.h"

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

void TFormMain::ShowMessage(const char* text) {
  dialogs_->Message(this, U8("Plotweave"), U8(text), DialogIcon::kNone);
}

void TFormMain::SetCaption() {
  setWindowTitle(QFileInfo(document_name_).completeBaseName() + QStringLiteral(" - ") +
                 U8(kProgramCaption));
}

void TFormMain::NewDocument() {
  QString folder = DefaultFolder();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    folder = QString::fromStdString(WithTrailingSlash(ConfigDir()));
  }
  document_name_ = folder + U8(kNewFileName);
  SetCaption();
  HoldDocument(QString());

  clearing_ = true;
  current_ = nullptr;
  outline_.Clear();
  clearing_ = false;
  ClearBodyPane();
  RichEditMain->document()->setModified(false);
  ApplyPaneFonts();

  Node* root = MakeNewDocument(&outline_);
  SelectNode(root);
  ForgetChanges();
}

void TFormMain::MenuFileNewClick() {
  if (!SavePrompt()) return;
  NewDocument();
}

bool TFormMain::OpenDocument(const QString& path, bool focus_body) {
  stored_selected_ = 0;
  stored_caret_ = 0;
  // The file is read beside the open document, so a failed read leaves it as it was.
  Outline loaded;
  const ReadResult result =
      ReadOutlineFile(LocalPath(path), ReadTarget::kMainTree, &loaded, FormProgress);
  if (!result.status) {
    ShowMessage(kReadFailedMessage);
    return false;
  }
  ReplaceOutline(&loaded);
  stored_selected_ = result.info.selected_index;
  stored_caret_ = result.info.caret;
  TakeOpenedDocument(path, stored_selected_, stored_caret_, focus_body);
  return true;
}

void TFormMain::ReplaceOutline(Outline* loaded) {
  std::vector<std::unique_ptr<Node>> top;
  while (!loaded->empty())
    top.push_back(loaded->Take(loaded->child(nullptr, loaded->child_count(nullptr) - 1)));
  clearing_ = true;
  current_ = nullptr;
  outline_.BeginBulkLoad();
  outline_.Clear();
  for (auto it = top.rbegin(); it != top.rend(); ++it) {
    outline_.Adopt(nullptr, outline_.child_count(nullptr), std::move(*it));
  }
  outline_.EndBulkLoad();
  clearing_ = false;
}

void TFormMain::HoldDocument(const QString& path) {
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
    dialogs_->Message(this, U8("Plotweave"), U8(kHeldElsewhere), DialogIcon::kWarning);
  }
}

void TFormMain::TakeOpenedDocument(const QString& path, int32_t selected, int32_t caret,
                                   bool focus_body) {
  HoldDocument(path);
  document_name_ = path;
  SetCaption();
  AddRecentFile(path);
  if (settings_.NodeOpen) {
    outline_.ForEach([this](Node* node) {
      if (node->has_children() && !node->expanded()) outline_.SetExpanded(node, true);
    });
  }
  ApplyExpandedStatesToView();
  ClearBodyPane();
  SelectNode(StoredSelection(outline_, selected));
  if (settings_.LoadEditPos && caret > 0) {
    QTextCursor cursor = RichEditMain->textCursor();
    cursor.setPosition(std::min<int>(caret, RichEditMain->document()->characterCount() - 1));
    RichEditMain->setTextCursor(cursor);
    RichEditMain->ensureCursorVisible();
  }
  if (focus_body) RichEditMain->setFocus();
  // The document just read is the one on disk.
  ForgetChanges();
}

void TFormMain::ForgetChanges() {
  previous_node_ = nullptr;
  previous_caret_ = 0;
  flags_.Clear();
  RichEditMain->document()->setModified(false);
  MemoTitle->setModified(false);
  UpdateTreeCommands();
}

void TFormMain::ApplyExpandedStatesToView() {
  outline_.ForEach([this](Node* node) {
    if (node->expanded() && node->has_children()) {
      TreeViewMain->setExpanded(model_->IndexFromNode(node), true);
    }
  });
}

void TFormMain::MenuFileOpenClick() {
  if (!SavePrompt()) return;
  SetBarsEnabled(false);
  stored_selected_ = 0;
  stored_caret_ = 0;
  const std::optional<QString> name = dialogs_->OpenFileName(this, DocumentDialogRequest(false));
  if (name) {
    if (!HasDocumentExtension(*name)) {
      ShowMessage(kInvalidNameMessage);
    } else {
      OpenDocument(*name, true);
    }
  }
  SetBarsEnabled(true);
}

void TFormMain::OpenRecentFile(int index) {
  if (index < 0 || static_cast<size_t>(index) >= settings_.History.size()) return;
  // Saving in the prompt puts the saved file on top, so the entry is found again by its path.
  const std::string entry = settings_.History[static_cast<size_t>(index)];
  if (!SavePrompt()) return;
  const size_t now = settings_.History.Find(entry);
  if (now == std::string::npos) return;
  const QString path = QString::fromStdString(entry);
  if (!QFileInfo(path).isFile()) {
    settings_.History.Remove(now);
    RebuildRecentMenus();
    return;
  }
  SetBarsEnabled(false);
  OpenDocument(path, true);  // a successful read moves the entry to the top
  SetBarsEnabled(true);
}

FileDialogRequest TFormMain::DocumentDialogRequest(bool save) const {
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

TFormMain::PromptResult TFormMain::SavePromptResult(bool closing) {
  StoreCurrentNode();
  if (!flags_.TestModified()) return PromptResult::kGoOn;
  const DialogAnswer answer =
      dialogs_->Ask(this, U8(closing ? kClosePromptCaption : kSavePromptCaption),
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

void TFormMain::MenuFileSaveClick() { SaveDocument(); }

TFormMain::SaveResult TFormMain::SaveDocument() {
  StoreCurrentNode();
  if (QFileInfo::exists(document_name_) && IsReadOnlyFile(document_name_)) {
    dialogs_->Message(this, U8(kReadOnlyCaption), U8(kReadOnlyText), DialogIcon::kError);
    return SaveResult::kFailed;
  }
  SetBarsEnabled(false);
  save_cancelled_ = false;
  const SaveResult result = SaveRule();
  SetBarsEnabled(true);
  if (result == SaveResult::kSaved) MarkSaved();
  return result;
}

TFormMain::SaveResult TFormMain::SaveRule() {
  const QFileInfo info(document_name_);
  if (info.exists() && info.fileName() != U8(kNewFileName)) {
    MakeBackup(document_name_);
    return WriteDocument(document_name_) ? SaveResult::kSaved : SaveResult::kFailed;
  }
  return SaveAsDocument();
}

void TFormMain::MarkSaved() {
  SetCaption();
  flags_.Clear();
  RichEditMain->document()->setModified(false);
  MemoTitle->setModified(false);
}

void TFormMain::MenuFileSaveAsClick() {
  StoreCurrentNode();
  SetBarsEnabled(false);
  save_cancelled_ = false;
  const SaveResult result = SaveAsDocument();
  SetBarsEnabled(true);
  if (result == SaveResult::kSaved) MarkSaved();
}

TFormMain::SaveResult TFormMain::SaveAsDocument() {
  FileDialogRequest request = DocumentDialogRequest(true);
  const std::optional<QString> name = dialogs_->SaveFileName(this, request);
  if (!name) {
    save_cancelled_ = true;
    return SaveResult::kCancelled;
  }
  if (!HasDocumentExtension(*name)) {
    ShowMessage(kInvalidNameMessage);
    ShowMessage(kSaveFailedMessage);
    return SaveResult::kFailed;
  }
  const QFileInfo chosen(*name);
  if (!QFileInfo(chosen.path()).isDir()) {
    ShowMessage(kNoFolderMessage);
    ShowMessage(kSaveFailedMessage);
    return SaveResult::kFailed;
  }
  const QString path = chosen.absoluteFilePath();
  if (QFileInfo::exists(path) && IsReadOnlyFile(path)) {
    dialogs_->Message(this, U8(kReadOnlyCaption), U8(kReadOnlyText), DialogIcon::kError);
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

bool TFormMain::WriteDocument(const QString& path) {
  WriteOptions options;
  options.variant = OutlineVariant::kDocument;
  options.selected_index =
      current_ != nullptr ? static_cast<int32_t>(outline_.AbsoluteIndex(current_)) : 0;
  options.caret = RichEditMain->textCursor().position();
  options.body_serializer = [](std::string_view body) { return rich::SerializeBodyForFile(body); };
  options.progress = FormProgress;
  const Status status = WriteOutlineFile(LocalPath(path), outline_, options);
  if (!status) {
    ShowMessage(kSaveFailedMessage);
    return false;
  }
  AddRecentFile(path);
  return true;
}

bool TFormMain::IsReadOnlyFile(const QString& path) const {
  // The owner's write bit, not access(): the refusal must not depend on who runs the program.
  return (QFile::permissions(path) & QFileDevice::WriteOwner) == 0;
}

void TFormMain::MakeBackup(const QString& path) {
  if (!settings_.MakeBak) return;
  const QFileInfo info(path);
  const QString bak_name = info.completeBaseName() + QStringLiteral(".BAK");
  QString bak = info.path() + QLatin1Char('/') + bak_name;
  if (settings_.UseBakDir) {
    bak = QString::fromStdString(WithTrailingSlash(settings_.BackDir)) + bak_name;
  }
  if (QFileInfo::exists(bak) && !QFile::remove(bak)) {
    ShowMessage(kNoBackup);
    return;
  }
  if (!QFile::copy(path, bak)) ShowMessage(kNoBackup);
}

void TFormMain::AddRecentFile(const QString& path) {
  settings_.History.Add(path.toStdString());
  RebuildRecentMenus();
}

void TFormMain::RebuildRecentMenus() {
  for (QAction* action : recent_actions_) {
    MenuFile->removeAction(action);
    delete action;
  }
  recent_actions_.clear();
  PopupMenuFileOpen->clear();
  for (size_t i = 0; i < settings_.History.size(); ++i) {
    QString path = QString::fromStdString(settings_.History[i]);
    // A "&" in a path is shown, not taken as an access key.
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QString caption = QStringLiteral("&%1 %2").arg(i).arg(path);
    const int index = static_cast<int>(i);
    auto* item = new QAction(caption, MenuFile);
    item->setObjectName(QStringLiteral("MenuFileHistory%1").arg(i));
    connect(item, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
    MenuFile->addAction(item);
    recent_actions_.append(item);
    QAction* popup = PopupMenuFileOpen->addAction(caption);
    popup->setObjectName(QStringLiteral("PopupFileOpenHistory%1").arg(i));
    connect(popup, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
  }
}

void TFormMain::DropFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  const QString path = paths.front();
  const QString extension = QFileInfo(path).suffix().toUpper();
  if (extension == QLatin1String("TXT") || extension == QLatin1String("RTF")) {
    if (dialogs_->Ask(this, U8(kImportCaption), U8(kImportText), DialogButtons::kYesNo,
                      DialogIcon::kWarning) == DialogAnswer::kYes) {
      LoadFileIntoBody(path);
    }
    return;
  }
  if (extension == QLatin1String("PWV")) {
    if (!SavePrompt()) return;
    OpenDocument(path, false);
    return;
  }
  QTextCursor cursor = RichEditMain->textCursor();
  cursor.removeSelectedText();
  cursor.insertText(FromCp932(settings_.LinkLeft) + path + FromCp932(settings_.LinkRight));
  RichEditMain->setTextCursor(cursor);
}

void TFormMain::LoadFileIntoBody(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ShowMessage(kReadFailedMessage);
    return;
  }
  const QByteArray bytes = file.readAll();
  const std::string_view content(bytes.constData(), static_cast<size_t>(bytes.size()));
  ClearBodyPane();
  QTextDocument* document = RichEditMain->document();
  document->setUndoRedoEnabled(false);
  if (QFileInfo(path).suffix().toUpper() == QLatin1String("RTF")) {
    LoadBodyIntoDocument(content, document);
  } else {
    RichToQt(rich::PlainTextToDocument(content, FromQtFormat(RichEditMain->currentCharFormat())),
             document);
  }
  document->setUndoRedoEnabled(true);
  // The pane now differs from the node: the next store writes it back.
  document->setModified(true);
}

}  // namespace pw
