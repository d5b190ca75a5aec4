// pwvtool info, dump, resave and new: the document file itself.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/atomic_file.h"
#include "core/cp932.h"
#include "core/new_document.h"
#include "core/outline_file.h"
#include "platform/paths.h"
#include "richtext/body_text.h"

namespace pw::cli {
namespace {

// The one document a command works on. It lives until the process ends: freeing a large
// document node by node only to exit right after would take longer than the work itself.
Outline& TheOutline() {
  static Outline* outline = new Outline;
  return *outline;
}

bool Load(const std::string& path, Outline* outline, ReadResult* result, bool* is_template) {
  *is_template = IsTemplatePath(path);
  *result =
      ReadOutlineFile(path, *is_template ? ReadTarget::kOtherTree : ReadTarget::kMainTree, outline);
  if (!result->status) {
    Fail(path + ": ﾌｧｲﾙの読み込みに失敗しました: " + result->status.message);
    return false;
  }
  return true;
}

// The layout a written file's extension names: a template for ".PWT", a document for ".PWV"
// (letter case ignored); any other name is refused, as it would read back as something else.
bool OutputOptions(const std::string& path, WriteOptions* options) {
  if (IsTemplatePath(path)) {
    options->variant = OutlineVariant::kTemplate;
  } else if (HasExtension(path, ".PWV")) {
    options->variant = OutlineVariant::kDocument;
  } else {
    Fail(path + ": ファイル名が無効です (.PWV or .PWT)");
    return false;
  }
  if (IsReadOnlyFile(path)) {
    Fail(path + ": 保存に失敗しました: このファイルは読み取り専用ファイルです");
    return false;
  }
  options->body_serializer = rich::SerializeBodyForFile;
  // Where the folder takes no new files, a writable file is rewritten in place.
  options->file.spare_folder = TempDir();
  return true;
}

int Info(const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail("usage: pwvtool info FILE");
  Outline& outline = TheOutline();
  ReadResult result;
  bool is_template = false;
  if (!Load(args[0], &outline, &result, &is_template)) return 1;
  const ReadInfo& info = result.info;
  if (info.empty_file) {
    std::printf("layout: empty file (opens as a new document)\nnodes: %zu\n", info.node_count);
    return 0;
  }
  const char* layout = info.layout == FileLayout::kOld ? "old"
                       : is_template                   ? "template"
                                                       : "current";
  std::printf("layout: %s\n", layout);
  std::printf("nodes: %zu\n", info.node_count);
  std::printf("title section: %lld bytes\n", static_cast<long long>(info.title_size));
  if (info.has_body_size) {
    std::printf("body section: %lld bytes\n", static_cast<long long>(info.body_size));
  } else {
    std::printf("body section: absent\n");
  }
  std::printf("record section: %lld bytes\n", static_cast<long long>(info.record_size));
  if (info.has_selected) {
    std::printf("selected node: %d\n", info.selected_index);
  } else {
    std::printf("selected node: absent (0)\n");
  }
  if (info.has_caret) {
    std::printf("caret: %d\n", info.caret);
  } else {
    std::printf("caret: absent (0)\n");
  }
  return 0;
}

int Dump(const std::vector<std::string>& args) {
  bool with_text = !args.empty() && args[0] == "--text";
  const size_t file_arg = with_text ? 1 : 0;
  if (args.size() != file_arg + 1) return Fail("usage: pwvtool dump [--text] FILE");
  Outline& outline = TheOutline();
  ReadResult result;
  bool is_template = false;
  if (!Load(args[file_arg], &outline, &result, &is_template)) return 1;
  std::string line;
  outline.ForEach([&](Node* node) {
    const TNodeData* data = node->data();
    line = "{\"index\":" + std::to_string(outline.AbsoluteIndex(node));
    line += ",\"level\":" + std::to_string(node->level());
    line += ",\"title\":" + JsonString(Cp932ToUtf8(node->title()).text);
    line += ",\"kind\":" + std::to_string(data->Kind);
    line += ",\"color\":" + std::to_string(data->Color);
    line += ",\"icon\":" + std::to_string(node->icon());
    line += ",\"selectedIcon\":" + std::to_string(node->selected_icon());
    line += std::string(",\"expanded\":") + (node->expanded() ? "true" : "false");
    line += ",\"bodyBytes\":" + std::to_string(data->Body ? data->Body->size() : 0);
    if (with_text) {
      line += ",\"lines\":[";
      if (data->Body) {
        bool first = true;
        for (const std::string& text : rich::BodyToLinesUtf8(*data->Body)) {
          if (!first) line += ',';
          line += JsonString(text);
          first = false;
        }
      }
      line += "]";
    }
    line += "}\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
  });
  return 0;
}

int Resave(const std::vector<std::string>& args) {
  if (args.size() != 2) return Fail("usage: pwvtool resave IN OUT");
  Outline& outline = TheOutline();
  ReadResult result;
  bool is_template = false;
  if (!Load(args[0], &outline, &result, &is_template)) return 1;
  WriteOptions options;
  if (!OutputOptions(args[1], &options)) return 1;
  options.selected_index = result.info.selected_index;
  options.caret = result.info.caret;
  if (Status s = WriteOutlineFile(args[1], outline, options); !s) {
    return Fail(args[1] + ": 保存に失敗しました: " + s.message);
  }
  return 0;
}

int New(const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail("usage: pwvtool new OUT");
  Outline& outline = TheOutline();
  MakeNewDocument(&outline);
  WriteOptions options;
  if (!OutputOptions(args[0], &options)) return 1;
  if (Status s = WriteOutlineFile(args[0], outline, options); !s) {
    return Fail(args[0] + ": 保存に失敗しました: " + s.message);
  }
  return 0;
}

const RegisterCommand kInfo(
    "info", "info FILE          layout, node count, section sizes, stored selection and caret",
    Info);
const RegisterCommand kDump(
    "dump", "dump [--text] FILE one JSON object per node, in pre-order (--text: each body's lines)",
    Dump);
const RegisterCommand kResave("resave",
                              "resave IN OUT      read and write again (OUT.PWT: as a template)",
                              Resave);
const RegisterCommand kNew("new", "new OUT            write a new document (\"No Title\")", New);

}  // namespace
}  // namespace pw::cli
