// The text-format dialog for the rich-text outputs.
#include "ui/export/text_format_asker.h"

#include "settings/settings.h"
#include "ui/common/window_context.h"
#include "ui/export/tform_text_format.h"

namespace pw {

std::optional<TextFormat> AskTextFormatForRichOutput(WindowContext& window) {
  TFormTextFormat dialog(window, window.SelectedNode());
  dialog.ShowPages(true, true);
  dialog.ShowGroups(false, true);
  dialog.PresetTitleFont(window.settings().MemoFont);
  if (!dialog.Execute()) return std::nullopt;
  return dialog.format();
}

}  // namespace pw
