// pwvtool export epub: a range of a document as an EPUB book, as the window's EPUB export
// writes it.
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/rich_export_args.h"
#include "core/outline_file.h"
#include "export/epub_export.h"
#include "export/export_scope.h"
#include "export/text_format.h"

namespace pw::cli {
namespace {

constexpr char kUsage[] =
    "usage: pwvtool export epub DOC.PWV OUT.epub [--horizontal] [--scope all|node:N|subtree:N] "
    "[--format-file F.PWO] [--title T] [--author A]";

// The modification time: SOURCE_DATE_EPOCH when set (reproducible books), else now.
int64_t ModificationTime() {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(epoch, &end, 10);
    if (errno == 0 && *end == '\0') return value;
  }
  return static_cast<int64_t>(std::time(nullptr));
}

int ExportEpubCommand(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  ExportScope scope = ExportScope::kAll;
  size_t index = 0;
  std::string format_file;
  EpubOptions options;
  bool title_given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == "--horizontal") {
      options.vertical = false;
    } else if (a == "--scope" && has_value) {
      if (!ParseScope(args[++i], &scope, &index)) return Fail("bad scope '" + args[i] + "'");
    } else if (a == "--format-file" && has_value) {
      format_file = args[++i];
    } else if (a == "--title" && has_value) {
      options.title = args[++i];
      title_given = true;
    } else if (a == "--author" && has_value) {
      options.author = args[++i];
    } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      return Fail(kUsage);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return Fail(kUsage);

  TextFormat format = DefaultTextFormat();
  if (!format_file.empty()) {
    if (Status s = LoadTextFormatFile(format_file, &format); !s) {
      return Fail(format_file + ": ﾌｧｲﾙの読み込みに失敗しました: " + s.message);
    }
  }
  options.chapter_numbers = format.chapter_numbers;
  options.numbering = format.committed;

  std::string error;
  Outline* outline = ReadCommandDocument(files[0], &error);
  if (outline == nullptr) return Fail(error);
  PreorderRange range;
  if (Status s = ScopeRangeAt(*outline, scope, index, &range); !s) return Fail(s.message);
  if (!title_given) options.title = EpubTitlePreset(*outline, scope, outline->NodeAt(index));
  options.modified = ModificationTime();
  if (Status s = ExportEpub(files[1], *outline, range, options); !s) {
    return Fail(files[1] + ": 保存に失敗しました: " + s.message);
  }
  return 0;
}

const RegisterCommand kExportEpub("export epub",
                                  "export epub DOC OUT.epub [--horizontal] [--scope S] "
                                  "[--format-file F.PWO] [--title T] [--author A]  EPUB book",
                                  ExportEpubCommand);

}  // namespace
}  // namespace pw::cli
