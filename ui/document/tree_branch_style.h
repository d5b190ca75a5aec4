// Draws the outline tree's branch area as the settings ask: connecting lines ("ShowLines")
// and expand/collapse buttons ("ShowButtons"), each on or off, whatever the widget style.
#ifndef PLOTWEAVE_UI_DOCUMENT_TREE_BRANCH_STYLE_H_
#define PLOTWEAVE_UI_DOCUMENT_TREE_BRANCH_STYLE_H_

#include <QProxyStyle>

namespace pw {

class TreeBranchStyle : public QProxyStyle {
 public:
  TreeBranchStyle();
  void SetShowLines(bool show) { show_lines_ = show; }
  void SetShowButtons(bool show) { show_buttons_ = show; }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  bool show_lines_ = true;
  bool show_buttons_ = true;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_DOCUMENT_TREE_BRANCH_STYLE_H_
