// Writing the MeDoc intermediate texts and handing the index text to the converter.
#include "export/medoc_export.h"

#include <cstring>
#include <string_view>
#include <system_error>
#include <filesystem>
#include <vector>

#include "core/atomic_file.h"
#include "core/cp932.h"
#include "export/export_prompt.h"
#include "export/text_lines.h"
#include "platform/palm_doc.h"
#include "platform/paths.h"
#include "richtext/body_text.h"

namespace pw {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr char kIndexHeader[] = "#!Medoc index ";

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
  size_t heading_count = 0;
  TextLines counting(headings_text);
  for (std::string_view line; counting.Next(&line);) heading_count += IsHeading(line) ? 1 : 0;

  // The index lines first, counting the text lines under the headings; then the text itself,
  // straight after them in the same buffer.
  std::string out = kIndexHeader + std::to_string(heading_count);
  out += kCrLf;
  out.reserve(headings_text.size() + heading_count * 8 + 32);
  size_t text_lines = 0;
  bool in_heading = false;  // lines before the first heading belong to none
  TextLines indexing(headings_text);
  for (std::string_view line; indexing.Next(&line);) {
    if (IsHeading(line)) {
      const size_t stops = line.find_first_not_of('.');
      out += std::to_string(text_lines + heading_count + 2);
      out += ':';
      out += stops == std::string_view::npos ? line : line.substr(stops);
      out += kCrLf;
      in_heading = true;
    } else if (in_heading) {
      ++text_lines;
    }
  }
  in_heading = false;
  TextLines text(headings_text);
  for (std::string_view line; text.Next(&line);) {
    if (IsHeading(line)) {
      in_heading = true;
    } else if (in_heading) {
      out += line;
      out += kCrLf;
    }
  }
  return out;
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

  // Intermediate files need no flush to disk: they live only for this export. The index is
  // made from the bytes just written, which is what reading the file back would give.
  std::string headings = BuildMeDocHeadings(outline, progress);
  if (Status s = WriteFileAtomically(headings_path, headings, false); !s) return s;
  if (Status s = WriteFileAtomically(index_path, BuildMeDocIndex(headings), false); !s) return s;
  headings.clear();
  headings.shrink_to_fit();
  return Txt2Prc(index_path.c_str(), pdb_path.c_str(), MeDocTitle(pdb_path).c_str(), 1, 0);
}

}  // namespace pw
