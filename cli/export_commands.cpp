// pwvtool export and import: the text forms of a document.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/rich_export_args.h"
#include "core/byte_io.h"
#include "core/cp932.h"
#include "core/outline_file.h"
#include "export/export_prompt.h"
#include "export/export_scope.h"
#include "export/hier_text.h"
#include "export/html_export.h"
#include "export/text_export.h"
#include "export/text_format.h"
#include "platform/paths.h"
#include "richtext/body_text.h"
#include "settings/settings.h"

namespace pw::cli {
namespace {

constexpr char kExportUsage[] =
    "usage: pwvtool export hier FILE OUT.TXT\n"
    "       pwvtool export text FILE OUT.TXT [--format-file F.PWO] [--scope all|node:N|subtree:N]\n"
    "       pwvtool export html FILE OUT.htm [--format-file F.PWO] [--scope all|node:N|subtree:N]\n"
    "                           [--marks gif|text|none] [--no-indent] [--ext htm|html] "
    "[--title TEXT]";

// The options both formatted exports share, and the HTML ones.
struct FormattedArgs {
  std::string document;
  std::string output;
  std::string format_file;
  ExportScope scope = ExportScope::kAll;
  size_t index = 0;
  HtmlOptions html;
  bool title_given = false;
};

// Parses args[1..]; `html` allows the HTML options. Returns false with a message.
bool ParseFormattedArgs(const std::vector<std::string>& args, bool html, FormattedArgs* out,
                        std::string* error) {
  auto refuse = [error](std::string message) {
    *error = std::move(message);
    return false;
  };
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* v) {
      if (i + 1 >= args.size()) return false;
      *v = args[++i];
      return true;
    };
    std::string v;
    if (a == "--format-file") {
      if (!value(&out->format_file)) return refuse("--format-file needs a file");
    } else if (a == "--scope") {
      if (!value(&v) || !ParseScope(v, &out->scope, &out->index)) {
        return refuse("--scope takes all, node:N or subtree:N");
      }
    } else if (html && a == "--marks") {
      if (!value(&v) || (v != "gif" && v != "text" && v != "none")) {
        return refuse("--marks takes gif, text or none");
      }
      out->html.marks = v == "gif"    ? HtmlMarks::kImages
                        : v == "text" ? HtmlMarks::kText
                                      : HtmlMarks::kNone;
    } else if (html && a == "--no-indent") {
      out->html.indent = false;
    } else if (html && a == "--ext") {
      if (!value(&v) || (v != "htm" && v != "html")) return refuse("--ext takes htm or html");
      out->html.html_extension = v == "html";
    } else if (html && a == "--title") {
      if (!value(&v)) return refuse("--title needs a text");
      Conversion title = Utf8ToCp932(v, Unmappable::kFail);
      if (!title.ok) return refuse("--title: the text has characters Shift-JIS cannot hold");
      out->html.title = title.text;
      out->title_given = true;
    } else if (a.starts_with("--")) {
      return refuse("unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return refuse(kExportUsage);
  out->document = positional[0];
  out->output = positional[1];
  return true;
}

// The chosen output is checked as the save dialog's choice is.
bool CheckOutput(const std::string& path, const char* extension, std::string* error) {
  std::string message;
  if (CheckChosenPath(path, extension, &message) == PromptOutcome::kChosen) return true;
  *error = path + ": " + message + ": " + kSaveFailed;
  return false;
}

int ExportFormatted(const std::vector<std::string>& args, bool html) {
  FormattedArgs a;
  std::string error;
  if (!ParseFormattedArgs(args, html, &a, &error)) return Fail(error);
  if (!CheckOutput(a.output, html ? "HTM" : "TXT", &error)) return Fail(error);
  TextFormat format = DefaultTextFormat();
  if (!a.format_file.empty()) {
    if (Status s = LoadTextFormatFile(a.format_file, &format); !s) {
      return Fail(a.format_file + ": ﾌｧｲﾙの読み込みに失敗しました: " + s.message);
    }
  }
  // As the dialog does between showing and OK.
  format.BeginEditing();
  format.CommitEditing();
  format.scope = a.scope;

  Outline* outline = ReadCommandDocument(a.document, &error);
  if (outline == nullptr) return Fail(error);
  PreorderRange range;
  if (Status s = ScopeRangeAt(*outline, a.scope, a.index, &range); !s) {
    return Fail("--scope: " + s.message);
  }
  Status written;
  if (!html) {
    written = ExportFormattedText(a.output, *outline, range, format, Settings().SplitLine);
  } else if (a.scope == ExportScope::kSelectedNode) {
    written = WriteHtmlPage(a.output, *outline->NodeAt(range.first));
  } else {
    if (!a.title_given) {
      a.html.title = DefaultSiteTitle(*outline, a.scope, outline->NodeAt(range.first));
    }
    written = WriteHtmlSite(a.output, *outline, range, format, a.html,
                            DataDir() + "/" + kMarkImageSourceFolder);
  }
  if (!written) return Fail(a.output + ": " + kSaveFailed + ": " + written.message);
  return 0;
}

int Export(const std::vector<std::string>& args) {
  if (!args.empty() && args[0] == "text") return ExportFormatted(args, false);
  if (!args.empty() && args[0] == "html") return ExportFormatted(args, true);
  if (args.size() != 3 || args[0] != "hier") return Fail(kExportUsage);
  std::string error;
  Outline* outline = ReadCommandDocument(args[1], &error);
  if (outline == nullptr) return Fail(error);
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

const RegisterCommand kExport("export",
                              "export hier|text|html FILE OUT   write hierarchical text, "
                              "formatted text or an HTML site",
                              Export);
const RegisterCommand kImport("import",
                              "import hier IN.TXT [OUT.PWV] read hierarchical text into a document",
                              Import);

}  // namespace
}  // namespace pw::cli
