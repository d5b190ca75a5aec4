// The rich-text exports, the view, printing and the count. Everything is built headless from
// the stored bodies (rich_document_builder.h); the view and the prints show or print the result.
#include "ui/export/print_export_commands.h"

#include <QApplication>
#include <QFontInfo>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>

#include "core/atomic_file.h"
#include "core/outline.h"
#include "export/char_count.h"
#include "export/export_prompt.h"
#include "export/medoc_export.h"
#include "export/outline_export.h"
#include "export/rich_document_builder.h"
#include "export/rtf_export.h"
#include "platform/paths.h"
#include "platform/program_launcher.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_writer.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/common/tform_progress.h"
#include "ui/common/wait_cursor.h"
#include "ui/common/window_context.h"
#include "ui/export/document_printer.h"
#include "ui/export/export_file_prompt.h"
#include "ui/export/print_prompt.h"
#include "ui/export/text_format_asker.h"
#include "ui/export/tform_info.h"
#include "ui/export/tform_view.h"

namespace pw {
namespace {

QString JobName(const Outline& outline, size_t first) {
  const Node* node = outline.NodeAt(first);
  return node == nullptr ? QString() : FromCp932(node->title());
}

}  // namespace

PrintExportCommands::PrintExportCommands(WindowContext& window)
    : window_(window),
      FormView_(new TFormView(window.dialog_parent())),
      print_prompt_(std::make_unique<QtPrintPrompt>()),
      ask_text_format_(AskTextFormatForRichOutput) {}

PrintExportCommands::~PrintExportCommands() = default;

void PrintExportCommands::SetPrintPrompt(std::unique_ptr<PrintPrompt> prompt) {
  print_prompt_ = std::move(prompt);
}

void PrintExportCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuSaveRTF", this, &PrintExportCommands::MenuSaveRTFClick);
  actions.Bind("MenuSaveOutline", this, &PrintExportCommands::MenuSaveOutlineClick);
  actions.Bind("MenuSaveMeDoc", this, &PrintExportCommands::MenuSaveMeDocClick);
  actions.Bind("MenuFileView", this, &PrintExportCommands::MenuFileViewClick);
  actions.Bind("MenuFilePrint", this, &PrintExportCommands::MenuFilePrintClick);
  actions.Bind("MenuFileTreePrint", this, &PrintExportCommands::MenuFileTreePrintClick);
  actions.Bind("MenuFileWordPad", this, &PrintExportCommands::MenuFileWordPadClick);
  actions.Bind("MenuTextCount", this, &PrintExportCommands::MenuTextCountClick);
}

PreorderRange PrintExportCommands::RangeOf(const TextFormat& format) const {
  return ScopeRange(window_.outline(), format.scope, window_.SelectedNode());
}

void PrintExportCommands::FillView(const TextFormat& format, PreorderRange range,
                                   rich::RichDocument* built) {
  WaitCursor wait;
  rich::RichDocument document;
  BuildRichDocument(window_.outline(), range, format, window_.settings().SplitLine, &document,
                    window_.progress());
  FormView_->SetDocument(document);
  if (built != nullptr) *built = std::move(document);
}

void PrintExportCommands::ReportWriteFailure(const std::string& message) {
  window_.dialogs().Message(window_.dialog_parent(), U8("Plotweave"),
                            U8(kWriteFailed).arg(QString::fromStdString(message)),
                            DialogIcon::kError);
  window_.ShowMessage(kSaveFailed);
}

void PrintExportCommands::MenuSaveRTFClick() {
  window_.StoreCurrentNode();
  const std::optional<TextFormat> format = ask_text_format_(window_);
  if (!format) return;
  QString path;
  if (!window_.export_prompt().Choose(kRtfExtension, kRtfFilter, kRtfSaveTitle, &path)) return;
  Status status;
  {
    WaitCursor wait;
    status = ExportRtf(LocalPath(path), window_.outline(), RangeOf(*format), *format,
                       window_.settings().SplitLine, window_.progress());
  }
  if (!status) ReportWriteFailure(status.message);
}

void PrintExportCommands::MenuSaveOutlineClick() {
  window_.StoreCurrentNode();
  QString path;
  if (!window_.export_prompt().Choose(".TXT", kOutlineFilter, kOutlineSaveTitle, &path)) return;
  Status status;
  {
    WaitCursor wait;
    status = ExportOutline(LocalPath(path), window_.outline(), window_.progress());
  }
  if (!status) ReportWriteFailure(status.message);
}

void PrintExportCommands::MenuSaveMeDocClick() {
  window_.StoreCurrentNode();
  QString path;
  if (!window_.export_prompt().Choose(".PDB", kMeDocFilter, kMeDocSaveTitle, &path)) return;
  Status status;
  {
    WaitCursor wait;
    status = ExportMeDoc(LocalPath(path), window_.outline(), window_.progress());
  }
  if (!status) ReportWriteFailure(status.message);
}

void PrintExportCommands::MenuFileViewClick() {
  window_.StoreCurrentNode();
  FormView_->SetBackground(window_.controls().RichEditMain->palette().color(QPalette::Base));
  // The view shows the beginning at once and fills itself from a copy of the tree while the
  // user may already go on editing.
  {
    WaitCursor wait;
    FormView_->FillGradually(std::make_unique<RichDocumentSnapshot>(
        window_.outline(), PreorderRange{0, window_.outline().size()},
        ViewTextFormat(window_.settings().MemoFont), window_.settings().SplitLine));
  }
  const QRect main = window_.dialog_parent()->geometry();
  FormView_->setGeometry(main.left() + 32, main.top() + 32, main.width() - 32,
                         main.height() - 32);
  FormView_->show();
  FormView_->raise();
  FormView_->activateWindow();
}

void PrintExportCommands::RunPrint(const QTextDocument& document, const QString& job_name) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(job_name);
  const PrintPrompt::Choice choice = print_prompt_->Ask(
      window_.dialog_parent(), &printer, [&document](QPrinter* target) { document.print(target); });
  if (choice == PrintPrompt::Choice::kCancelled) return;
  TFormInfo info(window_.dialog_parent());
  bool printed = false;
  if (choice == PrintPrompt::Choice::kPrint) {
    info.SetState(job_name, kPrinting);
    info.ShowNow();
    WaitCursor wait;
    printed = PrintDocument(document, job_name, &printer);
  } else {
    printed = printer.printerState() != QPrinter::Error &&
              printer.printerState() != QPrinter::Aborted;
  }
  info.SetState(job_name, printed ? kPrinted : kPrintFailed);
  if (!printed) info.WaitForAcknowledgement();
  info.hide();
}

void PrintExportCommands::MenuFilePrintClick() {
  window_.StoreCurrentNode();
  const std::optional<TextFormat> format = ask_text_format_(window_);
  if (!format) return;
  const PreorderRange range = RangeOf(*format);
  if (range.empty()) return;
  FillView(*format, range);
  RunPrint(*FormView_->RichEditView->document(), JobName(window_.outline(), range.first));
}

void PrintExportCommands::MenuFileTreePrintClick() {
  window_.StoreCurrentNode();
  // The body pane's font as it is drawn: a face the system lacks ("ＭＳ ゴシック") starts the
  // dialog on the font that stands in for it, whose box characters line up, rather than on a
  // Latin default.
  QFont initial = window_.controls().RichEditMain->font();
  initial.setFamilies({QFontInfo(initial).family()});
  const std::optional<QFont> font = window_.dialogs().ChooseFont(window_.dialog_parent(), initial);
  if (!font) return;
  std::unique_ptr<QTextDocument> lines;
  {
    WaitCursor wait;
    lines = LinesDocument(BuildOutlineLines(window_.outline()), *font);
  }
  RunPrint(*lines, JobName(window_.outline(), 0));
}

void PrintExportCommands::MenuFileWordPadClick() {
  window_.StoreCurrentNode();
  const std::optional<TextFormat> format = ask_text_format_(window_);
  if (!format) return;
  const PreorderRange range = RangeOf(*format);
  if (range.empty()) return;
  rich::RichDocument built;
  FillView(*format, range, &built);
  const std::string print_file = ProgramFolderFile(kWordPadPrintFile);
  if (Status written = WriteFileAtomically(print_file, rich::WriteRtf(built)); !written) {
    ReportWriteFailure(written.message);
    return;
  }
  if (!StartRtfPrint(print_file)) {
    window_.dialogs().Message(window_.dialog_parent(), U8(kCannotStartCaption),
                              U8(kCannotStartWordPad), DialogIcon::kError);
  }
}

void PrintExportCommands::MenuTextCountClick() {
  window_.StoreCurrentNode();
  size_t current = 0;
  size_t total = 0;
  {
    WaitCursor wait;
    // The body pane's text, line by line, as the stored bodies are counted.
    for (const std::string& line :
         rich::DocumentLines(QtToRich(*window_.controls().RichEditMain->document()))) {
      current += CountCharacters(rich::Utf8ToPlainCp932(line));
    }
    total = CountAllBodies(window_.outline());
  }
  window_.dialogs().Message(window_.dialog_parent(), U8(kCountCaption),
                            QString::fromStdString(CountMessage(current, total)));
}

}  // namespace pw
