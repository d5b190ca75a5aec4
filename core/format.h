// Message formatting with numbered arguments ("%0:d", "%1:s") and plain "%s"/"%d", as the
// program's message texts are written.
#ifndef PLOTWEAVE_CORE_FORMAT_H_
#define PLOTWEAVE_CORE_FORMAT_H_

#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Replaces "%N:x" by args[N] and each plain "%x" by the next argument in order; "%%" is "%".
// A reference to a missing argument is left as it stands.
std::string FormatMessage(std::string_view format, const std::vector<std::string>& args);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_FORMAT_H_
