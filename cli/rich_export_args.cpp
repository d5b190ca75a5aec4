// Arguments and set-up of the rich-text commands.
#include "cli/rich_export_args.h"

#include "cli/command.h"
#include "core/outline_file.h"
#include "settings/settings.h"

namespace pw::cli {

bool ParseScope(const std::string& text, ExportScope* scope, size_t* index) {
  if (text == "all") {
    *scope = ExportScope::kAll;
    return true;
  }
  std::string number;
  if (text.starts_with("node:")) {
    *scope = ExportScope::kSelectedNode;
    number = text.substr(5);
  } else if (text.starts_with("subtree:")) {
    *scope = ExportScope::kSubtree;
    number = text.substr(8);
  } else {
    return false;
  }
  if (number.empty() || number.size() > 9 ||
      number.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  *index = std::stoul(number);
  return true;
}

bool ParseRichExportArgs(const std::vector<std::string>& args, RichExportArgs* out,
                         std::string* error) {
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--format-file" || a == "--scope") {
      if (i + 1 >= args.size()) {
        *error = a + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (a == "--format-file") {
        out->format_file = value;
      } else if (!ParseScope(value, &out->scope, &out->index)) {
        *error = "--scope takes all, node:N or subtree:N";
        return false;
      }
    } else if (a.starts_with("--")) {
      *error = "unknown option " + a;
      return false;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) {
    *error = "a document and an output file are needed";
    return false;
  }
  out->document = positional[0];
  out->output = positional[1];
  return true;
}

Outline* ReadCommandDocument(const std::string& path, std::string* error) {
  static Outline* outline = new Outline;
  ReadResult read = ReadOutlineFile(
      path, IsTemplatePath(path) ? ReadTarget::kOtherTree : ReadTarget::kMainTree, outline);
  if (!read.status) {
    *error = path + ": ﾌｧｲﾙの読み込みに失敗しました: " + read.status.message;
    return nullptr;
  }
  return outline;
}

bool PrepareRichExport(const RichExportArgs& args, RichExportJob* job, std::string* error) {
  job->format = DefaultTextFormat();
  job->format.title_font = Settings().MemoFont;
  if (!args.format_file.empty()) {
    if (Status s = LoadTextFormatFile(args.format_file, &job->format); !s) {
      *error = args.format_file + ": ﾌｧｲﾙの読み込みに失敗しました: " + s.message;
      return false;
    }
  }
  // As the dialog does between showing and OK.
  job->format.BeginEditing();
  job->format.CommitEditing();
  job->format.scope = args.scope;
  job->outline = ReadCommandDocument(args.document, error);
  if (job->outline == nullptr) return false;
  if (Status s = ScopeRangeAt(*job->outline, args.scope, args.index, &job->range); !s) {
    *error = "--scope: " + s.message;
    return false;
  }
  return true;
}

}  // namespace pw::cli
