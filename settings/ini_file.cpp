// INI file kept as lines; look-ups walk the lines, which is plenty for files of a few hundred
// lines written once per run.
#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "core/atomic_file.h"
#include "core/cp932.h"

namespace pw {
namespace {

constexpr size_t npos = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  size_t e = s.size();
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Position of the first `c` that is a character of its own, not the trail byte of a
// double-byte character (']' and '[' can be trail bytes).
size_t FindChar(std::string_view text, char c, size_t from = 0) {
  for (size_t pos = from; pos < text.size(); pos = NextCharBoundary(text, pos)) {
    if (text[pos] == c) return pos;
  }
  return npos;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// The value as the reader sees it: blanks trimmed, then one matching pair of quotes removed.
std::string_view Unquote(std::string_view raw) {
  std::string_view v = Trim(raw);
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

// The text to write so that Unquote gives back `value` exactly.
std::string QuoteForWriting(std::string_view value) {
  std::string clean(value);
  for (char& c : clean) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  bool needs_quotes = false;
  if (!clean.empty()) {
    needs_quotes = IsBlank(clean.front()) || IsBlank(clean.back()) ||
                   (clean.size() >= 2 && IsQuote(clean.front()) && clean.back() == clean.front());
  }
  if (!needs_quotes) return clean;
  // The reader strips exactly one matching pair, whatever the value holds inside.
  return "\"" + clean + "\"";
}

bool ParseInteger(std::string_view text, int32_t* out) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  uint64_t magnitude = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (base == 16) {
    // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
    if (magnitude > 0xFFFFFFFFull) return false;
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    *out = static_cast<int32_t>(bits);
    return true;
  }
  if (negative) {
    if (magnitude > 0x80000000ull) return false;
    *out = static_cast<int32_t>(-static_cast<int64_t>(magnitude));
  } else {
    if (magnitude > 0x7FFFFFFFull) return false;
    *out = static_cast<int32_t>(magnitude);
  }
  return true;
}

}  // namespace

IniFile::Line IniFile::ParseLine(std::string text) {
  Line line;
  line.text = std::move(text);
  std::string_view t = Trim(line.text);
  if (t.empty()) {
    line.kind = LineKind::kBlank;
  } else if (t[0] == ';') {
    line.kind = LineKind::kComment;
  } else if (t[0] == '[') {
    size_t close = FindChar(t, ']', 1);
    if (close == npos) {
      line.kind = LineKind::kOther;
    } else {
      line.kind = LineKind::kSection;
      line.name = std::string(Trim(t.substr(1, close - 1)));
    }
  } else {
    size_t equals = FindChar(line.text, '=');
    std::string_view key =
        equals == npos ? std::string_view() : Trim(std::string_view(line.text).substr(0, equals));
    if (equals == npos || key.empty()) {
      line.kind = LineKind::kOther;
    } else {
      line.kind = LineKind::kKey;
      line.name = std::string(key);
      size_t v = equals + 1;
      while (v < line.text.size() && IsBlank(line.text[v])) ++v;
      line.value_begin = v;
    }
  }
  if (line.kind == LineKind::kSection || line.kind == LineKind::kKey) {
    line.upper = AsciiUpper(line.name);
  }
  return line;
}

IniFile IniFile::FromBytes(std::string_view bytes) {
  IniFile ini;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    ini.lines_.push_back(ParseLine(std::string(bytes.substr(start, end - start))));
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
        bytes[end + 1] == '\n') {
      start = end + 2;
    } else {
      start = end + 1;
    }
  }
  return ini;
}

std::string IniFile::ToBytes() const {
  std::string out;
  size_t total = 0;
  for (const Line& line : lines_) total += line.text.size() + 2;
  out.reserve(total);
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

Status IniFile::LoadFile(const std::string& path) {
  lines_.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return Status::Ok();
    return Status::Error(std::strerror(errno));
  }
  struct stat st;
  int error = ::fstat(fd, &st) != 0 ? errno : (S_ISDIR(st.st_mode) ? EISDIR : 0);
  if (error != 0) {
    ::close(fd);
    return Status::Error(std::strerror(error));
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int read_error = errno;
      ::close(fd);
      return Status::Error(std::strerror(read_error));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  *this = FromBytes(bytes);
  return Status::Ok();
}

Status IniFile::SaveFile(const std::string& path) const {
  return WriteFileAtomically(path, ToBytes());
}

size_t IniFile::FindSection(const std::string& upper_section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::kSection && lines_[i].upper == upper_section) return i;
  }
  return npos;
}

size_t IniFile::SectionEnd(size_t begin) const {
  size_t i = begin + 1;
  while (i < lines_.size() && lines_[i].kind != LineKind::kSection) ++i;
  return i;
}

size_t IniFile::FindKey(size_t section_begin, const std::string& upper_key) const {
  size_t end = SectionEnd(section_begin);
  for (size_t i = section_begin + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::kKey && lines_[i].upper == upper_key) return i;
  }
  return npos;
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(AsciiUpper(section)) != npos;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  size_t s = FindSection(AsciiUpper(section));
  return s != npos && FindKey(s, AsciiUpper(key)) != npos;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  size_t s = FindSection(AsciiUpper(section));
  if (s == npos) return std::string(default_value);
  size_t k = FindKey(s, AsciiUpper(key));
  if (k == npos) return std::string(default_value);
  const Line& line = lines_[k];
  return std::string(Unquote(std::string_view(line.text).substr(line.value_begin)));
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                             int32_t default_value) const {
  if (!ValueExists(section, key)) return default_value;
  int32_t value = 0;
  if (!ParseInteger(ReadString(section, key, ""), &value)) return default_value;
  return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string written = QuoteForWriting(value);
  const std::string upper_section = AsciiUpper(section);
  size_t s = FindSection(upper_section);
  if (s == npos) {
    lines_.push_back(ParseLine("[" + std::string(section) + "]"));
    lines_.push_back(ParseLine(std::string(key) + "=" + written));
    return;
  }
  size_t k = FindKey(s, AsciiUpper(key));
  if (k != npos) {
    Line& line = lines_[k];
    std::string_view raw = std::string_view(line.text).substr(line.value_begin);
    // An unchanged value leaves the line alone, spacing, quotes and all.
    if (Unquote(raw) == std::string_view(value) &&
        value.find_first_of("\r\n") == std::string_view::npos) {
      return;
    }
    line.text = line.text.substr(0, line.value_begin) + written;
    return;
  }
  // After the last entry of the section, so that blank lines and comments that lead into the
  // next section stay with it.
  size_t end = SectionEnd(s);
  size_t insert_at = s + 1;
  for (size_t i = s + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::kKey || lines_[i].kind == LineKind::kOther) insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at),
                ParseLine(std::string(key) + "=" + written));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  size_t s = FindSection(AsciiUpper(section));
  if (s == npos) return;
  size_t k = FindKey(s, AsciiUpper(key));
  if (k != npos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(k));
}

void IniFile::EraseSection(std::string_view section) {
  const std::string upper_section = AsciiUpper(section);
  for (size_t s = FindSection(upper_section); s != npos; s = FindSection(upper_section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(s),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(s)));
  }
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  size_t s = FindSection(AsciiUpper(section));
  if (s == npos) return keys;
  std::vector<const std::string*> seen;
  size_t end = SectionEnd(s);
  for (size_t i = s + 1; i < end; ++i) {
    if (lines_[i].kind != LineKind::kKey) continue;
    bool duplicate = false;
    for (const std::string* upper : seen) duplicate = duplicate || *upper == lines_[i].upper;
    if (duplicate) continue;
    seen.push_back(&lines_[i].upper);
    keys.push_back(lines_[i].name);
  }
  return keys;
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> sections;
  std::vector<const std::string*> seen;
  for (const Line& line : lines_) {
    if (line.kind != LineKind::kSection) continue;
    bool duplicate = false;
    for (const std::string* upper : seen) duplicate = duplicate || *upper == line.upper;
    if (duplicate) continue;
    seen.push_back(&line.upper);
    sections.push_back(line.name);
  }
  return sections;
}

}  // namespace pw
