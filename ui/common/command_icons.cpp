// Which image each command shows, and where it comes from.
#include "ui/common/command_icons.h"

#include <QAction>
#include <QFileInfo>

#include "platform/paths.h"
#include "ui/common/action_registry.h"

namespace pw {
namespace {

// Commands and the tool buttons that run them share one image. The theme names are those of
// the freedesktop icon naming list; where it has none, our drawing is the image.
constexpr CommandIconName kIcons[] = {
    {"MenuFileNew", "document-new", "document-new"},
    {"MenuFileOpen", "document-open", "document-open"},
    {"MenuFileSave", "document-save", "document-save"},
    {"MenuFileView", "document-print-preview", "document-print-preview"},
    {"MenuFilePrint", "document-print", "document-print"},
    {"MenuEditUndo", "edit-undo", "edit-undo"},
    {"MenuEditCut", "edit-cut", "edit-cut"},
    {"MenuEditCopy", "edit-copy", "edit-copy"},
    {"MenuEditPaste", "edit-paste", "edit-paste"},
    {"MenuEditCopyNode", nullptr, "edit-copy-node"},
    {"MenuEditSplitChange", nullptr, "split-change"},
    {"MenuTreeAdd", nullptr, "tree-add"},
    {"MenuTreeAddChild", nullptr, "tree-add-child"},
    {"MenuTreeInsParent", nullptr, "tree-ins-parent"},
    {"MenuTreeInsChild", nullptr, "tree-ins-child"},
    {"MenuTreeInsChara", nullptr, "tree-ins-chara"},
    {"MenuTreeInsCharaItem", nullptr, "tree-ins-chara-item"},
    {"MenuTreeInsTemplate", nullptr, "template-insert"},
    {"MenuTreeSaveTemplate", nullptr, "template-save"},
    {"MenuTreeUp", "go-up", "tree-up"},
    {"MenuTreeDown", "go-down", "tree-down"},
    {"MenuTreeMarkChange", nullptr, "tree-mark-change"},
    {"MenuTreeColor", nullptr, "tree-color"},
    {"MenuTreeDel", "edit-delete", "edit-delete"},
    {"MenuTreeMerge", nullptr, "tree-merge"},
    {"MenuTreeSplitChild", nullptr, "tree-split-child"},
    {"MenuTreeSplit", nullptr, "tree-split"},
    {"MenuTreeOpen", nullptr, "tree-open"},
    {"MenuTreeClose", nullptr, "tree-close"},
    {"MenuTextFont", "preferences-desktop-font", "preferences-desktop-font"},
    {"MenuTextLink", "insert-link", "insert-link"},
    {"ToolTextStyle", nullptr, "text-style"},
    {"MenuTextStyleSet", nullptr, "text-style-set"},
    {"MenuTextStyleLoad", nullptr, "text-style-load"},
    {"MenuTextStyleSave", nullptr, "text-style-save"},
    {"MenuTextStyleEdit", nullptr, "text-style-edit"},
    {"MenuTextFind", "edit-find", "edit-find"},
    {"MenuTextImport", "insert-text", "insert-text"},
    {"MenuMoveTree", nullptr, "move-tree"},
    {"MenuMoveTitle", nullptr, "move-title"},
    {"MenuMoveEdit", nullptr, "move-edit"},
    {"MenuToolCustmize", "preferences-system", "preferences-system"},
    {"MenuHelpContents", "help-contents", "help-contents"},
    {"FontBarBold", "format-text-bold", "format-text-bold"},
    {"FontBarItalic", "format-text-italic", "format-text-italic"},
    {"FontBarUnderline", "format-text-underline", "format-text-underline"},
    {"FontBarStrikeOut", "format-text-strikethrough", "format-text-strikethrough"},
    {"FontBarColor", nullptr, "format-text-color"},
    {"FontBarLeft", "format-justify-left", "format-justify-left"},
    {"FontBarCenter", "format-justify-center", "format-justify-center"},
    {"FontBarRight", "format-justify-right", "format-justify-right"},
    {"FontBarBullet", nullptr, "format-list-bullets"},
};

// The tool button of each command that has one, by the same order as the bars.
struct ButtonOf {
  const char* command;
  const char* button;
};
constexpr ButtonOf kButtons[] = {
    {"MenuFileNew", "ToolButtonFileNew"},
    {"MenuFileOpen", "ToolButtonFileOpen"},
    {"MenuFileSave", "ToolButtonFileSave"},
    {"MenuFileView", "ToolButtonFileView"},
    {"MenuFilePrint", "ToolButtonFilePrint"},
    {"MenuEditUndo", "ToolButtonEditUndo"},
    {"MenuEditCut", "ToolButtonEditCut"},
    {"MenuEditCopy", "ToolButtonEditCopy"},
    {"MenuEditPaste", "ToolButtonEditPaste"},
    {"MenuEditCopyNode", "ToolButtonEditCopyNode"},
    {"MenuEditSplitChange", "ToolButtonEditSplitChange"},
    {"MenuTreeAdd", "ToolButtonTreeAdd"},
    {"MenuTreeAddChild", "ToolButtonTreeAddChild"},
    {"MenuTreeInsParent", "ToolButtonTreeInsParent"},
    {"MenuTreeInsChild", "ToolButtonTreeInsChild"},
    {"MenuTreeInsChara", "ToolButtonTreeInsChara"},
    {"MenuTreeInsCharaItem", "ToolButtonTreeInsCharaItem"},
    {"MenuTreeInsTemplate", "ToolButtonInsTemplate"},
    {"MenuTreeSaveTemplate", "ToolButtonSaveTemplate"},
    {"MenuTreeUp", "ToolButtonTreeUp"},
    {"MenuTreeDown", "ToolButtonTreeDown"},
    {"MenuTreeMarkChange", "ToolButtonTreeMarkChange"},
    {"MenuTreeColor", "ToolButtonTreeColor"},
    {"MenuTreeDel", "ToolButtonTreeDel"},
    {"MenuTreeMerge", "ToolButtonTreeMerge"},
    {"MenuTreeSplitChild", "ToolButtonTreeSplitChild"},
    {"MenuTreeSplit", "ToolButtonTreeSplit"},
    {"MenuTreeOpen", "ToolButtonTreeOpen"},
    {"MenuTreeClose", "ToolButtonTreeClose"},
    {"MenuTextFont", "ToolButtonTextFont"},
    {"MenuTextLink", "ToolButtonTextLink"},
    {"ToolTextStyle", "ToolButtonTextStyle"},
    {"MenuTextStyleSet", "ToolButtonTextStyleSet"},
    {"MenuTextStyleLoad", "ToolButtonTextStyleLoad"},
    {"MenuTextStyleSave", "ToolButtonTextStyleSave"},
    {"MenuTextStyleEdit", "ToolButtonTextStyleEdit"},
    {"MenuTextFind", "ToolButtonTextFind"},
    {"MenuTextImport", "ToolButtonTextImport"},
    {"MenuMoveTree", "ToolButtonMoveTree"},
    {"MenuMoveTitle", "ToolButtonMoveTitle"},
    {"MenuMoveEdit", "ToolButtonMoveEdit"},
    {"MenuToolCustmize", "ToolButtonToolCustmize"},
    {"MenuHelpContents", "ToolButtonHelpContents"},
};

}  // namespace

const CommandIconName* CommandIconNames(size_t* count) {
  *count = std::size(kIcons);
  return kIcons;
}

QIcon DataIcon(const QString& relative_path) {
  const QString path = QString::fromStdString(DataDir()) + QLatin1Char('/') + relative_path;
  if (!QFileInfo::exists(path)) return QIcon();
  return QIcon(path);
}

void ApplyCommandIcons(ActionRegistry& actions) {
  for (const CommandIconName& entry : kIcons) {
    const QIcon own = DataIcon(QStringLiteral("icons/actions/%1.svg").arg(QLatin1String(entry.file)));
    const QIcon icon = entry.theme != nullptr
                           ? QIcon::fromTheme(QLatin1String(entry.theme), own)
                           : own;
    if (icon.isNull()) continue;
    if (QAction* command = actions.Action(QLatin1String(entry.command))) command->setIcon(icon);
    for (const ButtonOf& button : kButtons) {
      if (qstrcmp(button.command, entry.command) != 0) continue;
      if (QAction* action = actions.Action(QLatin1String(button.button))) action->setIcon(icon);
    }
  }
}

}  // namespace pw
