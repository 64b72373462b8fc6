// The desktop program: starts into the main window.
#include "ui/application.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  orvalis::SetUpApplication();
  orvalis::TfrmMain window;
  window.show();
  return QApplication::exec();
}
