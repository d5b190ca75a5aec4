// The document's life: new, open, save, save as, the save prompt, back-up copies, recent
// files, dropped files, the lock against other running Plotweaves, the caption, and the
// recovery copy written while the document has unsaved changes.
#ifndef PLOTWEAVE_UI_DOCUMENT_DOCUMENT_COMMANDS_H_
#define PLOTWEAVE_UI_DOCUMENT_DOCUMENT_COMMANDS_H_

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "ui/common/dialogs.h"

class QAction;

namespace pw {

class ActionRegistry;
class DocumentLock;
class RecoveryCopy;
class RecoveryWriting;
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

  // --- the recovery copy ---
  // At start-up: offers each copy left by a Plotweave that ended without saving, newest first.
  // Yes opens it as the unsaved document under its own name (true); No keeps it for one more
  // start.
  bool OfferRecoveryCopies();
  // Starts writing the recovery copy if the document has unsaved changes. The copy is written
  // a few milliseconds at a time while events run, so that no pause is felt; a change to the
  // tree's shape on the way abandons it and it starts again a little later.
  void WriteRecoveryCopy();
  // Whether a copy is being written.
  bool writing_recovery_copy() const { return writing_ != nullptr; }
  // The document was closed without changes left (saved, or the user chose not to save).
  void DiscardRecoveryCopy();
  // The time of editing after which a copy is written (default 60 s, or
  // PLOTWEAVE_RECOVERY_SECONDS).
  void set_recovery_interval_ms(int ms) { recovery_interval_ms_ = ms; }
  // The copy being kept for the open document (nullptr while there is none).
  const RecoveryCopy* recovery_copy() const { return recovery_.get(); }

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
  // An edit happened: the recovery copy is due after the interval.
  void NoteEdit();
  bool HasUnsavedChanges();
  void StepRecoveryCopy();
  // The tree is about to change its shape: a copy being written cannot go on.
  void AbandonRecoveryWriting();

  WindowContext& window_;
  const WindowControls& ui_;
  QString document_name_;
  std::unique_ptr<DocumentLock> document_lock_;
  std::unique_ptr<RecoveryCopy> recovery_;
  std::unique_ptr<RecoveryWriting> writing_;  // goes before the copy it writes
  QTimer recovery_timer_;
  QTimer step_timer_;
  bool edited_since_copy_ = false;
  int abandoned_writings_ = 0;
  int recovery_interval_ms_;
  QList<QAction*> recent_actions_;
  bool save_cancelled_ = false;
  int32_t stored_selected_ = 0;
  int32_t stored_caret_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_DOCUMENT_DOCUMENT_COMMANDS_H_
