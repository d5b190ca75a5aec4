// An INI file held as its lines, so that rewriting a few values leaves everything else (unknown
// sections and keys, comments, blank lines, key order, odd spacing) exactly as it was.
#ifndef PLOTWEAVE_SETTINGS_INI_FILE_H_
#define PLOTWEAVE_SETTINGS_INI_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace pw {

// Section names, key names and values are Shift-JIS bytes, kept as they are. Names are compared
// ignoring the case of ASCII letters (both bytes of a double-byte character compare exactly).
// Where a section or key appears twice, the first one counts, for reading and for writing.
//
// Reading follows the usual INI conventions: blanks around names and values are ignored, and
// a value enclosed in a matching pair of quotes (' or ") loses them. Writing keeps such values
// intact: a value that would lose blanks or quotes on reading is written inside quotes.
// Lines are read with any line ends (CR LF, LF, CR) and written with CR LF.
class IniFile {
 public:
  IniFile() = default;

  // Never fails: a line that is neither a section, a key, a comment nor blank is kept verbatim
  // and otherwise ignored.
  static IniFile FromBytes(std::string_view bytes);
  std::string ToBytes() const;

  // A missing file leaves the INI empty and is not an error; an unreadable one is.
  Status LoadFile(const std::string& path);
  // Atomic: a failed save leaves the previous file as it was.
  Status SaveFile(const std::string& path) const;

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // Decimal with an optional sign; "$" or "0x" introduce hexadecimal (up to 32 bits, so
  // "$80000005" is a system colour). Anything else, or a value out of range, gives the default.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t default_value) const;
  // Any integer, non-zero meaning true; a malformed value gives the default.
  bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;

  // A key already present keeps its place (and its spacing around "="); a new key goes after the
  // last entry of its section, a new section at the end of the file. CR and LF inside a value
  // are written as blanks, so a value can never start a line of its own.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);  // decimal
  void WriteBool(std::string_view section, std::string_view key, bool value);        // 1 or 0

  void DeleteKey(std::string_view section, std::string_view key);
  // Removes every occurrence of the section with its lines up to the next section.
  void EraseSection(std::string_view section);

  // Key names of the section in file order, as spelt in the file (each name once).
  std::vector<std::string> ReadSection(std::string_view section) const;
  // Section names in file order, as spelt in the file (each name once).
  std::vector<std::string> ReadSections() const;

  bool empty() const { return lines_.empty(); }

 private:
  enum class LineKind { kBlank, kComment, kSection, kKey, kOther };
  struct Line {
    std::string text;  // the line without its line end
    LineKind kind = LineKind::kOther;
    std::string name;        // section or key name, trimmed, as spelt
    std::string upper;       // `name` with ASCII letters upper-cased, for look-ups
    size_t value_begin = 0;  // kKey: offset of the value's first non-blank byte in `text`
  };
  static Line ParseLine(std::string line);
  // Index of the first header line of the section, or npos.
  size_t FindSection(const std::string& upper_section) const;
  // End of the section starting at header `begin`: the next header or the end.
  size_t SectionEnd(size_t begin) const;
  size_t FindKey(size_t section_begin, const std::string& upper_key) const;

  std::vector<Line> lines_;
};

}  // namespace pw

#endif  // PLOTWEAVE_SETTINGS_INI_FILE_H_
