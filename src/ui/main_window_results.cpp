// The main window's commands that act on the result files: file operations,
// opening a file, the full-screen viewer, the metadata window and the user's
// own actions. Each command is one method; ConnectResultCommands wires them.
#include "ui/qt_text.h"
#include "ui/ui_text.h"
#include "ui/main_window.h"

#include "engine/data_folder.h"
#include "engine/help_log.h"
#include "engine/shell_command.h"
#include "i18n/messages.h"
#include "ui/dialogs.h"
#include "ui/file_operations_dialog.h"
#include "ui/help_router.h"
#include "ui/image_viewer.h"
#include "ui/main_commands.h"
#include "ui/metadata_window.h"
#include "ui/result_action_menus.h"
#include "ui/settings_dialog.h"
#include "ui/actions_page.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace orvalis {

namespace {

QString ActionFile() {
  return LocalPath(DataFolder()) + QStringLiteral("ResultActions.ini");
}

}  // namespace

void TfrmMain::ConnectResultCommands() {
  StartDetached = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  RunModal = [](QDialog& window) { return window.exec(); };
  const auto wire = [this](tCommand command, void (TfrmMain::*handler)()) {
    connect(Commands().Action(command), &QAction::triggered, this, handler);
  };
  wire(tCommand::actFileOperations, &TfrmMain::actFileOperationsExecute);
  wire(tCommand::mnuOpen, &TfrmMain::mnuOpenClick);
  wire(tCommand::actFullScreen, &TfrmMain::actFullScreenExecute);
  wire(tCommand::mnuMetadata, &TfrmMain::mnuMetadataClick);
  if (QMenu* menu = Commands().Submenu(tCommand::mnuResultActions)) SetHelpContext(menu, 11000);
  frmSettings->pgActions->EditAction = [this](TResultAction& action) {
    TfrmAction dialog(*fDialogs, this);
    dialog.SetAction(action);
    if (dialog.exec() != QDialog::Accepted) return false;
    action = dialog.Action();
    return true;
  };
  LoadResultActions();
}

TfrmFileOperations* TfrmMain::FileOperationsDialog() {
  if (!frmFileOperations) frmFileOperations = new TfrmFileOperations(fResults->View(), *fDialogs, this);
  return frmFileOperations;
}

void TfrmMain::actFileOperationsExecute() {
  if (fResults->View().SelectedRows().empty()) {
    // File operations take an empty translation as it is (form 2).
    fDialogs->ShowMessage(QString::fromStdString(TextIfPresent(tText::NoFilesSelected)));
    return;
  }
  RunModal(*FileOperationsDialog());
}

void TfrmMain::mnuOpenClick() {
  const std::vector<int> rows = fResults->View().SelectedRows();
  if (rows.empty()) return;
  const std::string& path = fResults->View().Model().Row(rows.front()).FileInfo.Path;
  switch (fSettings.ViewerModeLetter()) {
    case 'I':
      actFullScreenExecute();
      break;
    case 'U': {
      const QString program = DisplayText(fSettings.ResultViewerAppname).trimmed();
      if (program.isEmpty()) return;
      QStringList arguments;
      for (const std::string& argument : ViewerArguments(fSettings.ResultViewerParams, path)) {
        arguments.append(LocalPath(argument));
      }
      // A failed launch is not reported.
      StartDetached(program, arguments);
      break;
    }
    case 'W':
      OpenUrl(QUrl::fromLocalFile(LocalPath(path)));
      break;
    default:
      break;
  }
}

void TfrmMain::actFullScreenExecute() {
  TfrmViewer viewer(fResults->View(), *fDialogs, fSettings.TurnByOrientation, this);
  if (QScreen* screen = this->screen()) viewer.setGeometry(screen->geometry());
  viewer.Start();
  RunModal(viewer);
}

TfrmMetadata* TfrmMain::MetadataWindow() {
  if (!frmMetadata) frmMetadata = new TfrmMetadata(this);
  return frmMetadata;
}

void TfrmMain::mnuMetadataClick() {
  const std::vector<int> rows = fResults->View().SelectedRows();
  if (rows.empty()) return;
  MetadataWindow()->Fill(fResults->View().Model().Row(rows.front()).FileInfo.Path);
  RunModal(*MetadataWindow());
}


void TfrmMain::LoadResultActions() {
  const std::string folder = DataFolder();
  if (folder.empty() || !QFileInfo::exists(ActionFile())) return;
  fResultActions = std::make_unique<TResultActions>();
  std::string error;
  const int read = fResultActions->LoadFromFile(
      QFile::encodeName(ActionFile()).toStdString(),
      [](const std::string& program) { return QFileInfo(LocalPath(program)).isFile(); }, error);
  if (read < 0) {
    fResultActions.reset();
    fDialogs->ShowMessage(Ui(tText::ActionLoadError) +
                          QString::fromStdString(error));
    return;
  }
  BuildResultActionMenus();
}

void TfrmMain::BuildResultActionMenus() {
  BuildMenus(*fResultActions, Commands().Submenu(tCommand::mnuResultActions),
             Commands().Submenu(tCommand::mnuContextResultActions),
             [this](int index) { actResultActionExecute(index); });
}

void TfrmMain::SaveResultActions() {
  if (!fResultActions || DataFolder().empty()) return;
  QDir().mkpath(LocalPath(DataFolder()));
  std::string error;
  if (!fResultActions->SaveToFile(QFile::encodeName(ActionFile()).toStdString(), error)) {
    fDialogs->ShowMessage(QString::fromStdString(error));
  }
}

void TfrmMain::TakeOverActionsPage() {
  TResultActions entered = frmSettings->pgActions->Actions();
  // An empty grid where there were no actions changes nothing. Where the
  // user deleted the last row, the actions are gone, menus and file alike.
  if (entered.Count() == 0 && !fResultActions) return;
  fResultActions = std::make_unique<TResultActions>(std::move(entered));
  if (fResultActions->Count() > 0) {
    BuildResultActionMenus();
    return;
  }
  for (tCommand command : {tCommand::mnuResultActions, tCommand::mnuContextResultActions}) {
    if (QMenu* menu = Commands().Submenu(command)) {
      menu->clear();
      menu->setEnabled(false);
    }
  }
}

void TfrmMain::actResultActionExecute(int index) {
  if (!fResultActions || index < 0 || index >= fResultActions->Count()) return;
  const std::vector<int> rows = fResults->View().SelectedRows();
  if (rows.empty()) {
    fDialogs->ShowMessage(Ui(tText::NoFilesSelected));
    return;
  }
  const TResultAction action = fResultActions->Items(index);
  const QString program = LocalPath(action.Program);
  for (int row : rows) {
    const std::string& path = fResults->View().Model().Row(row).FileInfo.Path;
    QStringList arguments;
    for (const std::string& argument : ActionArguments(action.CmdLine, path, fResults->ResultSet())) {
      arguments.append(LocalPath(argument));
    }
    if (StartDetached(program, arguments)) continue;
    // The program could not be started: say so, then the next file.
    const QString parameters = arguments.join(QLatin1Char(' '));
    // The codes of the described platform, as near as the file tells.
    const QFileInfo file(program);
    const QString failure = !file.exists()       ? QStringLiteral("[Error:2] File Not Found")
                            : !file.isExecutable() ? QStringLiteral("[Error:5] Access Denied")
                                                   : QStringLiteral("[Error:0] General Failure");
    const QString warning = Ui(tText::ShellOpenWarning).arg(program + QStringLiteral(", ") + parameters, failure);
    fDialogs->ShowMessage(warning);
    HelpLog().Write(warning.toStdString());
    const QString shellError = QString::fromStdString(Text(tText::ShellError));
    fDialogs->ShowMessage(shellError.isEmpty()
                              ? Ui(tText::ShellErrorDefault) + program +
                                    QLatin1Char(' ') + parameters
                              : QString(shellError).replace(QStringLiteral("%s"), parameters));
  }
}

}  // namespace orvalis
