// One print job per document. QTextDocument::print lays a copy out on the printer's pages; it
// reports nothing, so success is read from the printer's state afterwards.
#include "ui/export/document_printer.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>

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
  const Status failed = Status::Error(LocalPath(pdf_path) + ": PDF を書き出せません");
  // Printed beside the target and renamed over it: a print that fails leaves an earlier file of
  // that name as it was, and is never taken for a success because that file is there.
  QTemporaryFile temp(pdf_path + QStringLiteral(".XXXXXX"));
  if (!temp.open()) return failed;
  const QString temp_path = temp.fileName();
  temp.close();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(temp_path);
  const bool printed = PrintDocument(document, job_name, &printer);
  // A PDF that could not be opened leaves the file empty even when the printer does not say so.
  if (!printed || QFileInfo(temp_path).size() == 0 ||
      std::rename(LocalPath(temp_path).c_str(), LocalPath(pdf_path).c_str()) != 0) {
    return failed;  // the temporary file goes with `temp`
  }
  temp.setAutoRemove(false);  // it is the PDF now
  // The temporary file was private; the PDF gets the mode any new file of the user gets.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(LocalPath(pdf_path).c_str(), 0666 & ~mask);
  return Status::Ok();
}

}  // namespace pw
