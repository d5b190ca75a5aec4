// The tool buttons, the bars they sit on, the rule that hides a bar left without buttons, and
// the rows of the tool-bar area that the stored bar places stand for.
#include "settings/tool_bar_layout.h"

#include <algorithm>
#include <limits>

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

const BarPosition& ToolBarLayout::Position(size_t slot) const {
  return slot == kFontBarSlot ? font_bar_pos : bar_pos[slot];
}

BarPosition& ToolBarLayout::Position(size_t slot) {
  return slot == kFontBarSlot ? font_bar_pos : bar_pos[slot];
}

namespace {

struct Placed {
  int top;
  int left;
  size_t slot;
};

// Groups places into rows: equal tops share a row; rows by top, bars by left, then by slot.
BarRows RowsOf(std::vector<Placed> placed) {
  std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
    if (a.top != b.top) return a.top < b.top;
    if (a.left != b.left) return a.left < b.left;
    return a.slot < b.slot;
  });
  BarRows rows;
  for (size_t i = 0; i < placed.size(); ++i) {
    if (i == 0 || placed[i].top != placed[i - 1].top) rows.emplace_back();
    rows.back().push_back(placed[i].slot);
  }
  return rows;
}

bool HasPlace(const BarPosition& pos) { return pos.Left.has_value() && pos.Top.has_value(); }

}  // namespace

BarRows ToolBarLayout::Arrange(const std::array<int, kPlacedBarCount>& widths,
                               int available_width) const {
  std::vector<Placed> placed;
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    const BarPosition& pos = Position(slot);
    if (HasPlace(pos)) placed.push_back({*pos.Top, *pos.Left, slot});
  }
  BarRows rows = RowsOf(std::move(placed));
  bool row_open = false;  // a row of the flow below the stored rows takes more bars
  long row_width = 0;
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    if (HasPlace(Position(slot))) continue;
    const long width = std::max(widths[slot], 0);
    if (!row_open || slot == kFontBarSlot || row_width + width > available_width) {
      rows.emplace_back();
      row_open = true;
      row_width = 0;
    }
    rows.back().push_back(slot);
    row_width += width;
  }
  return rows;
}

void ToolBarLayout::RecordPlaces(
    const BarRows& laid_out, const std::array<std::optional<BarGeometry>, kPlacedBarCount>& shown) {
  std::vector<Placed> now;
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    if (shown[slot]) now.push_back({shown[slot]->top, shown[slot]->left, slot});
  }
  const BarRows rows_now = RowsOf(now);

  bool all_stored = true;
  std::vector<Placed> stored;
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    const BarPosition& pos = Position(slot);
    if (!HasPlace(pos)) {
      all_stored = false;
      continue;
    }
    stored.push_back({*pos.Top, *pos.Left, slot});
  }
  if (all_stored) {
    BarRows shown_stored;
    for (const std::vector<size_t>& row : RowsOf(stored)) {
      std::vector<size_t> kept;
      for (size_t slot : row) {
        if (shown[slot]) kept.push_back(slot);
      }
      if (!kept.empty()) shown_stored.push_back(std::move(kept));
    }
    if (shown_stored == rows_now) return;
  }

  // Every bar gets its present place. A hidden bar keeps its place among the shown bars it was
  // laid out with (just after the shown bar before it); the hidden bars of a row without any
  // shown bar keep that row, below the shown rows.
  int next_top = 0;
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    if (!shown[slot]) continue;
    Position(slot) = {shown[slot]->left, shown[slot]->top};
    next_top = std::max(next_top, shown[slot]->top + 1);
  }
  std::array<bool, kPlacedBarCount> placed{};
  std::optional<int> row_top;  // top of the last laid-out row that has a shown bar
  int hidden_after = 0;        // hidden rows since then
  BarRows leading_rows;        // hidden rows above the first row with a shown bar
  for (const std::vector<size_t>& row : laid_out) {
    std::optional<size_t> before;  // the last shown bar so far in this row
    int after_before = 0;
    std::vector<size_t> leading;  // hidden bars ahead of the row's first shown bar
    for (size_t slot : row) {
      if (slot >= kPlacedBarCount || placed[slot]) continue;
      placed[slot] = true;
      if (shown[slot]) {
        if (!before) {
          int left = shown[slot]->left - static_cast<int>(leading.size());
          for (size_t h : leading) Position(h) = {left++, shown[slot]->top};
          leading.clear();
          row_top = shown[slot]->top;
          hidden_after = 0;
        }
        before = slot;
        after_before = 0;
      } else if (before) {
        Position(slot) = {shown[*before]->left + ++after_before, shown[*before]->top};
      } else {
        leading.push_back(slot);
      }
    }
    if (leading.empty()) continue;
    // A row of hidden bars only: just below the shown row it followed, so it keeps its turn.
    if (row_top) {
      int left = 0;
      ++hidden_after;
      for (size_t slot : leading) Position(slot) = {left++, *row_top + hidden_after};
    } else {
      leading_rows.push_back(std::move(leading));
    }
  }
  std::optional<int> first_top;
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    if (shown[slot]) first_top = std::min(first_top.value_or(shown[slot]->top), shown[slot]->top);
  }
  int top = first_top.value_or(0) - (first_top ? static_cast<int>(leading_rows.size()) : 0);
  for (const std::vector<size_t>& row : leading_rows) {
    int left = 0;
    for (size_t slot : row) Position(slot) = {left++, top};
    ++top;
  }
  for (size_t slot = 0; slot < kPlacedBarCount; ++slot) {
    if (!placed[slot] && !shown[slot]) Position(slot) = {0, next_top++};  // never laid out
  }
}

}  // namespace pw
