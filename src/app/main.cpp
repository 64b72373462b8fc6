// The desktop program: starts into the main window.
#include "ui/application.h"
#include "ui/language.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  orvalis::SetUpApplication();
  // The language is chosen before any window exists.
  orvalis::TLanguage::Instance().Install(orvalis::StartupLocalizer(QApplication::arguments()));
  orvalis::TfrmMain window;
  window.show();
  return QApplication::exec();
}
