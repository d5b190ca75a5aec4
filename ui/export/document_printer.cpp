// One print job per document. QTextDocument::print lays a copy out on the printer's pages; it
// reports nothing, so success is read from the printer's state afterwards.
#include "ui/export/document_printer.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/common/qt_text.h"

namespace pw {

std::unique_ptr<QTextDocument> LinesDocument(const std::vector<std::string>& cp932_lines,
                                             const QFont& font) {
  auto document = std::make_unique<QTextDocument>();
  document->setDefaultFont(font);
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(cp932_lines.size()));
  for (const std::string& line : cp932_lines) lines.append(FromCp932(line));
  document->setPlainText(lines.join(QLatin1Char('\n')));
  // Select all and give it the chosen font, colour and style included.
  QTextCursor all(document.get());
  all.select(QTextCursor::Document);
  QTextCharFormat format;
  format.setFont(font);
  all.mergeCharFormat(format);
  return document;
}

bool PrintDocument(const QTextDocument& document, const QString& job_name, QPrinter* printer) {
  printer->setDocName(job_name);
  document.print(printer);
  return printer->printerState() != QPrinter::Error && printer->printerState() != QPrinter::Aborted;
}

Status PrintToPdf(const QTextDocument& document, const QString& job_name, const QString& pdf_path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf_path);
  if (!PrintDocument(document, job_name, &printer)) {
    return Status::Error(LocalPath(pdf_path) + ": PDF を書き出せません");
  }
  // A PDF that could not be opened leaves no file even when the printer does not say so.
  if (!QFileInfo(pdf_path).isFile() || QFileInfo(pdf_path).size() == 0) {
    return Status::Error(LocalPath(pdf_path) + ": PDF を書き出せません");
  }
  return Status::Ok();
}

}  // namespace pw
