// The tool buttons, the bars they sit on and the rule that hides a bar left without buttons.
#include "settings/tool_bar_layout.h"

namespace pw {
namespace {

constexpr std::array<std::string_view, kToolBarCount> kToolBarNames = {
    "ToolBarFile", "ToolBarEdit",   "ToolBarTree", "ToolBarText",
    "ToolBarMove", "ToolBarOption", "ToolBarHelp",
};

using B = ToolBar;
constexpr std::array<ToolButtonInfo, kToolButtonCount> kToolButtons = {{
    {"ToolButtonFileNew", B::kFile, "ﾌｧｲﾙ - 新規作成"},
    {"ToolButtonFileOpen", B::kFile, "ﾌｧｲﾙ - 開く"},
    {"ToolButtonFileSave", B::kFile, "ﾌｧｲﾙ - 上書き保存"},
    {"ToolButtonFileView", B::kFile, "ﾌｧｲﾙ - 全体を見る"},
    {"ToolButtonFilePrint", B::kFile, "ﾌｧｲﾙ - 印刷"},
    {"ToolButtonEditUndo", B::kEdit, "編集 - 元に戻す"},
    {"ToolButtonEditCut", B::kEdit, "編集 - ｶｯﾄ"},
    {"ToolButtonEditCopy", B::kEdit, "編集 - ｺﾋﾟｰ"},
    {"ToolButtonEditPaste", B::kEdit, "編集 - ﾍﾟｰｽﾄ"},
    {"ToolButtonEditCopyNode", B::kEdit, "編集 - 他のﾌｧｲﾙのﾉｰﾄﾞをｺﾋﾟｰ"},
    {"ToolButtonEditSplitChange", B::kEdit, "編集 - 分割方向の変更"},
    {"ToolButtonTreeAdd", B::kTree, "ﾂﾘｰ - 同じ階層に追加"},
    {"ToolButtonTreeAddChild", B::kTree, "ﾂﾘｰ - 下の階層に追加"},
    {"ToolButtonTreeInsParent", B::kTree, "ﾂﾘｰ - 親を挿入"},
    {"ToolButtonTreeInsChild", B::kTree, "ﾂﾘｰ - 子を挿入"},
    {"ToolButtonTreeInsChara", B::kTree, "ﾂﾘｰ - ｷｬﾗｸﾀを挿入"},
    {"ToolButtonTreeInsCharaItem", B::kTree, "ﾂﾘｰ - ｷｬﾗｸﾀ項目を挿入"},
    {"ToolButtonInsTemplate", B::kTree, "ﾂﾘｰ - ﾃﾝﾌﾟﾚｰﾄをを挿入"},
    {"ToolButtonSaveTemplate", B::kTree, "ﾂﾘｰ - ﾃﾝﾌﾟﾚｰﾄとして保存"},
    {"ToolButtonTreeUp", B::kTree, "ﾂﾘｰ - 上へ移動"},
    {"ToolButtonTreeDown", B::kTree, "ﾂﾘｰ - 下へ移動"},
    {"ToolButtonTreeMarkChange", B::kTree, "ﾂﾘｰ - 記号の切り替え"},
    {"ToolButtonTreeColor", B::kTree, "ﾂﾘｰ - 色の変更"},
    {"ToolButtonTreeDel", B::kTree, "ﾂﾘｰ - 削除"},
    {"ToolButtonTreeMerge", B::kTree, "ﾂﾘｰ - ﾉｰﾄﾞの結合"},
    {"ToolButtonTreeSplitChild", B::kTree, "ﾂﾘｰ - ﾉｰﾄﾞの分割（子階層）"},
    {"ToolButtonTreeSplit", B::kTree, "ﾂﾘｰ - ﾉｰﾄﾞの分割（同階層）"},
    {"ToolButtonTreeOpen", B::kTree, "ﾂﾘｰ - ﾉｰﾄﾞをすべて開く"},
    {"ToolButtonTreeClose", B::kTree, "ﾂﾘｰ - ﾉｰﾄﾞをすべて閉じる"},
    {"ToolButtonTextFont", B::kText, "ﾃｷｽﾄ - ﾌｫﾝﾄ"},
    {"ToolButtonTextLink", B::kText, "ﾃｷｽﾄ - ﾘﾝｸする"},
    {"ToolButtonTextStyle", B::kText, "ﾃｷｽﾄ - ﾌｫﾝﾄｽﾀｲﾙ"},
    {"ToolButtonTextStyleSet", B::kText, "ﾃｷｽﾄ - ﾌｫﾝﾄｽﾀｲﾙを登録"},
    {"ToolButtonTextStyleLoad", B::kText, "ﾃｷｽﾄ - ﾌｫﾝﾄｽﾀｲﾙの読み込み"},
    {"ToolButtonTextStyleSave", B::kText, "ﾃｷｽﾄ - ﾌｫﾝﾄｽﾀｲﾙの保存"},
    {"ToolButtonTextStyleEdit", B::kText, "ﾃｷｽﾄ - ﾌｫﾝﾄｽﾀｲﾙの編集"},
    {"ToolButtonTextFind", B::kText, "ﾃｷｽﾄ - 検索"},
    {"ToolButtonTextImport", B::kText, "ﾃｷｽﾄ - ﾌｧｲﾙから取り込み"},
    {"ToolButtonMoveTree", B::kMove, "移動 - ﾂﾘｰﾋﾞｭｰ"},
    {"ToolButtonMoveTitle", B::kMove, "移動 - ﾀｲﾄﾙ部"},
    {"ToolButtonMoveEdit", B::kMove, "移動 - ｴﾃﾞｨｯﾄ部"},
    {"ToolButtonToolCustmize", B::kOption, "ｵﾌﾟｼｮﾝ - ｶｽﾀﾏｲｽﾞ"},
    {"ToolButtonHelpContents", B::kHelp, "ﾍﾙﾌﾟ - 目次"},
}};

}  // namespace

const std::array<ToolButtonInfo, kToolButtonCount>& ToolButtons() { return kToolButtons; }

const ToolButtonInfo& ToolButtonOf(ToolButton button) {
  return kToolButtons[static_cast<size_t>(button)];
}

std::string_view ToolBarName(ToolBar bar) { return kToolBarNames[static_cast<size_t>(bar)]; }

std::optional<ToolButton> FindToolButton(std::string_view name) {
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    if (kToolButtons[i].name == name) return static_cast<ToolButton>(i);
  }
  return std::nullopt;
}

std::optional<ToolBar> FindToolBar(std::string_view name) {
  for (size_t i = 0; i < kToolBarCount; ++i) {
    if (kToolBarNames[i] == name) return static_cast<ToolBar>(i);
  }
  return std::nullopt;
}

bool ToolBarLayout::HasVisibleButton(ToolBar bar) const {
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    if (kToolButtons[i].bar == bar && button_visible[i]) return true;
  }
  return false;
}

void ToolBarLayout::HideEmptyToolBars() {
  for (size_t b = 0; b < kToolBarCount; ++b) {
    if (!HasVisibleButton(static_cast<ToolBar>(b))) bar_visible[b] = false;
  }
}

}  // namespace pw
