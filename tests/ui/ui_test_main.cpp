// The UI tests' main(): one QApplication for all of them, offscreen unless told otherwise,
// with the configuration and home folders in a private temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/qt_translation.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir home;
  const QByteArray path = home.path().toLocal8Bit();
  setenv("HOME", path.constData(), 1);
  setenv("PLOTWEAVE_CONFIG_DIR", (path + "/config").constData(), 1);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plotweave"));
  pw::InstallQtJapanese(&application);  // as main() does
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
