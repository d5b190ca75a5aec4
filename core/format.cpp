// Message formatting with numbered arguments.
#include "core/format.h"

#include <cctype>

namespace pw {

std::string FormatMessage(std::string_view format, const std::vector<std::string>& args) {
  std::string out;
  size_t next_arg = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out.push_back(format[i]);
      continue;
    }
    if (format[i + 1] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    size_t j = i + 1;
    size_t index = next_arg;
    if (std::isdigit(static_cast<unsigned char>(format[j]))) {
      size_t k = j;
      size_t n = 0;
      while (k < format.size() && std::isdigit(static_cast<unsigned char>(format[k])) && n < 1000) {
        n = n * 10 + static_cast<size_t>(format[k] - '0');
        ++k;
      }
      if (k < format.size() && format[k] == ':') {
        index = n;
        j = k + 1;
      }
    }
    if (j < format.size() && std::isalpha(static_cast<unsigned char>(format[j])) &&
        index < args.size()) {
      out += args[index];
      next_arg = index + 1;
      i = j;
      continue;
    }
    out.push_back('%');
  }
  return out;
}

}  // namespace pw
