// The main window's commands that act on the result files: file operations,
// opening a file, the full-screen viewer, the metadata window and the user's
// own actions. Each command is one method; ConnectResultCommands wires them.
#include "ui/main_window.h"

#include "i18n/messages.h"
#include "ui/dialogs.h"
#include "ui/file_operations_dialog.h"

#include <QAction>

namespace orvalis {

namespace {

QString Msg(std::string_view key, std::string_view germanDefault) {
  return QString::fromStdString(Message(key, germanDefault));
}

}  // namespace

void TfrmMain::ConnectResultCommands() {
  const auto wire = [this](const char* name, void (TfrmMain::*handler)()) {
    QAction* action = findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!action) return;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, handler);
  };
  wire("actFileOperations", &TfrmMain::actFileOperationsExecute);
}

TfrmFileOperations* TfrmMain::FileOperationsDialog() {
  if (!frmFileOperations) frmFileOperations = new TfrmFileOperations(*vwResult, *fDialogs, this);
  return frmFileOperations;
}

void TfrmMain::actFileOperationsExecute() {
  if (vwResult->SelectedRows().empty()) {
    fDialogs->ShowMessage(Msg("NoFilesSelected", "Keine Dateien ausgewählt."));
    return;
  }
  FileOperationsDialog()->exec();
}

}  // namespace orvalis
