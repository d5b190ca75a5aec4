// Dates and times as the date dialog inserts them: the format language (letters for the parts
// of a date, quoted literal text), with the Japanese locale's names and separators built in,
// the 28 formats offered when there is no "PLOTWEAV.DFF", and the reading of that file.
#ifndef PLOTWEAVE_STYLING_DATE_FORMAT_H_
#define PLOTWEAVE_STYLING_DATE_FORMAT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw::styling {

// A local date and time. Weekday is derived from the date.
struct DateTime {
  int year = 2000;  // 1..9999
  int month = 1;    // 1..12
  int day = 1;      // 1..days in the month
  int hour = 0;     // 0..23
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// 0 = Sunday ... 6 = Saturday (proleptic Gregorian calendar).
int DayOfWeek(int year, int month, int day);
bool IsValidDateTime(const DateTime& value);
// "YYYY-MM-DDTHH:MM:SS", checked field by field.
std::optional<DateTime> ParseIsoDateTime(std::string_view text);
// The system clock in local time.
DateTime CurrentDateTime();

// A formatted text longer than this is refused (a format can ask for much more text than it
// holds: each "c" becomes about twenty bytes).
inline constexpr size_t kMaxFormattedBytes = 4096;

// Formats `value` with `format` (both Shift-JIS). Letters are read without regard to case:
//   yyyy (3 or more y)  year, 4 digits        yy, y    year modulo 100, 2 digits
//   m / mm  month, 1-2 / 2 digits (the minute when the last letter token was h or hh); a run
//           of more than two reads as mm
//   d / dd  day, 1-2 / 2 digits               ddd, aaa     short weekday (日 ... 土)
//   dddd (or more), aaaa  long weekday (日曜日 ... 土曜日)
//   h / hh, n / nn, s / ss  hour, minute, second, 1-2 / 2 digits (longer runs read as two)
//   ampm    午前 or 午後 (午後 from hour 12)   AM/PM  "AM" or "PM" in the case written
//   c       yyyy/mm/dd, then unless the time is 0:00:00 a space and h:nn:ss
//   /  :    the date and time separators ("/" and ":")
//   "..." or '...'  the text between, unchanged (an unclosed quote runs to the end)
//   any other single-byte character: itself; a double-byte character outside quotes: nothing.
// An hour is on the 12-hour clock (0 -> 12, 13..23 -> 1..11) when an ampm or AM/PM token came
// before it or comes after it outside quotes. Fails (nothing) on a NUL byte or an over-long
// result.
std::optional<std::string> FormatDateTime(std::string_view format, const DateTime& value);

// The built-in list, in order.
const std::vector<std::string>& BuiltinDateFormats();

// The format file: one format per line (CR LF, LF also taken), lines starting with '#' and empty
// lines skipped, every other line kept unchanged.
std::vector<std::string> ParseDateFormatFile(std::string_view bytes);

// The file name looked for in the configuration folder.
inline constexpr char kDateFormatFileName[] = "PLOTWEAV.DFF";
// A format file larger than this is treated as unreadable.
inline constexpr size_t kMaxDateFormatFileBytes = 1 << 20;

// The formats from the file at `path`, or the built-in list when it is missing, unreadable or
// too large. An existing file of comments only gives an empty list.
std::vector<std::string> LoadDateFormats(const std::string& path);

}  // namespace pw::styling

#endif  // PLOTWEAVE_STYLING_DATE_FORMAT_H_
