// CP932 walking and conversion. The conversion tables are filled once from glibc iconv, so
// the mapping is the system's, while per-character work stays a table look-up.
#include "core/cp932.h"

#include <iconv.h>

#include <array>
#include <memory>
#include <vector>

namespace pw {
namespace {

constexpr char32_t kReplacementChar = 0xFFFD;


// Converts one character with iconv; returns false when iconv refuses it.
bool IconvOne(iconv_t cd, const char* in, size_t in_len, char* out, size_t out_cap,
              size_t* out_len) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in_ptr = const_cast<char*>(in);
  char* out_ptr = out;
  size_t in_left = in_len;
  size_t out_left = out_cap;
  if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1)) return false;
  if (in_left != 0) return false;
  *out_len = out_cap - out_left;
  return true;
}

struct Tables {
  std::vector<char32_t> decode;  // indexed by 16-bit code; 0 = no counterpart
  std::vector<uint16_t> encode;  // indexed by BMP code point; 0 = no counterpart
  Tables() : decode(0x10000, 0), encode(0x10000, 0) {
    iconv_t to_utf32 = iconv_open("UTF-32LE", "CP932");
    iconv_t from_utf32 = iconv_open("CP932", "UTF-32LE");
    if (to_utf32 == reinterpret_cast<iconv_t>(-1) || from_utf32 == reinterpret_cast<iconv_t>(-1)) {
      // Without the system converter only ASCII is known.
      for (uint16_t c = 1; c < 0x80; ++c) decode[c] = c, encode[c] = c;
      return;
    }
    auto decode_bytes = [&](const char* bytes, size_t n) -> char32_t {
      unsigned char out[8];
      size_t out_len = 0;
      if (!IconvOne(to_utf32, bytes, n, reinterpret_cast<char*>(out), sizeof out, &out_len) ||
          out_len != 4) {
        return 0;
      }
      return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
    };
    for (unsigned b = 1; b < 0x100; ++b) {
      if (IsLeadByte(static_cast<unsigned char>(b))) continue;
      char byte = static_cast<char>(b);
      decode[b] = decode_bytes(&byte, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
        char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        decode[lead << 8 | trail] = decode_bytes(bytes, 2);
      }
    }
    // Several codes can share one character (NEC and IBM duplicates); ask iconv which code
    // it writes for each character so both directions agree with the system's mapping.
    for (unsigned code = 1; code < 0x10000; ++code) {
      char32_t ch = decode[code];
      if (ch == 0 || ch >= 0x10000 || encode[ch] != 0) continue;
      unsigned char in[4] = {static_cast<unsigned char>(ch), static_cast<unsigned char>(ch >> 8), 0,
                             0};
      char out[4];
      size_t out_len = 0;
      if (IconvOne(from_utf32, reinterpret_cast<char*>(in), 4, out, sizeof out, &out_len)) {
        encode[ch] = out_len == 1 ? static_cast<unsigned char>(out[0])
                                  : static_cast<uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                          static_cast<unsigned char>(out[1]));
      }
    }
    iconv_close(to_utf32);
    iconv_close(from_utf32);
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

size_t NextCharBoundary(std::string_view text, size_t pos) {
  if (pos >= text.size()) return text.size();
  if (IsLeadByte(text[pos]) && pos + 1 < text.size()) return pos + 2;
  return pos + 1;
}

size_t PrevCharBoundary(std::string_view text, size_t pos) {
  if (pos == 0) return 0;
  if (pos > text.size()) pos = text.size();
  size_t i = 0;
  size_t last = 0;
  while (i < pos) {
    last = i;
    i = NextCharBoundary(text, i);
  }
  return last;
}

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i = NextCharBoundary(text, i)) ++count;
  return count;
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size();) {
    if (IsLeadByte(out[i])) {
      i = NextCharBoundary(out, i);
      continue;
    }
    if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    ++i;
  }
  return out;
}

CharCode CharCodeAt(std::string_view text, size_t pos) {
  if (pos >= text.size()) return {0, 0};
  auto lead = static_cast<unsigned char>(text[pos]);
  if (IsLeadByte(lead) && pos + 1 < text.size()) {
    return {static_cast<uint16_t>(lead << 8 | static_cast<unsigned char>(text[pos + 1])), 2};
  }
  return {lead, 1};
}

char32_t DecodeCp932Char(uint16_t code) { return GetTables().decode[code]; }

bool EncodeCp932Char(char32_t ch, std::string* out) {
  if (ch == 0) {
    out->push_back('\0');
    return true;
  }
  if (ch >= 0x10000) return false;
  uint16_t code = GetTables().encode[ch];
  if (code == 0) return false;
  if (code > 0xFF) out->push_back(static_cast<char>(code >> 8));
  out->push_back(static_cast<char>(code & 0xFF));
  return true;
}

void AppendUtf8(char32_t ch, std::string* out) {
  if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) ch = kReplacementChar;
  if (ch < 0x80) {
    out->push_back(static_cast<char>(ch));
  } else if (ch < 0x800) {
    out->push_back(static_cast<char>(0xC0 | ch >> 6));
    out->push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else if (ch < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | ch >> 12));
    out->push_back(static_cast<char>(0x80 | (ch >> 6 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | ch >> 18));
    out->push_back(static_cast<char>(0x80 | (ch >> 12 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (ch >> 6 & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  }
}

char32_t NextUtf8(std::string_view s, size_t* pos) {
  size_t i = *pos;
  auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    *pos = i + 1;
    return b0;
  }
  int extra = (b0 >= 0xC2 && b0 <= 0xDF)   ? 1
              : (b0 >= 0xE0 && b0 <= 0xEF) ? 2
              : (b0 >= 0xF0 && b0 <= 0xF4) ? 3
                                           : -1;
  if (extra < 0 || i + extra >= s.size()) {
    *pos = i + 1;
    return kReplacementChar;
  }
  char32_t ch = b0 & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      *pos = i + 1;
      return kReplacementChar;
    }
    ch = ch << 6 | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (ch < kMin[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
    *pos = i + 1;
    return kReplacementChar;
  }
  *pos = i + extra + 1;
  return ch;
}

Conversion Cp932ToUtf8(std::string_view cp932, Unmappable policy) {
  const Tables& t = GetTables();
  Conversion result;
  result.text.reserve(cp932.size() + cp932.size() / 2);
  for (size_t i = 0; i < cp932.size();) {
    auto b = static_cast<unsigned char>(cp932[i]);
    if (b < 0x80 && b != 0) {
      result.text.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (b == 0) {
      result.text.push_back('\0');
      ++i;
      continue;
    }
    char32_t ch = 0;
    size_t length = 1;
    if (IsLeadByte(b)) {
      if (i + 1 < cp932.size() && IsTrailByte(static_cast<unsigned char>(cp932[i + 1]))) {
        length = 2;
        ch = t.decode[b << 8 | static_cast<unsigned char>(cp932[i + 1])];
      }
    } else {
      ch = t.decode[b];
    }
    if (ch == 0) {
      ++result.unmappable;
      if (policy == Unmappable::kFail) {
        result.ok = false;
        return result;
      }
      ch = kReplacementChar;
    }
    AppendUtf8(ch, &result.text);
    i += length;
  }
  return result;
}

Conversion Utf8ToCp932(std::string_view utf8, Unmappable policy) {
  Conversion result;
  result.text.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      result.text.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    char32_t ch = NextUtf8(utf8, &i);
    if (ch == kReplacementChar || !EncodeCp932Char(ch, &result.text)) {
      ++result.unmappable;
      if (policy == Unmappable::kFail) {
        result.ok = false;
        return result;
      }
      result.text.push_back('?');
    }
  }
  return result;
}

}  // namespace pw
