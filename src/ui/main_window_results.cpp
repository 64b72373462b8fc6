// The main window's commands that act on the result files: file operations,
// opening a file, the full-screen viewer, the metadata window and the user's
// own actions. Each command is one method; ConnectResultCommands wires them.
#include "ui/main_window.h"

#include "engine/shell_command.h"
#include "i18n/messages.h"
#include "ui/dialogs.h"
#include "ui/file_operations_dialog.h"
#include "ui/image_viewer.h"
#include "ui/metadata_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace orvalis {

namespace {

QString Msg(std::string_view key, std::string_view germanDefault) {
  return QString::fromStdString(Message(key, germanDefault));
}

QString LocalPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

void TfrmMain::ConnectResultCommands() {
  StartDetached = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  RunModal = [](QDialog& window) { return window.exec(); };
  const auto wire = [this](const char* name, void (TfrmMain::*handler)()) {
    QAction* action = findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!action) return;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, handler);
  };
  wire("actFileOperations", &TfrmMain::actFileOperationsExecute);
  wire("mnuOpen", &TfrmMain::mnuOpenClick);
  wire("actFullScreen", &TfrmMain::actFullScreenExecute);
  wire("mnuMetadata", &TfrmMain::mnuMetadataClick);
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
  RunModal(*FileOperationsDialog());
}

void TfrmMain::mnuOpenClick() {
  const std::vector<int> rows = vwResult->SelectedRows();
  if (rows.empty()) return;
  const std::string& path = vwResult->Model().Row(rows.front()).FileInfo.Path;
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
  TfrmViewer viewer(*vwResult, *fDialogs, fSettings.TurnByOrientation, this);
  if (QScreen* screen = this->screen()) viewer.setGeometry(screen->geometry());
  viewer.Start();
  RunModal(viewer);
}

TfrmMetadata* TfrmMain::MetadataWindow() {
  if (!frmMetadata) frmMetadata = new TfrmMetadata(this);
  return frmMetadata;
}

void TfrmMain::mnuMetadataClick() {
  const std::vector<int> rows = vwResult->SelectedRows();
  if (rows.empty()) return;
  MetadataWindow()->Fill(vwResult->Model().Row(rows.front()).FileInfo.Path);
  RunModal(*MetadataWindow());
}

}  // namespace orvalis
