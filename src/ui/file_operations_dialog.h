// The dialog "Dateioperationen": copy, move, delete, open folder, save names,
// copy thumbnails and run a command over the selected result files. Its
// fields keep their text for the whole program run.
#pragma once

#include "i18n/catalogue.h"
#include <QDialog>
#include <QStringList>

#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QUrl;

namespace orvalis {

class TDialogs;
class TResultView;

class TfrmFileOperations : public QDialog {
  Q_OBJECT

 public:
  TfrmFileOperations(TResultView& results, TDialogs& dialogs, QWidget* parent = nullptr);

  // The operations, as their buttons run them.
  void btnCopyClick();
  void btnMoveClick();
  void btnDeleteClick();
  void btnOpenFolderClick();
  void btnSaveNamesClick();
  void btnCopyThumbsClick();
  void btnRunCommandClick();

  // How programs and folders are started; tests put their own in.
  std::function<bool(const QString& program, const QStringList& arguments)> StartDetached;
  std::function<void(const QUrl& url)> OpenUrl;

  QLineEdit* edtCopyFolder;
  QLineEdit* edtMoveFolder;
  QRadioButton* rbRecycleBin;
  QRadioButton* rbDeletePermanently;
  QLineEdit* edtThumbFolder;
  QLineEdit* edtNameListFile;
  QLineEdit* edtCommand;
  QCheckBox* chkConfirm;
  QProgressBar* pbProgress;

 private:
  enum class tTransfer { Copy, Move };
  void Transfer(tTransfer kind, QLineEdit* folderField);
  // The answer to a confirmation, or Yes without asking when confirmation
  // is off or "Yes to all" was chosen in this run of the operation.
  bool Confirm(bool& yesToAll, const QString& text, bool noToAll, bool& stop);
  void BrowseFolder(QLineEdit* field);
  void BrowseNameList();
  void Report(tText message, const QString& argument);
  void RemoveRows(std::vector<int> rows);

  TResultView& fResults;
  TDialogs& fDialogs;
};

// Copies source to target through a temporary file in the target's folder
// renamed into place at the end: a copy that fails leaves the target as it
// was and no half file. False on failure.
bool CopyFileWhole(const QString& source, const QString& target);

// Moves source onto target, replacing it. A move inside one file system is
// one rename; across file systems the file is copied whole and the source
// removed after. When anything fails the source stays where it was.
bool MoveFileReplacing(const QString& source, const QString& target);

}  // namespace orvalis
