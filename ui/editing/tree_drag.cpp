// Drag and drop inside the tree: where a point hits, whether a drop there is taken, the move
// itself, the drag image, and the auto-scroll while a drag leaves the viewport.
#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

#include "editing/tree_editor.h"
#include "ui/common/window_context.h"
#include "ui/document/outline_model.h"
#include "ui/editing/tree_commands.h"

namespace pw {
namespace {

// A drag inside the tree carries only this marker: the dragged node is the selected one.
constexpr char kTreeDragFormat[] = "application/x-plotweave-tree-node";

}  // namespace

DropHit TreeCommands::TreeHitAt(const QPoint& pos, Node** target) const {
  *target = nullptr;
  const QRect area = ui_.TreeViewMain->viewport()->rect();
  if (pos.y() < area.top()) return DropHit::kOutsideAbove;
  if (pos.y() > area.bottom()) return DropHit::kOutsideBelow;
  if (pos.x() < area.left()) return DropHit::kOutsideLeft;
  if (pos.x() > area.right()) return DropHit::kOutsideRight;
  const QModelIndex index = ui_.TreeViewMain->indexAt(pos);
  if (!index.isValid()) {
    // Right of a long row the view may still report no item; below the last row there is none.
    return DropHit::kNowhere;
  }
  *target = window_.model()->NodeFromIndex(index);
  const QRect item = ui_.TreeViewMain->visualRect(index);
  // Left of the item rectangle lie the indent and the expand button.
  if (pos.x() < item.left()) return DropHit::kButton;
  const QFontMetrics metrics(ui_.TreeViewMain->font());
  const int label_right = item.left() + ui_.TreeViewMain->iconSize().width() + 8 +
                          metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 4;
  if (pos.x() > label_right) return DropHit::kNowhere;
  return DropHit::kLabel;
}

bool TreeCommands::TreeViewMainDragOver(const QPoint& pos) {
  TreeDragAt(pos);
  Node* target = nullptr;
  const DropHit hit = TreeHitAt(pos, &target);
  return DragOver(window_.outline(), window_.SelectedNode(), target, hit).accept;
}

void TreeCommands::TreeViewMainDragDrop(const QPoint& pos) {
  TreeDragEnded();
  Node* target = nullptr;
  const DropHit hit = TreeHitAt(pos, &target);
  Node* dragged = window_.SelectedNode();
  if (dragged != nullptr && target != nullptr && dragged != target &&
      DragOver(window_.outline(), dragged, target, hit).accept) {
    if (tree_editor_->DropNode(dragged, target, hit)) {
      ui_.TreeViewMain->scrollTo(window_.model()->IndexFromNode(dragged));
      ui_.TreeViewMain->viewport()->update();
    }
  }
  UpdateTreeCommands();
}

bool TreeCommands::TreeDragEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      drag_pressed_ = mouse->button() == Qt::LeftButton;
      drag_press_pos_ = mouse->position().toPoint();
      return false;
    }
    case QEvent::MouseButtonRelease:
      drag_pressed_ = false;
      return false;
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!drag_pressed_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      if ((mouse->position().toPoint() - drag_press_pos_).manhattanLength() <
          QApplication::startDragDistance()) {
        return true;  // the press does not sweep the selection along
      }
      drag_pressed_ = false;
      const QModelIndex index = ui_.TreeViewMain->indexAt(drag_press_pos_);
      if (!index.isValid()) return false;
      Node* node = window_.model()->NodeFromIndex(index);
      if (node != window_.SelectedNode()) window_.SelectNode(node);
      auto* mime = new QMimeData();
      mime->setData(QString::fromLatin1(kTreeDragFormat), QByteArray());
      auto* drag = new QDrag(ui_.TreeViewMain);
      drag->setMimeData(mime);
      const QString text = index.data(Qt::DisplayRole).toString();
      const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
      const QFontMetrics metrics(ui_.TreeViewMain->font());
      QPixmap pixmap(20 + metrics.horizontalAdvance(text) + 4, std::max(18, metrics.height() + 2));
      pixmap.fill(QColor(255, 255, 255, 160));
      {
        QPainter painter(&pixmap);
        icon.paint(&painter, QRect(1, (pixmap.height() - 16) / 2, 16, 16));
        painter.setFont(ui_.TreeViewMain->font());
        painter.drawText(QRect(20, 0, pixmap.width() - 20, pixmap.height()),
                         Qt::AlignVCenter | Qt::AlignLeft, text);
      }
      drag->setPixmap(pixmap);
      drag->setHotSpot(QPoint(8, pixmap.height() / 2));
      drag->exec(Qt::MoveAction);
      TreeDragEnded();
      UpdateTreeCommands();
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!drag->mimeData()->hasFormat(QString::fromLatin1(kTreeDragFormat))) return false;
      // Drags from another tree or another program are not taken.
      const bool ours = drag->source() == ui_.TreeViewMain;
      const bool accept = ours && TreeViewMainDragOver(drag->position().toPoint());
      if (event->type() == QEvent::DragEnter && ours) {
        // Entering must be taken, or the tree hears nothing of the moves that follow.
        drag->acceptProposedAction();
        if (!accept) drag->setDropAction(Qt::IgnoreAction);
      } else if (accept) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!drop->mimeData()->hasFormat(QString::fromLatin1(kTreeDragFormat))) return false;
      if (drop->source() == ui_.TreeViewMain) {
        drop->acceptProposedAction();
        TreeViewMainDragDrop(drop->position().toPoint());
      } else {
        drop->ignore();
      }
      return true;
    }
    default:
      return false;
  }
}

// --- the auto-scroll ---

void TreeCommands::TreeDragAt(const QPoint& pos) {
  const QRect area = ui_.TreeViewMain->viewport()->rect();
  scroll_dx_ = pos.x() < area.left() ? -1 : (pos.x() > area.right() ? 1 : 0);
  scroll_dy_ = pos.y() < area.top() ? -1 : (pos.y() > area.bottom() ? 1 : 0);
  if (scroll_dx_ != 0 || scroll_dy_ != 0) {
    if (!ui_.TimerTree->isActive()) ui_.TimerTree->start();
  } else {
    ui_.TimerTree->stop();
  }
}

void TreeCommands::TreeDragEnded() {
  scroll_dx_ = 0;
  scroll_dy_ = 0;
  ui_.TimerTree->stop();
}

void TreeCommands::TimerTreeTimer() {
  if (scroll_dy_ != 0) {
    QScrollBar* bar = ui_.TreeViewMain->verticalScrollBar();
    bar->setValue(bar->value() + scroll_dy_ * bar->singleStep());
  }
  if (scroll_dx_ != 0) {
    QScrollBar* bar = ui_.TreeViewMain->horizontalScrollBar();
    bar->setValue(bar->value() + scroll_dx_ * bar->singleStep());
  }
  ui_.TreeViewMain->viewport()->update();
}

}  // namespace pw
