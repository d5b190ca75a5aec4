// The ruler above the body pane as a model without a window: its properties and their rules,
// the handles' places, the scale, and the dragging of handles and margins, with the events the
// widget passes on. Positions are pixels of the ruler's client area.
#ifndef PLOTWEAVE_STYLING_RULER_MODEL_H_
#define PLOTWEAVE_STYLING_RULER_MODEL_H_

#include <functional>
#include <optional>
#include <vector>

namespace pw::styling {

// IndentID of the events.
inline constexpr int kIndentFirst = 0;  // first-line handle
inline constexpr int kIndentLeft = 1;   // left handle
inline constexpr int kIndentRight = 2;  // right handle
inline constexpr int kIndentBoth = 3;   // the box under the left handle: first and left together
inline constexpr int kHandleCount = 4;
// MarginID of the events.
inline constexpr int kMarginLeft = 0;
inline constexpr int kMarginRight = 1;

inline constexpr int kHandleWidth = 9;
inline constexpr int kHandleHeight = 8;
inline constexpr int kBoxHeight = 5;

struct RulerRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const {
    return px >= x && px < x + width && py >= y && py < y + height;
  }
  friend bool operator==(const RulerRect&, const RulerRect&) = default;
};

struct RulerTick {
  enum Kind { kSmall, kLarge, kNumber };
  int x;
  Kind kind;
  long number;  // kNumber only
  friend bool operator==(const RulerTick&, const RulerTick&) = default;
};

class RulerModel {
 public:
  using IndentEvent = std::function<void(int indent_id)>;
  using MarginEvent = std::function<void(int margin_id)>;

  RulerModel() = default;

  // Size of the client area; handles keep their positions.
  void SetSize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }

  int RulerTab() const { return ruler_tab_; }
  void SetRulerTab(int v);  // 1..255
  int MinIndentDist() const { return min_indent_dist_; }
  void SetMinIndentDist(int v);
  int Factor() const { return factor_; }
  void SetFactor(int v);  // 1..30000
  int TabDist() const { return tab_dist_; }
  void SetTabDist(int v);  // 1..30000

  int MarginLeft() const { return margin_left_; }
  int MarginRight() const { return margin_right_; }
  // Moving a margin moves the indents on its side with it.
  void SetMarginLeft(int v);
  void SetMarginRight(int v);

  int BorderLeft() const { return border_left_; }
  int BorderUp() const { return border_up_; }
  int BorderDown() const { return border_down_; }
  int BorderRight() const { return border_right_; }
  void SetBorderLeft(int v);
  void SetBorderUp(int v);
  void SetBorderDown(int v);
  void SetBorderRight(int v);

  int IndentFirst() const { return indent_first_; }
  int IndentLeft() const { return indent_left_; }
  int IndentRight() const { return indent_right_; }
  // Each ignores a value that is unchanged, outside 0 .. width - 5, or that would bring the
  // right handle within MinIndentDist of the first-line or left handle.
  void SetIndentFirst(int v);
  void SetIndentLeft(int v);
  void SetIndentRight(int v);
  // All three at once, in the order that lets a valid set of positions through whatever the
  // handles showed before (one at a time, a far right indent could block a new first-line one).
  void SetIndents(int first, int left, int right);

  bool ShowSmallLines() const { return show_small_lines_; }
  bool ShowLargeLines() const { return show_large_lines_; }
  bool ShowIndents() const { return show_indents_; }
  bool ShowNumbers() const { return show_numbers_; }
  bool ShowMarginHandlers() const { return show_margin_handlers_; }
  void SetShowSmallLines(bool v);
  void SetShowLargeLines(bool v);
  void SetShowIndents(bool v);
  void SetShowNumbers(bool v);
  void SetShowMarginHandlers(bool v);

  // Events.
  IndentEvent OnIndentChange, OnIndentDrag, OnIndentClick, OnIndentDblClick;
  MarginEvent OnMarginChange, OnMarginDrag, OnMarginClick;
  // Anything that shows changed.
  std::function<void()> OnChanged;

  // Geometry.
  RulerRect HandleRect(int indent_id) const;  // at the handle's present place
  RulerRect HandleRectAt(int indent_id, int left) const;
  std::optional<int> HandleAt(int x, int y) const;  // none when the indents are hidden
  int LeftBoundary() const { return border_left_ + margin_left_; }
  int RightBoundary() const { return width_ - margin_right_ - border_right_; }
  // The margin whose boundary lies within two pixels of x (only with ShowMarginHandlers).
  std::optional<int> MarginAt(int x) const;
  // Every tick and number of the scale, left to right.
  std::vector<RulerTick> Scale() const;

  // The pointer, left button only, in client coordinates.
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void DoubleClick(int x, int y);

  bool dragging_handle() const { return drag_handle_ >= 0; }
  int dragged_handle() const { return drag_handle_; }
  bool dragging_margin() const { return drag_margin_ >= 0; }
  // Where a handle was when the drag began; nothing when it has not moved or no drag is on.
  std::optional<int> HandleStart(int indent_id) const;
  // The x of the guide line drawn over the body pane during a drag.
  std::optional<int> GuideX() const;

 private:
  void Changed();
  int Snap(int v) const;
  bool FirstAllowed(int v) const;
  bool LeftAllowed(int v) const;
  bool RightAllowed(int v) const;
  int HandleLeft(int indent_id) const;

  int width_ = 300;
  int height_ = 25;
  int ruler_tab_ = 10;
  int min_indent_dist_ = 50;
  int factor_ = 1;
  int tab_dist_ = 10;
  int margin_left_ = 30;
  int margin_right_ = 20;
  int border_left_ = 5;
  int border_up_ = 5;
  int border_down_ = 5;
  int border_right_ = 5;
  int indent_first_ = 45;
  int indent_left_ = 45;
  int indent_right_ = 250;
  bool show_small_lines_ = true;
  bool show_large_lines_ = true;
  bool show_indents_ = true;
  bool show_numbers_ = true;
  bool show_margin_handlers_ = true;

  int drag_handle_ = -1;
  int grab_offset_ = 0;
  int start_[kHandleCount] = {0, 0, 0, 0};
  int drag_margin_ = -1;
  bool ignore_next_down_ = false;
};

// Paragraph indents in points, as the body pane keeps them: the first line's indent, the
// offset of the following lines from the first line, and the right indent.
struct ParagraphIndents {
  double first = 0;
  double offset = 0;
  double right = 0;
  friend bool operator==(const ParagraphIndents&, const ParagraphIndents&) = default;
};

struct RulerIndents {
  int first = 0;
  int left = 0;
  int right = 0;
  friend bool operator==(const RulerIndents&, const RulerIndents&) = default;
};

// One point is 4/3 pixel; conversions truncate toward zero.
int PointsToPixels(double points);
int PixelsToPoints(int pixels);

// Where the handles stand for a paragraph, on a ruler `client_width` wide.
RulerIndents IndentsToRuler(const ParagraphIndents& indents, int client_width);

// The paragraph's indents after handle `indent_id` was released at `handles`. An indent whose
// handle still stands where IndentsToRuler puts it keeps its exact value, so a click that does
// not move a handle changes nothing (the conversions alone would creep by a point a click).
ParagraphIndents RulerToIndents(const ParagraphIndents& current, const RulerIndents& handles,
                                int indent_id, int client_width);

}  // namespace pw::styling

#endif  // PLOTWEAVE_STYLING_RULER_MODEL_H_
