// Where Plotweave keeps its files: the per-user configuration folder (which stands for "the
// program's folder" for files the program writes), shipped data, the home folder, temporaries.
#ifndef PLOTWEAVE_PLATFORM_PATHS_H_
#define PLOTWEAVE_PLATFORM_PATHS_H_

#include <string>
#include <string_view>

namespace pw {

// All paths are absolute file-system paths (UTF-8) without a trailing '/'.

// $PLOTWEAVE_CONFIG_DIR if set and not empty, else $XDG_CONFIG_HOME/Plotweave (when that is
// absolute), else ~/.config/Plotweave. Created (with its parents) on each call when missing; if
// that fails the path is still returned and writing a file there reports the error.
std::string ConfigDir();

// A file "beside the program": ConfigDir() + "/" + name.
std::string ProgramFolderFile(std::string_view name);

// The program's path with its extension replaced: ConfigDir() + "/plotweave" + extension,
// e.g. ProgramPathWithExtension(".CHR").
std::string ProgramPathWithExtension(std::string_view extension);

// The settings file: ConfigDir() + "/plotweave.INI".
std::string SettingsFilePath();

// The default document folder: $HOME, else the password database's home, else "/".
std::string HomeDir();

// Shipped read-only data (help, mark images, icons, sample story): $PLOTWEAVE_DATA_DIR if set,
// else the first existing of <exe dir>/../data (build tree), <exe dir>/../share/plotweave
// (installed), <install prefix>/share/plotweave and the source tree's data/; the last candidate
// when none exists.
std::string DataDir();

// The running executable (from /proc/self/exe); empty when unknown.
std::string ExecutablePath();

// A private folder (mode 0700) for intermediate files, made on first use under $TMPDIR or /tmp
// and removed with its contents when the program exits normally. Empty if it cannot be made.
std::string TempDir();

// A new private folder (mode 0700) under $TMPDIR or /tmp, for work that must leave nothing
// behind however the process ends; the caller removes it. Empty if it cannot be made.
std::string MakePrivateTempFolder(std::string_view prefix);

// `path` with a '/' appended unless it already ends with one (an empty path stays empty).
std::string WithTrailingSlash(std::string_view path);

}  // namespace pw

#endif  // PLOTWEAVE_PLATFORM_PATHS_H_
