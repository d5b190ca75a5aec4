// The EPUB export command.
#include "ui/export/epub_commands.h"

#include <QApplication>
#include <QDateTime>

#include "core/outline.h"
#include "export/epub_export.h"
#include "export/export_prompt.h"
#include "export/text_format.h"
#include "platform/paths.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui/common/wait_cursor.h"
#include "ui/common/window_context.h"
#include "ui/export/export_file_prompt.h"
#include "ui/export/tform_epub_options.h"

namespace pw {

void EpubCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuSaveEPUB", this, &EpubCommands::MenuSaveEPUBClick);
}

void EpubCommands::MenuSaveEPUBClick() {
  window_.StoreCurrentNode();
  const Outline& outline = window_.outline();
  const Node* selected = window_.SelectedNode();
  // The numbering and whether it is on come from the stored text-format settings.
  const TextFormat format = InitialTextFormat(ProgramFolderFile(kDefaultTextFormatFile));

  TFormEpubOptions dialog(
      window_.dialog_parent(),
      [&](ExportScope scope) { return EpubTitlePreset(outline, scope, selected); },
      selected != nullptr, SubtreeScopeAvailable(selected));
  EpubChoices choices;
  choices.vertical = vertical_;
  choices.title = EpubTitlePreset(outline, ExportScope::kAll, selected);
  choices.author = author_;
  choices.chapter_numbers = format.chapter_numbers;
  dialog.SetChoices(choices);
  if (dialog.exec() != QDialog::Accepted) return;
  choices = dialog.Choices();
  vertical_ = choices.vertical;
  author_ = choices.author;

  QString path;
  if (!window_.export_prompt().Choose(kEpubExtension, kEpubFilter, kEpubSaveTitle, &path)) return;
  EpubOptions options;
  options.vertical = choices.vertical;
  options.title = choices.title;
  options.author = choices.author;
  options.chapter_numbers = choices.chapter_numbers;
  options.numbering = format.committed;
  options.modified = QDateTime::currentSecsSinceEpoch();
  const PreorderRange range = ScopeRange(outline, choices.scope, selected);
  Status status;
  {
    WaitCursor wait;
    status = ExportEpub(LocalPath(path), outline, range, options, window_.progress());
  }
  if (!status) {
    window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"),
                              U8(kWriteFailed).arg(QString::fromStdString(status.message)),
                              DialogIcon::kError);
    window_.ShowMessage(kSaveFailed);
  }
}

}  // namespace pw
