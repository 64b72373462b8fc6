// The desktop program: starts into the main window.
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvalis"));
  QApplication::setApplicationDisplayName(QStringLiteral("Orvalis"));
  QApplication::setOrganizationName(QStringLiteral("Farrowlight"));
  QApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION));
  orvalis::TfrmMain window;
  window.show();
  return QApplication::exec();
}
