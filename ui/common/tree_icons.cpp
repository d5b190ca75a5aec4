// Draws the tree icons with QPainter, so the program ships no image files for them and the
// colours stay exactly those of the six node colours.
#include "ui/common/tree_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "core/outline.h"

namespace pw {
namespace {

// Blue, brown, green, orange, purple, pink: node colours 1..6.
const QColor kNodeColors[6] = {QColor(0x2b, 0x5c, 0xd6), QColor(0x8b, 0x5a, 0x2b),
                               QColor(0x2e, 0x9e, 0x3a), QColor(0xf0, 0x8c, 0x1a),
                               QColor(0x8e, 0x44, 0xc0), QColor(0xf0, 0x6e, 0xaa)};

QPixmap Blank() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A closed book: the document's top-level nodes.
QPixmap DrawRoot() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x40, 0x30, 0x10), 1));
  p.setBrush(QColor(0xc8, 0x3c, 0x28));
  p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xf5, 0xf0, 0xdc));
  p.drawRect(QRectF(11, 3, 2, 10));
  p.setBrush(QColor(0xf0, 0xd0, 0x40));
  p.drawRect(QRectF(5, 4, 5, 2));
  return pixmap;
}

// A head and shoulders: a character node.
QPixmap DrawChara() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
  p.setBrush(QColor(0xf5, 0xc8, 0x96));
  p.drawEllipse(QRectF(5, 1.5, 6, 6));
  p.setBrush(QColor(0x30, 0x70, 0xb0));
  QPainterPath body;
  body.moveTo(2.5, 15);
  body.cubicTo(2.5, 9, 13.5, 9, 13.5, 15);
  body.closeSubpath();
  p.drawPath(body);
  return pixmap;
}

// A small card with lines: one attribute of a character.
QPixmap DrawCharaItem() {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
  p.setBrush(QColor(0xff, 0xfb, 0xe6));
  p.drawRect(QRect(3, 3, 10, 10));
  p.setPen(QPen(QColor(0x30, 0x70, 0xb0), 1));
  p.drawLine(5, 6, 11, 6);
  p.drawLine(5, 8, 11, 8);
  p.drawLine(5, 10, 9, 10);
  return pixmap;
}

// Child mark: a round leaf in the node's colour.
QPixmap DrawChildMark(const QColor& color) {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color.darker(160), 1));
  p.setBrush(color);
  p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(QRectF(5.5, 5, 3, 3));
  return pixmap;
}

// Parent mark: a folder-like square with a tab in the node's colour.
QPixmap DrawParentMark(const QColor& color) {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color.darker(160), 1));
  p.setBrush(color.lighter(130));
  p.drawRect(QRectF(1.5, 3.5, 6, 3));
  p.setBrush(color);
  p.drawRect(QRectF(1.5, 5.5, 13, 9));
  p.setPen(QPen(QColor(255, 255, 255, 170), 1));
  p.drawLine(QPointF(4, 9), QPointF(12, 9));
  p.drawLine(QPointF(4, 11.5), QPointF(12, 11.5));
  return pixmap;
}

}  // namespace

const TreeIcons& TreeIcons::Instance() {
  static const TreeIcons icons;
  return icons;
}

TreeIcons::TreeIcons() {
  pixmaps_.assign(kTreeIconCount, Blank());
  pixmaps_[kIconRoot] = DrawRoot();
  pixmaps_[kIconChara] = DrawChara();
  pixmaps_[kIconCharaItem] = DrawCharaItem();
  for (int color = 1; color <= 6; ++color) {
    pixmaps_[kChildIconBase + color] = DrawChildMark(kNodeColors[color - 1]);
    pixmaps_[kParentIconBase + color] = DrawParentMark(kNodeColors[color - 1]);
  }
  for (const QPixmap& pixmap : pixmaps_) icons_.emplace_back(pixmap);
  empty_pixmap_ = Blank();
}

const QIcon& TreeIcons::Icon(int index) const {
  if (index < 0 || index >= size()) return empty_;
  return icons_[static_cast<size_t>(index)];
}

const QPixmap& TreeIcons::Pixmap(int index) const {
  if (index < 0 || index >= size()) return empty_pixmap_;
  return pixmaps_[static_cast<size_t>(index)];
}

QPixmap DrawApplicationPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  // An open book with a branching outline on its right page.
  p.setPen(QPen(QColor(0x30, 0x28, 0x20), 2));
  p.setBrush(QColor(0xc8, 0x3c, 0x28));
  p.drawRoundedRect(QRectF(4, 10, 56, 46), 4, 4);
  p.setBrush(QColor(0xfb, 0xf7, 0xea));
  p.drawRect(QRectF(8, 12, 23, 40));
  p.drawRect(QRectF(33, 12, 23, 40));
  p.setPen(QPen(QColor(0x90, 0x90, 0x90), 2));
  for (int y = 20; y <= 44; y += 6) p.drawLine(12, y, 27, y);
  p.setPen(QPen(QColor(0x2b, 0x5c, 0xd6), 2.5));
  p.drawLine(38, 18, 38, 46);
  p.drawLine(38, 26, 46, 26);
  p.drawLine(38, 38, 46, 38);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2e, 0x9e, 0x3a));
  p.drawEllipse(QRectF(45, 23, 7, 7));
  p.setBrush(QColor(0xf0, 0x8c, 0x1a));
  p.drawEllipse(QRectF(45, 35, 7, 7));
  return pixmap;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(DrawApplicationPixmap(size));
  return icon;
}

}  // namespace pw
