// Differential fuzzing of the matchers: the fast matcher (with its normal state cap and with a
// tiny one that forces flushes) must give the reference matcher's result on every subject, and
// a find-all loop over the whole subject with a memo of earlier runs must find the hits the
// reference finds in the suffixes.
// Input: one option byte, the pattern, a NUL, the subject (CP932 or anything else).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp932.h"
#include "search/regexp_match.h"
#include "search/regexp_reader.h"

namespace {

void Check(pw::search::TRECompiled& fast, pw::search::TRECompiled& small,
           pw::search::TRECompiled& reference, std::string_view text, uint16_t separator,
           std::string_view pattern) {
  bool available = false;
  pw::search::TREMatch ref = reference.MatchReference(text, separator, &available, 3000);
  if (!available) return;
  pw::search::TREMatch a = fast.Match(text, separator);
  pw::search::TREMatch b = small.Match(text, separator);
  if (!(a == ref) || !(b == ref)) {
    std::fprintf(stderr,
                 "pattern [%.*s] subject [%.*s]\nreference %d %zu %zu fast %d %zu %zu "
                 "small %d %zu %zu\n",
                 static_cast<int>(pattern.size()), pattern.data(), static_cast<int>(text.size()),
                 text.data(), ref.found, ref.offset, ref.length, a.found, a.offset, a.length,
                 b.found, b.offset, b.length);
    std::abort();
  }
}

// The hits of a find-all loop: each search from the end of the previous hit, one character
// further after an empty one.
template <typename MatchFn>
std::vector<pw::search::TREMatch> AllHits(std::string_view text, MatchFn match) {
  std::vector<pw::search::TREMatch> hits;
  size_t from = 0;
  while (from <= text.size() && hits.size() < 1000) {
    pw::search::TREMatch m = match(from);
    if (!m.found) break;
    hits.push_back(m);
    if (m.length > 0) {
      from = m.offset + m.length;
    } else {
      if (m.offset >= text.size()) break;
      from = m.offset + (pw::IsLeadByte(text[m.offset]) && m.offset + 1 < text.size() ? 2 : 1);
    }
  }
  return hits;
}

void CheckAllHits(pw::search::TRECompiled& fast, pw::search::TRECompiled& reference,
                  std::string_view text, uint16_t separator, int block_shift) {
  bool available = true;
  auto expected = AllHits(text, [&](size_t from) {
    pw::search::TREMatch m =
        reference.MatchReference(text.substr(from), separator, &available, 3000);
    if (m.found) m.offset += from;
    return m;
  });
  if (!available) return;
  pw::search::TRERunMemo memo(block_shift);
  auto got = AllHits(text, [&](size_t from) { return fast.Match(text, from, separator, &memo); });
  if (got != expected) {
    std::fprintf(stderr, "find-all differs (block %d): %zu hits, reference %zu\n", 1 << block_shift,
                 got.size(), expected.size());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  uint16_t separator = (data[0] & 1) ? 10 : 13;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t nul = rest.find('\0');
  std::string_view pattern = rest.substr(0, nul);
  std::string_view subject =
      nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
  if (pattern.size() > 300 || subject.size() > 400) return 0;
  try {
    pw::search::TRECompiled fast(pattern);
    pw::search::TRECompiled small(pattern, 3);
    pw::search::TRECompiled reference(pattern);
    // The whole subject, and every suffix a find-all loop would hand over.
    size_t step = 1 + subject.size() / 12 + (data[0] >> 1) % 3;
    for (size_t from = 0; from <= subject.size(); from += step) {
      Check(fast, small, reference, subject.substr(from), separator, pattern);
    }
    CheckAllHits((data[0] & 8) ? small : fast, reference, subject, separator, (data[0] >> 4) % 4);
  } catch (const pw::search::ERegExpParser&) {
  }
  return 0;
}
