// The regular-expression component of the find and replace dialogs: TRegularExpression (the
// pattern and its cache), TMatchCORE (the line separator) and TAWKStr (Match and Sub).
#ifndef PLOTWEAVE_SEARCH_REGULAR_EXPRESSION_H_
#define PLOTWEAVE_SEARCH_REGULAR_EXPRESSION_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/regexp_reader.h"

namespace pw::search {

class TRECompiled;
class TRERunMemo;

class TRegularExpression {
 public:
  static constexpr size_t kCacheCapacity = 30;
  static constexpr uint16_t kLineStartSymbol = 0xFFFD;
  static constexpr uint16_t kLineEndSymbol = 0xFFFE;

  TRegularExpression();
  virtual ~TRegularExpression();
  TRegularExpression(const TRegularExpression&) = delete;
  TRegularExpression& operator=(const TRegularExpression&) = delete;

  // Sets the pattern: looks it up in the cache or compiles it. A malformed pattern returns its
  // error, leaves RegExp() empty and makes the empty pattern current. A NUL byte in the
  // pattern is the character of code 0, which matches a NUL byte of the subject, never its end.
  std::optional<ERegExpParser> SetRegExp(std::string_view pattern);
  const std::string& RegExp() const { return reg_exp_; }

  // The pre-processor's dictionaries: accepted, and never used.
  bool UseFuzzyCharDic = false;
  bool UseSynonymDic = false;

  // The pattern cache, entry 0 being the empty pattern.
  size_t CacheSize() const { return cache_.size(); }
  const std::string& CachePattern(size_t index) const { return cache_[index].pattern; }
  size_t CurrentIndex() const { return current_; }

 protected:
  TRECompiled& current() const { return *cache_[current_].compiled; }
  virtual void PatternChanged() {}

 private:
  struct Entry {
    std::string pattern;
    std::unique_ptr<TRECompiled> compiled;
  };
  std::string reg_exp_;
  std::vector<Entry> cache_;
  size_t current_ = 0;
};

enum TMatchCORE_LineSeparator { mcls_CRLF, mcls_LF };

class TMatchCORE : public TRegularExpression {
 public:
  TMatchCORE_LineSeparator LineSeparator = mcls_CRLF;

 protected:
  // The character before which "$" matches.
  uint16_t SeparatorCode() const { return LineSeparator == mcls_LF ? 10 : 13; }
};

// A match in the subject: 1-based byte position and byte length; position 0 when none.
struct TAWKMatch {
  size_t position = 0;
  size_t length = 0;
};

// One text searched hit after hit (find-all, replace-all): what one search learns about the
// text speeds up the next. The text must stay as it is while the scan is used.
class TAWKScan {
 public:
  explicit TAWKScan(std::string_view text);
  ~TAWKScan();
  TAWKScan(const TAWKScan&) = delete;
  TAWKScan& operator=(const TAWKScan&) = delete;
  std::string_view text() const { return text_; }

 private:
  friend class TAWKStr;
  std::string_view text_;
  std::unique_ptr<TRERunMemo> memo_;
  uint64_t pattern_ = 0;  // serial of the compiled pattern the memo belongs to
};

class TAWKStr : public TMatchCORE {
 public:
  // Leftmost-longest match of the current pattern. The subject is the whole view: a NUL byte
  // in it is a character like any other, and nothing is read past its end.
  TAWKMatch Match(std::string_view text) const;
  // Match(scan->text().substr(from)), with the position counted in the whole text (1-based,
  // 0 when there is none). Nothing before `from` is looked at.
  TAWKMatch MatchFrom(TAWKScan* scan, size_t from) const;
  // Replaces the match in *text by the expanded template; false (text untouched) if none.
  bool Sub(std::string_view templ, std::string* text) const;

  // The same search by restarting the full automaton at every position: quadratic, kept to
  // check Match against. nullopt when the full automaton would be too large.
  std::optional<TAWKMatch> MatchReference(std::string_view text) const;

  // Which matcher the current pattern selected.
  bool UsesAnchoredMatcher() const { return anchored_; }

 protected:
  void PatternChanged() override;

 private:
  bool anchored_ = false;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGULAR_EXPRESSION_H_
