// The settings model: defaults, reading and writing every key, and what survives in the file.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"

namespace pw {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8, Unmappable::kFail).text; }

const Settings& Defaults() {
  static const Settings defaults = DefaultSettings("/home/writer");
  return defaults;
}

TEST(Settings, DefaultsAreTheDocumentedOnes) {
  const Settings& s = Defaults();
  EXPECT_FALSE(s.Left.has_value());
  EXPECT_FALSE(s.Top.has_value());
  EXPECT_EQ(s.Width, 709);
  EXPECT_EQ(s.Height, 561);
  EXPECT_FALSE(s.Maximized);
  EXPECT_TRUE(s.SplitH);
  EXPECT_EQ(s.TreeWidth, 149);
  EXPECT_EQ(s.Tab, 8);
  EXPECT_EQ(s.TitleMaxLength, 64);
  EXPECT_TRUE(s.ShowButtons);
  EXPECT_TRUE(s.ShowLines);
  EXPECT_TRUE(s.ScrollBars);
  EXPECT_TRUE(s.WordWrap);
  EXPECT_FALSE(s.NodeOpen);
  EXPECT_FALSE(s.MakeBak);
  EXPECT_EQ(s.SplitLine, "--------------------------------------------------");
  EXPECT_EQ(s.SplitLine.size(), 50u);
  EXPECT_FALSE(s.IMEEnable);
  EXPECT_FALSE(s.UseBakDir);
  EXPECT_FALSE(s.LoadEditPos);
  EXPECT_EQ(s.BackDir, "/home/writer/");
  EXPECT_EQ(s.DefaultDir, "/home/writer/");
  EXPECT_EQ(s.LinkRight, "#>");
  EXPECT_EQ(s.LinkLeft, "<#");
  EXPECT_EQ(s.StyFileName, "");
  EXPECT_EQ(s.FormatFileName, "/home/writer/NewFile.PWO");
  EXPECT_EQ(s.ChrFileName, "/home/writer/NewFile.CHR");
  EXPECT_TRUE(s.UndoDialog);
  EXPECT_EQ(s.TVColor, 16777215);
  EXPECT_EQ(s.MemoColor, 16777215);
  EXPECT_EQ(s.REColor, 16777215);
  EXPECT_EQ(s.IMEText, 0);
  EXPECT_EQ(s.IMEBack, 16776960);
  EXPECT_EQ(s.IMEInput, 8388608);
  EXPECT_EQ(s.TreeViewFont.Name, Sjis("ＭＳ Ｐゴシック"));
  EXPECT_EQ(s.TreeViewFont.Size, 9);
  EXPECT_EQ(s.MemoFont.Name, Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(s.MemoFont.Size, 11);
  EXPECT_EQ(s.MemoFont.Color, 0);
  EXPECT_EQ(s.RichEditFont.Name, Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(s.RichEditFont.Size, 9);
  EXPECT_TRUE(IsSystemColor(s.TreeViewFont.Color));
  EXPECT_TRUE(IsSystemColor(s.RichEditFont.Color));
  EXPECT_EQ(s.TreeViewFont.Style | s.MemoFont.Style | s.RichEditFont.Style, 0);
  EXPECT_TRUE(s.History.empty());
  EXPECT_TRUE(s.TempHistory.empty());
  for (bool visible : s.ToolBars.button_visible) EXPECT_TRUE(visible);
  for (bool visible : s.ToolBars.bar_visible) EXPECT_TRUE(visible);
  EXPECT_TRUE(s.ToolBars.PanelEditToolFont);
  EXPECT_TRUE(s.ToolBars.anlRulerMain);
  for (const BarPosition& pos : s.ToolBars.bar_pos) EXPECT_EQ(pos, BarPosition{});
  EXPECT_TRUE(s.FindFind.empty() && s.ReplaceFind.empty() && s.ReplaceReplace.empty());

  // With no file at all, reading gives exactly the defaults.
  EXPECT_EQ(LoadSettings(IniFile(), Defaults()), Defaults());
  EXPECT_EQ(DefaultSettings("/home/writer/").DefaultDir, "/home/writer/");
}

// Every field away from its default, paths and texts in Japanese.
Settings Changed() {
  Settings s = Defaults();
  s.Left = -4;
  s.Top = 30;
  s.Width = 1000;
  s.Height = 700;
  s.Maximized = true;
  s.SplitH = false;
  s.TreeWidth = 300;
  s.Tab = 3;
  s.TitleMaxLength = -1;
  s.ShowButtons = false;
  s.ShowLines = false;
  s.ScrollBars = false;
  s.WordWrap = false;
  s.NodeOpen = true;
  s.MakeBak = true;
  s.SplitLine = Sjis("＝＝ 区切り ＝＝ ");
  s.IMEEnable = true;
  s.UseBakDir = true;
  s.LoadEditPos = true;
  s.BackDir = "/home/writer/バックアップ/";
  s.DefaultDir = "/home/writer/小説/";
  s.LinkRight = Sjis("》");
  s.LinkLeft = Sjis("《");
  s.StyFileName = "/home/writer/style.FSF";
  s.FormatFileName = "/home/writer/書式.PWO";
  s.ChrFileName = "/home/writer/人物.CHR";
  s.UndoDialog = false;
  s.TVColor = 0x123456;
  s.MemoColor = static_cast<int32_t>(0x80000005u);
  s.REColor = 0;
  s.IMEText = 255;
  s.IMEBack = 0xFF00;
  s.IMEInput = 0xFF0000;
  s.TreeViewFont = {Sjis("ＭＳ 明朝"), 12, 0x0000FF, kFontStyleBold | kFontStyleItalic};
  s.MemoFont = {"Arial", 14, 0x00FF00, kFontStyleUnderline};
  s.RichEditFont = {Sjis("游ゴシック"), 10, 0, kFontStyleStrikeOut};
  s.History = RecentList({"/home/writer/小説/第一部.PWV", "/tmp/A.PWV"});
  s.TempHistory = RecentList({"/home/writer/型.PWT"});
  s.ToolBars.SetButtonVisible(ToolButton::kTreeMerge, false);
  s.ToolBars.SetBarVisible(ToolBar::kHelp, false);
  s.ToolBars.PanelEditToolFont = false;
  s.ToolBars.anlRulerMain = false;
  s.ToolBars.bar_pos[static_cast<size_t>(ToolBar::kTree)] = {11, 26};
  s.ToolBars.font_bar_pos = {0, 52};
  s.FindFind = {Sjis("魔法"), "", "x"};
  s.ReplaceFind = {Sjis("ソ")};
  s.ReplaceReplace = {" "};
  return s;
}

TEST(Settings, EveryFieldRoundTripsThroughTheFileBytes) {
  IniFile ini;
  StoreSettings(Changed(), &ini);
  IniFile back = IniFile::FromBytes(ini.ToBytes());
  EXPECT_EQ(LoadSettings(back, Defaults()), Changed());

  // And the defaults round-trip too, even over a file holding the changed values.
  StoreSettings(Defaults(), &back);
  EXPECT_EQ(LoadSettings(IniFile::FromBytes(back.ToBytes()), Defaults()), Defaults());
}

TEST(Settings, WritesTheDocumentedKeysAndEncodings) {
  IniFile ini;
  StoreSettings(Changed(), &ini);
  const std::string bytes = ini.ToBytes();
  for (const std::string& line :
       {std::string("[Window]\r\nLeft=-4\r\nTop=30\r\nWidth=1000\r\nHeight=700\r\nMaximized=1\r\n"
                    "SplitH=0\r\nTreeWidth=300\r\n[General]\r\nTab=3\r\n"),
        "DefaultDir=" + Sjis("/home/writer/小説/") + "\r\n",
        std::string("MemoColor=-2147483643\r\n"),
        std::string("[Font]\r\nTreeViewFontName=") + Sjis("ＭＳ 明朝") +
            "\r\nTreeViewFontSize=12\r\nTreeViewFontColor=255\r\nTreeViewFontStyle=3\r\n",
        "[History]\r\nCount=2\r\nFilename1=" + Sjis("/home/writer/小説/第一部.PWV") +
            "\r\nFilename2=/tmp/A.PWV\r\n",
        std::string("ToolButtonTreeMerge=0\r\n"), std::string("ToolBarHelp=0\r\n"),
        std::string("PanelEditToolFont=0\r\nanlRulerMain=0\r\n"),
        std::string("[Pos]\r\nToolBarTreeL=11\r\nToolBarTreeT=26\r\nPanelEditToolFontL=0\r\n"
                    "PanelEditToolFontT=52\r\n"),
        "[Find]\r\nFindFindNum=3\r\nFindFind0=" + Sjis("魔法") +
            "\r\nFindFind1=\r\nFindFind2=x\r\nReplaceFindNum=1\r\n",
        std::string("ReplaceReplace0=\" \"\r\n")}) {
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
  }
  // Absent window and bar positions are not written.
  IniFile defaults;
  StoreSettings(Defaults(), &defaults);
  EXPECT_FALSE(defaults.ValueExists("Window", "Left"));
  EXPECT_FALSE(defaults.SectionExists("Pos"));
}

TEST(Settings, StoringKeepsUnknownKeysCommentsAndPlaces) {
  const std::string original =
      "; hand-edited\r\n"
      "[General]\r\n"
      "MyOwnKey = " +
      Sjis("日本語の値") +
      "\r\n"
      "MakeBak=1\r\n"
      "\r\n"
      "[Plugin]\r\n"
      "Enabled=yes\r\n"
      "[Window]\r\n"
      "Width = 800\r\n";
  Settings s = LoadSettings(IniFile::FromBytes(original), Defaults());
  EXPECT_TRUE(s.MakeBak);
  EXPECT_EQ(s.Width, 800);
  IniFile ini = IniFile::FromBytes(original);
  s.Width = 900;
  StoreSettings(s, &ini);
  const std::string out = ini.ToBytes();
  // The file starts as it was, with only Width changed, and everything new comes after the
  // existing entries of each section.
  EXPECT_EQ(out.substr(0, out.find("MakeBak=1\r\n") + 11),
            "; hand-edited\r\n[General]\r\nMyOwnKey = " + Sjis("日本語の値") + "\r\nMakeBak=1\r\n");
  EXPECT_NE(out.find("UndoDialog=1\r\n\r\n[Plugin]\r\nEnabled=yes\r\n[Window]\r\nWidth = 900\r\n"
                     "Height=561\r\nMaximized=0\r\n"),
            std::string::npos)
      << out;
  // Writing the same settings again changes nothing.
  IniFile again = IniFile::FromBytes(out);
  StoreSettings(s, &again);
  EXPECT_EQ(again.ToBytes(), out);
}

TEST(Settings, MalformedNumbersFallBackToTheDefault) {
  IniFile ini = IniFile::FromBytes(
      "[Window]\r\nLeft=abc\r\nWidth=\r\nHeight=12x\r\nSplitH=maybe\r\n"
      "[General]\r\nTab=eight\r\nTitleMaxLength=-5\r\nMakeBak=yes\r\n"
      "[Color]\r\nTVColor=0xGG\r\nREColor=$FF\r\n"
      "[Font]\r\nMemoFontSize=big\r\n"
      "[Visible]\r\nToolBarFile=no\r\n");
  Settings s = LoadSettings(ini, Defaults());
  EXPECT_FALSE(s.Left.has_value());
  EXPECT_EQ(s.Width, 709);
  EXPECT_EQ(s.Height, 561);
  EXPECT_TRUE(s.SplitH);
  EXPECT_EQ(s.Tab, 8);
  EXPECT_EQ(s.TitleMaxLength, -5);  // taken as read
  EXPECT_FALSE(s.MakeBak);
  EXPECT_EQ(s.TVColor, 16777215);
  EXPECT_EQ(s.REColor, 255);
  EXPECT_EQ(s.MemoFont.Size, 11);
  EXPECT_TRUE(s.ToolBars.BarVisible(ToolBar::kFile));
}

TEST(Settings, TreeWidthDefaultFollowsTheSplitDirection) {
  EXPECT_EQ(LoadSettings(IniFile::FromBytes("[Window]\r\nSplitH=0\r\n"), Defaults()).TreeWidth,
            434);
  EXPECT_EQ(LoadSettings(IniFile::FromBytes("[Window]\r\nSplitH=1\r\n"), Defaults()).TreeWidth,
            149);
  EXPECT_EQ(
      LoadSettings(IniFile::FromBytes("[Window]\r\nSplitH=0\r\nTreeWidth=200\r\n"), Defaults())
          .TreeWidth,
      200);
}

TEST(Settings, RecentListsAndHistoriesAsStored) {
  // A count of 3 with only the first key gives three entries, the last two empty; a count
  // beyond ten is cut to ten; a negative one is none.
  Settings s = LoadSettings(
      IniFile::FromBytes("[History]\r\nCount=3\r\nFilename1=/a.PWV\r\n"
                         "[TempHistory]\r\nCount=1000000\r\n"
                         "[Find]\r\nFindFindNum=-2\r\nFindFind0=lost\r\nReplaceFindNum=2\r\n"
                         "ReplaceFind1=" +
                         Sjis("二番目") + "\r\n"),
      Defaults());
  EXPECT_EQ(s.History.entries(), (std::vector<std::string>{"/a.PWV", "", ""}));
  EXPECT_EQ(s.TempHistory.size(), 10u);
  EXPECT_TRUE(s.FindFind.empty());
  EXPECT_EQ(s.ReplaceFind, (std::vector<std::string>{"", Sjis("二番目")}));
}

TEST(Settings, ShorterListsRemoveTheirLeftoverKeys) {
  IniFile ini = IniFile::FromBytes(
      "[History]\r\nCount=4\r\nFilename1=/1\r\nFilename2=/2\r\nFilename3=/3\r\nfilename4=/4\r\n"
      "Filename05=keep\r\nOther=keep\r\n[Find]\r\nFindFindNum=3\r\nFindFind0=a\r\nFindFind1="
      "b\r\nFindFind2=c\r\n"
      "FindFindX=keep\r\n");
  Settings s = Defaults();
  s.History = RecentList({"/new"});
  s.FindFind = {"z"};
  StoreSettings(s, &ini);
  EXPECT_EQ(ini.ReadSection("History"),
            (std::vector<std::string>{"Count", "Filename1", "Filename05", "Other"}));
  EXPECT_EQ(ini.ReadString("History", "Filename1", ""), "/new");
  EXPECT_EQ(ini.ReadSection("Find"),
            (std::vector<std::string>{"FindFindNum", "FindFind0", "FindFindX", "ReplaceFindNum",
                                      "ReplaceReplaceNum"}));
}

TEST(Settings, PathsAreShiftJisInTheFileAndUtf8InMemory) {
  const std::string sjis_dir = Sjis("/home/作家/ソフト");  // no trailing separator by hand
  IniFile ini =
      IniFile::FromBytes("[General]\r\nDefaultDir=" + sjis_dir +
                         "\r\nBackDir=\r\n[History]\r\nCount=2\r\nFilename1=" + Sjis("/表.PWV") +
                         "\r\nFilename2=/bad\x85\x40.PWV\r\n");
  Settings s = LoadSettings(ini, Defaults());
  EXPECT_EQ(s.DefaultDir, "/home/作家/ソフト/");
  EXPECT_EQ(s.BackDir, "/home/writer/");  // an empty folder is no folder
  EXPECT_EQ(s.FormatFileName, "/home/作家/ソフト/NewFile.PWO");
  EXPECT_EQ(s.ChrFileName, "/home/作家/ソフト/NewFile.CHR");
  // 0x85 0x40 has no character: that entry cannot name a file.
  EXPECT_EQ(s.History.entries(), (std::vector<std::string>{"/表.PWV", ""}));

  // A path that Shift-JIS cannot hold is not written: a recent entry is left out, a folder
  // keeps what the file held.
  s.History = RecentList({"/한국어.PWV", "/ok.PWV", "/line\nbreak.PWV"});
  s.DefaultDir = "/home/😀/";
  StoreSettings(s, &ini);
  EXPECT_EQ(ini.ReadString("General", "DefaultDir", ""), sjis_dir);
  EXPECT_EQ(ini.ReadInteger("History", "Count", -1), 1);
  EXPECT_EQ(ini.ReadString("History", "Filename1", ""), "/ok.PWV");
  EXPECT_FALSE(ini.ValueExists("History", "Filename2"));
}

TEST(Settings, ToolBarsLeftWithoutButtonsAreHiddenOnReading) {
  std::string text = "[Visible]\r\nToolBarMove=1\r\nToolBarHelp=0\r\n";
  for (const char* name : {"ToolButtonMoveTree", "ToolButtonMoveTitle", "ToolButtonMoveEdit"}) {
    text += std::string(name) + "=0\r\n";
  }
  Settings s = LoadSettings(IniFile::FromBytes(text), Defaults());
  EXPECT_FALSE(s.ToolBars.BarVisible(ToolBar::kMove));
  EXPECT_FALSE(s.ToolBars.BarVisible(ToolBar::kHelp));
  EXPECT_TRUE(s.ToolBars.ButtonVisible(ToolButton::kHelpContents));
  EXPECT_TRUE(s.ToolBars.BarVisible(ToolBar::kTree));
}

TEST(Settings, WindowFitsTheScreen) {
  struct Case {
    int width, height, screen_w, screen_h;
    int want_width, want_height;
    std::optional<int> want_left, want_top;
  };
  const Case cases[] = {
      {5000, 561, 1024, 768, 1024, 561, 0, 50},
      {709, 900, 1024, 768, 709, 736, 20, 0},
      {709, 561, 1024, 768, 709, 561, 20, 50},
      {1024, 768, 1024, 768, 1024, 768, 20, 50},  // equal is not over
  };
  for (const Case& c : cases) {
    Settings s = Defaults();
    s.Left = 20;
    s.Top = 50;
    s.Width = c.width;
    s.Height = c.height;
    FitWindowToScreen(c.screen_w, c.screen_h, &s);
    EXPECT_EQ(s.Width, c.want_width);
    EXPECT_EQ(s.Height, c.want_height);
    EXPECT_EQ(s.Left, c.want_left);
    EXPECT_EQ(s.Top, c.want_top);
  }
}

TEST(Settings, TabStopsInPoints) {
  // w = 6 pixels, 8 characters: 6 * 8 * 3 / 4 = 36 points.
  std::vector<int> stops = TabStopPoints(6, 8);
  ASSERT_EQ(stops.size(), 32u);
  EXPECT_EQ(stops[0], 36);
  EXPECT_EQ(stops[31], 36 * 32);
  EXPECT_EQ(TabStopPoints(7, 2)[0], 10);   // 10.5: halves go to the even neighbour
  EXPECT_EQ(TabStopPoints(7, 6)[0], 32);   // 31.5 -> 32
  EXPECT_EQ(TabStopPoints(6, -3)[0], -14);  // -13.5 -> -14
  EXPECT_EQ(TabStopPoints(5, 3)[1], 22);   // 11.25 rounds to 11
  EXPECT_EQ(TabStopPoints(6, -1)[0], -4);  // a negative Tab is taken as it is (-4.5)
  EXPECT_EQ(TabStopPoints(1000, 2000000000)[31], 2147483647);  // never overflows
}

}  // namespace
}  // namespace pw
