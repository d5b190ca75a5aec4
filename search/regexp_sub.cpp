// Template expansion in three passes over CP932 characters (a trail byte equal to "\" or "&"
// is never taken for one):
//   1. "\&" becomes "\\&", so that the escape pass leaves "\&" behind for the last pass;
//      any other "\" is copied together with the character after it.
//   2. escapes are resolved as in a pattern ("\n", "\x41", "\101", "\\", ...).
//   3. "&" inserts the match, "\&" a literal "&"; any other "\" is copied and the character
//      after it is read normally.
// A template cannot be rejected, so the escapes that are errors in a pattern get a meaning
// here: a lone "\" at the end stands for itself, "\x" without digits is "x", an octal escape
// stops before the digit that would pass 0xFFFF, and a zero byte of an escape's code is left out
// (the text must not gain a NUL).
#include "search/regexp_sub.h"

#include <cstdint>

#include "core/cp932.h"

namespace pw::search {
namespace {

struct Reader {
  std::string_view text;
  size_t pos = 0;

  bool AtEnd() const { return pos >= text.size(); }
  // The next character as its bytes (a lead byte at the very end is one byte).
  std::string_view NextChar() {
    size_t start = pos;
    pos = NextCharBoundary(text, pos);
    return text.substr(start, pos - start);
  }
  std::string_view PeekChar() const { return text.substr(pos, NextCharBoundary(text, pos) - pos); }
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A code is written as its bytes, high byte first; a zero byte is left out.
void AppendCode(uint32_t code, std::string* out) {
  if ((code >> 8) != 0) out->push_back(static_cast<char>(code >> 8));
  if ((code & 0xFF) != 0) out->push_back(static_cast<char>(code & 0xFF));
}

std::string ProtectAmpersands(std::string_view templ) {
  std::string out;
  Reader r{templ};
  while (!r.AtEnd()) {
    std::string_view c = r.NextChar();
    if (c == "\\" && !r.AtEnd()) {
      std::string_view next = r.NextChar();
      if (next == "&") {
        out += "\\\\&";
      } else {
        out += c;
        out += next;
      }
      continue;
    }
    out += c;
  }
  return out;
}

std::string ResolveEscapes(std::string_view templ) {
  std::string out;
  Reader r{templ};
  while (!r.AtEnd()) {
    std::string_view c = r.NextChar();
    if (c != "\\" || r.AtEnd()) {
      out += c;
      continue;
    }
    std::string_view e = r.NextChar();
    if (e.size() != 1) {
      out += e;
      continue;
    }
    switch (e[0]) {
      case 'b':
        out.push_back('\b');
        break;
      case 'n':
        out.push_back('\n');
        break;
      case 'r':
        out.push_back('\r');
        break;
      case 't':
        out.push_back('\t');
        break;
      case 'x': {
        uint32_t value = 0;
        int digits = 0;
        while (digits < 4 && !r.AtEnd() && HexValue(r.text[r.pos]) >= 0) {
          value = value * 16 + static_cast<uint32_t>(HexValue(r.text[r.pos++]));
          ++digits;
        }
        if (digits == 0) {
          out.push_back('x');
        } else {
          AppendCode(value, &out);
        }
        break;
      }
      default:
        if (e[0] >= '0' && e[0] <= '7') {
          uint32_t value = static_cast<uint32_t>(e[0] - '0');
          for (int digits = 1; digits < 6 && !r.AtEnd(); ++digits) {
            char d = r.text[r.pos];
            if (d < '0' || d > '7') break;
            uint32_t wider = value * 8 + static_cast<uint32_t>(d - '0');
            if (wider > 0xFFFF) break;
            value = wider;
            ++r.pos;
          }
          AppendCode(value, &out);
        } else {
          out += e;
        }
    }
  }
  return out;
}

}  // namespace

std::string ExpandTemplate(std::string_view templ, std::string_view matched) {
  std::string protected_template = ProtectAmpersands(templ);
  std::string resolved = ResolveEscapes(protected_template);
  std::string out;
  Reader r{resolved};
  while (!r.AtEnd()) {
    std::string_view c = r.NextChar();
    if (c == "&") {
      out += matched;
    } else if (c == "\\" && !r.AtEnd() && r.PeekChar() == "&") {
      r.NextChar();
      out.push_back('&');
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace pw::search
