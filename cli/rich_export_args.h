// What the export commands of pwvtool share: reading the document, the scope argument, and
// for the rich-text ones (export rtf, print) their arguments and the text format and range
// they set up from them as the window's dialog would.
#ifndef PLOTWEAVE_CLI_RICH_EXPORT_ARGS_H_
#define PLOTWEAVE_CLI_RICH_EXPORT_ARGS_H_

#include <cstddef>
#include <string>
#include <vector>

#include "core/outline.h"
#include "export/export_scope.h"
#include "export/text_format.h"

namespace pw::cli {

struct RichExportArgs {
  std::string document;
  std::string output;
  std::string format_file;
  ExportScope scope = ExportScope::kAll;
  size_t index = 0;
};

// DOC OUT [--format-file F.PWO] [--scope all|node:N|subtree:N]; false with a message.
bool ParseRichExportArgs(const std::vector<std::string>& args, RichExportArgs* out,
                         std::string* error);

struct RichExportJob {
  Outline* outline = nullptr;  // lives until the process ends
  TextFormat format;
  PreorderRange range;
};

// Reads the document, and takes the text format the dialog would show: the title font preset
// to the title pane's font, then the format file when one is given. False with a message.
bool PrepareRichExport(const RichExportArgs& args, RichExportJob* job, std::string* error);

// Reads a document (or a template) into the outline that lives until the process ends.
Outline* ReadCommandDocument(const std::string& path, std::string* error);

// "all", "node:N" or "subtree:N" with N a pre-order index of at most nine digits.
bool ParseScope(const std::string& text, ExportScope* scope, size_t* index);

}  // namespace pw::cli

#endif  // PLOTWEAVE_CLI_RICH_EXPORT_ARGS_H_
