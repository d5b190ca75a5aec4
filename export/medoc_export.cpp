// Writing the MeDoc intermediate texts and handing the index text to the converter.
#include "export/medoc_export.h"

#include <string_view>
#include <system_error>
#include <filesystem>
#include <vector>

#include "core/atomic_file.h"
#include "core/byte_io.h"
#include "core/cp932.h"
#include "export/export_prompt.h"
#include "platform/palm_doc.h"
#include "platform/paths.h"
#include "richtext/body_text.h"

namespace pw {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr char kIndexHeader[] = "#!Medoc index ";

// The lines of a text as reading it back from a file gives them: a line ends at CR LF, a lone
// CR or a lone LF, and a last line without an end still counts.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size()) {
      pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
  }
  return lines;
}

bool IsHeading(std::string_view line) { return !line.empty() && line.front() == '.'; }

// Removes the intermediate files, and the folder made for them, however the export ends.
class RemoveOnExit {
 public:
  RemoveOnExit(std::vector<std::string> paths, std::string folder)
      : paths_(std::move(paths)), folder_(std::move(folder)) {}
  ~RemoveOnExit() {
    std::error_code error;
    for (const std::string& path : paths_) std::filesystem::remove(path, error);
    if (!folder_.empty()) std::filesystem::remove(folder_, error);
  }
  RemoveOnExit(const RemoveOnExit&) = delete;
  RemoveOnExit& operator=(const RemoveOnExit&) = delete;

 private:
  std::vector<std::string> paths_;
  std::string folder_;
};

}  // namespace

std::string BuildMeDocHeadings(const Outline& outline, ProgressSink* progress) {
  ProgressScope scope(progress, kMeDocCaption, outline.size());
  std::string out;
  outline.ForEach([&](Node* node) {
    out += '.';
    out += node->title();
    out += kCrLf;
    if (const TNodeData* data = node->data(); data != nullptr && data->Body) {
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

std::string BuildMeDocIndex(std::string_view headings_text) {
  const std::vector<std::string_view> lines = SplitLines(headings_text);
  size_t heading_count = 0;
  for (std::string_view line : lines) heading_count += IsHeading(line) ? 1 : 0;

  std::string index = kIndexHeader + std::to_string(heading_count);
  index += kCrLf;
  std::string text;
  text.reserve(headings_text.size());
  size_t text_lines = 0;
  bool in_heading = false;  // lines before the first heading belong to none
  for (std::string_view line : lines) {
    if (IsHeading(line)) {
      const size_t stops = line.find_first_not_of('.');
      index += std::to_string(text_lines + heading_count + 2);
      index += ':';
      index += stops == std::string_view::npos ? line : line.substr(stops);
      index += kCrLf;
      in_heading = true;
      continue;
    }
    if (!in_heading) continue;
    text += line;
    text += kCrLf;
    ++text_lines;
  }
  index += text;
  return index;
}

std::string MeDocTitle(const std::string& pdb_path) {
  std::string name = FileNameOf(pdb_path);
  if (size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  return Utf8ToCp932(name).text;
}

Status ExportMeDoc(const std::string& pdb_path, const Outline& outline, ProgressSink* progress,
                   const std::string& work_folder) {
  // A folder of its own, so that nothing is left behind even by a process that ends without
  // running its exit handlers.
  const std::string own_folder = work_folder.empty() ? MakePrivateTempFolder("plotweave-medoc") : "";
  const std::string folder = work_folder.empty() ? own_folder : work_folder;
  if (folder.empty()) return Status::Error("一時フォルダを作成できません");
  const std::string headings_path = folder + "/" + kMeDocHeadingsFile;
  const std::string index_path = folder + "/" + kMeDocIndexFile;
  RemoveOnExit cleanup({headings_path, index_path}, own_folder);

  // Intermediate files need no flush to disk: they live only for this export.
  if (Status s = WriteFileAtomically(headings_path, BuildMeDocHeadings(outline, progress), false);
      !s) {
    return s;
  }
  std::string headings;
  std::string error;
  if (!ReadWholeFile(headings_path, &headings, &error)) return Status::Error(error);
  if (Status s = WriteFileAtomically(index_path, BuildMeDocIndex(headings), false); !s) return s;
  headings.clear();
  headings.shrink_to_fit();
  return Txt2Prc(index_path.c_str(), pdb_path.c_str(), MeDocTitle(pdb_path).c_str(), 1, 0);
}

}  // namespace pw
