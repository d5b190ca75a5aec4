// The chapter-number formatter.
#include "export/chapter_number.h"

#include <array>

namespace pw {
namespace {

// Hundreds and tens in the Roman styles, by digit 1-9. Tens use CP932's Roman ten
// (0x875D upper, 0xFA49 lower) where the sign X stands.
constexpr std::array<std::string_view, 9> kHundredsUpper = {"C",  "CC",  "CCC",  "CD", "D",
                                                            "DC", "DCC", "DCCC", "CM"};
constexpr std::array<std::string_view, 9> kHundredsLower = {"c",  "cc",  "ccc",  "cd", "d",
                                                            "dc", "dcc", "dccc", "cm"};
constexpr std::array<std::string_view, 9> kTensUpper = {"\x87\x5d",
                                                        "\x87\x5d\x87\x5d",
                                                        "\x87\x5d\x87\x5d\x87\x5d",
                                                        "\x87\x5dL",
                                                        "L",
                                                        "L\x87\x5d",
                                                        "L\x87\x5d\x87\x5d",
                                                        "L\x87\x5d\x87\x5d\x87\x5d",
                                                        "\x87\x5d"
                                                        "C"};
constexpr std::array<std::string_view, 9> kTensLower = {"\xfa\x49",
                                                        "\xfa\x49\xfa\x49",
                                                        "\xfa\x49\xfa\x49\xfa\x49",
                                                        "\xfa\x49l",
                                                        "l",
                                                        "l\xfa\x49",
                                                        "l\xfa\x49\xfa\x49",
                                                        "l\xfa\x49\xfa\x49\xfa\x49",
                                                        "\xfa\x49"
                                                        "c"};

void AppendRoman(uint64_t n, bool upper, std::string* out) {
  out->append(n / 1000, upper ? 'M' : 'm');
  const auto& hundreds = upper ? kHundredsUpper : kHundredsLower;
  const auto& tens = upper ? kTensUpper : kTensLower;
  if (uint64_t h = n / 100 % 10; h != 0) *out += hundreds[h - 1];
  if (uint64_t t = n / 10 % 10; t != 0) *out += tens[t - 1];
  if (uint64_t u = n % 10; u != 0) {
    // The units are consecutive characters: upper 0x8754.., lower 0xFA40..
    out->push_back(static_cast<char>(upper ? 0x87 : 0xFA));
    out->push_back(static_cast<char>((upper ? 0x54 : 0x40) + (u - 1)));
  }
}

}  // namespace

std::string FormatNumber(int32_t style, uint64_t n) {
  std::string out;
  if (n == 0) return out;
  switch (style) {
    case 1:
      out = std::to_string(n);
      break;
    case 2:
      for (char digit : std::to_string(n)) {
        out.push_back('\x82');  // "０" is 0x824F
        out.push_back(static_cast<char>(0x4F + (digit - '0')));
      }
      break;
    case 3:
    case 4:
      AppendRoman(n, style == 3, &out);
      break;
    case 5:
    case 6:
    case 7:
    case 8: {
      const uint64_t letter = (n - 1) % 26;
      const uint64_t times = (n - 1) / 26 + 1;
      if (style <= 6) {
        out.assign(times, static_cast<char>((style == 5 ? 'a' : 'A') + letter));
      } else {
        // Full-width "ａ" is 0x8281, "Ａ" 0x8260.
        const char trail = static_cast<char>((style == 7 ? 0x81 : 0x60) + letter);
        out.reserve(times * 2);
        for (uint64_t i = 0; i < times; ++i) {
          out.push_back('\x82');
          out.push_back(trail);
        }
      }
      break;
    }
    default:
      break;
  }
  return out;
}

std::string ChapterNumber(const Node& node, const NumberingTable& table) {
  std::array<uint64_t, kNumberingDepths> positions{};
  int depth = 0;
  const Node* p = &node;
  for (; p != nullptr && depth < kNumberingDepths; p = p->parent(), ++depth) {
    positions[depth] = p->row() + 1;  // filled from the node upwards
  }
  if (p != nullptr) return {};  // depth 10 or more
  const int d = depth - 1;
  std::string out;
  for (int c = 0; c <= d; ++c) {
    const NumberComponent& component = table.at(d, c);
    out += component.Front;
    out += FormatNumber(component.Num, positions[d - c]);
    out += component.Back;
  }
  return out;
}

std::string TitleLine(const Node& node, const TextFormat& format, std::string_view mark) {
  std::string line;
  if (format.chapter_numbers) line = ChapterNumber(node, format.committed);
  if (format.mark_before_title) line += mark;
  line += node.title();
  return line;
}

}  // namespace pw
