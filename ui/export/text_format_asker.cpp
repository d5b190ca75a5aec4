// TEMPORARY until the text-format dialog is on this branch: the settings the dialog would start
// with, without asking.
#include "ui/export/text_format_asker.h"

#include "platform/paths.h"
#include "settings/settings.h"
#include "ui/common/window_context.h"

namespace pw {

std::optional<TextFormat> AskTextFormatForRichOutput(WindowContext& window) {
  TextFormat format = InitialTextFormat(ProgramFolderFile(kDefaultTextFormatFile));
  format.title_font = window.settings().MemoFont;
  format.BeginEditing();
  format.CommitEditing();
  return format;
}

}  // namespace pw
