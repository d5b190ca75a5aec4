// The text-format dialog as the rich-text outputs show it (the RTF export, printing and
// WordPad printing): the indentation group hidden, the title-font group shown, the title font
// preset to the title pane's font.
#ifndef PLOTWEAVE_UI_EXPORT_TEXT_FORMAT_ASKER_H_
#define PLOTWEAVE_UI_EXPORT_TEXT_FORMAT_ASKER_H_

#include <optional>

#include "export/text_format.h"

namespace pw {

class WindowContext;

// The committed settings after OK; nullopt after Cancel.
std::optional<TextFormat> AskTextFormatForRichOutput(WindowContext& window);

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_TEXT_FORMAT_ASKER_H_
