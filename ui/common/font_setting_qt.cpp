// Conversions between the settings' fonts and colours and Qt's.
#include "ui/common/font_setting_qt.h"

#include "ui/common/qt_text.h"

namespace pw {

QColor ToQColor(int32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int32_t FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                              (static_cast<uint32_t>(rgb.green()) << 8) |
                              (static_cast<uint32_t>(rgb.blue()) << 16));
}

QFont ToQFont(const FontSetting& setting) {
  QFont font;
  const QString family = FromCp932(setting.Name);
  if (!family.isEmpty()) font.setFamilies({family});
  if (setting.Size > 0) font.setPointSize(setting.Size);
  font.setBold((setting.Style & kFontStyleBold) != 0);
  font.setItalic((setting.Style & kFontStyleItalic) != 0);
  font.setUnderline((setting.Style & kFontStyleUnderline) != 0);
  font.setStrikeOut((setting.Style & kFontStyleStrikeOut) != 0);
  return font;
}

FontSetting FromQFont(const QFont& font, const FontSetting& base) {
  FontSetting setting = base;
  const Cp932Text name = ToCp932(font.family());
  if (name.unmappable == 0 && !name.bytes.empty()) setting.Name = name.bytes;
  if (font.pointSize() > 0) setting.Size = font.pointSize();
  setting.Style = (font.bold() ? kFontStyleBold : 0) | (font.italic() ? kFontStyleItalic : 0) |
                  (font.underline() ? kFontStyleUnderline : 0) |
                  (font.strikeOut() ? kFontStyleStrikeOut : 0);
  return setting;
}

QValidator::State Cp932Validator::validate(QString& input, int& /*pos*/) const {
  for (const QChar c : input) {
    if (c.unicode() < 0x20) return Invalid;
  }
  return ToCp932(input).unmappable == 0 ? Acceptable : Invalid;
}

}  // namespace pw
