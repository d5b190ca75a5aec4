// The window's rich-text exports and their neighbours: one RTF file, the box-drawn outline, the
// MeDoc e-book, the whole-document view, printing (of the document, of the tree, through
// LibreOffice in WordPad's stead) and the character count.
#ifndef PLOTWEAVE_UI_EXPORT_PRINT_EXPORT_COMMANDS_H_
#define PLOTWEAVE_UI_EXPORT_PRINT_EXPORT_COMMANDS_H_

#include <QObject>
#include <functional>
#include <QString>
#include <memory>
#include <optional>

#include "export/export_scope.h"
#include "export/text_format.h"
#include "richtext/rich_document.h"

class QTextDocument;

namespace pw {

class ActionRegistry;
class PrintPrompt;
class TFormView;
class WindowContext;

inline constexpr char kWordPadPrintFile[] = "Plotweave.TMP";
inline constexpr char kCannotStartCaption[] = "実行できません";
inline constexpr char kCannotStartWordPad[] = "WORDPADを起動出来ませんでした。";

class PrintExportCommands : public QObject {
 public:
  explicit PrintExportCommands(WindowContext& window);
  ~PrintExportCommands() override;

  void Bind(ActionRegistry& actions);

  void MenuSaveRTFClick();
  void MenuSaveOutlineClick();
  void MenuSaveMeDocClick();
  void MenuFileViewClick();
  void MenuFilePrintClick();
  void MenuFileTreePrintClick();
  void MenuFileWordPadClick();
  void MenuTextCountClick();

  TFormView* FormView() const { return FormView_; }
  // Tests answer the print dialog.
  void SetPrintPrompt(std::unique_ptr<PrintPrompt> prompt);
  // The text-format dialog as the RTF export, printing and WordPad printing show it: the
  // indentation group hidden, the title-font group shown with the title pane's font. nullopt:
  // cancelled. Tests replace it.
  using TextFormatAsker = std::function<std::optional<TextFormat>(WindowContext&)>;
  void SetTextFormatAsker(TextFormatAsker asker) { ask_text_format_ = std::move(asker); }

 private:
  // The nodes a scope covers in the window's tree.
  PreorderRange RangeOf(const TextFormat& format) const;
  // Fills the viewer with the document the builder makes of `range`; `built` keeps a copy.
  void FillView(const TextFormat& format, PreorderRange range,
                rich::RichDocument* built = nullptr);
  // The print dialog, then the job with the print progress window.
  void RunPrint(const QTextDocument& document, const QString& job_name);
  void ReportWriteFailure(const std::string& message);

  WindowContext& window_;
  TFormView* FormView_;
  std::unique_ptr<PrintPrompt> print_prompt_;
  TextFormatAsker ask_text_format_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_PRINT_EXPORT_COMMANDS_H_
