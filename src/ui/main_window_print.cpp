// The main window's print command: the dialog "Drucken", then the selected
// rows of the result list printed with the query text.
#include "ui/main_window.h"

#include "ui/dialogs.h"
#include "ui/help_router.h"
#include "ui/main_commands.h"
#include "ui/print_dialog.h"

#include <QAction>
#include <QPlainTextEdit>

namespace orvalis {

void TfrmMain::CreatePrintDialog() {
  frmPrintMain = new TfrmPrintMain(*fDialogs, this);
  frmPrintMain->SetHelpHandler([](const QString& topic) { ShowHelpTopic(topic); });
  SetHelpKeyword(frmPrintMain, QStringLiteral("ProgramUsage\\printing.htm"));
  connect(Commands().Action(tCommand::actPrint), &QAction::triggered, this,
          &TfrmMain::actPrintExecute);
}

void TfrmMain::actPrintExecute() {
  if (fResults->View().SelectedRows().empty()) fResults->View().SelectAllRows();
  frmPrintMain->FillPrinters();
  if (!fDialogs->Execute(*frmPrintMain) || !frmPrintMain->PrinterReady()) return;
  const std::vector<int> rows = fResults->View().SelectedRows();
  std::optional<TPrintOptions> options = frmPrintMain->Options();
  // An empty margin field prints nothing, without a message.
  if (rows.empty() || !options) return;
  options->PagePause = PrintPagePause;
  PrintResults(frmPrintMain->Printer(), fResults->View().Model(), rows,
               txtQuery->toPlainText().split(QLatin1Char('\n')), *options, this);
}

}  // namespace orvalis
