// The images of the commands, the tool buttons and the font bar: the desktop theme's icon
// where a standard freedesktop name exists, otherwise (and where no theme has one) our own
// drawing, shipped as SVG in the data folder so it is sharp at any scale.
#ifndef PLOTWEAVE_UI_COMMON_COMMAND_ICONS_H_
#define PLOTWEAVE_UI_COMMON_COMMAND_ICONS_H_

#include <QIcon>
#include <QString>

namespace pw {

class ActionRegistry;

// One of our drawings by its path under the data folder ("icons/tree/root.svg"); a null icon
// when the file is missing.
QIcon DataIcon(const QString& relative_path);

// Gives every command that has an image in the table, and its tool button, that image.
void ApplyCommandIcons(ActionRegistry& actions);

// Commands with an image: the command's name and the theme name (empty: our drawing only).
struct CommandIconName {
  const char* command;
  const char* theme;  // freedesktop icon name, or nullptr
  const char* file;   // our drawing: icons/actions/<file>.svg
};
const CommandIconName* CommandIconNames(size_t* count);

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_COMMAND_ICONS_H_
