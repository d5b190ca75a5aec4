// Writes the bundled sample story (data/sample/sample.PWV): a short Japanese outline with
// chapters, scenes, a character with its items, and bodies that use the formats the body pane
// shows. Usage: make_sample_story OUT.PWV
#include <cstdio>
#include <string>

#include "core/cp932.h"
#include "core/node_marks.h"
#include "core/outline_file.h"
#include "richtext/rich_document.h"
#include "richtext/rtf_writer.h"

namespace {

using pw::rich::Alignment;
using pw::rich::CharFormat;
using pw::rich::Paragraph;
using pw::rich::RichDocument;
using pw::rich::Run;

CharFormat Body() {
  CharFormat format;
  format.face = "ＭＳ 明朝";
  format.size = 10.5;
  return format;
}

Paragraph Para(std::initializer_list<Run> runs, Alignment alignment = Alignment::kLeft,
               double first_indent = 0) {
  Paragraph p;
  p.format.alignment = alignment;
  p.format.first_indent = first_indent;
  p.runs = runs;
  return p;
}

Run Text(const std::string& text) { return {text, Body()}; }
Run Bold(const std::string& text, double size = 12) {
  CharFormat f = Body();
  f.bold = true;
  f.size = size;
  f.face = "ＭＳ ゴシック";
  return {text, f};
}
Run Colored(const std::string& text, uint32_t color) {
  CharFormat f = Body();
  f.color = color;
  return {text, f};
}
Run Italic(const std::string& text) {
  CharFormat f = Body();
  f.italic = true;
  f.underline = true;
  return {text, f};
}

std::string Rtf(std::initializer_list<Paragraph> paragraphs) {
  RichDocument doc;
  doc.paragraphs = paragraphs;
  return pw::rich::WriteRtf(doc);
}

std::string Sjis(const char* utf8) { return pw::Utf8ToCp932(utf8).text; }

pw::Node* Add(pw::Outline& outline, pw::Node* parent, const char* title, int32_t kind,
              int32_t color, std::string body = {}) {
  auto data = pw::NewNodeData(kind);
  data->Color = color;
  if (!body.empty()) data->Body = std::move(body);
  return outline.Append(parent, Sjis(title), std::move(data), pw::IconFor(kind, color));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_story OUT.PWV\n");
    return 1;
  }
  pw::Outline outline;
  pw::Node* story =
      Add(outline, nullptr, "星降る町の約束", pw::nkRoot, 1,
          Rtf({Para({Bold("星降る町の約束", 16)}, Alignment::kCenter), Para({Text("")}),
               Para({Text("流星群の夜にだけ開く古書店をめぐる、十年越しの約束の物語。")},
                    Alignment::kLeft, 10.5),
               Para({Text("テーマ：\t"), Italic("失われたものは、形を変えて帰ってくる")})}));
  pw::Node* ch1 = Add(outline, story, "第一章　出会い", pw::nkParent, 1,
                      Rtf({Para({Bold("第一章の狙い")}),
                           Para({Text("主人公・湊が町に戻り、古書店の少女と出会うまで。")})}));
  Add(outline, ch1, "駅前の雨", pw::nkChild, 3,
      Rtf({Para({Text("終電の去ったホームに、季節外れの雨が降っている。")}, Alignment::kLeft, 10.5),
           Para({Text("湊は改札を抜け、"), Colored("十年ぶり", 0x000000FF),
                 Text("の商店街を見上げた。")},
                Alignment::kLeft, 10.5)}));
  Add(outline, ch1, "古書店の少女", pw::nkChild, 4,
      Rtf({Para({Text("店の奥から現れた少女は、湊の名前を知っていた。")}, Alignment::kLeft, 10.5),
           Para({Text("「約束、覚えていますか」")}, Alignment::kLeft, 10.5)}));
  pw::Node* ch2 = Add(outline, story, "第二章　秘密", pw::nkParent, 2);
  Add(outline, ch2, "夜の図書館", pw::nkChild, 5,
      Rtf({Para({Text("閉館後の図書館で、二人は古い星図を広げる。")}, Alignment::kLeft, 10.5)}));
  Add(outline, ch2, "届かなかった手紙", pw::nkChild, 6,
      Rtf({Para({Bold("手紙に書かれていたこと")}), Para({Text("・流星群の日付")}),
           Para({Text("・店の鍵のありか")}),
           Para({Colored("・差出人の名前は滲んで読めない", 0x00008000)})}));
  Add(outline, story, "第三章　約束の夜", pw::nkChild, 1);
  pw::Node* chara = Add(outline, story, "水瀬 湊", pw::nkChara, 1);
  Add(outline, chara, "名前", pw::nkCharaItem, 1, Rtf({Para({Text("水瀬 湊（みなせ みなと）")})}));
  Add(outline, chara, "性別", pw::nkCharaItem, 1, Rtf({Para({Text("男")})}));
  Add(outline, chara, "年齢", pw::nkCharaItem, 1, Rtf({Para({Text("二十七歳")})}));
  Add(outline, chara, "備考", pw::nkCharaItem, 1,
      Rtf({Para({Text("東京で校正の仕事をしている。星の名前に詳しい。")})}));
  outline.SetExpanded(story, true);
  outline.SetExpanded(ch1, true);
  outline.SetExpanded(ch2, true);
  pw::WriteOptions options;
  options.selected_index = 2;
  if (pw::Status s = pw::WriteOutlineFile(argv[1], outline, options); !s) {
    std::fprintf(stderr, "make_sample_story: %s\n", s.message.c_str());
    return 1;
  }
  return 0;
}
