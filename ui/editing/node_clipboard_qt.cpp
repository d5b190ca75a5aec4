// Node payloads in and out of the system clipboard.
#include "ui/editing/node_clipboard_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "editing/node_clipboard.h"

namespace pw {

void WriteNodeClipboard(const Outline& scratch) {
  if (scratch.empty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string payload = BuildNodePayload(scratch);
  auto* mime = new QMimeData();
  mime->setData(QString::fromLatin1(PayloadFormatFor(scratch.child(nullptr, 0))),
                QByteArray(payload.data(), static_cast<qsizetype>(payload.size())));
  QGuiApplication::clipboard()->setMimeData(mime);
  QApplication::restoreOverrideCursor();
}

bool ClipboardHasFormat(const char* format) {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  return mime != nullptr && mime->hasFormat(QString::fromLatin1(format));
}

bool ClipboardHasText() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  return mime != nullptr && mime->hasText();
}

Status ReadNodeClipboard(const char* format, Outline* scratch) {
  scratch->Clear();
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr || !mime->hasFormat(QString::fromLatin1(format))) {
    return Status::Error(kPastedNothingMessage);
  }
  const QByteArray bytes = mime->data(QString::fromLatin1(format));
  const Status status = ReadNodePayload(
      std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), scratch);
  if (!status) scratch->Clear();
  return status;
}

}  // namespace pw
