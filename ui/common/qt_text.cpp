// CP932 <-> QString through the core converter, so the window never repeats its rules.
#include "ui/common/qt_text.h"

#include <QByteArray>
#include <QFile>

#include "core/cp932.h"

namespace pw {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromCp932(std::string_view cp932) {
  const Conversion utf8 = Cp932ToUtf8(cp932);
  return QString::fromUtf8(utf8.text.data(), static_cast<qsizetype>(utf8.text.size()));
}

Cp932Text ToCp932(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  Conversion cp932 = Utf8ToCp932(std::string_view(utf8.constData(), utf8.size()));
  return {std::move(cp932.text), cp932.unmappable};
}

}  // namespace pw
