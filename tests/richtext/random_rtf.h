// Random RTF bodies for the differential tests: the headers our writer and the Japanese
// rich-edit control write, with text in \'hh escapes, raw bytes, \uN with every \uc, groups,
// formatting, destinations to skip, fonts in other code pages, and the awkward CP932 cases
// (codes without a Unicode counterpart, codes that read back as another code, lead bytes cut
// off, control bytes).
#ifndef PLOTWEAVE_TESTS_RICHTEXT_RANDOM_RTF_H_
#define PLOTWEAVE_TESTS_RICHTEXT_RANDOM_RTF_H_

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace pw::rich::testing {

class RandomRtf {
 public:
  explicit RandomRtf(unsigned seed) : rng_(seed) {}

  unsigned Next() { return static_cast<unsigned>(rng_()); }

  // One of a few headers, so that a run of bodies shares one now and then.
  std::string Header() {
    static const char* const kHeaders[] = {
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fnil"
        "\\fcharset128 \\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\r\n"
        "\\viewkind4\\uc1",
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl{\\f0\\fnil"
        "\\fcharset128 \\'82\\'6c\\'82\\'72 \\'82\\'6f\\'96\\'be\\'92\\'a9;}{\\f1\\fswiss"
        "\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1",
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}{\\f1\\fnil\\fcharset128"
        " Gothic;}{\\f2\\fnil\\fcharset134 SimSun;}}",
        "{\\rtf1\\ansi\\ansicpg932\\uc2\\deff1{\\fonttbl{\\f1\\fcharset128 a;}}{\\*\\generator "
        "x;}",
    };
    return kHeaders[Next() % 4];
  }

  // The body after the header: paragraphs of random pieces, then the closing brace.
  std::string Content(int pieces) {
    std::string out;
    if (Next() % 3 != 0) out += "\\pard\\lang1041\\f0\\fs20 ";
    for (int i = 0; i < pieces; ++i) out += Piece();
    if (Next() % 4 != 0) out += "\\par\r\n";
    out += "}";
    if (Next() % 5 == 0) out += "\r\n";
    return out;
  }

  std::string Body(int pieces) { return Header() + Content(pieces); }

 private:
  std::string Hex(unsigned byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, Next() % 4 == 0 ? "\\'%02X" : "\\'%02x", byte & 0xFF);
    return buffer;
  }
  std::string Piece() {
    static const std::vector<std::string> kDouble = {"\x82\xa0", "\x82\xcc", "\x83\x41", "\x83\x5c",
                                                     "\x95\x5c", "\x8a\xbf", "\x81\x40",
                                                     "\xed\x40",  // reads back as another code
                                                     "\x85\x40",  // no Unicode counterpart
                                                     "\x87\x40", "\xfa\x5c"};
    switch (Next() % 24) {
      case 0:
      case 1:
      case 2:
      case 3: {  // a double-byte character as two escapes
        const std::string& c = kDouble[Next() % kDouble.size()];
        return Hex(static_cast<unsigned char>(c[0])) + (Next() % 8 == 0 ? "\r\n" : "") +
               Hex(static_cast<unsigned char>(c[1]));
      }
      case 4:
        return kDouble[Next() % kDouble.size()];  // raw bytes
      case 5:
        return std::string(1, "abcXYZ 0.,;"[Next() % 11]);
      case 6:
        return "text ";
      case 7:
        return "\\par\r\n";
      case 8:
        return "\\line ";
      case 9:
        return "\\tab ";
      case 10:
        return Next() % 2 ? "\\b " : "\\b0 ";
      case 11:
        return "{\\i " + Piece() + "}";
      case 12:
        return "\\u" + std::to_string(Next() % 2 ? 12354 : 9731) + (Next() % 2 ? "?" : "\\'3f");
      case 13:
        return "{\\*\\unknown " + Piece() + "}";
      case 14:
        return "\\f1 " + Piece() + "\\f0 ";
      case 15:
        return Hex(Next() % 256);  // any byte, lead bytes cut off and control bytes too
      case 16:
        return "\\\\";
      case 17:
        return "\\{\\}";
      case 18:
        return "\\~\\-\\_";
      case 19:
        return "\\emdash\\lquote ";
      case 20:
        return "\\plain ";
      case 21:
        return "{\\uc0\\u12356 " + Piece() + "}";
      case 22:
        return "\\cf1\\fs24 ";
      default:
        return "\\pard\\qc ";
    }
  }

  std::mt19937 rng_;
};

}  // namespace pw::rich::testing

#endif  // PLOTWEAVE_TESTS_RICHTEXT_RANDOM_RTF_H_
