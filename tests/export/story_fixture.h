// The story the export tests share: Japanese titles, every mark and colour, a chain down to
// depth 12, a character with its items, RTF and plain bodies with blank lines, an empty body
// and a body holding HTML tags. Pre-order indexes are given beside each node.
#ifndef PLOTWEAVE_TESTS_EXPORT_STORY_FIXTURE_H_
#define PLOTWEAVE_TESTS_EXPORT_STORY_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/cp932.h"
#include "core/outline.h"

namespace pw::testing {

inline std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

// An RTF body whose paragraphs are the given CP932 lines (an empty line is an empty paragraph).
inline std::string RtfBody(std::initializer_list<const char*> utf8_lines) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 ";
  bool first = true;
  for (const char* line : utf8_lines) {
    if (!first) rtf += "\\par ";
    first = false;
    // Both bytes of a double-byte character are escaped: a trail byte may be "{", "}" or "\\".
    const std::string bytes = Sjis(line);
    for (size_t i = 0; i < bytes.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(bytes[i]);
      const bool pair = IsLeadByte(c) && i + 1 < bytes.size();
      for (size_t k = 0; k < (pair ? 2u : 1u); ++k) {
        const unsigned char b = static_cast<unsigned char>(bytes[i + k]);
        if (b >= 0x80 || pair || b == '{' || b == '}' || b == '\\') {
          static const char kHex[] = "0123456789abcdef";
          rtf += "\\'";
          rtf += kHex[b >> 4];
          rtf += kHex[b & 15];
        } else {
          rtf += static_cast<char>(b);
        }
      }
      if (pair) ++i;
    }
  }
  return rtf + "}";
}

inline Node* Add(Outline* o, Node* parent, const char* utf8_title, int32_t kind, int32_t color,
                 int32_t icon) {
  auto data = NewNodeData(kind);
  data->Color = color;
  return o->Append(parent, Sjis(utf8_title), std::move(data), icon);
}

inline void BuildStory(Outline* o) {
  Node* root = Add(o, nullptr, "星の庭", nkRoot, 0, 1);  // 0
  root->data()->Body = RtfBody({"ある町の物語。", "", "三行目。"});
  Node* part1 = Add(o, root, "第一部　出会い", nkParent, 1, 14);  // 1
  part1->data()->Body = Sjis("序\r\n\r\n本文");
  Node* ch1 = Add(o, part1, "第一章", nkParent, 2, 15);                                     // 2
  Add(o, ch1, "駅前の雨", nkChild, 1, 7)->data()->Body = Sjis("<b>雨</b> & 傘 > 空");       // 3
  Add(o, ch1, "空の場面", nkChild, 2, 8)->data()->Body = "";                                // 4
  Node* ch2 = Add(o, part1, "第二章", nkParent, 3, 16);                                     // 5
  Add(o, ch2, "図書館", nkChild, 3, 9)->data()->Body = RtfBody({"夜の図書館。"});           // 6
  Add(o, ch2, "手紙", nkChild, 4, 10)->data()->Body = RtfBody({"", "・日付", "", "追伸"});  // 7
  Node* ch3 = Add(o, part1, "第三章", nkParent, 4, 17);                                     // 8
  Add(o, ch3, "夜", nkChild, 5, 11);                                                        // 9
  Add(o, ch3, "朝", nkChild, 6, 12)->data()->Body = Sjis("おわり");                         // 10
  Node* part2 = Add(o, root, "第二部", nkParent, 5, 18);                                    // 11
  Node* chain = Add(o, part2, "深み", nkParent, 6, 19);                                     // 12
  // 13..22: depths 3 to 12; the node at depth 4 has a colour out of range (icon 6).
  Node* p = chain;
  for (int depth = 3; depth <= 12; ++depth) {
    const std::string title = "段" + std::to_string(depth);
    const bool last = depth == 12;
    p = depth == 4 ? Add(o, p, title.c_str(), nkChild, 0, 6)
                   : Add(o, p, title.c_str(), last ? nkChild : nkParent, 1, last ? 7 : 14);
    if (depth >= 10) p->data()->Body = Sjis(("深さ" + std::to_string(depth)).c_str());
  }
  Node* chara = Add(o, root, "水瀬 湊", nkChara, 1, 3);                           // 23
  Add(o, chara, "名前", nkCharaItem, 1, 5)->data()->Body = RtfBody({"水瀬 湊"});  // 24
  Add(o, chara, "性別", nkCharaItem, 1, 5)->data()->Body = RtfBody({"男"});       // 25
  Add(o, chara, "備考", nkCharaItem, 1, 5);                                       // 26
}

// Compares with the golden file byte for byte; on a mismatch the actual bytes go to the temporary
// folder (never into the checkout) and the test says where. PW_UPDATE_GOLDEN=1 rewrites the
// golden file instead.
inline void ExpectGolden(const std::string& actual, const std::string& name) {
  const std::string golden = std::string(PW_EXPORT_GOLDEN_DIR) + "/" + name;
  if (const char* update = std::getenv("PW_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(golden, std::ios::binary) << actual;
    return;
  }
  std::ifstream in(golden, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << golden;
  const std::string expected((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (actual != expected) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string out = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + name + ".actual";
    std::ofstream(out, std::ios::binary) << actual;
    ADD_FAILURE() << name << " differs from its golden file; the output is in " << out;
  }
}

}  // namespace pw::testing

#endif  // PLOTWEAVE_TESTS_EXPORT_STORY_FIXTURE_H_
