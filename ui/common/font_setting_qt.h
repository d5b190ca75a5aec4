// The settings' pane fonts and colours as Qt fonts and colours, both ways, and a validator
// for edit boxes whose text is kept in Shift-JIS.
#ifndef PLOTWEAVE_UI_COMMON_FONT_SETTING_QT_H_
#define PLOTWEAVE_UI_COMMON_FONT_SETTING_QT_H_

#include <QColor>
#include <QFont>
#include <QValidator>
#include <cstdint>

#include "settings/settings.h"

namespace pw {

// 0x00BBGGRR <-> QColor (a system colour shows as its low bytes).
QColor ToQColor(int32_t color);
int32_t FromQColor(const QColor& color);

QFont ToQFont(const FontSetting& setting);
// The face, size and style of `font`; the colour (which Qt's font dialog does not choose) and
// a face name that Shift-JIS cannot hold stay as in `base`.
FontSetting FromQFont(const QFont& font, const FontSetting& base);

// Refuses characters that Shift-JIS cannot hold and control characters, so that what the
// user types is what is stored.
class Cp932Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_FONT_SETTING_QT_H_
