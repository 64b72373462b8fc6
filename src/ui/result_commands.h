// The commands that act on the hits of the result list, each on the
// selected rows: "Öffnen" (as the settings' viewer choice says), the
// full-screen viewer, the metadata window, "Dateioperationen" and the
// user's own actions under "Eigene Aktionen".
#pragma once

#include "engine/result_actions.h"
#include "engine/settings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QDialog;
class QUrl;
class QWidget;

namespace orvalis {

class TCommandSet;
class TDialogs;
class TResultPane;
class TfrmFileOperations;
class TfrmMetadata;

class TResultCommands : public QObject {
  Q_OBJECT

 public:
  // Connects the commands and reads the user's actions from the data
  // folder; the windows it opens belong to `window`.
  TResultCommands(TResultPane& results, const tSettings& settings, const TCommandSet& commands,
                  TDialogs& dialogs, QWidget& window);
  ~TResultCommands() override;

  // The dialog "Dateioperationen", made on first use and kept for the run.
  TfrmFileOperations* FileOperationsDialog();
  // The metadata window, made on first use and refilled each time.
  TfrmMetadata* MetadataWindow();

  // The user's own actions: read at start, written at the end, run per
  // selected file. Null when there were none at start and none entered since.
  TResultActions* ResultActions() const { return fResultActions.get(); }
  // The actions entered in the settings dialog replace these; where the
  // user deleted the last one, the menus empty.
  void TakeOverActions(TResultActions entered);
  void SaveResultActions();
  void actResultActionExecute(int index);

  // How programs and files are started; tests put their own in.
  std::function<bool(const QString& program, const QStringList& arguments)> StartDetached;
  std::function<void(const QUrl& url)> OpenUrl;
  // Modal windows run through this; tests look at the window instead.
  std::function<int(QDialog& window)> RunModal;

 private:
  void actFileOperationsExecute();
  void mnuOpenClick();
  void actFullScreenExecute();
  void mnuMetadataClick();
  void LoadResultActions();
  void BuildResultActionMenus();

  TResultPane& fResults;
  const tSettings& fSettings;
  const TCommandSet& fCommands;
  TDialogs& fDialogs;
  QWidget& fWindow;
  TfrmFileOperations* frmFileOperations = nullptr;
  TfrmMetadata* frmMetadata = nullptr;
  std::unique_ptr<TResultActions> fResultActions;
};

}  // namespace orvalis
