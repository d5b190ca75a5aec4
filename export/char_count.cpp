// Counting characters of bodies.
#include "export/char_count.h"

#include "core/cp932.h"
#include "richtext/body_text.h"

namespace pw {

size_t CountCharacters(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size() && text[i + 1] != '\0') {
      const bool full_width_space = c == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40;
      count += full_width_space ? 0 : 1;
      i += 2;
    } else {
      count += (c <= 32 || c == 127) ? 0 : 1;
      i += 1;
    }
  }
  return count;
}

size_t CountBodyCharacters(std::string_view body) {
  size_t count = 0;
  // Line ends are blanks, so counting line by line is counting the text.
  for (const std::string& line : rich::BodyToLines(body)) count += CountCharacters(line);
  return count;
}

size_t CountAllBodies(const Outline& outline) {
  size_t total = 0;
  outline.ForEach([&](Node* node) {
    if (const TNodeData* data = node->data(); data != nullptr && data->Body) {
      total += CountBodyCharacters(*data->Body);
    }
  });
  return total;
}

std::string CountMessage(size_t current, size_t total) {
  return "現在のノードの文字数 : " + std::to_string(current) + " 文字\r\n" +
         "全ノードの文字数 : " + std::to_string(total) + " 文字\r\n";
}

size_t ManuscriptPages(size_t characters) {
  return (characters + kManuscriptPageChars - 1) / kManuscriptPageChars;
}

}  // namespace pw
