// pwvtool print: the print path of the window into a PDF file, without a window. It draws with
// Qt, so it is part of pwvtool only where Qt is found (see ui/CMakeLists.txt).
#include <QGuiApplication>
#include <QTextDocument>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/rich_export_args.h"
#include "export/rich_document_builder.h"
#include "settings/settings.h"
#include "ui/common/font_substitutes.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/export/document_printer.h"

namespace pw::cli {
namespace {

int PrintCommand(const std::vector<std::string>& args) {
  RichExportArgs parsed;
  std::string error;
  if (!ParseRichExportArgs(args, &parsed, &error)) {
    return Fail(error + "\nusage: pwvtool print DOC.PWV OUT.pdf [--format-file F.PWO] "
                        "[--scope all|node:N|subtree:N]");
  }
  RichExportJob job;
  if (!PrepareRichExport(parsed, &job, &error)) return Fail(error);

  // Printing into a file needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "pwvtool";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* application = new QGuiApplication(argc, argv);  // lives until exit
  (void)application;
  InstallFontSubstitutes();

  // A template may hold no node at all: there is nothing to print then, and no caption to name
  // the job after.
  if (job.range.empty()) return Fail(parsed.document + ": 印刷するノードがありません");

  rich::RichDocument built;
  BuildRichDocument(*job.outline, job.range, job.format, Settings().SplitLine, &built);
  QTextDocument document;
  document.setUndoRedoEnabled(false);
  RichToQt(built, &document);
  const QString job_name = FromCp932(job.outline->NodeAt(job.range.first)->title());
  if (Status s = PrintToPdf(document, job_name, QString::fromStdString(parsed.output)); !s) {
    return Fail(s.message);
  }
  return 0;
}

const RegisterCommand kPrint(
    "print",
    "print DOC.PWV OUT.pdf [--format-file F.PWO] [--scope all|node:N|subtree:N]\n"
    "                              the print of the window, into a PDF file",
    PrintCommand);

}  // namespace
}  // namespace pw::cli
