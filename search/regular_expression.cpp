// The pattern cache and the component's entry points.
//
// The cache is an ordered list of at most 30 compiled patterns. Entry 0 is the empty pattern,
// compiled with the component and never evicted; a new pattern is inserted at entry 1, so the
// last entry is always the one inserted longest ago and is the one dropped when the list is
// full. A hit makes its entry current without moving it. Patterns are compared exactly.
#include "search/regular_expression.h"

#include "search/regexp_match.h"
#include "search/regexp_sub.h"

namespace pw::search {

TRegularExpression::TRegularExpression() {
  cache_.push_back({std::string(), std::make_unique<TRECompiled>(std::string_view())});
}

TRegularExpression::~TRegularExpression() = default;

std::optional<ERegExpParser> TRegularExpression::SetRegExp(std::string_view pattern) {
  // Both dictionaries stay off, so pre-processing leaves the pattern as it is.

  for (size_t i = 0; i < cache_.size(); ++i) {
    if (cache_[i].pattern == pattern) {
      current_ = i;
      reg_exp_ = pattern;
      PatternChanged();
      return std::nullopt;
    }
  }
  if (cache_.size() >= kCacheCapacity) cache_.pop_back();
  cache_.insert(cache_.begin() + 1, Entry{std::string(pattern), nullptr});
  current_ = 1;
  try {
    cache_[1].compiled = std::make_unique<TRECompiled>(pattern);
  } catch (const ERegExpParser& error) {
    cache_.erase(cache_.begin() + 1);
    current_ = 0;
    reg_exp_.clear();
    PatternChanged();
    return error;
  }
  reg_exp_ = pattern;
  PatternChanged();
  return std::nullopt;
}

void TAWKStr::PatternChanged() { anchored_ = current().anchored(); }

TAWKMatch TAWKStr::Match(std::string_view text) const {
  TREMatch m = current().Match(text, SeparatorCode());
  if (!m.found) return {};
  return {m.offset + 1, m.length};
}

std::optional<TAWKMatch> TAWKStr::MatchReference(std::string_view text) const {
  bool available = false;
  TREMatch m = current().MatchReference(text, SeparatorCode(), &available);
  if (!available) return std::nullopt;
  if (!m.found) return TAWKMatch{};
  return TAWKMatch{m.offset + 1, m.length};
}

TAWKScan::TAWKScan(std::string_view text) : text_(text), memo_(std::make_unique<TRERunMemo>()) {}
TAWKScan::~TAWKScan() = default;

TAWKMatch TAWKStr::MatchFrom(TAWKScan* scan, size_t from) const {
  TRECompiled& compiled = current();
  if (scan->pattern_ != compiled.serial()) {
    scan->memo_->Clear();
    scan->memo_->flushes = static_cast<size_t>(-1);
    scan->pattern_ = compiled.serial();
  }
  TREMatch m = compiled.Match(scan->text_, from, SeparatorCode(), scan->memo_.get());
  if (!m.found) return {};
  return {m.offset + 1, m.length};
}

bool TAWKStr::Sub(std::string_view templ, std::string* text) const {
  TAWKMatch m = Match(*text);
  if (m.position == 0) return false;
  size_t offset = m.position - 1;
  std::string expansion = ExpandTemplate(templ, std::string_view(*text).substr(offset, m.length));
  text->replace(offset, m.length, expansion);
  return true;
}

}  // namespace pw::search
