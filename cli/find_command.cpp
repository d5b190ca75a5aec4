// pwvtool find: every hit of a plain text or a regular expression in the titles and bodies of
// a document, in tree order.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "core/cp932.h"
#include "core/outline_file.h"
#include "richtext/body_text.h"
#include "search/plain_search.h"
#include "search/regular_expression.h"

namespace pw::cli {
namespace {

constexpr char kUsage[] = "usage: pwvtool find [--regex] [--case] PATTERN FILE";

// The matched text on one line: CR, LF, TAB and backslash written as escapes.
std::string OneLine(const std::string& utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}

struct Searcher {
  bool regex = false;
  bool match_case = false;
  std::string needle;  // CP932
  search::TAWKStr awk;

  // Calls hit(offset, length) for every hit; after a hit the search goes on at its end, or one
  // character further for an empty one.
  template <typename F>
  void ForEachHit(const std::string& text, F&& hit) {
    size_t pos = 0;
    while (pos <= text.size()) {
      size_t offset = 0;
      size_t length = 0;
      if (regex) {
        // The pane's text from the search position on: its first character is a line start.
        search::TAWKMatch m = awk.Match(std::string_view(text).substr(pos));
        if (m.position == 0) return;
        offset = pos + m.position - 1;
        length = m.length;
      } else {
        offset = search::PlainFind(text, needle, pos, match_case);
        if (offset == search::kNotFound) return;
        length = needle.size();
      }
      hit(offset, length);
      if (length > 0) {
        pos = offset + length;
      } else {
        if (offset >= text.size()) return;
        pos = NextCharBoundary(text, offset);
      }
    }
  }
};

int Find(const std::vector<std::string>& args) {
  Searcher searcher;
  std::vector<std::string> positional;
  for (const std::string& arg : args) {
    if (arg == "--regex") {
      searcher.regex = true;
    } else if (arg == "--case") {
      searcher.match_case = true;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return Fail(kUsage);
  const std::string& path = positional[1];
  Conversion pattern = Utf8ToCp932(positional[0], Unmappable::kFail);
  if (!pattern.ok) return Fail("PATTERN: a character has no Shift-JIS form");
  searcher.needle = pattern.text;
  // An empty search text does nothing, as in the find dialog.
  if (searcher.needle.empty()) return 0;
  if (searcher.regex) {
    // Regular expressions always compare letter case.
    if (auto error = searcher.awk.SetRegExp(searcher.needle)) {
      return Fail("PATTERN: " + error->message + " (position " + std::to_string(error->position) +
                  ")");
    }
  }

  // Left to the end of the process: freeing a large document node by node would take longer
  // than the search.
  Outline& outline = *new Outline;
  ReadResult result = ReadOutlineFile(
      path, IsTemplatePath(path) ? ReadTarget::kOtherTree : ReadTarget::kMainTree, &outline);
  if (!result.status)
    return Fail(path + ": ﾌｧｲﾙの読み込みに失敗しました: " + result.status.message);

  std::string line;
  auto print = [&](size_t index, const char* pane, const std::string& text) {
    searcher.ForEachHit(text, [&](size_t offset, size_t length) {
      line = std::to_string(index) + "\t" + pane + "\t" + std::to_string(offset) + "\t" +
             std::to_string(length) + "\t" +
             OneLine(Cp932ToUtf8(std::string_view(text).substr(offset, length)).text) + "\n";
      std::fwrite(line.data(), 1, line.size(), stdout);
    });
  };
  size_t index = 0;
  rich::BodyTextReader bodies;
  std::string body_text;
  outline.ForEach([&](Node* node) {
    print(index, "title", node->title());
    const TNodeData* data = node->data();
    if (data != nullptr && data->Body) {
      bodies.PlainText(*data->Body, &body_text);
      print(index, "body", body_text);
    }
    ++index;
  });
  return 0;
}

const RegisterCommand kFind(
    "find",
    "find [--regex] [--case] PATTERN FILE  each hit: node, title|body, byte offset, length, text",
    Find);

}  // namespace
}  // namespace pw::cli
