// The file operations over the selected result files.
#include "ui/file_operations_dialog.h"

#include "common/whole_file.h"
#include "engine/shell_command.h"
#include "i18n/file_messages.h"
#include "i18n/messages.h"
#include "ui/dialog_rows.h"
#include "ui/dialogs.h"
#include "ui/help_router.h"
#include "ui/language.h"
#include "ui/qt_text.h"
#include "ui/result_view.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace orvalis {

namespace {

QString WithSlash(QString folder) {
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

bool SameFile(const QString& a, const QString& b) {
  const QFileInfo first(a);
  const QFileInfo second(b);
  return second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

// Qt sets up the trash under the user's data folder only when that folder
// exists; otherwise it puts the file into "files" of the current folder.
bool MoveToTrash(const QString& path) {
  QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
  return QFile::moveToTrash(path);
}

}  // namespace

bool CopyFileWhole(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return false;
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) return false;
  QByteArray chunk;
  while (!(chunk = in.read(1 << 20)).isEmpty()) {
    if (out.write(chunk) != chunk.size()) {
      out.cancelWriting();
      return false;
    }
  }
  if (in.error() != QFileDevice::NoError) {
    out.cancelWriting();
    return false;
  }
  out.setPermissions(in.permissions());
  return out.commit();
}

bool MoveFileReplacing(const QString& source, const QString& target) {
  const QByteArray from = QFile::encodeName(source);
  const QByteArray to = QFile::encodeName(target);
  if (std::rename(from.constData(), to.constData()) == 0) return true;
  if (errno != EXDEV) return false;
  // Another file system: the whole copy is in place before the source goes.
  if (!CopyFileWhole(source, target)) return false;
  return QFile::remove(source);
}

TfrmFileOperations::TfrmFileOperations(TResultView& results, TDialogs& dialogs, QWidget* parent)
    : QDialog(parent), fResults(results), fDialogs(dialogs) {
  setObjectName(QStringLiteral("frmFileOps"));
  Caption(this, tText::frmFileOps_self_caption);
  StartDetached = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

  auto* grid = new QGridLayout;
  auto button = [this](tText caption, void (TfrmFileOperations::*slot)()) {
    auto* b = Caption(new QPushButton, caption);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto browse = [this](QLineEdit* field, bool nameList) {
    auto* b = new QPushButton(QStringLiteral("..."));
    b->setFixedWidth(28);
    connect(b, &QPushButton::clicked, this, [this, field, nameList] {
      if (nameList) {
        BrowseNameList();
      } else {
        BrowseFolder(field);
      }
    });
    return b;
  };
  edtCopyFolder = new QLineEdit;
  edtMoveFolder = new QLineEdit;
  edtThumbFolder = new QLineEdit;
  edtNameListFile = new QLineEdit;
  edtCommand = new QLineEdit;
  Hint(edtCommand, tText::frmFileOps_edtCommand_hint);
  rbRecycleBin = Caption(new QRadioButton, tText::frmFileOps_rbRecycleBin_caption);
  rbDeletePermanently = Caption(new QRadioButton, tText::frmFileOps_rbDeletePermanently_caption);
  rbRecycleBin->setChecked(true);

  QPushButton* btnCopy =
      button(tText::frmFileOps_btnCopy_caption, &TfrmFileOperations::btnCopyClick);
  QPushButton* btnMove =
      button(tText::frmFileOps_btnMove_caption, &TfrmFileOperations::btnMoveClick);
  QPushButton* btnCopyThumbs =
      button(tText::frmFileOps_btnCopyThumbs_caption, &TfrmFileOperations::btnCopyThumbsClick);
  QPushButton* btnSaveNames =
      button(tText::frmFileOps_btnSaveNames_caption, &TfrmFileOperations::btnSaveNamesClick);
  QPushButton* btnRunCommand =
      button(tText::frmFileOps_btnRunCommand_caption, &TfrmFileOperations::btnRunCommandClick);
  grid->addWidget(btnCopy, 0, 0);
  grid->addWidget(edtCopyFolder, 0, 1, 1, 2);
  grid->addWidget(browse(edtCopyFolder, false), 0, 3);
  grid->addWidget(btnMove, 1, 0);
  grid->addWidget(edtMoveFolder, 1, 1, 1, 2);
  grid->addWidget(browse(edtMoveFolder, false), 1, 3);
  grid->addWidget(button(tText::frmFileOps_btnDelete_caption, &TfrmFileOperations::btnDeleteClick),
                  2, 0);
  grid->addWidget(rbRecycleBin, 2, 1);
  grid->addWidget(rbDeletePermanently, 2, 2);
  grid->addWidget(btnCopyThumbs, 3, 0);
  grid->addWidget(edtThumbFolder, 3, 1, 1, 2);
  grid->addWidget(browse(edtThumbFolder, false), 3, 3);
  grid->addWidget(
      button(tText::frmFileOps_btnOpenFolder_caption, &TfrmFileOperations::btnOpenFolderClick), 4,
      0);
  grid->addWidget(btnSaveNames, 5, 0);
  grid->addWidget(edtNameListFile, 5, 1, 1, 2);
  grid->addWidget(browse(edtNameListFile, true), 5, 3);
  grid->addWidget(btnRunCommand, 6, 0);
  grid->addWidget(edtCommand, 6, 1, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);

  auto* options = Caption(new QGroupBox, tText::frmFileOps_grpOptions_caption);
  chkConfirm = Caption(new QCheckBox, tText::frmFileOps_chkConfirm_caption);
  chkConfirm->setChecked(true);
  auto* optionsLayout = new QVBoxLayout(options);
  optionsLayout->addWidget(chkConfirm);

  pbProgress = new QProgressBar;
  pbProgress->setRange(0, 100);
  pbProgress->setValue(0);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = Caption(buttons->addButton(QString(), QDialogButtonBox::AcceptRole),
                            tText::frmFileOps_btnOK_caption);
  ok->setObjectName(QStringLiteral("btnOK"));
  Caption(buttons->addButton(QString(), QDialogButtonBox::RejectRole),
          tText::frmFileOps_btnCancel_caption);
  SetHelpContext(this, 8000);
  connect(Caption(buttons->addButton(QString(), QDialogButtonBox::HelpRole),
                  tText::frmFileOps_btnHelp_caption),
          &QPushButton::clicked, this, [] { ShowHelpContext(8000); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(options);
  layout->addWidget(pbProgress);
  layout->addWidget(buttons);
  SetEnterButton(*this, ok,
                 {{edtCopyFolder, btnCopy},
                  {edtMoveFolder, btnMove},
                  {edtThumbFolder, btnCopyThumbs},
                  {edtNameListFile, btnSaveNames},
                  {edtCommand, btnRunCommand}});
  resize(520, layout->sizeHint().height());
  TranslateWindow(*this);
}

void TfrmFileOperations::Report(tText message, const QString& argument) {
  fDialogs.ShowMessage(Ui(message).replace(QStringLiteral("%s"), argument));
}

void TfrmFileOperations::ForEachConfirmed(const std::vector<int>& rows, bool noToAll,
                                          const std::function<QString(int row)>& question,
                                          const std::function<void(int row)>& act) {
  pbProgress->setRange(0, static_cast<int>(rows.size()));
  pbProgress->setValue(0);
  bool yesToAll = false;
  for (int row : rows) {
    const QString text = question(row);
    if (!text.isEmpty() && chkConfirm->isChecked() && !yesToAll) {
      const TAnswer answer = fDialogs.AskWithAll(text, noToAll);
      if (answer == TAnswer::Cancel || (answer == TAnswer::NoToAll && noToAll)) {
        pbProgress->setValue(0);
        return;
      }
      if (answer == TAnswer::No || answer == TAnswer::NoToAll) continue;
      yesToAll = answer == TAnswer::YesToAll;
    }
    act(row);
    pbProgress->setValue(pbProgress->value() + 1);
  }
}

QString TfrmFileOperations::PathOf(int row) const {
  return LocalPath(fResults.Model().Row(row).FileInfo.Path);
}

void TfrmFileOperations::RemoveRows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end(), std::greater<>());
  for (int row : rows) fResults.Model().RemoveRow(row);
}

void TfrmFileOperations::Transfer(tTransfer kind, QLineEdit* folderField) {
  const std::vector<int> rows = fResults.SelectedRows();
  if (rows.empty()) return;
  folderField->setText(folderField->text().trimmed());
  const QString folder = folderField->text();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    Report(tText::PathNotFound, folder);
    return;
  }
  std::vector<int> moved;
  const auto name = [this](int row) { return QFileInfo(PathOf(row)).fileName(); };
  ForEachConfirmed(
      rows, false,
      [&](int row) {
        return QFileInfo::exists(WithSlash(folder) + name(row))
                   ? Ui(tText::OverwriteFilePrompt).replace(QStringLiteral("%s"), name(row))
                   : QString();
      },
      [&](int row) {
        const QString source = PathOf(row);
        const QString target = WithSlash(folder) + name(row);
        // A file is never copied or moved onto itself: replacing the target
        // would destroy the only copy.
        bool done = false;
        if (!SameFile(source, target)) {
          done = kind == tTransfer::Copy ? CopyFileWhole(source, target)
                                         : MoveFileReplacing(source, target);
        }
        if (!done) {
          Report(tText::FileOpError, name(row));
        } else if (kind == tTransfer::Move) {
          moved.push_back(row);
        }
      });
  RemoveRows(moved);
}

void TfrmFileOperations::btnCopyClick() { Transfer(tTransfer::Copy, edtCopyFolder); }

void TfrmFileOperations::btnMoveClick() { Transfer(tTransfer::Move, edtMoveFolder); }

void TfrmFileOperations::btnDeleteClick() {
  const std::vector<int> rows = fResults.SelectedRows();
  if (rows.empty()) return;
  std::vector<int> deleted;
  ForEachConfirmed(
      rows, true,
      [this](int row) {
        return Ui(tText::DeleteFilePrompt)
            .replace(QStringLiteral("%s"), QFileInfo(PathOf(row)).fileName());
      },
      [&](int row) {
        const QString path = PathOf(row);
        if (rbRecycleBin->isChecked() ? MoveToTrash(path) : QFile::remove(path)) {
          deleted.push_back(row);
        } else {
          Report(tText::FileOpError, QFileInfo(path).fileName());
        }
      });
  RemoveRows(deleted);
}

void TfrmFileOperations::btnOpenFolderClick() {
  for (int row : fResults.SelectedRows()) {
    const QString path = LocalPath(fResults.Model().Row(row).FileInfo.Path);
    OpenUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath() + QLatin1Char('/')));
  }
}

void TfrmFileOperations::btnSaveNamesClick() {
  const QString fileName = edtNameListFile->text().trimmed();
  if (fileName.isEmpty()) {
    fDialogs.ShowMessage(Ui(tText::NoFilenameEntered));
    return;
  }
  const std::vector<int> rows = fResults.SelectedRows();
  pbProgress->setRange(0, static_cast<int>(rows.size()));
  pbProgress->setValue(0);
  std::string names;
  for (int row : rows) names += fResults.Model().Row(row).FileInfo.Path + "\r\n";
  const tWholeWriteResult written =
      WriteFileWhole(QFile::encodeName(fileName).toStdString(), names);
  pbProgress->setValue(static_cast<int>(rows.size()));
  if (written.Outcome != tWholeWrite::Written)
    fDialogs.ShowMessage(DisplayText(WriteFailureMessage(written)));
}

void TfrmFileOperations::btnCopyThumbsClick() {
  const std::vector<int> rows = fResults.SelectedRows();
  if (rows.empty()) return;
  const QString folder = edtThumbFolder->text();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    Report(tText::PathNotFound, folder);
    return;
  }
  pbProgress->setRange(0, static_cast<int>(rows.size()));
  pbProgress->setValue(0);
  TResultModel& model = fResults.Model();
  for (int row : rows) {
    // A file without picture has only the shared no-preview picture: no bitmap to save.
    const QPixmap thumbnail = model.Thumbnails().GetOrMakeNow(model.Row(row).FileInfo.Path);
    if (thumbnail.isNull()) continue;
    const QString name = QFileInfo(LocalPath(model.Row(row).FileInfo.Path)).fileName();
    const QString target = WithSlash(folder) + QStringLiteral("THUMB_") + name;
    QSaveFile file(target);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
      QImageWriter writer(&file, "jpeg");
      writer.setQuality(90);
      writer.setProgressiveScanWrite(false);
      ok = writer.write(thumbnail.toImage().convertToFormat(QImage::Format_RGB888));
    }
    ok = ok && file.commit();
    if (!ok) {
      Report(tText::FileOpError, QFileInfo(target).fileName());
      continue;
    }
    pbProgress->setValue(pbProgress->value() + 1);
  }
}

void TfrmFileOperations::btnRunCommandClick() {
  const QString command = edtCommand->text();
  if (command.trimmed().isEmpty()) {
    fDialogs.ShowMessage(Ui(tText::NoCommandEntered));
    return;
  }
  const auto shellCommand = [this, &command](int row) {
    return QString::fromStdString(
        ShellCommandFor(command.toStdString(), fResults.Model().Row(row).FileInfo.Path));
  };
  ForEachConfirmed(
      fResults.SelectedRows(), false,
      [&](int row) {
        return Ui(tText::ExecCommandPrompt).replace(QStringLiteral("%s"), shellCommand(row));
      },
      [&](int row) {
        if (!StartDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), shellCommand(row)})) {
          Report(tText::FileOpError, QFileInfo(PathOf(row)).fileName());
        }
      });
}

void TfrmFileOperations::BrowseFolder(QLineEdit* field) {
  const QString folder = QFileDialog::getExistingDirectory(this, Ui(tText::SelectFolder), QString(),
                                                           QFileDialog::ShowDirsOnly);
  if (!folder.isEmpty()) field->setText(folder);
}

void TfrmFileOperations::BrowseNameList() {
  const QString name = QFileDialog::getSaveFileName(this, QString(), edtNameListFile->text());
  if (!name.isEmpty()) edtNameListFile->setText(name);
}

}  // namespace orvalis
