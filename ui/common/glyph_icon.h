// The drawn images of the tool buttons and menu items that have no tree icon: a glyph on a
// tinted tile.
#ifndef PLOTWEAVE_UI_COMMON_GLYPH_ICON_H_
#define PLOTWEAVE_UI_COMMON_GLYPH_ICON_H_

#include <QColor>
#include <QIcon>
#include <QString>

namespace pw {

// A 16x16 image of `glyph` (one character, or two in a smaller size) on a tile of `tint`.
QIcon GlyphIcon(const QString& glyph, const QColor& tint);

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_GLYPH_ICON_H_
