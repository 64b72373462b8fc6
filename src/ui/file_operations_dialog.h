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
  // Goes through rows in list order with the progress bar counting them.
  // Where question gives a text for a row and confirmation applies, it is
  // asked first: No skips the file, Cancel (and No to all where offered)
  // ends the run with the progress at 0, Yes to all asks no more. Then
  // act runs for the row and the progress goes on by one.
  void ForEachConfirmed(const std::vector<int>& rows, bool noToAll,
                        const std::function<QString(int row)>& question,
                        const std::function<void(int row)>& act);
  QString PathOf(int row) const;
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
