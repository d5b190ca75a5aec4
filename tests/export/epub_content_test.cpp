// Ruby notation, the XHTML of titles and paragraphs (escaping, formats, upright numbers), the
// manuscript-page count that shares the ruby rule, and the name-based identifiers.
#include "export/epub_content.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"
#include "export/manuscript_pages.h"
#include "export/name_uuid.h"
#include "export/ruby_notation.h"
#include "tests/export/epub_story.h"

namespace pw {
namespace {

std::u32string U32(std::string_view utf8) {
  std::u32string out;
  size_t pos = 0;
  while (pos < utf8.size()) out.push_back(NextUtf8(utf8, &pos));
  return out;
}

std::string Text(std::string_view utf8, bool vertical = false) {
  std::string out;
  epub::ContentWriter(vertical).AppendText(utf8, &out);
  return out;
}

TEST(Ruby, NotationBecomesRubyOnlyWithABase) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"｜親文字《るび》", "<ruby>親文字<rt>るび</rt></ruby>"},
      {"|親文字《るび》です", "<ruby>親文字<rt>るび</rt></ruby>です"},
      {"ひらがなと漢字《かんじ》", "ひらがなと<ruby>漢字<rt>かんじ</rt></ruby>"},
      {"佐々木《ささき》", "<ruby>佐々木<rt>ささき</rt></ruby>"},
      {"八ヶ岳《やつがたけ》", "<ruby>八ヶ岳<rt>やつがたけ</rt></ruby>"},
      {"𠮷野《よしの》", "<ruby>𠮷野<rt>よしの</rt></ruby>"},
      {"｜かな《カナ》", "<ruby>かな<rt>カナ</rt></ruby>"},
      {"｜東京《とうきょう》都庁《とちょう》",
       "<ruby>東京<rt>とうきょう</rt></ruby><ruby>都庁<rt>とちょう</rt></ruby>"},
      // The bar nearest the bracket marks the base; an earlier one stays text.
      {"｜あ｜い《う》", "｜あ<ruby>い<rt>う</rt></ruby>"},
      // A bar before a kanji run takes the whole stretch after it.
      {"ａ｜ｂ漢《かん》", "ａ<ruby>ｂ漢<rt>かん</rt></ruby>"},
      // No base: the bracket and everything stay text.
      {"《るび》", "《るび》"},
      {"あ《るび》", "あ《るび》"},
      {"｜《るび》", "｜《るび》"},
      // A bar goes with the next bracket only, ruby or not.
      {"｜《だけ》ひらがな《るび》", "｜《だけ》ひらがな《るび》"},
      {"｜あ《》い《う》", "｜あ《》い《う》"},
      {"漢字《》", "漢字《》"},
      {"漢字《るび", "漢字《るび"},
      {"漢字》《", "漢字》《"},
      {"漢《る《び》", "漢《る《び》"},
      {"漢《る《び》字《じ》", "漢《る《び》<ruby>字<rt>じ</rt></ruby>"},
      // A line break ends both the kanji run and the reach of a bar.
      {"漢\v字《じ》", "漢<br/><ruby>字<rt>じ</rt></ruby>"},
      {"｜あ\vい《う》", "｜あ<br/>い《う》"},
      {"漢字《か\vん》", "漢字《か<br/>ん》"},
      // Markup characters are escaped in base, ruby text and plain text alike.
      {"｜<&>《\"》", "<ruby>&lt;&amp;&gt;<rt>&quot;</rt></ruby>"},
      {"a<b>&c", "a&lt;b&gt;&amp;c"},
      // Characters XML cannot hold are dropped.
      {"制\x01御\x1f\xef\xbf\xbe字", "制御字"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(c.in), c.out) << c.in;
}

TEST(Ruby, BaseTextKeepsOnlyTheBase) {
  EXPECT_EQ(epub::RubyBase("｜星降《ほしふ》る町《まち》へ、あ《い》"), "星降る町へ、あ《い》");
}

TEST(Ruby, HostileTextIsReadInLinearTime) {
  // Each of these would cost a look across the whole text per bracket or bar if the search
  // went back or forward without bound.
  std::u32string brackets, bars, kanji;
  for (int i = 0; i < 200000; ++i) brackets += U"漢《";
  for (int i = 0; i < 200000; ++i) bars += U"｜あ";
  bars += U"《い》";
  for (int i = 0; i < 400000; ++i) kanji += U'漢';
  kanji += U"《》《";
  EXPECT_TRUE(FindRuby(brackets).empty());
  ASSERT_EQ(FindRuby(bars).size(), 1u);
  EXPECT_EQ(FindRuby(bars)[0].base_begin, bars.size() - 4);
  EXPECT_TRUE(FindRuby(kanji).empty());
}

TEST(EpubParagraph, FormatsRubyAcrossRunsAndUprightNumbers) {
  using testing::Plain;
  using testing::Styled;
  const struct {
    rich::Paragraph paragraph;
    bool vertical;
    const char* out;
  } cases[] = {
      {{{}, {}}, true, "<p><br/></p>\n"},
      {{{},
        {Styled("太", true, false, false), Styled("斜", false, true, true),
         Styled("赤", false, false, false, 0x0000FF),
         Styled("消", false, false, false, rich::kWindowTextColor, true)}},
       false,
       "<p><b>太</b><i><u>斜</u></i><span style=\"color:#ff0000\">赤</span><s>消</s></p>\n"},
      // Black is the reader's text colour; system colours have no value of their own.
      {{{}, {Styled("黒", false, false, false, 0x000000)}}, false, "<p>黒</p>\n"},
      // A ruby whose base is bold and whose bracket is not: each stretch is closed in itself.
      {{{},
        {Styled("漢字", true, false, false), Plain("《かん"), Styled("じ》", false, true, false)}},
       false,
       "<p><ruby><b>漢字</b><rt>かん<i>じ</i></rt></ruby></p>\n"},
      {{{}, {Plain("12月25日、2024年の7時。3.5")}},
       true,
       "<p><span class=\"tcy\">12</span>月<span class=\"tcy\">25</span>日、2024年の"
       "<span class=\"tcy\">7</span>時。<span class=\"tcy\">3</span>.<span "
       "class=\"tcy\">5</span></p>\n"},
      {{{}, {Plain("12月")}}, false, "<p>12月</p>\n"},
      {{{}, {Plain("一\v二\t三")}}, false, "<p>一<br/>二\t三</p>\n"},
      // Paragraphs without ruby brackets take a quicker way: both must write the same.
      {{{}, {Plain("<&>\v\x01\xef\xbf\xbe\xff\xed\xa0\x80z")}},
       false,
       "<p>&lt;&amp;&gt;<br/>\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbdz</p>\n"},
      {{{}, {Plain("<&>\v\x01\xef\xbf\xbe\xff\xed\xa0\x80z《》")}},
       false,
       "<p>&lt;&amp;&gt;<br/>\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbdz《》</p>\n"},
  };
  for (const auto& c : cases) {
    std::string out;
    epub::ContentWriter(c.vertical).AppendParagraph(c.paragraph, &out);
    EXPECT_EQ(out, c.out);
  }
  rich::Paragraph centred{{}, {Plain("中")}};
  centred.format.alignment = rich::Alignment::kCenter;
  std::string out;
  epub::ContentWriter(false).AppendParagraph(centred, &out);
  EXPECT_EQ(out, "<p class=\"center\">中</p>\n");
}

TEST(ManuscriptPages, LinesOfTwentySquaresWithHangingPunctuationAndNoRuby) {
  const std::string twenty = "あいうえおかきくけこさしすせそたちつてと";
  const struct {
    std::string line;
    size_t lines;
  } cases[] = {
      {"", 1},
      {"あ", 1},
      {twenty, 1},
      {twenty + "な", 2},
      {twenty + "。", 1},  // hangs in the last square
      {twenty + "」", 1},
      {twenty + "。」", 2},  // only one mark hangs
      {twenty + "」な", 2},
      {"。" + twenty, 2},  // at the start of a line it takes a square
      {"　" + twenty, 2},  // blanks take squares
      {twenty + twenty + twenty, 3},
      // Ruby text and its notation take no squares; the base does.
      {"｜あいうえおかきくけこさしすせそたちつて《るびるびるび》と", 1},
      {"漢字《かんじ》" + twenty.substr(0, 54), 1},
      {"漢字《かんじ》" + twenty.substr(0, 57), 2},
      {"《》" + twenty.substr(0, 54), 1},  // not ruby: the brackets take squares
      {"《》" + twenty.substr(0, 57), 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ManuscriptCounter::LinesOf(U32(c.line)), c.lines) << c.line;
  }
}

TEST(ManuscriptPages, PagesRunOnAcrossBodiesAndTitlesDoNotCount) {
  ManuscriptCounter counter;
  EXPECT_EQ(counter.pages(), 0u);
  for (int i = 0; i < 20; ++i) counter.AddLine("あ");
  EXPECT_EQ(counter.pages(), 1u);
  counter.AddLine("");
  EXPECT_EQ(counter.pages(), 2u);

  Outline outline;
  Node* root =
      testing::Add(&outline, nullptr, "題名の長い長い長い長い長い長い長い長い長い", nkRoot);
  // 30 lines of 30 characters (two manuscript lines each) and a body that is plain text.
  std::string line;
  for (int i = 0; i < 30; ++i) line += "字";
  for (int i = 0; i < 30; ++i) {
    testing::Add(&outline, root, "t", nkChild, testing::Body({{testing::Plain(line)}}));
  }
  testing::Add(&outline, root, "p", nkChild)->data()->Body = Utf8ToCp932("一\r\n二\r\n").text;
  EXPECT_EQ(CountManuscriptPages(outline), 4u);  // 62 lines
}

TEST(NameUuid, KnownDigestsAndVersionFiveIdentifiers) {
  auto hex = [](const auto& bytes) {
    std::string out;
    for (uint8_t b : bytes) out += "0123456789abcdef"[b >> 4], out += "0123456789abcdef"[b & 15];
    return out;
  };
  EXPECT_EQ(hex(Sha1("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(hex(Sha1("")), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  // 56 bytes: the length no longer fits the first block.
  EXPECT_EQ(hex(Sha1("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  EXPECT_EQ(hex(Sha1(std::string(1000000, 'a'))), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
  const Uuid dns = {0x6b, 0xa7, 0xb8, 0x10, 0x9d, 0xad, 0x11, 0xd1,
                    0x80, 0xb4, 0x00, 0xc0, 0x4f, 0xd4, 0x30, 0xc8};
  EXPECT_EQ(UuidString(NameBasedUuid(dns, "python.org")), "886313e1-3b8a-5372-9b90-0c9aee199e5d");
}

}  // namespace
}  // namespace pw
