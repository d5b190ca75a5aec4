// Splits RTF bytes into groups, control words, control symbols, \'hh bytes and text, without
// decoding anything: text stays in the bytes of whatever code page the reader decides.
#ifndef PLOTWEAVE_RICHTEXT_RTF_TOKENIZER_H_
#define PLOTWEAVE_RICHTEXT_RTF_TOKENIZER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw::rich {

enum class TokenKind {
  kEnd,            // no more input
  kGroupStart,     // {
  kGroupEnd,       // }
  kControlWord,    // \word or \wordN; `word`, `has_parameter`, `parameter`
  kControlSymbol,  // \ followed by a non-letter (\~ \- \_ \{ \} \\ \* ...); `symbol`
  kHexByte,        // \'hh; `byte`
  kText,           // a run of text bytes, CR and LF removed; `text`
  kBinary,         // \binN: the N bytes that follow, clipped to the input; `text`
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string_view word;  // control word without the backslash
  bool has_parameter = false;
  int32_t parameter = 0;  // clamped to the int32 range
  char symbol = 0;
  unsigned char byte = 0;
  std::string_view text;
};

class RtfTokenizer {
 public:
  explicit RtfTokenizer(std::string_view rtf, size_t pos = 0) : rtf_(rtf), pos_(pos) {}

  // Never reads past the end; a truncated escape is returned as what it could be.
  Token Next();
  // Appends the bytes that the tokens from here on stand for, as long as they are text, \'hh
  // escapes or the escaped characters \\ \{ \}, with CR and LF between them skipped; stops
  // before anything else. Readers call it where each such token would only append its bytes,
  // so that a long run of escapes costs one tight loop instead of one token each.
  void AppendTextRun(std::string* out);
  size_t position() const { return pos_; }
  const char* data() const { return rtf_.data(); }
  // Moves past CR and LF, which Next would skip anyway, so position() is where the next
  // token's bytes begin.
  void SkipLineEnds() {
    while (pos_ < rtf_.size() && (rtf_[pos_] == '\r' || rtf_[pos_] == '\n')) ++pos_;
  }

 private:
  std::string_view rtf_;
  size_t pos_ = 0;
};

}  // namespace pw::rich

#endif  // PLOTWEAVE_RICHTEXT_RTF_TOKENIZER_H_
