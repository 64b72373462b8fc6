// The commands that act on the hits of the result list: file operations,
// opening a file, the full-screen viewer, the metadata window and the
// user's own actions, each on the selected rows.
#include "ui/result_commands.h"

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
#include "ui/qt_text.h"
#include "ui/result_action_menus.h"
#include "ui/result_pane.h"
#include "ui/ui_text.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace orvalis {

namespace {

QString ActionFile() { return LocalPath(DataFolder()) + QStringLiteral("ResultActions.ini"); }

}  // namespace

TResultCommands::TResultCommands(TResultPane& results, const tSettings& settings,
                                 const TCommandSet& commands, TDialogs& dialogs, QWidget& window)
    : QObject(&window),
      fResults(results),
      fSettings(settings),
      fCommands(commands),
      fDialogs(dialogs),
      fWindow(window) {
  StartDetached = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  RunModal = [](QDialog& shown) { return shown.exec(); };
  const auto wire = [this](tCommand command, void (TResultCommands::*handler)()) {
    connect(fCommands.Action(command), &QAction::triggered, this, handler);
  };
  wire(tCommand::actFileOperations, &TResultCommands::actFileOperationsExecute);
  wire(tCommand::mnuOpen, &TResultCommands::mnuOpenClick);
  wire(tCommand::actFullScreen, &TResultCommands::actFullScreenExecute);
  wire(tCommand::mnuMetadata, &TResultCommands::mnuMetadataClick);
  if (QMenu* menu = fCommands.Submenu(tCommand::mnuResultActions)) SetHelpContext(menu, 11000);
  LoadResultActions();
}

TResultCommands::~TResultCommands() = default;

TfrmFileOperations* TResultCommands::FileOperationsDialog() {
  if (!frmFileOperations)
    frmFileOperations = new TfrmFileOperations(fResults.View(), fDialogs, &fWindow);
  return frmFileOperations;
}

void TResultCommands::actFileOperationsExecute() {
  if (fResults.View().SelectedRows().empty()) {
    // File operations take an empty translation as it is (form 2).
    fDialogs.ShowMessage(QString::fromStdString(TextIfPresent(tText::NoFilesSelected)));
    return;
  }
  RunModal(*FileOperationsDialog());
}

void TResultCommands::mnuOpenClick() {
  const std::vector<int> rows = fResults.View().SelectedRows();
  if (rows.empty()) return;
  const std::string& path = fResults.View().Model().Row(rows.front()).FileInfo.Path;
  switch (fSettings.ViewerModeLetter()) {
    case 'I': actFullScreenExecute(); break;
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
    case 'W': OpenUrl(QUrl::fromLocalFile(LocalPath(path))); break;
    default: break;
  }
}

void TResultCommands::actFullScreenExecute() {
  TfrmViewer viewer(fResults.View(), fDialogs, fSettings.TurnByOrientation, &fWindow);
  if (QScreen* screen = fWindow.screen()) viewer.setGeometry(screen->geometry());
  viewer.Start();
  RunModal(viewer);
}

TfrmMetadata* TResultCommands::MetadataWindow() {
  if (!frmMetadata) frmMetadata = new TfrmMetadata(&fWindow);
  return frmMetadata;
}

void TResultCommands::mnuMetadataClick() {
  const std::vector<int> rows = fResults.View().SelectedRows();
  if (rows.empty()) return;
  MetadataWindow()->Fill(fResults.View().Model().Row(rows.front()).FileInfo.Path);
  RunModal(*MetadataWindow());
}

void TResultCommands::LoadResultActions() {
  const std::string folder = DataFolder();
  if (folder.empty() || !QFileInfo::exists(ActionFile())) return;
  fResultActions = std::make_unique<TResultActions>();
  std::string error;
  const int read = fResultActions->LoadFromFile(
      QFile::encodeName(ActionFile()).toStdString(),
      [](const std::string& program) { return QFileInfo(LocalPath(program)).isFile(); }, error);
  if (read < 0) {
    fResultActions.reset();
    fDialogs.ShowMessage(Ui(tText::ActionLoadError) + QString::fromStdString(error));
    return;
  }
  BuildResultActionMenus();
}

void TResultCommands::BuildResultActionMenus() {
  BuildMenus(*fResultActions, fCommands.Submenu(tCommand::mnuResultActions),
             fCommands.Submenu(tCommand::mnuContextResultActions),
             [this](int index) { actResultActionExecute(index); });
}

void TResultCommands::SaveResultActions() {
  if (!fResultActions || DataFolder().empty()) return;
  QDir().mkpath(LocalPath(DataFolder()));
  std::string error;
  if (!fResultActions->SaveToFile(QFile::encodeName(ActionFile()).toStdString(), error)) {
    fDialogs.ShowMessage(QString::fromStdString(error));
  }
}

void TResultCommands::actResultActionExecute(int index) {
  if (!fResultActions || index < 0 || index >= fResultActions->Count()) return;
  const std::vector<int> rows = fResults.View().SelectedRows();
  if (rows.empty()) {
    fDialogs.ShowMessage(Ui(tText::NoFilesSelected));
    return;
  }
  const TResultAction action = fResultActions->Items(index);
  const QString program = LocalPath(action.Program);
  for (int row : rows) {
    const std::string& path = fResults.View().Model().Row(row).FileInfo.Path;
    QStringList arguments;
    for (const std::string& argument :
         ActionArguments(action.CmdLine, path, fResults.ResultSet())) {
      arguments.append(LocalPath(argument));
    }
    if (StartDetached(program, arguments)) continue;
    // The program could not be started: say so, then the next file.
    const QString parameters = arguments.join(QLatin1Char(' '));
    // The codes of the described platform, as near as the file tells.
    const QFileInfo file(program);
    const QString failure = !file.exists()         ? QStringLiteral("[Error:2] File Not Found")
                            : !file.isExecutable() ? QStringLiteral("[Error:5] Access Denied")
                                                   : QStringLiteral("[Error:0] General Failure");
    const QString warning =
        Ui(tText::ShellOpenWarning).arg(program + QStringLiteral(", ") + parameters, failure);
    fDialogs.ShowMessage(warning);
    HelpLog().Write(warning.toStdString());
    const QString shellError = QString::fromStdString(Text(tText::ShellError));
    fDialogs.ShowMessage(shellError.isEmpty()
                             ? Ui(tText::ShellErrorDefault) + program + QLatin1Char(' ') +
                                   parameters
                             : QString(shellError).replace(QStringLiteral("%s"), parameters));
  }
}

void TResultCommands::TakeOverActions(TResultActions entered) {
  // An empty grid where there were no actions changes nothing. Where the
  // user deleted the last row, the actions are gone, menus and file alike.
  if (entered.Count() == 0 && !fResultActions) return;
  fResultActions = std::make_unique<TResultActions>(std::move(entered));
  if (fResultActions->Count() > 0) {
    BuildResultActionMenus();
    return;
  }
  for (tCommand command : {tCommand::mnuResultActions, tCommand::mnuContextResultActions}) {
    if (QMenu* menu = fCommands.Submenu(command)) {
      menu->clear();
      menu->setEnabled(false);
    }
  }
}

}  // namespace orvalis
