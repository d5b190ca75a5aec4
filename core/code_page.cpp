// Windows code pages other than 932, decoded through glibc iconv.
#include "core/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <mutex>

#include "core/cp932.h"

namespace pw {
namespace {

std::string IconvName(int code_page) {
  switch (code_page) {
    case 1200:
      return "UTF-16LE";
    case 65001:
      return "UTF-8";
    case 10000:
      return "MACINTOSH";
    default:
      return "CP" + std::to_string(code_page);
  }
}

// Opening a converter is costly; keep one per code page for the life of the program.
iconv_t ConverterFor(int code_page) {
  static std::mutex mutex;
  // Never destroyed: the converters live as long as the program.
  static auto* converters = new std::map<int, iconv_t>;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = converters->find(code_page);
  if (it != converters->end()) return it->second;
  iconv_t cd = iconv_open("UTF-8", IconvName(code_page).c_str());
  converters->emplace(code_page, cd);
  return cd;
}

}  // namespace

bool IsCodePageKnown(int code_page) {
  if (code_page == 932) return true;
  if (code_page <= 0) return false;
  return ConverterFor(code_page) != reinterpret_cast<iconv_t>(-1);
}

bool IsCodePageLeadByte(int code_page, unsigned char byte) {
  switch (code_page) {
    case 932:
      return IsLeadByte(byte);
    case 936:
    case 949:
    case 950:
      return byte >= 0x81 && byte <= 0xFE;
    default:
      return false;
  }
}

std::optional<std::string> DecodeCodePageToUtf8(int code_page, std::string_view bytes) {
  if (code_page == 932) return Cp932ToUtf8(bytes).text;
  if (!IsCodePageKnown(code_page)) return std::nullopt;
  iconv_t cd = ConverterFor(code_page);
  static std::mutex mutex;
  std::lock_guard<std::mutex> lock(mutex);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  out.resize(bytes.size() * 4 + 16);
  char* in_ptr = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  char* out_ptr = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = static_cast<size_t>(out_ptr - out.data());
      out.resize(out.size() * 2);
      out_ptr = out.data() + used;
      out_left = out.size() - used;
      continue;
    }
    // An undecodable or truncated byte: replace it and go on after it.
    ++in_ptr;
    --in_left;
    if (out_left < 32) {
      size_t used = static_cast<size_t>(out_ptr - out.data());
      out.resize(out.size() * 2 + 32);
      out_ptr = out.data() + used;
      out_left = out.size() - used;
    }
    // Code pages with combining marks (1255, 1258) hold back the character before the bad
    // byte; write it out before the replacement instead of dropping it.
    iconv(cd, nullptr, nullptr, &out_ptr, &out_left);
    std::string replacement;
    AppendUtf8(0xFFFD, &replacement);
    for (char c : replacement) *out_ptr++ = c, --out_left;
  }
  // The same at the end: the last character may still be held back.
  if (out_left < 32) {
    size_t used = static_cast<size_t>(out_ptr - out.data());
    out.resize(out.size() + 32);
    out_ptr = out.data() + used;
    out_left = out.size() - used;
  }
  iconv(cd, nullptr, nullptr, &out_ptr, &out_left);
  out.resize(static_cast<size_t>(out_ptr - out.data()));
  return out;
}

}  // namespace pw
