// The main window's help menu and its help context.
#include "ui/about_dialog.h"
#include "ui/dialogs.h"
#include "ui/help_router.h"
#include "ui/main_commands.h"
#include "ui/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace orvalis {

namespace {
constexpr const char* kHomepage = "https://farrowlight.org/orvalis/";
constexpr int kHelpContents = 100;
constexpr int kQuerySyntax = 5000;
}  // namespace

void TfrmMain::ConnectHelpCommands() {
  SetHelpContext(this, kHelpContents);
  frmAbout = new TfrmAbout(this);
  const TCommandSet& commands = *fCommands;
  connect(commands.Action(tCommand::mnuHelpTopics), &QAction::triggered, this,
          [] { ShowHelpContext(kHelpContents); });
  connect(commands.Action(tCommand::mnuQuerySyntax), &QAction::triggered, this,
          [] { ShowHelpContext(kQuerySyntax); });
  connect(commands.Action(tCommand::mnuHomepage), &QAction::triggered, this,
          [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomepage))); });
  connect(commands.Action(tCommand::actAbout), &QAction::triggered, this, [this] {
    frmAbout->Prepare(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    fDialogs->Execute(*frmAbout);
  });
}

}  // namespace orvalis
