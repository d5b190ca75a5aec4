// pwvtool export and import: the text forms of a document.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/byte_io.h"
#include "core/outline_file.h"
#include "export/hier_text.h"
#include "richtext/body_text.h"

namespace pw::cli {
namespace {

int Export(const std::vector<std::string>& args) {
  if (args.size() != 3 || args[0] != "hier") return Fail("usage: pwvtool export hier FILE OUT.TXT");
  static Outline* outline = new Outline;  // lives until exit, see document_commands.cpp
  ReadResult read = ReadOutlineFile(
      args[1], IsTemplatePath(args[1]) ? ReadTarget::kOtherTree : ReadTarget::kMainTree, outline);
  if (!read.status) return Fail(args[1] + ": ﾌｧｲﾙの読み込みに失敗しました: " + read.status.message);
  if (Status s = ExportHierText(args[2], *outline); !s) {
    return Fail(args[2] + ": 保存に失敗しました: " + s.message);
  }
  return 0;
}

int Import(const std::vector<std::string>& args) {
  if ((args.size() != 2 && args.size() != 3) || args[0] != "hier") {
    return Fail("usage: pwvtool import hier IN.TXT [OUT.PWV]");
  }
  std::string text;
  std::string error;
  if (!ReadWholeFile(args[1], &text, &error)) {
    return Fail(args[1] + ": ﾌｧｲﾙの読み込みに失敗しました: " + error);
  }
  static Outline* outline = new Outline;
  HierImport imported = ImportHierText(text, outline);
  if (!imported.status) {
    return Fail(args[1] + ": ﾌｧｲﾙの読み込みに失敗しました: " + imported.status.message);
  }
  if (args.size() == 2) {  // only check that it imports
    std::printf("%s: %zu nodes%s\n", args[1].c_str(), outline->size(),
                imported.plain_text ? " (plain text)" : "");
    return 0;
  }
  WriteOptions options;
  options.body_serializer = rich::SerializeBodyForFile;
  if (Status s = WriteOutlineFile(args[2], *outline, options); !s) {
    return Fail(args[2] + ": 保存に失敗しました: " + s.message);
  }
  return 0;
}

const RegisterCommand kExport("export", "export hier FILE OUT.TXT   write hierarchical text",
                              Export);
const RegisterCommand kImport("import",
                              "import hier IN.TXT [OUT.PWV] read hierarchical text into a document",
                              Import);

}  // namespace
}  // namespace pw::cli
