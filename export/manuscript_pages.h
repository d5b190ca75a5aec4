// Manuscript pages: how many sheets of 400-character manuscript paper (20 lines of 20 squares)
// the bodies fill. Every character takes a square, blanks included; a line break starts a new
// line; a closing bracket or punctuation mark that would begin a line hangs in the last square
// of the line before instead; ruby text and its notation take no squares (the base does).
// Titles are not counted, as in the character count.
#ifndef PLOTWEAVE_EXPORT_MANUSCRIPT_PAGES_H_
#define PLOTWEAVE_EXPORT_MANUSCRIPT_PAGES_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "core/outline.h"

namespace pw {

inline constexpr size_t kManuscriptColumns = 20;  // squares in a line
inline constexpr size_t kManuscriptRows = 20;     // lines on a page

// The characters that hang rather than begin a line.
bool HangsAtLineEnd(char32_t c);

// Adds bodies line by line; every body starts on a new line, pages run on from one body to
// the next.
class ManuscriptCounter {
 public:
  // One line of text (UTF-8, no line end): the manuscript lines it fills, at least one.
  static size_t LinesOf(std::u32string_view line);

  // A line of the text (UTF-8, without its end).
  void AddLine(std::string_view utf8);
  // A stored body (RTF, plain text or nothing): its lines as the exports see them.
  void AddBody(std::string_view body);

  size_t lines() const { return lines_; }
  // Pages begun: a partly filled last page counts as one.
  size_t pages() const { return (lines_ + kManuscriptRows - 1) / kManuscriptRows; }

 private:
  size_t lines_ = 0;
  std::u32string scratch_;
};

// Pages of every body of the document.
size_t CountManuscriptPages(const Outline& outline);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_MANUSCRIPT_PAGES_H_
