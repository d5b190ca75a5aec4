// Building and parsing the indented title lines.
#include "core/title_section.h"

#include <vector>

#include "core/cp932.h"
#include "core/format.h"
#include "core/outline_file.h"

namespace pw {

std::string StorableTitle(std::string_view title) {
  size_t start = 0;
  while (start < title.size() && (title[start] == '\t' || title[start] == ' ')) ++start;
  std::string out(title.substr(start));
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::string BuildTitleSection(const Outline& outline) {
  std::string section;
  outline.ForEach([&section](Node* node) {
    section.append(static_cast<size_t>(node->level()), '\t');
    const std::string& title = node->title();
    bool clean = title.empty() || (title.front() != '\t' && title.front() != ' ' &&
                                   title.find_first_of("\r\n") == std::string::npos);
    section += clean ? title : StorableTitle(title);
    section += "\r\n";
  });
  return section;
}

std::string LevelErrorMessage(int level, std::string_view title_cp932) {
  return FormatMessage("アイテム \"%1:s\" の階層 (%0:d) が不正です",
                       {std::to_string(level), Cp932ToUtf8(title_cp932).text});
}

Status ParseTitleSection(std::string_view section, Outline* outline, size_t max_nodes) {
  outline->BeginBulkLoad();
  outline->Clear();
  // path[k] is the most recent node at level k on the way to the previous node.
  std::vector<Node*> path;
  Status status;
  size_t pos = 0;
  size_t count = 0;
  while (pos < section.size()) {
    if (count++ == max_nodes) {
      status = Status::Error(kStreamReadError);
      break;
    }
    // A plain loop: find_first_of with a set calls memchr once per byte of the section.
    size_t end = pos;
    while (end < section.size() && section[end] != '\r' && section[end] != '\n') ++end;
    std::string_view line = section.substr(pos, end - pos);
    pos = end;
    if (pos < section.size()) {
      pos += (section[pos] == '\r' && pos + 1 < section.size() && section[pos + 1] == '\n') ? 2 : 1;
    }
    size_t level = 0;
    while (level < line.size() && (line[level] == '\t' || line[level] == ' ')) ++level;
    std::string title(line.substr(level));
    auto data = NewNodeData(nkChild);
    if (path.empty()) {
      path.push_back(outline->Append(nullptr, std::move(title), std::move(data), 0));
      continue;
    }
    size_t previous = path.size() - 1;
    if (level > previous + 1) {
      status = Status::Error(LevelErrorMessage(static_cast<int>(level), title));
      break;
    }
    if (level > previous) {
      path.push_back(outline->Append(path.back(), std::move(title), std::move(data), 0));
    } else {
      path.resize(level + 1);
      Node* parent = path[level]->parent();
      path[level] = outline->Append(parent, std::move(title), std::move(data), 0);
    }
  }
  outline->EndBulkLoad();
  return status;
}

}  // namespace pw
