// Tool-button images drawn at start-up, so no image files are needed for them.
#include "ui/common/glyph_icon.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

namespace pw {

QIcon GlyphIcon(const QString& glyph, const QColor& tint) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(tint.darker(150), 1));
  p.setBrush(tint.lighter(170));
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  QFont font = QApplication::font();
  font.setPixelSize(glyph.size() > 1 ? 8 : 11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(tint.darker(200));
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

}  // namespace pw
