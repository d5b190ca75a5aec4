// Japanese documents name the fonts of the system they were written on ("ＭＳ 明朝",
// "ＭＳ ゴシック"). Where those are missing, each maps to an installed font of the same kind,
// so a line of text is not drawn in a patchwork of fallback fonts.
#ifndef PLOTWEAVE_UI_COMMON_FONT_SUBSTITUTES_H_
#define PLOTWEAVE_UI_COMMON_FONT_SUBSTITUTES_H_

namespace pw {

// Registers the substitutions once per process; document text keeps the names it has.
void InstallFontSubstitutes();

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_FONT_SUBSTITUTES_H_
