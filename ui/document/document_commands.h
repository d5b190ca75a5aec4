// The document's life: new, open, save, save as, the save prompt, back-up copies, recent
// files, dropped files, the lock against other running Plotweaves and the caption.
#ifndef PLOTWEAVE_UI_DOCUMENT_DOCUMENT_COMMANDS_H_
#define PLOTWEAVE_UI_DOCUMENT_DOCUMENT_COMMANDS_H_

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "ui/common/dialogs.h"

class QAction;
class QLockFile;

namespace pw {

class ActionRegistry;
class Outline;
class WindowContext;
struct WindowControls;

inline constexpr char kProgramCaption[] = "Plotweave Ver 3.21";

class DocumentCommands : public QObject {
 public:
  explicit DocumentCommands(WindowContext& window);
  ~DocumentCommands() override;

  void Bind(ActionRegistry& actions);
  // After the settings are read: the recent files and the new document's name.
  void ApplySettings();

  void MenuFileNewClick();
  void MenuFileOpenClick();
  void MenuFileSaveClick();
  void MenuFileSaveAsClick();
  void OpenRecentFile(int index);

  const QString& document_name() const { return document_name_; }
  // The folder new documents and dialogs start in, with a trailing "/" (empty: none set).
  QString DefaultFolder() const;
  // Set when the user cancelled the file-name dialog of a save or an export.
  bool save_cancelled() const { return save_cancelled_; }
  void set_save_cancelled(bool cancelled) { save_cancelled_ = cancelled; }

  // The save prompt. kGoOn: nothing to save, saved, or the user chose not to save.
  enum class PromptResult { kGoOn, kCancelled, kFailed };
  PromptResult SavePromptResult(bool closing);
  bool SavePrompt(bool closing = false) { return SavePromptResult(closing) == PromptResult::kGoOn; }
  // Reads `path` into the tree; on success takes it as the document (caption, recent files,
  // stored selection). Reports a failure and returns false.
  bool OpenDocument(const QString& path, bool focus_body);
  void NewDocument();
  // Takes a tree built aside (an import) as an unsaved document named `name`.
  void TakeImportedDocument(Outline* imported, const QString& name);
  void DropFiles(const QStringList& paths);
  void RebuildRecentMenus();
  // The caption for the current name: "NAME - Plotweave Ver 3.21".
  void SetCaption();

 private:
  enum class SaveResult { kSaved, kCancelled, kFailed };

  SaveResult SaveDocument();
  SaveResult SaveRule();
  SaveResult SaveAsDocument();
  bool WriteDocument(const QString& path);
  void MakeBackup(const QString& path);
  bool IsReadOnlyFile(const QString& path) const;
  FileDialogRequest DocumentDialogRequest(bool save) const;
  void AddRecentFile(const QString& path);
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
  void LoadFileIntoBody(const QString& path);

  WindowContext& window_;
  const WindowControls& ui_;
  QString document_name_;
  std::unique_ptr<QLockFile> document_lock_;
  QList<QAction*> recent_actions_;
  bool save_cancelled_ = false;
  int32_t stored_selected_ = 0;
  int32_t stored_caret_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_DOCUMENT_DOCUMENT_COMMANDS_H_
