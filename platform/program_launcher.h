// Starting other programs: the RTF-capable program that prints the WordPad print file here
// (LibreOffice), found on PATH and started without waiting for it.
#ifndef PLOTWEAVE_PLATFORM_PROGRAM_LAUNCHER_H_
#define PLOTWEAVE_PLATFORM_PROGRAM_LAUNCHER_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace pw {

// The programs tried, in order, for printing an RTF file.
inline constexpr const char* kRtfPrinters[] = {"soffice", "libreoffice", "lowriter"};

// The full path of an executable file named `name` in a folder of $PATH, or empty.
std::string FindOnPath(std::string_view name);

// The first of kRtfPrinters found on PATH, or empty when none is installed.
std::string FindRtfPrinter();

// Starts `program` (a full path) with `args` in a session of its own and returns without
// waiting for it; nothing of it is left to reap. Fails with the system's message when the
// program cannot be started.
Status StartDetached(const std::string& program, const std::vector<std::string>& args);

// Prints an RTF file on the default printer through LibreOffice, in the background:
// "soffice --headless -p FILE". Fails when no RTF-capable program is installed or it cannot be
// started.
Status StartRtfPrint(const std::string& rtf_path);

}  // namespace pw

#endif  // PLOTWEAVE_PLATFORM_PROGRAM_LAUNCHER_H_
