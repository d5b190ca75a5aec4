// pwvtool date: a date and time formatted as the date dialog would insert it.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/cp932.h"
#include "styling/date_format.h"

namespace pw::cli {
namespace {

constexpr char kUsage[] = "usage: pwvtool date FORMAT [--at YYYY-MM-DDTHH:MM:SS]";

int Date(const std::vector<std::string>& args) {
  std::optional<std::string> format;
  std::optional<styling::DateTime> at;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--at") {
      if (i + 1 >= args.size() || at) return Fail(kUsage);
      at = styling::ParseIsoDateTime(args[++i]);
      if (!at) return Fail("not a date and time (YYYY-MM-DDTHH:MM:SS): " + args[i]);
    } else if (!format) {
      format = args[i];
    } else {
      return Fail(kUsage);
    }
  }
  if (!format) return Fail(kUsage);
  const Conversion sjis = Utf8ToCp932(*format, Unmappable::kFail);
  if (!sjis.ok) return Fail("the format holds characters that Shift-JIS cannot hold");
  const std::optional<std::string> text =
      styling::FormatDateTime(sjis.text, at ? *at : styling::CurrentDateTime());
  if (!text) return Fail("the format cannot be applied");
  const std::string line = Cp932ToUtf8(*text).text + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  return 0;
}

const RegisterCommand kDate(
    "date", "date FORMAT [--at YYYY-MM-DDTHH:MM:SS]  now (or then) in a date-dialog format",
    Date);

}  // namespace
}  // namespace pw::cli
