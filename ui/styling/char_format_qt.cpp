// Conversions between rich character formats and Qt fonts.
#include "ui/styling/char_format_qt.h"

#include <QCollator>
#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace pw {

QColor QtColorFromRef(uint32_t color) {
  if (rich::IsSystemColor(color)) return QColor();
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

uint32_t RefFromQtColor(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
         (static_cast<uint32_t>(color.blue()) << 16);
}

QFont QtFontFromCharFormat(const rich::CharFormat& format) {
  QFont font;
  if (!format.face.empty()) font.setFamilies({QString::fromStdString(format.face)});
  font.setPointSizeF(format.size > 0 ? format.size : 9);
  font.setBold(format.bold);
  font.setItalic(format.italic);
  font.setUnderline(format.underline);
  font.setStrikeOut(format.strike_out);
  return font;
}

rich::CharFormat CharFormatFromQtFont(const QFont& font) {
  rich::CharFormat format;
  format.face = font.family().toStdString();
  format.size = font.pointSizeF() > 0 ? std::round(font.pointSizeF() * 2.0) / 2.0 : 9;
  format.bold = font.weight() >= QFont::DemiBold;
  format.italic = font.italic();
  format.underline = font.underline();
  format.strike_out = font.strikeOut();
  return format;
}

QTextCharFormat FullQtCharFormat(const rich::CharFormat& format) {
  QTextCharFormat qt;
  if (!format.face.empty()) qt.setFontFamilies({QString::fromStdString(format.face)});
  qt.setFontPointSize(format.size > 0 ? format.size : 9);
  qt.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  qt.setFontItalic(format.italic);
  qt.setFontUnderline(format.underline);
  qt.setFontStrikeOut(format.strike_out);
  // No brush draws in the pane's text colour and reads back as the automatic colour.
  const QColor color = QtColorFromRef(format.color);
  qt.setForeground(color.isValid() ? QBrush(color) : QBrush());
  return qt;
}

QStringList JapaneseFontFamilies() {
  QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
  families.removeDuplicates();
  QCollator collator;
  std::sort(families.begin(), families.end(),
            [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
  return families;
}

}  // namespace pw
