// Tokenizer: every kind of token, parameters at the int32 limits, truncated escapes.
#include "richtext/rtf_tokenizer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace pw::rich {
namespace {

// A compact picture of the token stream: "{", "}", "\\word", "\\word=N", "sym:c", "hex:HH",
// "text:..." and "bin:...".
std::vector<std::string> Describe(std::string_view rtf) {
  std::vector<std::string> out;
  RtfTokenizer tokenizer(rtf);
  for (int guard = 0; guard < 1000; ++guard) {
    Token t = tokenizer.Next();
    switch (t.kind) {
      case TokenKind::kEnd:
        return out;
      case TokenKind::kGroupStart:
        out.push_back("{");
        break;
      case TokenKind::kGroupEnd:
        out.push_back("}");
        break;
      case TokenKind::kControlWord:
        out.push_back("\\" + std::string(t.word) +
                      (t.has_parameter ? "=" + std::to_string(t.parameter) : ""));
        break;
      case TokenKind::kControlSymbol:
        out.push_back(std::string("sym:") + t.symbol);
        break;
      case TokenKind::kHexByte: {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "hex:%02X", t.byte);
        out.push_back(buffer);
        break;
      }
      case TokenKind::kText:
        out.push_back("text:" + std::string(t.text));
        break;
      case TokenKind::kBinary:
        out.push_back("bin:" + std::string(t.text));
        break;
    }
  }
  ADD_FAILURE() << "tokenizer did not reach the end";
  return out;
}

struct Case {
  const char* rtf;
  std::vector<std::string> tokens;
};

TEST(RtfTokenizerTest, Tokens) {
  const Case cases[] = {
      {"{\\rtf1 abc}", {"{", "\\rtf=1", "text:abc", "}"}},
      {"\\fi-360\\li720 x", {"\\fi=-360", "\\li=720", "text:x"}},
      // Only one space is the delimiter; the second is text.
      {"\\b  x", {"\\b", "text: x"}},
      {"\\par\r\nnext", {"\\par", "text:next"}},
      {"ab\r\ncd", {"text:ab", "text:cd"}},
      {"\\'82\\'a0", {"hex:82", "hex:A0"}},
      {"\\'8", {"sym:'"}},
      {"\\'zz", {"sym:'", "text:zz"}},
      {"\\~\\-\\_\\{\\}\\\\\\*", {"sym:~", "sym:-", "sym:_", "sym:{", "sym:}", "sym:\\", "sym:*"}},
      {"\\u-10179?", {"\\u=-10179", "text:?"}},
      {"\\fs99999999999 x", {"\\fs=2147483647", "text:x"}},
      {"\\fs-99999999999 x", {"\\fs=-2147483648", "text:x"}},
      // A minus sign without digits is not part of the word.
      {"\\foo-bar", {"\\foo", "text:-bar"}},
      {"\\bin3 {}}x", {"bin:{}}", "text:x"}},
      {"\\bin99 ab", {"bin:ab"}},
      {"\\bin-5 ab", {"bin:", "text:ab"}},
      {"\\\r\nx", {"\\par", "text:x"}},
      {"abc\\", {"text:abc"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Describe(c.rtf), c.tokens) << c.rtf;
  }
}

}  // namespace
}  // namespace pw::rich
