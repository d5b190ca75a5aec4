// What the find and replace dialogs do with one pane's text: the search itself (plain text or
// a regular expression), and the text a replacement types into the title or the body pane.
// Both the window and the headless replace-all use these, so they agree byte for byte.
#ifndef PLOTWEAVE_SEARCH_FIND_TEXT_H_
#define PLOTWEAVE_SEARCH_FIND_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "search/plain_search.h"
#include "search/regular_expression.h"

namespace pw::search {

// The options of a dialog.
struct FindOptions {
  bool regex = false;       // "正規表現(&R)"
  bool match_case = false;  // "大/小文字の区別(&C)"; regular expressions always match case
  bool whole_document = false;  // "全体(&G)" rather than "選択ﾉｰﾄﾞのみ(&S)"
};

// The title pane holds at most this many characters.
inline constexpr size_t kTitlePaneMaxChars = 258;

// Where a hit lies in a pane's text.
struct TextHit {
  size_t offset = 0;
  size_t length = 0;
};

// One dialog's search of pane texts. For a regular expression the dialog's TAWKStr holds the
// pattern; Prepare sets it (the cache makes a repeated pattern a look-up).
class TextFinder {
 public:
  explicit TextFinder(TAWKStr* awk) : awk_(awk) {}

  // Takes the search text (CP932) and options. A malformed pattern returns its error and
  // nothing may be searched.
  std::optional<ERegExpParser> Prepare(std::string_view pattern, const FindOptions& options);

  // The first hit at or after `from` (a character start): in plain mode the search text, in
  // regular-expression mode the match in text.substr(from), whose first character counts as
  // a line start. `scan`, for the same text, speeds up a loop over its hits.
  std::optional<TextHit> Find(std::string_view text, size_t from, TAWKScan* scan = nullptr) const;

  // The text that replaces the selection `selected` (a hit) in a pane: in plain mode the
  // replacement as typed; in regular-expression mode Sub's result over the selected text
  // with `templ`, or nullopt when the pattern does not match it. Not yet in the pane's form.
  std::optional<std::string> Replacement(std::string_view selected, std::string_view templ,
                                         bool title) const;

  bool regex() const { return regex_; }
  TAWKStr* awk() const { return awk_; }

 private:
  TAWKStr* awk_;
  bool regex_ = false;
  std::optional<PlainSearcher> plain_;
};

// The template of a title replacement in regular-expression mode: every two-character
// sequence "\r", "\n" and "\t" taken out, so that a title gets no line break or tab.
std::string TitleTemplate(std::string_view templ);

// What the title pane holds for CP932 text: each character as it reads back from Unicode
// (codes without a counterpart become "?").
std::string TitlePaneText(std::string_view cp932);

// What the body pane holds for CP932 text typed into it: CR LF, CR and LF each a line break
// (CR LF), control characters but tab dropped, characters as the pane holds them.
std::string BodyPaneText(std::string_view cp932);

// The title pane after typing `inserted` over bytes [begin, end) of `text` (the pane's text),
// and after the pane's own rules: the inserted text loses CR, LF, tab and NUL, is cut to what
// the pane's 258 characters leave room for, and unless the result ends with a half-width space
// leading and trailing characters up to the space are trimmed. `caret` is where the caret is
// then (the search position goes on from there).
struct TitleEdit {
  std::string text;
  size_t caret = 0;
};
TitleEdit EditTitle(std::string_view text, size_t begin, size_t end, std::string_view inserted);

// Leading and trailing characters with codes up to the space removed (StoreCurrentNode).
std::string TrimTitle(std::string_view title);

// The replace dialog refuses a search text in which exactly one of the two-character
// sequences "\r" and "\n" occurs ("改行は\r\nです"): a line break is CR LF.
bool HasHalfALineBreak(std::string_view search_text);

// Offset of the character after the one at `pos` (a CR LF line break is one), or
// text.size() + 1 when `pos` is the end: where the search goes on after a replaced hit of
// length 0.
size_t StepOverEmptyHit(std::string_view text, size_t pos);

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_FIND_TEXT_H_
