// Character formats between the rich-text engine and Qt's fonts and colours, for the font bar,
// the font command and the font styles.
#ifndef PLOTWEAVE_UI_STYLING_CHAR_FORMAT_QT_H_
#define PLOTWEAVE_UI_STYLING_CHAR_FORMAT_QT_H_

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTextCharFormat>
#include <cstdint>

#include "richtext/rich_document.h"

namespace pw {

QColor QtColorFromRef(uint32_t color);  // a system colour gives an invalid QColor
uint32_t RefFromQtColor(const QColor& color);

QFont QtFontFromCharFormat(const rich::CharFormat& format);
// Face, size (to the half point), style bits; the colour is left automatic.
rich::CharFormat CharFormatFromQtFont(const QFont& font);

// A format that, merged into a selection, sets every part of `format` (an automatic colour
// clears a colour the text had).
QTextCharFormat FullQtCharFormat(const rich::CharFormat& format);

// The installed font families that can write Japanese, sorted.
QStringList JapaneseFontFamilies();

}  // namespace pw

#endif  // PLOTWEAVE_UI_STYLING_CHAR_FORMAT_QT_H_
