// Qt's own texts (message-box buttons, the file, font and colour dialogs) in Japanese, so that
// they match the program's captions whatever the desktop's language.
#ifndef PLOTWEAVE_APP_QT_TRANSLATION_H_
#define PLOTWEAVE_APP_QT_TRANSLATION_H_

class QCoreApplication;

namespace pw {

// Installs Qt's Japanese catalogue (qtbase_ja.qm from Qt's translations folder) into the
// application. False, and Qt's English texts, when the catalogue is not installed.
bool InstallQtJapanese(QCoreApplication* application);

}  // namespace pw

#endif  // PLOTWEAVE_APP_QT_TRANSLATION_H_
