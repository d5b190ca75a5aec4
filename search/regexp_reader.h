// Pattern reading for the regular-expression engine: characters over CP932 bytes, escapes,
// and the scanner that turns them into tokens (with its separate mode inside a class).
#ifndef PLOTWEAVE_SEARCH_REGEXP_READER_H_
#define PLOTWEAVE_SEARCH_REGEXP_READER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw::search {

// A malformed pattern: the message shown to the user and the 1-based byte index in the
// pattern at which the scanner stood when it gave up.
struct ERegExpParser {
  std::string message;
  uint16_t position = 0;
};

inline constexpr char kErrBadDoubleByte[] = "不正な２バイト文字コードです。";
inline constexpr char kErrEscapeAtEnd[] = "\"\\\"の次には文字が必要です。";
inline constexpr char kErrBadHex[] = "不正な１６進数コード表記です。";
inline constexpr char kErrBadOctal[] = "不正な８進数コード表記です。";
inline constexpr char kErrNeedBracket[] = "右ブラケット\"]\"が必要です";
inline constexpr char kErrBadRange[] = "不正なキャラクタ範囲です";
inline constexpr char kErrBadClass[] = "不正なキャラクタクラス指定です。";
inline constexpr char kErrNeedParen[] = "右(閉じ)括弧が必要です";
inline constexpr char kErrNeedAtom[] = "普通の文字、または左括弧\"(\"が必要です";
inline constexpr char kErrTrailing[] = "正規表現に余分な文字があります";
inline constexpr char kErrTooDeep[] = "括弧の入れ子が深すぎます";

// Character codes: a single byte is its value, a double-byte character lead*256+trail.
inline constexpr uint16_t kEndCode = 0;

// Reads a pattern one character at a time. Past the end it yields code 0 without moving, and
// at_end() tells that apart from an escaped code 0.
class TRECharReader {
 public:
  explicit TRECharReader(std::string_view pattern) : pattern_(pattern) {}

  // Throws ERegExpParser when a lead byte is the last byte of the pattern.
  uint16_t Next();
  // Puts back the character just read.
  void PutBack() {
    index_ -= last_length_;
    last_length_ = 0;
  }
  bool at_end() const { return last_length_ == 0; }

  // 1-based index of the next byte to read: the position reported with an error.
  uint16_t position() const { return static_cast<uint16_t>(index_ + 1); }
  size_t index() const { return index_; }
  void Rewind(size_t index) {
    index_ = index;
    last_length_ = 0;
  }

  [[noreturn]] void Fail(const char* message) const;

 private:
  std::string_view pattern_;
  size_t index_ = 0;
  size_t last_length_ = 0;
};

// Reads what follows a backslash (the backslash already consumed) and returns its code.
uint16_t ReadEscape(TRECharReader* reader);

enum class TokenKind {
  kAlternation,
  kGroupOpen,
  kGroupClose,
  kStar,
  kPlus,
  kQuestion,
  kAny,
  kLineStart,
  kLineEnd,
  kClassOpen,
  kNegatedClassOpen,
  kClassClose,
  kChar,
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  uint16_t code = 0;  // the character of kChar (and of "^" and "$", which may turn ordinary)
};

// One class member: a closed range of codes, or the end of the class.
struct ClassMember {
  bool close = false;
  uint16_t low = 0;
  uint16_t high = 0;
};

class TREScanner {
 public:
  explicit TREScanner(std::string_view pattern) : reader_(pattern) {}

  Token NextToken();
  // Only after a class-open token, until it returns close.
  ClassMember NextMember();

  uint16_t position() const { return reader_.position(); }
  [[noreturn]] void Fail(const char* message) const { reader_.Fail(message); }

 private:
  TRECharReader reader_;
};

}  // namespace pw::search

#endif  // PLOTWEAVE_SEARCH_REGEXP_READER_H_
