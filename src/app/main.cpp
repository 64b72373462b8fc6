// The desktop program: starts into the main window.
#include "ui/application.h"
#include "ui/help_router.h"
#include "ui/language.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  orvalis::SetUpApplication();
  orvalis::StartHelpLog(QApplication::arguments());
  orvalis::InstallHelpKey(application);
  // The language is chosen before any window exists.
  orvalis::TLanguage::Instance().Install(orvalis::StartupLocalizer(QApplication::arguments()));
  orvalis::TfrmMain window;
  window.show();
  // The help pages belong beside the program; without them every help
  // request would fail, so say so once at start.
  const QString help = orvalis::THelpRouter::Instance().HelpFolder();
  if (!QDir(help).exists()) {
    QMessageBox::warning(&window, QStringLiteral("Orvalis"),
                         QStringLiteral("Hilfe-Datei nicht gefunden\r") + help);
  }
  const int status = QApplication::exec();
  orvalis::THelpRouter::Instance().CloseAll();
  return status;
}
