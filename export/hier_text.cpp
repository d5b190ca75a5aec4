// Writing and reading hierarchical text.
#include "export/hier_text.h"

#include <algorithm>
#include <cstring>

#include "core/atomic_file.h"
#include "core/heap_reserve.h"
#include "core/new_document.h"
#include "core/outline_file.h"
#include "core/title_section.h"
#include "export/text_lines.h"
#include "richtext/body_text.h"

namespace pw {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// The lines of a text that ends at its first NUL.
TextLines LinesBeforeNul(std::string_view text) {
  if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
    text = text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
  }
  return TextLines(text);
}

bool IsHeading(std::string_view line) { return !line.empty() && line.front() == '.'; }

void SetRecord(Outline* outline, Node* node, int32_t kind, int32_t color, int32_t icon) {
  TNodeData* data = node->data();
  data->Kind = kind;
  data->Color = color;
  outline->SetIcon(node, icon);
}

}  // namespace

std::string BuildHierText(const Outline& outline, ProgressSink* progress) {
  ProgressScope scope(progress, kHierExportCaption, outline.size());
  std::string out;
  outline.ForEach([&](Node* node) {
    out.append(static_cast<size_t>(node->level()) + 1, '.');
    out += node->title();
    out += kCrLf;
    const TNodeData* data = node->data();
    if (data != nullptr && data->Body) {
      for (const std::string& line : rich::BodyToLines(*data->Body)) {
        out += line;
        out += kCrLf;
      }
    }
    out += kCrLf;
    scope.Step();
  });
  return out;
}

Status ExportHierText(const std::string& path, const Outline& outline, ProgressSink* progress) {
  return WriteFileAtomically(path, BuildHierText(outline, progress));
}

HierImport ImportHierText(std::string_view text, Outline* outline, ProgressSink* progress) {
  HierImport result;
  TextLines reader = LinesBeforeNul(text);
  std::string_view first;
  if (!reader.Next(&first)) {
    result.status = Status::Error(kEmptyTextFile);
    return result;
  }

  if (!IsHeading(first)) {
    std::string body(first);
    for (std::string_view line; reader.Next(&line);) {
      body += kCrLf;
      body += line;
    }
    Node* root = MakeNewDocument(outline);
    root->data()->Body = std::move(body);
    result.plain_text = true;
    return result;
  }

  // Nodes, titles and bodies are about to take about the size of the text in fresh memory.
  PrepareHeapForLoad(text.size() * 2);

  // The heading list as TAB-indented title lines: the first heading is top-level whatever its
  // stops; each later one at most one level deeper than the one before.
  std::string headings;
  headings.reserve(text.size() / 8);
  headings += first.substr(1);
  headings += kCrLf;
  size_t previous_level = 1;
  for (std::string_view line; reader.Next(&line);) {
    if (!IsHeading(line)) continue;
    size_t stops = line.find_first_not_of('.');
    if (stops == std::string_view::npos) stops = line.size();
    const size_t level = std::min(stops, previous_level + 1);
    headings.append(level - 1, '\t');
    headings += line.substr(stops);
    headings += kCrLf;
    previous_level = level;
  }

  Status built = ParseTitleSection(headings, outline);
  if (!built) {
    MakeNewDocument(outline);
    result.status = built;
    return result;
  }

  ProgressScope scope(progress, kLoadingCaption, outline->size());
  outline->BeginBulkLoad();
  outline->ForEach([&](Node* node) {
    if (node->parent() == nullptr) {
      SetRecord(outline, node, nkRoot, 0, kIconRoot);
    } else if (node->has_children()) {
      SetRecord(outline, node, nkParent, ncBlue, ncBlue + kParentIconBase);
    } else {
      SetRecord(outline, node, nkChild, ncBlue, ncBlue + kChildIconBase);
    }
    scope.Step();
  });

  // Bodies: the lines after each heading, each followed by CR LF; none for a heading
  // directly followed by another.
  TextLines body_reader = LinesBeforeNul(text);
  std::string_view line;
  body_reader.Next(&line);  // the first heading
  size_t node_index = 0;
  std::string body;
  bool has_lines = false;
  auto flush = [&]() {
    if (Node* node = outline->NodeAt(node_index)) {
      if (has_lines) node->data()->Body = std::move(body);
    }
    body.clear();
    has_lines = false;
  };
  while (body_reader.Next(&line)) {
    if (IsHeading(line)) {
      flush();
      ++node_index;
      continue;
    }
    body += line;
    body += kCrLf;
    has_lines = true;
  }
  flush();
  outline->EndBulkLoad();
  return result;
}

}  // namespace pw
