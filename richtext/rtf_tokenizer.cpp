// RTF tokenizer: one pass over the bytes, every read checked against the end.
#include "richtext/rtf_tokenizer.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace pw::rich {
namespace {

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct HexTable {
  signed char value[256];
  constexpr HexTable() : value() {
    for (int i = 0; i < 256; ++i)
      value[i] = static_cast<signed char>(HexDigit(static_cast<char>(i)));
  }
};
constexpr HexTable kHex;

inline int HexValue(char c) { return kHex.value[static_cast<unsigned char>(c)]; }

// The byte that two hexadecimal digits stand for, indexed by the two characters as they lie
// in memory (first one in the low byte); -1 where either is no digit.
struct HexPairTable {
  std::vector<int16_t> value;
  HexPairTable() : value(0x10000, -1) {
    for (int first = 0; first < 256; ++first) {
      for (int second = 0; second < 256; ++second) {
        const int high = kHex.value[first];
        const int low = kHex.value[second];
        if (high >= 0 && low >= 0)
          value[static_cast<size_t>(second << 8 | first)] = static_cast<int16_t>(high << 4 | low);
      }
    }
  }
};

const HexPairTable& HexPairs() {
  static const HexPairTable table;
  return table;
}

inline uint32_t Load32(const char* p) {
  uint32_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

}  // namespace

Token RtfTokenizer::Next() {
  Token token;
  const size_t size = rtf_.size();
  // CR and LF carry no meaning in RTF; skip them between tokens.
  while (pos_ < size && (rtf_[pos_] == '\r' || rtf_[pos_] == '\n')) ++pos_;
  if (pos_ >= size) return token;

  const char c = rtf_[pos_];
  if (c == '{') {
    ++pos_;
    token.kind = TokenKind::kGroupStart;
    return token;
  }
  if (c == '}') {
    ++pos_;
    token.kind = TokenKind::kGroupEnd;
    return token;
  }
  if (c != '\\') {
    size_t start = pos_;
    while (pos_ < size) {
      char t = rtf_[pos_];
      if (t == '\\' || t == '{' || t == '}' || t == '\r' || t == '\n') break;
      ++pos_;
    }
    token.kind = TokenKind::kText;
    token.text = rtf_.substr(start, pos_ - start);
    return token;
  }

  // A backslash.
  ++pos_;
  if (pos_ >= size) return token;  // a lone backslash at the very end means nothing
  const char next = rtf_[pos_];
  if (IsAsciiLetter(next)) {
    size_t start = pos_;
    while (pos_ < size && IsAsciiLetter(rtf_[pos_])) ++pos_;
    token.kind = TokenKind::kControlWord;
    token.word = rtf_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < size && rtf_[pos_] == '-' && IsDigit(rtf_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    if (pos_ < size && IsDigit(rtf_[pos_])) {
      token.has_parameter = true;
      int64_t value = 0;
      while (pos_ < size && IsDigit(rtf_[pos_])) {
        if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (rtf_[pos_] - '0');
        ++pos_;
      }
      if (negative) value = -value;
      if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
      if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
      token.parameter = static_cast<int32_t>(value);
    }
    if (pos_ < size && rtf_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
    if (token.word == "bin") {
      size_t count = token.parameter > 0 ? static_cast<size_t>(token.parameter) : 0;
      if (count > size - pos_) count = size - pos_;
      token.kind = TokenKind::kBinary;
      token.text = rtf_.substr(pos_, count);
      pos_ += count;
    }
    return token;
  }
  if (next == '\'') {
    ++pos_;
    int high = pos_ < size ? HexValue(rtf_[pos_]) : -1;
    int low = pos_ + 1 < size ? HexValue(rtf_[pos_ + 1]) : -1;
    if (high >= 0 && low >= 0) {
      pos_ += 2;
      token.kind = TokenKind::kHexByte;
      token.byte = static_cast<unsigned char>(high << 4 | low);
      return token;
    }
    // A broken escape: drop the digit it has, keep going.
    if (high >= 0) ++pos_;
    token.kind = TokenKind::kControlSymbol;
    token.symbol = '\'';
    return token;
  }
  ++pos_;
  if (next == '\r' || next == '\n') {
    // A backslash before a line end is an old way of writing \par.
    token.kind = TokenKind::kControlWord;
    token.word = "par";
    return token;
  }
  token.kind = TokenKind::kControlSymbol;
  token.symbol = next;
  return token;
}

void RtfTokenizer::AppendTextRun(std::string* out) {
  const char* p = rtf_.data();
  const size_t size = rtf_.size();
  // Decoded bytes gather in a small buffer, so the loop writes without growing the string.
  constexpr size_t kChunk = 4096;
  char chunk[kChunk];
  size_t filled = 0;
  size_t i = pos_;
  const int16_t* hex_pairs = HexPairs().value.data();
  // "\'" as it lies in memory at the start of an escape, first character in the low byte.
  constexpr uint32_t kEscape = static_cast<uint32_t>('\'') << 8 | '\\';
  while (i < size) {
    if (filled + 2 > kChunk) {
      out->append(chunk, filled);
      filled = 0;
    }
    // The common case first: a run of \'hh escapes, two at a time, then one.
    constexpr uint64_t kEscapePair = uint64_t{kEscape} << 32 | kEscape;
    while (i + 8 <= size && filled + 2 <= kChunk) {
      uint64_t w;
      std::memcpy(&w, p + i, sizeof w);
      if ((w & 0x0000FFFF0000FFFFull) != kEscapePair) break;
      const int first = hex_pairs[(w >> 16) & 0xFFFF];
      const int second = hex_pairs[(w >> 48) & 0xFFFF];
      if ((first | second) < 0) break;
      chunk[filled] = static_cast<char>(first);
      chunk[filled + 1] = static_cast<char>(second);
      filled += 2;
      i += 8;
    }
    while (i + 4 <= size && filled < kChunk) {
      const uint32_t w = Load32(p + i);
      if ((w & 0xFFFF) != kEscape) break;
      const int value = hex_pairs[w >> 16];
      if (value < 0) break;
      chunk[filled++] = static_cast<char>(value);
      i += 4;
    }
    if (i >= size) break;
    if (filled + 2 > kChunk) continue;
    const char c = p[i];
    if (c == '\\') {
      if (i + 1 >= size) break;
      const char next = p[i + 1];
      if (next == '\'') {
        if (i + 3 >= size) break;
        const int high = HexValue(p[i + 2]);
        const int low = HexValue(p[i + 3]);
        if ((high | low) < 0) break;
        chunk[filled++] = static_cast<char>(high << 4 | low);
        i += 4;
        continue;
      }
      if (next == '\\' || next == '{' || next == '}') {
        chunk[filled++] = next;
        i += 2;
        continue;
      }
      break;
    }
    if (c == '{' || c == '}') break;
    if (c != '\r' && c != '\n') chunk[filled++] = c;
    ++i;
  }
  out->append(chunk, filled);
  pos_ = i;
}

}  // namespace pw::rich
