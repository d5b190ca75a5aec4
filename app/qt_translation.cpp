// Loads Qt's Japanese catalogue from the folder Qt was built to look in.
#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pw {

bool InstallQtJapanese(QCoreApplication* application) {
  // Owned by the application, so it lives exactly as long as the texts are looked up.
  auto* translator = new QTranslator(application);
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace pw
