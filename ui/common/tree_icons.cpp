// The tree icons are our drawings in the data folder (SVG, so they are sharp at any scale);
// the application icon is painted here.
#include "ui/common/tree_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "core/outline.h"
#include "ui/common/command_icons.h"

namespace pw {
namespace {

// Node colours 0..6: none (grey), blue, brown, green, orange, purple, pink.
const char* const kColorNames[7] = {"grey", "blue", "brown", "green", "orange", "purple", "pink"};

QPixmap Blank() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QIcon TreeImage(const QString& name) {
  return DataIcon(QStringLiteral("icons/tree/%1.svg").arg(name));
}

}  // namespace

const TreeIcons& TreeIcons::Instance() {
  static const TreeIcons icons;
  return icons;
}

TreeIcons::TreeIcons() {
  icons_.assign(kTreeIconCount, QIcon());
  icons_[kIconRoot] = TreeImage(QStringLiteral("root"));
  icons_[kIconChara] = TreeImage(QStringLiteral("chara"));
  icons_[kIconCharaItem] = TreeImage(QStringLiteral("chara-item"));
  // Colour 0 comes only from files; it shows as a grey mark rather than none.
  for (int color = 0; color <= 6; ++color) {
    const QString name = QLatin1String(kColorNames[color]);
    icons_[static_cast<size_t>(kChildIconBase + color)] = TreeImage(QStringLiteral("child-") + name);
    icons_[static_cast<size_t>(kParentIconBase + color)] =
        TreeImage(QStringLiteral("parent-") + name);
  }
  for (const QIcon& icon : icons_) {
    pixmaps_.push_back(icon.isNull() ? Blank() : icon.pixmap(16, 16));
  }
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
