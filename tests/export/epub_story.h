// A generated story for the EPUB tests: ruby in titles and bodies, numbers, markup characters,
// every character format, deep nesting, characters with their items, blank and unmappable
// titles, and a chapter long enough to be divided into several pages.
#ifndef PLOTWEAVE_TESTS_EXPORT_EPUB_STORY_H_
#define PLOTWEAVE_TESTS_EXPORT_EPUB_STORY_H_

#include <initializer_list>
#include <string>

#include "core/cp932.h"
#include "core/node_marks.h"
#include "core/outline.h"
#include "richtext/rich_document.h"
#include "richtext/rtf_writer.h"

namespace pw::testing {

inline rich::Run Plain(std::string text) { return {std::move(text), {}}; }
inline rich::Run Styled(std::string text, bool bold, bool italic, bool underline,
                        uint32_t color = rich::kWindowTextColor, bool strike = false) {
  rich::CharFormat f;
  f.bold = bold;
  f.italic = italic;
  f.underline = underline;
  f.color = color;
  f.strike_out = strike;
  return {std::move(text), f};
}

// An RTF body of one paragraph per list of runs.
inline std::string Body(std::initializer_list<std::initializer_list<rich::Run>> paragraphs,
                        rich::Alignment first_alignment = rich::Alignment::kLeft) {
  rich::RichDocument doc;
  doc.paragraphs.clear();
  for (const auto& runs : paragraphs) {
    rich::Paragraph p;
    p.runs = runs;
    doc.paragraphs.push_back(p);
  }
  doc.paragraphs.front().format.alignment = first_alignment;
  doc.Normalize();
  return rich::WriteRtf(doc);
}

inline Node* Add(Outline* outline, Node* parent, const std::string& title_utf8, int32_t kind,
                 std::string body = {}, int32_t color = ncBlue) {
  auto data = NewNodeData(kind);
  data->Color = color;
  if (!body.empty()) data->Body = std::move(body);
  return outline->Append(parent, Utf8ToCp932(title_utf8).text, std::move(data),
                         IconFor(kind, color));
}

inline void BuildEpubStory(Outline* outline) {
  Node* root = Add(outline, nullptr, "｜星降《ほしふ》る町の物語", nkRoot,
                   Body({{Styled("あらすじ", true, false, false)},
                         {},
                         {Plain("十年越しの約束を果たすため、湊《みなと》は町へ戻る。")}},
                        rich::Alignment::kCenter));
  Node* one =
      Add(outline, root, "第1章　出会い", nkParent,
          Body({{Plain("12月25日、2024年の冬。駅の時計は7時を指していた。")},
                {Plain("｜古書店《こしょてん》の扉には「<閉店> & 〈営業中〉」の札。")},
                {Styled("太字", true, false, false), Styled("斜体", false, true, false),
                 Styled("下線", false, false, true), Styled("赤字", false, false, false, 0x0000FF),
                 Styled("取消", false, false, false, rich::kWindowTextColor, true)},
                {Plain("一行目\v二行目《にぎょうめ》")},
                {Styled("紫", true, false, false, 0x800080), Plain("陽《ひ》")},
                {Plain("𠮷野《よしの》さん😀、制御\x01文字")}}),
          ncGreen);
  Node* scene = Add(outline, one, "駅前の雨《あめ》", nkChild,
                    Body({{Plain("《》と｜《だけ》は書いたまま、ひらがな《るび》もそのまま。")}}));
  Node* deep = scene;
  for (int level = 3; level <= 8; ++level) {
    deep = Add(outline, deep, "深さ" + std::to_string(level), nkChild,
               Body({{Plain("第" + std::to_string(level) + "層の文。")}}));
  }
  Node* two = Add(outline, root, "第2章　長い夜", nkParent, {}, ncOrange);
  // Enough text for the chapter to be divided: each scene about 40 KB of XHTML.
  std::string long_line;
  for (int i = 0; i < 400; ++i) long_line += "夜が更けて、星《ほし》が流れた。";
  for (int i = 0; i < 10; ++i) {
    Add(outline, two, "場面" + std::to_string(i + 1), nkChild,
        Body({{Plain(long_line)}, {Plain(long_line)}}));
  }
  Add(outline, root, "", nkChild, Body({{Plain("題のない節。")}}));
  Node* chara = Add(outline, root, "水瀬《みなせ》 湊", nkChara, Body({{Plain("主人公。")}}));
  Add(outline, chara, "名前", nkCharaItem, Body({{Plain("水瀬《みなせ》 湊《みなと》")}}));
  Add(outline, chara, "年齢", nkCharaItem, Body({{Plain("27歳")}}));
  Add(outline, chara, "備考", nkCharaItem);
  // A title CP932 cannot fully decode: a lone lead byte at its end.
  outline->Append(root, Utf8ToCp932("壊れた題").text + "\x81", NewNodeData(nkChild),
                  IconFor(nkChild, ncBlue));
}

}  // namespace pw::testing

#endif  // PLOTWEAVE_TESTS_EXPORT_EPUB_STORY_H_
