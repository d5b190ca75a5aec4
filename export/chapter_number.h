// Chapter numbers: a node's path of sibling positions, each position written in the style the
// numbering table gives for the node's depth and framed by its prefix and suffix.
#ifndef PLOTWEAVE_EXPORT_CHAPTER_NUMBER_H_
#define PLOTWEAVE_EXPORT_CHAPTER_NUMBER_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "core/outline.h"
#include "export/text_format.h"

namespace pw {

inline constexpr int kNumberStyleCount = 9;

// Captions of the style list, by style (UTF-8). Styles 5 to 8 write the opposite letter case
// to the one their caption names; the output is what counts.
inline constexpr const char* kNumberStyleCaptions[kNumberStyleCount] = {
    "なし",
    "半角数字",
    "全角数字",
    "ｷﾞﾘｼｬ数字大文字",
    "ｷﾞﾘｼｬ数字小文字",
    "ｱﾙﾌｧﾍﾞｯﾄ半角大文字",
    "ｱﾙﾌｧﾍﾞｯﾄ半角小文字",
    "ｱﾙﾌｧﾍﾞｯﾄ全角大文字",
    "ｱﾙﾌｧﾍﾞｯﾄ全角小文字",
};

// `n` (>= 1) in a style, Shift-JIS bytes: 0 nothing; 1 ASCII digits; 2 full-width digits;
// 3/4 Roman numerals (the units and the tens sign are CP932's single Roman-numeral characters,
// L C D M ASCII letters); 5 a..z, 6 A..Z, 7 full-width a..z, 8 full-width A..Z, the letter
// repeated once more for every 26. Any other style, or n == 0, writes nothing.
std::string FormatNumber(int32_t style, uint64_t n);

// The chapter number of `node` from the committed table: for each ancestor level c of the
// node's depth d, prefix(d, c), position in style(d, c), suffix(d, c). Positions are those in
// the whole tree. Empty at depth 10 or more.
std::string ChapterNumber(const Node& node, const NumberingTable& table);

// The title line of the formatted exports: chapter number (when on), mark (when on) and the
// caption, with nothing between them.
std::string TitleLine(const Node& node, const TextFormat& format, std::string_view mark);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_CHAPTER_NUMBER_H_
