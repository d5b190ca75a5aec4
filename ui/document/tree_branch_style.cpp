// Dotted connecting lines in the manner of classic tree controls, drawn under the style's own
// expand/collapse arrows.
#include "ui/document/tree_branch_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace pw {

TreeBranchStyle::TreeBranchStyle() : QProxyStyle(QApplication::style()->name()) {}

void TreeBranchStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
  if (element != PE_IndicatorBranch) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const QRect r = option->rect;
  const int mid_x = r.left() + r.width() / 2;
  const int mid_y = r.top() + r.height() / 2;
  if (show_lines_) {
    painter->save();
    QPen pen(option->palette.color(QPalette::Mid));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    const bool item = option->state & State_Item;
    const bool sibling = option->state & State_Sibling;
    if (item) {
      // The elbow to this row's node, and on down when a sibling follows.
      painter->drawLine(mid_x, r.top(), mid_x, sibling ? r.bottom() : mid_y);
      painter->drawLine(mid_x, mid_y, r.right(), mid_y);
    } else if (sibling) {
      painter->drawLine(mid_x, r.top(), mid_x, r.bottom());
    }
    painter->restore();
  }
  if (show_buttons_ && (option->state & State_Children)) {
    // The style's own arrow, without its background.
    QStyleOption arrow = *option;
    arrow.state &= ~(State_Item | State_Sibling);
    QProxyStyle::drawPrimitive(element, &arrow, painter, widget);
  }
}

}  // namespace pw
