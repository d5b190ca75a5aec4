// main() of plotweave: the application object, the main window and the command line.
#include <QApplication>

#include "ui/common/tree_icons.h"
#include "ui/window/tform_main.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plotweave"));
  QApplication::setWindowIcon(pw::ApplicationIcon());
  pw::TFormMain window;
  window.StartUp(QApplication::arguments());
  window.show();
  return QApplication::exec();
}
