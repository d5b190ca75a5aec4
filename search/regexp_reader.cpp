// Pattern characters, escapes and tokens.
//
// The pattern is walked as CP932 characters: a lead byte takes the next byte with it, so a
// trail byte that happens to equal "\", "[" or "|" is never taken for an operator. Errors are
// thrown as ERegExpParser and caught where the pattern is compiled; they never leave the
// module. The scanner works in two modes: tokens outside a class, and members (single
// characters or ranges, escapes allowed) inside one.
#include "search/regexp_reader.h"

#include "core/cp932.h"

namespace pw::search {

uint16_t TRECharReader::Next() {
  if (index_ >= pattern_.size()) {
    last_length_ = 0;
    return kEndCode;
  }
  auto lead = static_cast<unsigned char>(pattern_[index_]);
  if (IsLeadByte(lead)) {
    if (index_ + 1 >= pattern_.size()) {
      ++index_;  // the scanner stood past the broken character
      Fail(kErrBadDoubleByte);
    }
    auto trail = static_cast<unsigned char>(pattern_[index_ + 1]);
    index_ += 2;
    last_length_ = 2;
    return static_cast<uint16_t>(lead << 8 | trail);
  }
  index_ += 1;
  last_length_ = 1;
  return lead;
}

void TRECharReader::Fail(const char* message) const { throw ERegExpParser{message, position()}; }

namespace {

int HexValue(uint16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

uint16_t ReadEscape(TRECharReader* reader) {
  uint16_t c = reader->Next();
  if (reader->at_end()) reader->Fail(kErrEscapeAtEnd);
  switch (c) {
    case 'b':
      return 8;
    case 'n':
      return 10;
    case 'r':
      return 13;
    case 't':
      return 9;
    case 'x': {
      uint32_t value = 0;
      int digits = 0;
      while (digits < 4) {
        uint16_t d = reader->Next();
        int v = reader->at_end() ? -1 : HexValue(d);
        if (v < 0) {
          reader->PutBack();
          break;
        }
        value = value * 16 + static_cast<uint32_t>(v);
        ++digits;
      }
      if (digits == 0) reader->Fail(kErrBadHex);
      return static_cast<uint16_t>(value);
    }
    default:
      break;
  }
  if (c >= '0' && c <= '7') {
    uint32_t value = c - '0';
    for (int digits = 1; digits < 6; ++digits) {
      uint16_t d = reader->Next();
      if (reader->at_end() || d < '0' || d > '7') {
        reader->PutBack();
        break;
      }
      value = value * 8 + (d - '0');
    }
    if (value > 0xFFFF) reader->Fail(kErrBadOctal);
    return static_cast<uint16_t>(value);
  }
  return c;
}

Token TREScanner::NextToken() {
  uint16_t c = reader_.Next();
  if (reader_.at_end()) return {TokenKind::kEnd, 0};
  switch (c) {
    case '|':
      return {TokenKind::kAlternation, c};
    case '(':
      return {TokenKind::kGroupOpen, c};
    case ')':
      return {TokenKind::kGroupClose, c};
    case '*':
      return {TokenKind::kStar, c};
    case '+':
      return {TokenKind::kPlus, c};
    case '?':
      return {TokenKind::kQuestion, c};
    case '.':
      return {TokenKind::kAny, c};
    case '^':
      return {TokenKind::kLineStart, c};
    case '$':
      return {TokenKind::kLineEnd, c};
    case ']':
      return {TokenKind::kClassClose, c};
    case '\\':
      return {TokenKind::kChar, ReadEscape(&reader_)};
    case '[': {
      uint16_t next = reader_.Next();
      if (reader_.at_end()) reader_.Fail(kErrNeedBracket);
      if (next == '^') return {TokenKind::kNegatedClassOpen, c};
      reader_.PutBack();
      return {TokenKind::kClassOpen, c};
    }
    default:
      return {TokenKind::kChar, c};
  }
}

ClassMember TREScanner::NextMember() {
  uint16_t first = reader_.Next();
  if (reader_.at_end()) reader_.Fail(kErrNeedBracket);
  if (first == ']') return {true, 0, 0};
  if (first == '\\') first = ReadEscape(&reader_);

  size_t before_dash = reader_.index();
  uint16_t dash = reader_.Next();
  if (reader_.at_end() || dash != '-') {
    reader_.PutBack();
    return {false, first, first};
  }
  uint16_t last = reader_.Next();
  if (reader_.at_end()) reader_.Fail(kErrNeedBracket);
  if (last == ']') {
    // A "-" just before the closing bracket is a member of its own.
    reader_.Rewind(before_dash);
    return {false, first, first};
  }
  if (last == '\\') last = ReadEscape(&reader_);
  if (last < first) reader_.Fail(kErrBadRange);
  return {false, first, last};
}

}  // namespace pw::search
