// Printing what the document viewer shows, or the tree print's lines, as one job through Qt's
// printing support: on a printer the print dialog set up, or into a PDF file.
#ifndef PLOTWEAVE_UI_EXPORT_DOCUMENT_PRINTER_H_
#define PLOTWEAVE_UI_EXPORT_DOCUMENT_PRINTER_H_

#include <QFont>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "core/status.h"

class QPrinter;
class QTextDocument;

namespace pw {

// The tree print's document: the CP932 lines as plain text in one font.
std::unique_ptr<QTextDocument> LinesDocument(const std::vector<std::string>& cp932_lines,
                                             const QFont& font);

// Prints `document` as one job named `job_name` (the printer's own layout: margins and page
// breaks are Qt's). False when the printer could not be opened or reported an error.
bool PrintDocument(const QTextDocument& document, const QString& job_name, QPrinter* printer);

// The same into a PDF file; the job name becomes the PDF's title.
Status PrintToPdf(const QTextDocument& document, const QString& job_name, const QString& pdf_path);

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_DOCUMENT_PRINTER_H_
