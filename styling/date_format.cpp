// The date formatter. The format is cut into tokens first, so that whether the hour is on the
// 12-hour clock (any ampm or AM/PM token in the format) is known before anything is written.
#include "styling/date_format.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <memory>

#include "core/byte_io.h"
#include "core/cp932.h"

namespace pw::styling {
namespace {

// Shift-JIS names of the Japanese locale, made once from UTF-8.
struct JapaneseLocale {
  std::string short_days[7];
  std::string long_days[7];
  std::string am;
  std::string pm;

  JapaneseLocale() {
    static const char* const kDays[7] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int i = 0; i < 7; ++i) {
      short_days[i] = Utf8ToCp932(kDays[i]).text;
      long_days[i] = Utf8ToCp932(std::string(kDays[i]) + "曜日").text;
    }
    am = Utf8ToCp932("午前").text;
    pm = Utf8ToCp932("午後").text;
  }
};

const JapaneseLocale& Locale() {
  static const JapaneseLocale locale;
  return locale;
}

constexpr char kDateSeparator = '/';
constexpr char kTimeSeparator = ':';

enum class Kind {
  kText,  // literal bytes
  kYear,
  kMonth,  // becomes the minute after an hour token
  kDay,
  kShortDay,
  kLongDay,
  kHour,
  kMinute,
  kSecond,
  kAmPmName,     // ampm
  kAmPmLetters,  // AM/PM
  kDateTime,     // c
};

struct Token {
  Kind kind;
  int count = 0;     // run length (letters)
  std::string text;  // kText, and the format's own letters for kAmPmLetters
};

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Upper(text[at + i]) != word[i]) return false;
  }
  return true;
}

size_t RunLength(std::string_view text, size_t at) {
  const char letter = Upper(text[at]);
  size_t end = at;
  while (end < text.size() && Upper(text[end]) == letter) ++end;
  return end - at;
}

void AddText(std::vector<Token>* tokens, std::string_view text) {
  if (!tokens->empty() && tokens->back().kind == Kind::kText) {
    tokens->back().text.append(text);
  } else {
    tokens->push_back({Kind::kText, 0, std::string(text)});
  }
}

std::vector<Token> Tokenize(std::string_view format) {
  std::vector<Token> tokens;
  char last_letter = 0;
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (IsLeadByte(c)) {  // double-byte characters outside quotes are dropped
      i = NextCharBoundary(format, i);
      continue;
    }
    if (c == '"' || c == '\'') {
      size_t end = i + 1;
      while (end < format.size() && format[end] != c) end = NextCharBoundary(format, end);
      AddText(&tokens, format.substr(i + 1, std::min(end, format.size()) - i - 1));
      i = end < format.size() ? end + 1 : end;
      continue;
    }
    if (!IsAsciiLetter(c)) {
      if (c == '/') {
        AddText(&tokens, std::string_view(&kDateSeparator, 1));
      } else if (c == ':') {
        AddText(&tokens, std::string_view(&kTimeSeparator, 1));
      } else {
        AddText(&tokens, format.substr(i, 1));
      }
      ++i;
      continue;
    }
    const char letter = Upper(c);
    const size_t run = RunLength(format, i);
    const int count = static_cast<int>(std::min<size_t>(run, 4));
    size_t used = run;
    switch (letter) {
      case 'Y':
        tokens.push_back({Kind::kYear, count >= 3 ? 4 : 2, {}});
        break;
      case 'M':
        tokens.push_back({last_letter == 'H' ? Kind::kMinute : Kind::kMonth, std::min(count, 2), {}});
        break;
      case 'D':
        if (count <= 2) {
          tokens.push_back({Kind::kDay, count, {}});
        } else {
          tokens.push_back({count == 3 ? Kind::kShortDay : Kind::kLongDay, count, {}});
        }
        break;
      case 'H':
        tokens.push_back({Kind::kHour, std::min(count, 2), {}});
        break;
      case 'N':
        tokens.push_back({Kind::kMinute, std::min(count, 2), {}});
        break;
      case 'S':
        tokens.push_back({Kind::kSecond, std::min(count, 2), {}});
        break;
      case 'C':
        tokens.push_back({Kind::kDateTime, 1, {}});
        used = 1;
        break;
      case 'A':
        if (StartsWithNoCase(format, i, "AM/PM")) {
          tokens.push_back({Kind::kAmPmLetters, 0, std::string(format.substr(i, 5))});
          used = 5;
        } else if (StartsWithNoCase(format, i, "AMPM")) {
          tokens.push_back({Kind::kAmPmName, 0, {}});
          used = 4;
        } else if (run >= 4) {
          tokens.push_back({Kind::kLongDay, 4, {}});
          used = 4;
        } else if (run == 3) {
          tokens.push_back({Kind::kShortDay, 3, {}});
          used = 3;
        } else {
          AddText(&tokens, format.substr(i, 1));
          used = 1;
        }
        break;
      default:
        AddText(&tokens, format.substr(i, 1));
        used = 1;
        break;
    }
    // "mm" after "hh" is the minute; what counts is the last letter read, whatever it was.
    last_letter = tokens.back().kind == Kind::kMinute && letter == 'M' ? 'N' : letter;
    i += used;
  }
  return tokens;
}

void AppendNumber(std::string* out, int value, int digits) {
  std::string number = std::to_string(value);
  if (static_cast<int>(number.size()) < digits) {
    out->append(static_cast<size_t>(digits) - number.size(), '0');
  }
  out->append(number);
}

}  // namespace

int DayOfWeek(int year, int month, int day) {
  // Days from 1970-01-01 (a Thursday) by the civil-from-days inverse.
  const int y = month <= 2 ? year - 1 : year;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = static_cast<long>(era) * 146097 + doe - 719468;
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

bool IsValidDateTime(const DateTime& v) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (v.year < 1 || v.year > 9999 || v.month < 1 || v.month > 12) return false;
  const bool leap = (v.year % 4 == 0 && v.year % 100 != 0) || v.year % 400 == 0;
  const int days = kDays[v.month - 1] + (v.month == 2 && leap ? 1 : 0);
  return v.day >= 1 && v.day <= days && v.hour >= 0 && v.hour <= 23 && v.minute >= 0 &&
         v.minute <= 59 && v.second >= 0 && v.second <= 59;
}

std::optional<DateTime> ParseIsoDateTime(std::string_view text) {
  // Positions of the digits of YYYY-MM-DDTHH:MM:SS and of the separators between them.
  if (text.size() != 19) return {};
  static const char kShape[] = "dddd-dd-ddTdd:dd:dd";
  for (size_t i = 0; i < 19; ++i) {
    const bool digit = kShape[i] == 'd';
    if (digit ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != kShape[i]) {
      return {};
    }
  }
  auto number = [&](size_t at, size_t length) {
    int value = 0;
    for (size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  DateTime value{number(0, 4), number(5, 2), number(8, 2),
                 number(11, 2), number(14, 2), number(17, 2)};
  if (!IsValidDateTime(value)) return {};
  return value;
}

DateTime CurrentDateTime() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  DateTime value{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                 local.tm_hour, local.tm_min, std::min(local.tm_sec, 59)};
  return value;
}

std::optional<std::string> FormatDateTime(std::string_view format, const DateTime& value) {
  if (format.find('\0') != std::string_view::npos || !IsValidDateTime(value)) return {};
  const std::vector<Token> tokens = Tokenize(format);
  bool twelve_hour = false;
  for (const Token& token : tokens) {
    if (token.kind == Kind::kAmPmName || token.kind == Kind::kAmPmLetters) twelve_hour = true;
  }
  const JapaneseLocale& locale = Locale();
  const int weekday = DayOfWeek(value.year, value.month, value.day);
  std::string out;
  for (const Token& token : tokens) {
    switch (token.kind) {
      case Kind::kText:
        out += token.text;
        break;
      case Kind::kYear:
        AppendNumber(&out, token.count == 4 ? value.year : value.year % 100, token.count);
        break;
      case Kind::kMonth:
        AppendNumber(&out, value.month, token.count);
        break;
      case Kind::kDay:
        AppendNumber(&out, value.day, token.count);
        break;
      case Kind::kShortDay:
        out += locale.short_days[weekday];
        break;
      case Kind::kLongDay:
        out += locale.long_days[weekday];
        break;
      case Kind::kHour: {
        int hour = value.hour;
        if (twelve_hour) {
          if (hour == 0) hour = 12;
          if (hour > 12) hour -= 12;
        }
        AppendNumber(&out, hour, token.count);
        break;
      }
      case Kind::kMinute:
        AppendNumber(&out, value.minute, token.count);
        break;
      case Kind::kSecond:
        AppendNumber(&out, value.second, token.count);
        break;
      case Kind::kAmPmName:
        out += value.hour >= 12 ? locale.pm : locale.am;
        break;
      case Kind::kAmPmLetters:
        out += value.hour >= 12 ? token.text.substr(3, 2) : token.text.substr(0, 2);
        break;
      case Kind::kDateTime:
        AppendNumber(&out, value.year, 4);
        out += kDateSeparator;
        AppendNumber(&out, value.month, 2);
        out += kDateSeparator;
        AppendNumber(&out, value.day, 2);
        if (value.hour != 0 || value.minute != 0 || value.second != 0) {
          out += ' ';
          AppendNumber(&out, value.hour, 1);
          out += kTimeSeparator;
          AppendNumber(&out, value.minute, 2);
          out += kTimeSeparator;
          AppendNumber(&out, value.second, 2);
        }
        break;
    }
    if (out.size() > kMaxFormattedBytes) return {};
  }
  return out;
}

const std::vector<std::string>& BuiltinDateFormats() {
  static const std::vector<std::string> formats = [] {
    static const char* const kFormats[] = {
        "(yyyy/mm/dd)",
        "(yyyy/mm/dd hh:nn:ss)",
        "yyyy/mm",
        "mm/dd(aaa)",
        "dd(aaa)",
        "c",
        "mm.dd.yyyy",
        "yy/mm/dd",
        "yyyy/mm/dd",
        "yy/mm/dd (aaa)",
        "yy/m/d (aaa)",
        "yyyy/mm/dd (aaa)",
        "yyyy/m/d (aaa)",
        "yyyy-mm-dd",
        "yyyy\"年\"m\"月\"d\"日\"",
        "yyyy\"年\"mm\"月\"dd\"日\"",
        "yyyy\"年\"m\"月\"d\"日\" aaaa",
        "yyyy\"年\"mm\"月\"dd\"日\" aaaa",
        "yy\"年\"m\"月\"d\"日\"",
        "yy\"年\"m\"月\"d\"日\" aaaa",
        "yy\"年\"mm\"月\"dd\"日\"",
        "yy\"年\"mm\"月\"dd\"日\" aaaa",
        "hh:nn",
        "hh:nn:ss",
        "ampm h:n:s",
        "ampm hh:nn:ss",
        "AM/PM h:n:s",
        "AM/PM hh:nn:ss",
    };
    std::vector<std::string> list;
    for (const char* format : kFormats) list.push_back(Utf8ToCp932(format).text);
    return list;
  }();
  return formats;
}

std::vector<std::string> ParseDateFormatFile(std::string_view bytes) {
  std::vector<std::string> formats;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() != '#') formats.emplace_back(line);
    at = end + 1;
  }
  return formats;
}

std::vector<std::string> LoadDateFormats(const std::string& path) {
  std::string error;
  std::unique_ptr<FileSource> source = FileSource::Open(path, &error);
  if (!source || source->size() > kMaxDateFormatFileBytes) return BuiltinDateFormats();
  std::string bytes;
  if (source->size() > 0 &&
      !source->ReadAt(0, static_cast<size_t>(source->size()), &bytes)) {
    return BuiltinDateFormats();
  }
  return ParseDateFormatFile(bytes);
}

}  // namespace pw::styling
