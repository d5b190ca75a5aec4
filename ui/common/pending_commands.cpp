// The one list of commands whose work is not built yet. They are shown, and disabled;
// enabling one means building its handler, binding it in its command class and deleting its
// line here.
#include <QSet>
#include <QString>

#include "ui/common/action_registry.h"

namespace pw {
namespace {

const char* const kPendingCommands[] = {
    // dates, text formatting, font styles, links, font and tab unification, a file into the
    // body (ui/styling/)
    "MenuEditDay",
    "MenuTextFont",
    "MenuTextLink",
    "MenuTextFontAll",
    "MenuTextTabAll",
    "ToolTextStyle",
    "MenuTextStyleSet",
    "MenuTextStyleLoad",
    "MenuTextStyleSave",
    "MenuTextStyleEdit",
    "MenuTextImport",
    // the font bar's formatting commands (ui/styling/)
    "FontBarName",
    "FontBarSize",
    "FontBarBold",
    "FontBarItalic",
    "FontBarUnderline",
    "FontBarStrikeOut",
    "FontBarColor",
    "FontBarLeft",
    "FontBarCenter",
    "FontBarRight",
    "FontBarBullet",
    // find and replace (ui/search/)
    "MenuTextFind",
    "MenuTextFindNext",
    "MenuTextReplace",
    // options and tool-bar customisation (ui/settings/)
    "MenuDispCustmize",
    "MenuToolCustmize",
};

}  // namespace

bool IsPendingCommand(const QString& name) {
  static const QSet<QString> pending = [] {
    QSet<QString> set;
    for (const char* command : kPendingCommands) set.insert(QString::fromLatin1(command));
    return set;
  }();
  return pending.contains(name);
}

}  // namespace pw
