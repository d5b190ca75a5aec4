// The date formatter on worked dates, the built-in list and the format file.
#include "styling/date_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/cp932.h"

namespace pw::styling {
namespace {

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8).text; }

std::string Format(const std::string& format_utf8, const DateTime& at) {
  std::optional<std::string> out = FormatDateTime(Sjis(format_utf8), at);
  return out ? Cp932ToUtf8(*out).text : "<failed>";
}

constexpr DateTime kSaturday{2001, 2, 3, 4, 5, 6};

TEST(DateFormat, BuiltInFormatsOnAWorkedDate) {
  const std::vector<std::string> want = {
      "(2001/02/03)", "(2001/02/03 04:05:06)", "2001/02", "02/03(土)", "03(土)",
      "2001/02/03 4:05:06", "02.03.2001", "01/02/03", "2001/02/03", "01/02/03 (土)",
      "01/2/3 (土)", "2001/02/03 (土)", "2001/2/3 (土)", "2001-02-03", "2001年2月3日",
      "2001年02月03日", "2001年2月3日 土曜日", "2001年02月03日 土曜日", "01年2月3日",
      "01年2月3日 土曜日", "01年02月03日", "01年02月03日 土曜日", "04:05", "04:05:06",
      "午前 4:5:6", "午前 04:05:06", "AM 4:5:6", "AM 04:05:06"};
  const std::vector<std::string>& formats = BuiltinDateFormats();
  ASSERT_EQ(formats.size(), 28u);
  for (size_t i = 0; i < formats.size(); ++i) {
    std::optional<std::string> out = FormatDateTime(formats[i], kSaturday);
    ASSERT_TRUE(out) << i + 1;
    EXPECT_EQ(Cp932ToUtf8(*out).text, want[i]) << "entry " << i + 1;
  }
}

TEST(DateFormat, Tokens) {
  struct Case {
    const char* format;
    DateTime at;
    const char* want;
  } cases[] = {
      // The 12-hour clock, with the designator before or after the hour.
      {"AM/PM hh:nn:ss", {2001, 2, 3, 13, 0, 0}, "PM 01:00:00"},
      {"hh:nn", {2001, 2, 3, 13, 0, 0}, "13:00"},
      {"h:nn AM/PM", {2001, 2, 3, 13, 7, 0}, "1:07 PM"},
      {"h ampm", {2001, 2, 3, 0, 0, 0}, "12 午前"},
      {"h ampm", {2001, 2, 3, 12, 0, 0}, "12 午後"},
      {"ampm h", {2001, 2, 3, 23, 0, 0}, "午後 11"},
      {"am/pm h", {2001, 2, 3, 23, 0, 0}, "pm 11"},  // letters in the case written
      {"Am/pM h", {2001, 2, 3, 1, 0, 0}, "Am 1"},
      {"h \"AM/PM\"", {2001, 2, 3, 23, 0, 0}, "23 AM/PM"},  // quoted: no 12-hour clock
      // m is the minute right after an hour token, else the month.
      {"h:m m", {2001, 2, 3, 4, 5, 6}, "4:5 2"},
      {"hh mm", {2001, 2, 3, 4, 5, 6}, "04 05"},
      {"h x m", {2001, 2, 3, 4, 5, 6}, "4 x 2"},  // another letter came between
      {"mmmm", {2001, 2, 3, 4, 5, 6}, "02"},
      {"MM/DD/YY", {2001, 2, 3, 4, 5, 6}, "02/03/01"},
      {"y yyy yyyyy", {1999, 2, 3, 4, 5, 6}, "99 1999 1999"},
      {"ddd dddd aaa aaaa", {2001, 2, 4, 0, 0, 0}, "日 日曜日 日 日曜日"},
      {"d dd", {2001, 2, 3, 4, 5, 6}, "3 03"},
      {"s ss n nn", {2001, 2, 3, 4, 5, 6}, "6 06 5 05"},
      {"c", {2001, 2, 3, 0, 0, 0}, "2001/02/03"},  // midnight: no time
      {"c", {2001, 12, 31, 23, 59, 59}, "2001/12/31 23:59:59"},
      // Literal text.
      {"yyyy年", {2001, 2, 3, 4, 5, 6}, "2001"},  // an unquoted double-byte character drops
      {"'年'\"'\"", {2001, 2, 3, 4, 5, 6}, "年'"},
      {"\"open", {2001, 2, 3, 4, 5, 6}, "open"},
      {"\"hh\" x", {2001, 2, 3, 4, 5, 6}, "hh x"},
      {"ｱｲ-#.a", {2001, 2, 3, 4, 5, 6}, "ｱｲ-#.a"},  // half-width kana are single bytes
      {"", {2001, 2, 3, 4, 5, 6}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.format, c.at), c.want) << c.format;
}

TEST(DateFormat, RefusedFormats) {
  EXPECT_FALSE(FormatDateTime(std::string("a\0b", 3), kSaturday));
  EXPECT_FALSE(FormatDateTime(std::string(1000, 'c'), kSaturday));  // about 19 KB of output
  EXPECT_TRUE(FormatDateTime(std::string(200, 'c'), kSaturday));
  EXPECT_FALSE(FormatDateTime("c", DateTime{2001, 2, 30, 0, 0, 0}));
}

TEST(DateFormat, WeekdaysAndParsing) {
  struct Case {
    int y, m, d, weekday;
  } days[] = {{2001, 2, 3, 6}, {1970, 1, 1, 4}, {2000, 2, 29, 2}, {1, 1, 1, 1}, {9999, 12, 31, 5},
              {2024, 3, 1, 5}, {1900, 3, 1, 4}};
  for (const Case& c : days) EXPECT_EQ(DayOfWeek(c.y, c.m, c.d), c.weekday) << c.y;

  EXPECT_EQ(ParseIsoDateTime("2001-02-03T04:05:06"), (DateTime{2001, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ParseIsoDateTime("2000-02-29T23:59:59"), (DateTime{2000, 2, 29, 23, 59, 59}));
  for (const char* bad : {"1900-02-29T00:00:00", "2001-13-01T00:00:00", "2001-02-03T24:00:00",
                          "2001-02-03 04:05:06", "2001-2-03T04:05:06", "0000-01-01T00:00:00",
                          "2001-02-03T04:05:6x", ""}) {
    EXPECT_FALSE(ParseIsoDateTime(bad)) << bad;
  }
}

TEST(DateFormat, FormatFile) {
  const std::string file = Sjis("# 日付の書式\r\n\r\nyyyy年\r\n#\r\n\"yy\"\r\n  \r\nlast");
  EXPECT_EQ(ParseDateFormatFile(file),
            (std::vector<std::string>{Sjis("yyyy年"), "\"yy\"", "  ", "last"}));
  EXPECT_EQ(ParseDateFormatFile("a\nb\r\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(ParseDateFormatFile("# only\r\n\r\n#x\r\n").empty());

  char pattern[] = "/tmp/pw_dff_XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string path = dir + "/PLOTWEAV.DFF";
  EXPECT_EQ(LoadDateFormats(path), BuiltinDateFormats());  // missing
  std::ofstream(path, std::ios::binary) << "# comments only\r\n\r\n";
  EXPECT_TRUE(LoadDateFormats(path).empty());
  std::ofstream(path, std::ios::binary) << std::string(kMaxDateFormatFileBytes + 1, 'y');
  EXPECT_EQ(LoadDateFormats(path), BuiltinDateFormats());  // too large to be a format list
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace pw::styling
