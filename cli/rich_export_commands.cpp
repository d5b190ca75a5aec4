// pwvtool export rtf, export outline, export medoc and count.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/rich_export_args.h"
#include "export/char_count.h"
#include "export/export_prompt.h"
#include "export/medoc_export.h"
#include "export/outline_export.h"
#include "export/rtf_export.h"
#include "settings/settings.h"

namespace pw::cli {
namespace {

// The output is checked as the save dialog's choice is.
bool CheckOutput(const std::string& path, const char* extension, std::string* error) {
  std::string message;
  if (CheckChosenPath(path, extension, &message) == PromptOutcome::kChosen) return true;
  *error = path + ": " + message + ": " + kSaveFailed;
  return false;
}

int ExportRtfCommand(const std::vector<std::string>& args) {
  RichExportArgs parsed;
  std::string error;
  if (!ParseRichExportArgs(args, &parsed, &error)) {
    return Fail(error + "\nusage: pwvtool export rtf DOC.PWV OUT.RTF [--format-file F.PWO] "
                        "[--scope all|node:N|subtree:N]");
  }
  if (!CheckOutput(parsed.output, "RTF", &error)) return Fail(error);
  RichExportJob job;
  if (!PrepareRichExport(parsed, &job, &error)) return Fail(error);
  if (Status s = ExportRtf(parsed.output, *job.outline, job.range, job.format,
                           Settings().SplitLine);
      !s) {
    return Fail(parsed.output + ": " + kSaveFailed + ": " + s.message);
  }
  return 0;
}

// export outline and export medoc: a document and an output, nothing else.
int ExportWhole(const std::vector<std::string>& args, const char* usage, const char* extension,
                Status (*run)(const std::string&, const Outline&)) {
  if (args.size() != 2) return Fail(std::string("usage: pwvtool ") + usage);
  std::string error;
  if (!CheckOutput(args[1], extension, &error)) return Fail(error);
  Outline* outline = ReadCommandDocument(args[0], &error);
  if (outline == nullptr) return Fail(error);
  if (Status s = run(args[1], *outline); !s) {
    return Fail(args[1] + ": " + kSaveFailed + ": " + s.message);
  }
  return 0;
}

int ExportOutlineCommand(const std::vector<std::string>& args) {
  return ExportWhole(args, "export outline DOC.PWV OUT.TXT", "TXT",
                     [](const std::string& path, const Outline& outline) {
                       return ExportOutline(path, outline);
                     });
}

int ExportMeDocCommand(const std::vector<std::string>& args) {
  return ExportWhole(args, "export medoc DOC.PWV OUT.PDB", "PDB",
                     [](const std::string& path, const Outline& outline) {
                       return ExportMeDoc(path, outline);
                     });
}

int CountCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail("usage: pwvtool count DOC.PWV");
  std::string error;
  Outline* outline = ReadCommandDocument(args[0], &error);
  if (outline == nullptr) return Fail(error);
  const size_t total = CountAllBodies(*outline);
  std::printf("%zu\n", total);
  std::printf("400-character pages: %zu\n", ManuscriptPages(total));
  return 0;
}

const RegisterCommand kExportRtf(
    "export rtf",
    "export rtf DOC.PWV OUT.RTF [--format-file F.PWO] [--scope all|node:N|subtree:N]\n"
    "                              one RTF document, titles in the title font",
    ExportRtfCommand);
const RegisterCommand kExportOutline("export outline",
                                     "export outline DOC.PWV OUT.TXT   the titles as a box-drawn tree",
                                     ExportOutlineCommand);
const RegisterCommand kExportMeDoc("export medoc",
                                   "export medoc DOC.PWV OUT.PDB   a PalmDOC e-book for MeDoc",
                                   ExportMeDocCommand);
const RegisterCommand kCount("count",
                             "count DOC.PWV   characters of all bodies (blanks left out), "
                             "then 400-character pages",
                             CountCommand);

}  // namespace
}  // namespace pw::cli
