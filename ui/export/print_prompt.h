// The print dialog (PrintDialogMain) behind a small interface, so that the tests can answer
// it. Besides the printer and its options it offers a preview of the pages, from which the
// user may also print; printing to a PDF file is one of its printers.
#ifndef PLOTWEAVE_UI_EXPORT_PRINT_PROMPT_H_
#define PLOTWEAVE_UI_EXPORT_PRINT_PROMPT_H_

#include <functional>

class QPrinter;
class QWidget;

namespace pw {

inline constexpr char kPreviewButton[] = "プレビュー(&V)...";

class PrintPrompt {
 public:
  enum class Choice {
    kCancelled,
    kPrint,               // the caller prints on the printer as set up
    kPrintedFromPreview,  // the preview's print button already printed through `paint`
  };
  virtual ~PrintPrompt() = default;
  // Sets up `printer`; `paint` draws the document on a printer (the preview's and, from the
  // preview, the real one).
  virtual Choice Ask(QWidget* parent, QPrinter* printer,
                     const std::function<void(QPrinter*)>& paint) = 0;
};

// Qt's print dialog with a preview button, and Qt's preview dialog.
class QtPrintPrompt : public PrintPrompt {
 public:
  Choice Ask(QWidget* parent, QPrinter* printer,
             const std::function<void(QPrinter*)>& paint) override;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_PRINT_PROMPT_H_
