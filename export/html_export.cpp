// The HTML site writer and the single-page writer.
#include "export/html_export.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "core/atomic_file.h"
#include "core/byte_io.h"
#include "export/chapter_number.h"
#include "export/export_prompt.h"
#include "export/node_mark.h"
#include "richtext/body_text.h"

namespace pw {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kDoctype = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">";
// Without it a browser guesses the encoding, and guesses wrong on short pages.
constexpr std::string_view kCharset =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">";

// Symbols of the marks, Shift-JIS: the node marks without their trailing space.
constexpr std::string_view kSymbolRoot = kMarkRoot.substr(0, 2);
constexpr std::string_view kSymbolChara = kMarkChara.substr(0, 2);
constexpr std::string_view kSymbolCharaItem = kMarkCharaItem.substr(0, 2);
constexpr std::string_view kSymbolChild = kMarkChild.substr(0, 2);
constexpr std::string_view kSymbolParent = kMarkParent.substr(0, 2);

struct MarkStyle {
  const char* image;  // file name in the "gif" folder
  const char* color;  // of the text mark
  std::string_view symbol;
};

// By icon index 0-19; image == nullptr where the icon has no mark of its own.
constexpr MarkStyle kMarkStyles[kTreeIconCount] = {
    {"top.gif", "#00FF00", kSymbolRoot},
    {"top.gif", "#00FF00", kSymbolRoot},
    {"char.gif", "#FFFF00", kSymbolChara},
    {"char.gif", "#FFFF00", kSymbolChara},
    {"char_i.gif", "#FF0000", kSymbolCharaItem},
    {"char_i.gif", "#FF0000", kSymbolCharaItem},
    {nullptr, nullptr, {}},
    {"c_blue.gif", "#0000FF", kSymbolChild},
    {"c_brown.gif", "#993300", kSymbolChild},
    {"c_green.gif", "#00FF00", kSymbolChild},
    {"c_orange.gif", "#FF5500", kSymbolChild},
    {"c_parple.gif", "#FF00FF", kSymbolChild},
    {"c_pink.gif", "#FF9999", kSymbolChild},
    {nullptr, nullptr, {}},
    {"p_blue.gif", "#0000FF", kSymbolParent},
    {"p_brown.gif", "#993300", kSymbolParent},
    {"p_green.gif", "#00FF00", kSymbolParent},
    {"p_orange.gif", "#FF5500", kSymbolParent},
    {"p_parple.gif", "#FF00FF", kSymbolParent},
    {"p_pink.gif", "#FF9999", kSymbolParent},
};

// The marks as written, built once: [icon][0] image, [icon][1] text.
const std::vector<std::array<std::string, 2>>& MarkTexts() {
  static const auto* texts = [] {
    auto* t = new std::vector<std::array<std::string, 2>>(kTreeIconCount);
    for (int i = 0; i < kTreeIconCount; ++i) {
      const MarkStyle& s = kMarkStyles[i];
      if (s.image == nullptr) continue;
      (*t)[i][0] = std::string("<IMG SRC=\"./gif/") + s.image +
                   "\" BORDER=0 WIDTH=16 HEIGHT=16 ALT=\"" + std::string(s.symbol) +
                   "\" ALIGN=\"middle\"> ";
      (*t)[i][1] =
          std::string("<FONT COLOR=\"") + s.color + "\">" + std::string(s.symbol) + "</FONT> ";
    }
    return t;
  }();
  return *texts;
}

void AddLine(std::string* out, std::string_view line) {
  *out += line;
  *out += kCrLf;
}

void AddHead(std::string* out, std::string_view title, std::string_view title_tail) {
  AddLine(out, kDoctype);
  AddLine(out, "<HTML>");
  AddLine(out, "<HEAD>");
  AddLine(out, kCharset);
  *out += "<TITLE>";
  *out += title;
  AddLine(out, std::string(title_tail) + "</TITLE>");
  AddLine(out, "</HEAD>");
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Status MakeImageFolder(const std::string& folder) {
  if (IsDirectory(folder)) return Status::Ok();
  if (::mkdir(folder.c_str(), 0777) != 0) {
    return Status::Error(folder + ": " + std::strerror(errno));
  }
  return Status::Ok();
}

// Copies whichever of the 15 images exist; a copy that fails is skipped.
void CopyMarkImages(const std::string& from, const std::string& to) {
  for (const char* name : kMarkImageNames) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(JoinPath(from, name), &bytes, &error)) continue;
    WriteFileAtomically(JoinPath(to, name), bytes, /*flush_to_disk=*/false);
  }
}

Status WritePage(const std::string& path, std::string_view page) {
  Status s = WriteFileAtomically(path, page);
  if (!s) s.message = path + ": " + s.message;
  return s;
}

// Node pages are written in place. A site is many files, so replacing each one atomically
// would not make the export as a whole atomic, and the temporary file and rename per page cost
// several times the writing itself; the frame page, written last and atomically, is what
// marks a finished site.
Status WriteNodePage(const std::string& path, std::string_view page) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  int error = fd < 0 ? errno : 0;
  while (error == 0 && !page.empty()) {
    const ssize_t n = ::write(fd, page.data(), page.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      break;
    }
    page.remove_prefix(static_cast<size_t>(n));
  }
  if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return Status::Error(path + ": " + std::strerror(error));
  return Status::Ok();
}

std::string NodePage(std::string_view title, const std::vector<std::string>& lines, bool single) {
  std::string out;
  AddHead(&out, title, single ? "" : " - CONTENTS");
  AddLine(&out, "<BODY>");
  AddLine(&out, "<PRE>");
  for (const std::string& line : lines) AddLine(&out, line);
  AddLine(&out, "");
  AddLine(&out, "</PRE>");
  AddLine(&out, "</BODY>");
  AddLine(&out, "</HTML>");
  return out;
}

}  // namespace

std::string_view PageExtension(const HtmlOptions& options) {
  return options.html_extension ? ".html" : ".htm";
}

std::string DefaultSiteTitle(const Outline& outline, ExportScope scope, const Node* selected) {
  if (scope == ExportScope::kSubtree && selected != nullptr) return selected->title();
  const Node* first = outline.NodeAt(0);
  return first != nullptr ? first->title() : std::string();
}

std::string_view HtmlMark(HtmlMarks marks, int32_t icon, std::string_view previous) {
  if (marks == HtmlMarks::kNone) return {};
  if (icon < 0 || icon >= kTreeIconCount || kMarkStyles[icon].image == nullptr) return previous;
  return MarkTexts()[static_cast<size_t>(icon)][marks == HtmlMarks::kImages ? 0 : 1];
}

std::string HtmlFramePage(std::string_view title, size_t first_index, const HtmlOptions& options) {
  const std::string ext(PageExtension(options));
  std::string out;
  AddHead(&out, title, "");
  AddLine(&out, "<FRAMESET   COLS = \"30%,70% \">");
  AddLine(&out, "<FRAME SRC=\"contents" + ext + "\" NAME=\"Tree\" RESIZE>");
  AddLine(&out, "<FRAME SRC=\"" + std::to_string(first_index) + ext + "\" NAME=\"Text\" RESIZE>");
  AddLine(&out, "</FRAMESET>");
  AddLine(&out, "</HTML>");
  return out;
}

std::string HtmlNodePage(const Node& node, bool single) {
  std::vector<std::string> lines;
  if (const TNodeData* data = node.data(); data != nullptr && data->Body) {
    lines = rich::BodyToLines(*data->Body);
  }
  return NodePage(node.title(), lines, single);
}

Status WriteHtmlSite(const std::string& chosen_path, const Outline& outline, PreorderRange range,
                     const TextFormat& format, const HtmlOptions& options,
                     const std::string& image_source_folder, ProgressSink* progress) {
  range.end = std::min(range.end, outline.size());
  if (range.empty()) return Status::Error("書き出すノードがありません");
  ProgressScope scope(progress, kHtmlExportCaption, 1 + 2 * range.size());
  const std::string folder = FolderOf(chosen_path);
  const std::string ext(PageExtension(options));

  if (options.marks == HtmlMarks::kImages) {
    const std::string images = JoinPath(folder, kMarkImageSiteFolder);
    if (Status s = MakeImageFolder(images); !s) return s;
    CopyMarkImages(image_source_folder, images);
  }

  // Node pages first: the contents page needs to know which bodies give lines, and the frame
  // page, written last, is what a reader opens.
  std::vector<bool> linked(range.size());
  for (size_t i = range.first; i < range.end; ++i) {
    const Node* node = outline.NodeAt(i);
    std::vector<std::string> lines;
    if (const TNodeData* data = node->data(); data != nullptr && data->Body) {
      lines = rich::BodyToLines(*data->Body);
    }
    linked[i - range.first] = !lines.empty();
    const std::string page = NodePage(node->title(), lines, false);
    if (Status s = WriteNodePage(JoinPath(folder, std::to_string(i) + ext), page); !s) return s;
    scope.Step();
  }

  std::string contents;
  AddHead(&contents, options.title, " - CONTENTS");
  AddLine(&contents, "<BODY>");
  const int base_depth = outline.NodeAt(range.first)->level();
  std::string_view mark;
  for (size_t i = range.first; i < range.end; ++i) {
    const Node* node = outline.NodeAt(i);
    if (options.indent) {
      for (int d = node->level() - base_depth; d > 0; --d) contents += "\x81\x40";  // "　"
    }
    const bool link = linked[i - range.first];
    if (link) contents += "<A HREF=\"" + std::to_string(i) + ext + "\" TARGET=\"Text\">";
    mark = HtmlMark(options.marks, node->icon(), mark);
    contents += mark;
    if (format.chapter_numbers) contents += ChapterNumber(*node, format.committed);
    contents += ' ';
    contents += node->title();
    if (link) contents += "</A>";
    AddLine(&contents, "<BR>");
    scope.Step();
  }
  AddLine(&contents, "</BODY>");
  AddLine(&contents, "</HTML>");
  if (Status s = WritePage(JoinPath(folder, "contents" + ext), contents); !s) return s;

  const std::string frame_path = ChangeExtension(chosen_path, ext);
  if (Status s = WritePage(frame_path, HtmlFramePage(options.title, range.first, options)); !s) {
    return s;
  }
  scope.Step();
  return Status::Ok();
}

Status WriteHtmlPage(const std::string& chosen_path, const Node& node) {
  return WritePage(chosen_path, HtmlNodePage(node, true));
}

}  // namespace pw
