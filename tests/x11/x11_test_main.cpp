// The X11 suite's main(): one QApplication on the xcb platform (the display comes from the
// runner script), with the configuration and home folders in a private temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/qt_translation.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QTemporaryDir home;
  const QByteArray path = home.path().toLocal8Bit();
  setenv("HOME", path.constData(), 1);
  setenv("PLOTWEAVE_CONFIG_DIR", (path + "/config").constData(), 1);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plotweave"));
  pw::InstallQtJapanese(&application);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
