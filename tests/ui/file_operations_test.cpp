// "Dateioperationen" on a temporary folder, the questions answered by the test.
#include "ui/file_operations_dialog.h"
#include "ui/result_view.h"
#include "ui/thumbnail.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QProcess>
#include <QUrl>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

class FileOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseFreshSettingsLocation();
    source = root.path() + QStringLiteral("/source");
    target = root.path() + QStringLiteral("/target");
    QDir().mkpath(source);
    QDir().mkpath(target);
    dialog.StartDetached = [this](const QString& program, const QStringList& arguments) {
      started.append(program + QLatin1Char(' ') + arguments.join(QLatin1Char('|')));
      return true;
    };
    dialog.OpenUrl = [this](const QUrl& url) { opened.append(url.toLocalFile()); };
  }

  // Files named name0.jpg ... holding their own name; all rows selected.
  void AddFiles(int count, const QString& folderName = QString()) {
    const QString folder = folderName.isEmpty() ? source : folderName;
    for (int i = 0; i < count; ++i) {
      const QString path = folder + QStringLiteral("/name%1.jpg").arg(i);
      Write(path, QStringLiteral("name%1").arg(i).toUtf8());
      view.Model().AppendRow(path.toStdString());
      view.SelectRow(view.Model().rowCount() - 1, true);
    }
  }
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "(missing)";
    return file.readAll();
  }
  QStringList Rows() const {
    QStringList names;
    for (int row = 0; row < view.Model().rowCount(); ++row)
      names.append(view.Model().Row(row).Caption);
    return names;
  }

  QTemporaryDir root;
  QString source;
  QString target;
  TScriptedDialogs dialogs;
  TResultView view;
  TfrmFileOperations dialog{view, dialogs};
  QStringList started;
  QStringList opened;
};

TEST_F(FileOperationsTest, CopyAsksBeforeOverwritingAndGoesOnAfterNo) {
  AddFiles(3);
  Write(target + QStringLiteral("/name0.jpg"), "old0");
  Write(target + QStringLiteral("/name1.jpg"), "old1");
  dialogs.answers = {TAnswer::No, TAnswer::Yes};
  dialog.edtCopyFolder->setText(QStringLiteral("  ") + target + QStringLiteral(" "));
  dialog.btnCopyClick();
  EXPECT_EQ(dialog.edtCopyFolder->text(), target);
  EXPECT_EQ(dialogs.questions,
            (QStringList{QStringLiteral("Datei name0.jpg ist vorhanden. Überschreiben?"),
                         QStringLiteral("Datei name1.jpg ist vorhanden. Überschreiben?")}));
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_EQ(Read(target + QStringLiteral("/name0.jpg")), "old0");
  EXPECT_EQ(Read(target + QStringLiteral("/name1.jpg")), "name1");
  EXPECT_EQ(Read(target + QStringLiteral("/name2.jpg")), "name2");
  EXPECT_EQ(Read(source + QStringLiteral("/name0.jpg")), "name0");
  EXPECT_EQ(Rows().size(), 3);
}

TEST_F(FileOperationsTest, YesToAllStopsAskingCancelStopsTheOperation) {
  AddFiles(3);
  for (int i = 0; i < 3; ++i) Write(target + QStringLiteral("/name%1.jpg").arg(i), "old");
  dialogs.answers = {TAnswer::YesToAll};
  dialog.edtCopyFolder->setText(target);
  dialog.btnCopyClick();
  EXPECT_EQ(dialogs.questions.size(), 1);
  EXPECT_EQ(Read(target + QStringLiteral("/name2.jpg")), "name2");

  for (int i = 0; i < 3; ++i) Write(target + QStringLiteral("/name%1.jpg").arg(i), "old");
  dialogs.questions.clear();
  dialogs.answers = {TAnswer::Yes, TAnswer::Cancel};
  dialog.btnCopyClick();
  EXPECT_EQ(dialogs.questions.size(), 2);
  EXPECT_EQ(Read(target + QStringLiteral("/name0.jpg")), "name0");
  EXPECT_EQ(Read(target + QStringLiteral("/name1.jpg")), "old");
  EXPECT_EQ(Read(target + QStringLiteral("/name2.jpg")), "old");
  EXPECT_EQ(dialog.pbProgress->value(), 0);
}

TEST_F(FileOperationsTest, EnterInAFieldRunsOnlyTheOperationOfItsRow) {
  AddFiles(1);
  const QString copies = root.path() + QStringLiteral("/copies");
  QDir().mkpath(copies);
  dialog.chkConfirm->setChecked(false);
  dialog.edtCopyFolder->setText(copies);
  dialog.edtMoveFolder->setText(target);
  dialog.show();
  dialog.edtMoveFolder->setFocus();
  QTest::keyClick(dialog.edtMoveFolder, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Read(target + QStringLiteral("/name0.jpg")), "name0");
  EXPECT_FALSE(QFile::exists(source + QStringLiteral("/name0.jpg")));
  EXPECT_FALSE(QFile::exists(copies + QStringLiteral("/name0.jpg")));
}

TEST_F(FileOperationsTest, AMissingFolderStopsBeforeAnyFile) {
  AddFiles(2);
  const QString missing = root.path() + QStringLiteral("/nowhere");
  for (auto click : {&TfrmFileOperations::btnCopyClick, &TfrmFileOperations::btnMoveClick,
                     &TfrmFileOperations::btnCopyThumbsClick}) {
    dialog.edtCopyFolder->setText(missing);
    dialog.edtMoveFolder->setText(missing);
    dialog.edtThumbFolder->setText(missing);
    (dialog.*click)();
  }
  const QString expected = QStringLiteral("Angegebener Ordner %1 existiert nicht!").arg(missing);
  EXPECT_EQ(dialogs.messages, (QStringList{expected, expected, expected}));
  EXPECT_EQ(Rows().size(), 2);
  EXPECT_EQ(Read(source + QStringLiteral("/name1.jpg")), "name1");
}

TEST_F(FileOperationsTest, MoveOfFiveWhereTheThirdFails) {
  AddFiles(5);
  // A folder in the way of the third file: it cannot be replaced by a file.
  QDir().mkpath(target + QStringLiteral("/name2.jpg/inside"));
  // The fourth replaces an older file of its name.
  Write(target + QStringLiteral("/name3.jpg"), "old");
  dialog.chkConfirm->setChecked(false);
  dialog.edtMoveFolder->setText(target);
  dialog.btnMoveClick();
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Fehler beim Verarbeiten von name2.jpg")});
  EXPECT_EQ(Rows(), QStringList{QStringLiteral("name2.jpg")});
  EXPECT_EQ(Read(source + QStringLiteral("/name2.jpg")), "name2");
  for (int i : {0, 1, 3, 4}) {
    EXPECT_EQ(Read(target + QStringLiteral("/name%1.jpg").arg(i)),
              QStringLiteral("name%1").arg(i).toUtf8());
    EXPECT_FALSE(QFile::exists(source + QStringLiteral("/name%1.jpg").arg(i)));
  }
  EXPECT_TRUE(QFileInfo(target + QStringLiteral("/name2.jpg/inside")).isDir());
}

TEST_F(FileOperationsTest, NothingIsMovedOrCopiedOntoItself) {
  AddFiles(1);
  dialog.chkConfirm->setChecked(false);
  dialog.edtMoveFolder->setText(source);
  dialog.btnMoveClick();
  dialog.edtCopyFolder->setText(source);
  dialog.btnCopyClick();
  EXPECT_EQ(dialogs.messages.size(), 2);
  EXPECT_EQ(Read(source + QStringLiteral("/name0.jpg")), "name0");
  EXPECT_EQ(Rows().size(), 1);
}

TEST_F(FileOperationsTest, AFailedCopyLeavesTheTargetAndNoHalfFile) {
  AddFiles(1);
  Write(target + QStringLiteral("/name0.jpg"), "old");
  QFile::remove(source + QStringLiteral("/name0.jpg"));  // gone since the search
  dialog.chkConfirm->setChecked(false);
  dialog.edtCopyFolder->setText(target);
  dialog.btnCopyClick();
  EXPECT_EQ(dialogs.messages.size(), 1);
  EXPECT_EQ(Read(target + QStringLiteral("/name0.jpg")), "old");
  EXPECT_EQ(QDir(target).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("name0.jpg")});
}

TEST_F(FileOperationsTest, DeleteAsksPerFileWithYesToAll) {
  AddFiles(4);
  dialog.rbDeletePermanently->setChecked(true);
  dialogs.answers = {TAnswer::Yes, TAnswer::No, TAnswer::YesToAll};
  dialog.btnDeleteClick();
  EXPECT_EQ(dialogs.questions.size(), 3);
  EXPECT_EQ(dialogs.questions.front(), QStringLiteral("Datei name0.jpg löschen?"));
  EXPECT_EQ(Rows(), QStringList{QStringLiteral("name1.jpg")});
  EXPECT_EQ(QDir(source).entryList(QDir::Files), QStringList{QStringLiteral("name1.jpg")});
}

TEST_F(FileOperationsTest, DeleteNoToAllEndsTheOperation) {
  AddFiles(3);
  dialog.rbDeletePermanently->setChecked(true);
  dialogs.answers = {TAnswer::Yes, TAnswer::NoToAll};
  dialog.btnDeleteClick();
  EXPECT_EQ(dialogs.questions.size(), 2);
  EXPECT_EQ(Rows(), (QStringList{QStringLiteral("name1.jpg"), QStringLiteral("name2.jpg")}));
  EXPECT_EQ(dialog.pbProgress->value(), 0);
}

TEST_F(FileOperationsTest, DeleteToTheTrashWithoutQuestions) {
  // The trash of the test's own data folder, on the same file system.
  const QString data = root.path() + QStringLiteral("/data");
  qputenv("XDG_DATA_HOME", data.toUtf8());
  AddFiles(2);
  dialog.chkConfirm->setChecked(false);
  dialog.btnDeleteClick();
  EXPECT_TRUE(dialogs.questions.isEmpty());
  EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_TRUE(Rows().isEmpty());
  EXPECT_TRUE(QDir(source).entryList(QDir::Files).isEmpty());
  EXPECT_EQ(QDir(data + QStringLiteral("/Trash/files")).entryList(QDir::Files).size(), 2);
}

TEST_F(FileOperationsTest, SaveNamesWritesTheSelectedPathsWithCrLf) {
  AddFiles(3);
  view.SelectRow(0, false);
  view.SelectRow(2, true);
  dialog.btnSaveNamesClick();
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Kein Dateiname angegeben!")});
  const QString list = root.path() + QStringLiteral("/names.txt");
  dialog.edtNameListFile->setText(list);
  dialog.btnSaveNamesClick();
  EXPECT_EQ(Read(list),
            (source + QStringLiteral("/name0.jpg\r\n") + source + QStringLiteral("/name2.jpg\r\n"))
                .toUtf8());
  dialog.edtNameListFile->setText(root.path() + QStringLiteral("/no/such/names.txt"));
  dialog.btnSaveNamesClick();
  ASSERT_EQ(dialogs.messages.size(), 2);
  EXPECT_TRUE(dialogs.messages[1].startsWith(
      QStringLiteral("Kann Datei %1/no/such/names.txt nicht schreiben: ").arg(root.path())))
      << dialogs.messages[1].toStdString();
}

TEST_F(FileOperationsTest, ThumbnailsOfItemsTwoAndFive) {
  AddFiles(5);
  const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
  for (int row = 0; row < 5; ++row) {
    Write(QString::fromStdString(view.Model().Row(row).FileInfo.Path),
          test::PhotoWithThumbnail(colours[row]));
  }
  view.SelectRow(1, false);
  view.SelectRow(4, true);
  dialog.edtThumbFolder->setText(target);
  dialog.btnCopyThumbsClick();
  EXPECT_EQ(QDir(target).entryList(QDir::Files),
            (QStringList{QStringLiteral("THUMB_name1.jpg"), QStringLiteral("THUMB_name4.jpg")}));
  for (const auto& [name, colour] :
       {std::pair{"THUMB_name1.jpg", colours[1]}, std::pair{"THUMB_name4.jpg", colours[4]}}) {
    QImage saved;
    ASSERT_TRUE(saved.load(target + QLatin1Char('/') + QString::fromLatin1(name), "JPEG")) << name;
    EXPECT_EQ(saved.size(), QSize(160, 120));
    const QColor middle = saved.pixelColor(80, 30);
    EXPECT_NEAR(middle.red(), colour.red(), 8) << name;
    EXPECT_NEAR(middle.green(), colour.green(), 8) << name;
    EXPECT_NEAR(middle.blue(), colour.blue(), 8) << name;
  }
}

TEST_F(FileOperationsTest, RunCommandQuotesTheNameAndKeepsCapitalsAsTheyAre) {
  AddFiles(2);
  dialog.edtCommand->setText(QStringLiteral("echo $FILENAME $filename"));
  dialogs.answers = {TAnswer::No, TAnswer::Yes};
  dialog.btnRunCommandClick();
  const QString second = source + QStringLiteral("/name1.jpg");
  EXPECT_EQ(dialogs.questions.size(), 2);
  EXPECT_EQ(started, QStringList{QStringLiteral("/bin/sh -c|echo $FILENAME '") + second +
                                 QLatin1Char('\'')});
  dialog.edtCommand->setText(QStringLiteral("   "));
  dialog.btnRunCommandClick();
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Kein Kommando angegeben!")});
}

TEST_F(FileOperationsTest, AHostileFileNameThroughRunCommandRunsNothingElse) {
  const QString hostile =
      source + QStringLiteral("/a b; touch pwned; $(touch pwned2) `touch pwned3` 'x\".jpg");
  Write(hostile, "hostile");
  view.Model().AppendRow(hostile.toStdString());
  view.SelectRow(0, false);
  dialog.StartDetached = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  dialog.chkConfirm->setChecked(false);
  const QString backup = root.path() + QStringLiteral("/backup");
  QDir().mkpath(backup);
  dialog.edtCommand->setText(QStringLiteral("cd ") + root.path() +
                             QStringLiteral(" && cp $filename backup/ && touch backup/done"));
  dialog.btnRunCommandClick();
  for (int i = 0; i < 200 && !QFile::exists(backup + QStringLiteral("/done")); ++i)
    QThread::msleep(20);
  ASSERT_TRUE(QFile::exists(backup + QStringLiteral("/done")));
  EXPECT_EQ(Read(backup + QLatin1Char('/') + QFileInfo(hostile).fileName()), "hostile");
  for (const char* name : {"pwned", "pwned2", "pwned3"}) {
    EXPECT_FALSE(QFile::exists(root.path() + QLatin1Char('/') + QString::fromLatin1(name))) << name;
    EXPECT_FALSE(QFile::exists(source + QLatin1Char('/') + QString::fromLatin1(name))) << name;
  }
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(FileOperationsTest, OpenFolderOpensTheFolderOfEachFile) {
  AddFiles(2);
  dialog.btnOpenFolderClick();
  EXPECT_EQ(opened, (QStringList{source + QLatin1Char('/'), source + QLatin1Char('/')}));
}

}  // namespace
}  // namespace orvalis::test
