// The ruler model. Every setter checks its own rule and ignores what breaks it, so the widget,
// the drag code and the main window's glue can all go through the same doors.
#include "styling/ruler_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pw::styling {
namespace {

int Clamp(int v, int low, int high) { return std::max(low, std::min(v, std::max(low, high))); }

}  // namespace

void RulerModel::Changed() {
  if (OnChanged) OnChanged();
}

int RulerModel::Snap(int v) const { return ruler_tab_ * (v / ruler_tab_); }  // div truncates

void RulerModel::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  Changed();
}

void RulerModel::SetRulerTab(int v) {
  if (v < 1 || v > 255 || v == ruler_tab_) return;
  ruler_tab_ = v;
}

void RulerModel::SetMinIndentDist(int v) { min_indent_dist_ = v; }

void RulerModel::SetFactor(int v) {
  if (v < 1 || v > 30000 || v == factor_) return;
  factor_ = v;
  Changed();
}

void RulerModel::SetTabDist(int v) {
  if (v < 1 || v > 30000 || v == tab_dist_) return;
  tab_dist_ = v;
  Changed();
}

void RulerModel::SetMarginLeft(int v) {
  if (v == margin_left_ || v < 0 || v > width_ - margin_right_ - border_left_ - border_right_) {
    return;
  }
  const int delta = v - margin_left_;
  margin_left_ = v;
  indent_first_ += delta;
  indent_left_ += delta;
  if (drag_margin_ == kMarginLeft && OnMarginDrag) OnMarginDrag(kMarginLeft);
  Changed();
}

void RulerModel::SetMarginRight(int v) {
  if (v == margin_right_ || v < 0 || v > width_ - margin_left_ - border_left_ - border_right_) {
    return;
  }
  indent_right_ += margin_right_ - v;
  margin_right_ = v;
  if (drag_margin_ == kMarginRight && OnMarginDrag) OnMarginDrag(kMarginRight);
  Changed();
}

void RulerModel::SetBorderLeft(int v) {
  if (v == border_left_) return;
  border_left_ = v;
  Changed();
}
void RulerModel::SetBorderUp(int v) {
  if (v == border_up_) return;
  border_up_ = v;
  Changed();
}
void RulerModel::SetBorderDown(int v) {
  if (v == border_down_) return;
  border_down_ = v;
  Changed();
}
void RulerModel::SetBorderRight(int v) {
  if (v == border_right_) return;
  border_right_ = v;
  Changed();
}

bool RulerModel::FirstAllowed(int v) const {
  return v != indent_first_ && v >= 0 && v < width_ - 4 && indent_right_ - v > min_indent_dist_;
}
bool RulerModel::LeftAllowed(int v) const {
  return v != indent_left_ && v >= 0 && v < width_ - 4 && indent_right_ - v > min_indent_dist_;
}
bool RulerModel::RightAllowed(int v) const {
  return v != indent_right_ && v >= 0 && v < width_ - 4 && v - indent_left_ > min_indent_dist_ &&
         v - indent_first_ > min_indent_dist_;
}

void RulerModel::SetIndentFirst(int v) {
  if (!FirstAllowed(v)) return;
  indent_first_ = v;
  if (dragging_handle() && OnIndentDrag) OnIndentDrag(kIndentFirst);
  Changed();
}

void RulerModel::SetIndentLeft(int v) {
  if (!LeftAllowed(v)) return;
  indent_left_ = v;
  if (dragging_handle() && OnIndentDrag) OnIndentDrag(kIndentLeft);
  Changed();
}

void RulerModel::SetIndentRight(int v) {
  if (!RightAllowed(v)) return;
  indent_right_ = v;
  if (dragging_handle() && OnIndentDrag) OnIndentDrag(kIndentRight);
  Changed();
}

void RulerModel::SetIndents(int first, int left, int right) {
  if (right > indent_right_) {
    SetIndentRight(right);
    SetIndentFirst(first);
    SetIndentLeft(left);
  } else {
    SetIndentFirst(first);
    SetIndentLeft(left);
    SetIndentRight(right);
  }
}

void RulerModel::SetShowSmallLines(bool v) {
  if (v == show_small_lines_) return;
  show_small_lines_ = v;
  Changed();
}
void RulerModel::SetShowLargeLines(bool v) {
  if (v == show_large_lines_) return;
  show_large_lines_ = v;
  Changed();
}
void RulerModel::SetShowIndents(bool v) {
  if (v == show_indents_) return;
  show_indents_ = v;
  Changed();
}
void RulerModel::SetShowNumbers(bool v) {
  if (v == show_numbers_) return;
  show_numbers_ = v;
  Changed();
}
void RulerModel::SetShowMarginHandlers(bool v) {
  if (v == show_margin_handlers_) return;
  show_margin_handlers_ = v;
  Changed();
}

int RulerModel::HandleLeft(int indent_id) const {
  switch (indent_id) {
    case kIndentFirst:
      return indent_first_;
    case kIndentRight:
      return indent_right_;
    default:
      return indent_left_;  // the box shares the left handle's edge
  }
}

RulerRect RulerModel::HandleRectAt(int indent_id, int left) const {
  const int bottom_top = Clamp(height_ - border_down_ - kHandleHeight, 0, height_ - 13);
  switch (indent_id) {
    case kIndentFirst:
      return {left, Clamp(border_up_ - 3, 0, height_ - kHandleHeight), kHandleWidth,
              kHandleHeight};
    case kIndentBoth:
      return {left, bottom_top + kHandleHeight, kHandleWidth, kBoxHeight};
    default:
      return {left, bottom_top, kHandleWidth, kHandleHeight};
  }
}

RulerRect RulerModel::HandleRect(int indent_id) const {
  return HandleRectAt(indent_id, HandleLeft(indent_id));
}

std::optional<int> RulerModel::HandleAt(int x, int y) const {
  if (!show_indents_) return {};
  // The box lies under the left handle and the first-line handle above it; the right handle
  // is checked last so that it never hides the others.
  for (int id : {kIndentBoth, kIndentLeft, kIndentFirst, kIndentRight}) {
    if (HandleRect(id).Contains(x, y)) return id;
  }
  return {};
}

std::optional<int> RulerModel::MarginAt(int x) const {
  if (!show_margin_handlers_) return {};
  if (x > LeftBoundary() - 3 && x < LeftBoundary() + 3) return kMarginLeft;
  if (x > RightBoundary() - 3 && x < RightBoundary() + 3) return kMarginRight;
  return {};
}

std::vector<RulerTick> RulerModel::Scale() const {
  std::vector<RulerTick> ticks;
  const int t = tab_dist_;
  const int origin = LeftBoundary();
  for (int x = border_left_; x <= width_ - border_right_ - 1; ++x) {
    const int d = std::abs(x - origin);
    if (d % (4 * t) == 0) {
      if (show_numbers_) {
        const long number = static_cast<long>(d / (4 * t)) * factor_;
        if (number != 0) ticks.push_back({x, RulerTick::kNumber, number});
      } else if (show_large_lines_) {
        ticks.push_back({x, RulerTick::kLarge, 0});
      }
    } else if (d % (4 * t) == 2 * t) {
      if (show_large_lines_) ticks.push_back({x, RulerTick::kLarge, 0});
    } else if (d % (2 * t) == t) {
      if (show_small_lines_) ticks.push_back({x, RulerTick::kSmall, 0});
    }
  }
  return ticks;
}

void RulerModel::MouseDown(int x, int y) {
  if (ignore_next_down_) {
    ignore_next_down_ = false;
    return;
  }
  if (dragging_handle() || dragging_margin()) return;
  if (std::optional<int> handle = HandleAt(x, y)) {
    drag_handle_ = *handle;
    grab_offset_ = x - HandleLeft(*handle);
    for (int id = 0; id < kHandleCount; ++id) start_[id] = HandleLeft(id);
    Changed();
    if (OnIndentClick) OnIndentClick(*handle);
    return;
  }
  if (std::optional<int> margin = MarginAt(x)) {
    drag_margin_ = *margin;
    Changed();
    if (OnMarginClick) OnMarginClick(*margin);
  }
}

void RulerModel::MouseMove(int x, int /*y*/) {
  if (dragging_handle()) {
    const int moved = x - grab_offset_;  // where the dragged handle's left edge would go
    switch (drag_handle_) {
      case kIndentFirst:
        SetIndentFirst(Snap(moved));
        break;
      case kIndentLeft:
        SetIndentLeft(Snap(moved));
        break;
      case kIndentRight:
        SetIndentRight(Snap(moved));
        break;
      case kIndentBoth: {
        // The same pointer travel applied to the first-line handle's own edge.
        const int first = Snap(moved - indent_left_ + indent_first_);
        SetIndentLeft(Snap(moved));
        SetIndentFirst(first);
        break;
      }
    }
  } else if (drag_margin_ == kMarginLeft) {
    SetMarginLeft(Snap(x - border_left_));
  } else if (drag_margin_ == kMarginRight) {
    SetMarginRight(Snap(width_ - border_right_ - x));
  }
}

void RulerModel::MouseUp(int /*x*/, int /*y*/) {
  if (dragging_handle()) {
    const int id = drag_handle_;
    drag_handle_ = -1;
    Changed();
    if (OnIndentChange) OnIndentChange(id);
  } else if (dragging_margin()) {
    const int id = drag_margin_;
    drag_margin_ = -1;
    Changed();
    if (OnMarginChange) OnMarginChange(id);
  }
}

void RulerModel::DoubleClick(int x, int y) {
  if (std::optional<int> handle = HandleAt(x, y)) {
    if (OnIndentDblClick) OnIndentDblClick(*handle);
    ignore_next_down_ = true;
  }
}

std::optional<int> RulerModel::HandleStart(int indent_id) const {
  if (!dragging_handle() || indent_id < 0 || indent_id >= kHandleCount) return {};
  if (start_[indent_id] == HandleLeft(indent_id)) return {};
  return start_[indent_id];
}

std::optional<int> RulerModel::GuideX() const {
  if (dragging_handle()) return HandleLeft(drag_handle_) + 4;
  if (drag_margin_ == kMarginLeft) return LeftBoundary();
  if (drag_margin_ == kMarginRight) return RightBoundary();
  return {};
}

int PointsToPixels(double points) { return static_cast<int>(std::trunc(points * 4.0 / 3.0)); }

int PixelsToPoints(int pixels) { return pixels * 3 / 4; }  // integer division truncates

RulerIndents IndentsToRuler(const ParagraphIndents& indents, int client_width) {
  return {PointsToPixels(indents.first) + 2, PointsToPixels(indents.offset + indents.first) + 2,
          client_width - PointsToPixels(indents.right) - 10};
}

ParagraphIndents RulerToIndents(const ParagraphIndents& current, const RulerIndents& handles,
                                int indent_id, int client_width) {
  const RulerIndents shown = IndentsToRuler(current, client_width);
  ParagraphIndents result = current;
  if (indent_id == kIndentRight) {
    if (handles.right != shown.right) {
      result.right = PixelsToPoints(client_width - handles.right - 10);
    }
    return result;
  }
  if (indent_id == kIndentFirst || indent_id == kIndentBoth) {
    if (handles.first != shown.first) result.first = PixelsToPoints(handles.first);
  }
  if (indent_id == kIndentFirst || indent_id == kIndentLeft || indent_id == kIndentBoth) {
    // The following lines stay where the left handle says; unmoved, exactly where they were.
    const double left = handles.left != shown.left ? PixelsToPoints(handles.left)
                                                   : current.first + current.offset;
    result.offset = left - result.first;
  }
  return result;
}

}  // namespace pw::styling
