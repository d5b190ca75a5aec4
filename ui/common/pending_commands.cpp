// The one list of commands whose work is not built yet. They are shown, and disabled;
// enabling one means building its handler, binding it in its command class and deleting its
// line here.
#include <QSet>
#include <QString>

#include "ui/common/action_registry.h"

namespace pw {
namespace {

const char* const kPendingCommands[] = {
    // exports, view and printing (ui/export/)
    "MenuSaveRTF",
    "MenuSaveOutline",
    "MenuSaveMeDoc",
    "MenuFileView",
    "MenuFilePrint",
    "MenuFileTreePrint",
    "MenuFileWordPad",
    "MenuTextCount",
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
