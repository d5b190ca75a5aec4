// RTF tokenizer: one pass over the bytes, every read checked against the end.
#include "richtext/rtf_tokenizer.h"

#include <limits>

namespace pw::rich {
namespace {

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
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

}  // namespace pw::rich
