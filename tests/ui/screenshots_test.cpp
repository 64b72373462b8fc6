// Pictures of the windows for the documentation. Run only when
// ORVALIS_SCREENSHOT_DIR names the folder to write them to, normally under a
// virtual X display:
//   ORVALIS_SCREENSHOT_DIR=docs xvfb-run -a -s "-screen 0 1024x768x24" build/ui_tests --gtest_filter=Screenshots.*
#include "ui/file_operations_dialog.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QThread>

#include <gtest/gtest.h>

namespace orvalis {
namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

// A main window after a run of query over the bundled samples, and the
// folder the pictures go to.
class Screenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString target = QString::fromLocal8Bit(qgetenv("ORVALIS_SCREENSHOT_DIR"));
    if (target.isEmpty()) GTEST_SKIP() << "ORVALIS_SCREENSHOT_DIR not set";
    fOutput = QDir(QDir(QString::fromLocal8Bit(qgetenv("PWD"))).absoluteFilePath(target));
    test::UseFreshSettingsLocation();
    fPrevious = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ORVALIS_SOURCE_DIR));
    fWindow = std::make_unique<TfrmMain>(&fDialogs);
    fWindow->resize(900, 640);
    fWindow->move(0, 0);
    fWindow->show();
  }
  void TearDown() override {
    fWindow.reset();
    if (!fPrevious.isEmpty()) QDir::setCurrent(fPrevious);
  }

  void Run(const QString& query) {
    fWindow->txtQuery->setPlainText(query);
    fWindow->findChild<QAction*>(QStringLiteral("actExecQuery"))->trigger();
    Settle();
  }

  void Save(QWidget& shown, const QString& file) {
    Settle();
    QPixmap picture = shown.screen()->grabWindow(shown.winId());
    if (picture.isNull()) picture = shown.grab();
    EXPECT_TRUE(picture.save(fOutput.absoluteFilePath(file))) << file.toStdString();
  }

  QDir fOutput;
  QString fPrevious;
  test::TScriptedDialogs fDialogs;
  std::unique_ptr<TfrmMain> fWindow;
};

TEST_F(Screenshots, MainWindowInEachStyle) {
  Run(QStringLiteral(
      "SELECT Name, Make, Model, DateTimeOriginal, FNumber\n"
      "FROM samples/*.jpg\n"
      "WHERE Make > ''  -- photos that name their camera\n"
      "WITH subdirs"));
  ASSERT_GT(fWindow->vwResult->Model().rowCount(), 0);
  fWindow->vwResult->SelectRow(1, false);

  const std::pair<const char*, const char*> styles[] = {
      {"actShowThumbs", "main-window-preview.png"},
      {"actShowDetail", "main-window-details.png"},
      {"actShowList", "main-window-list.png"},
  };
  for (const auto& [action, file] : styles) {
    fWindow->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    Save(*fWindow, QString::fromLatin1(file));
  }
}

// The file operations dialog, the full-screen viewer and the metadata window.
TEST_F(Screenshots, WindowsThatActOnResults) {
  Run(QStringLiteral("SELECT Name, Make, Model FROM samples/*.jpg WHERE Make > ''"));
  ASSERT_GT(fWindow->vwResult->Model().rowCount(), 2);
  fWindow->vwResult->SelectRow(0, false);
  fWindow->vwResult->SelectRow(2, true);

  QString file;
  fWindow->RunModal = [&](QDialog& shown) {
    shown.show();
    Save(shown, file);
    shown.hide();
    return 0;
  };
  file = QStringLiteral("file-operations.png");
  TfrmFileOperations* operations = fWindow->FileOperationsDialog();
  operations->edtCopyFolder->setText(QStringLiteral("/home/anna/Bilder/Auswahl"));
  operations->edtCommand->setText(QStringLiteral("exiftool -s $filename > \"$filename.txt\""));
  fWindow->actFileOperationsExecute();
  file = QStringLiteral("viewer.png");
  fWindow->actFullScreenExecute();
  file = QStringLiteral("metadata-window.png");
  fWindow->mnuMetadataClick();
}

}  // namespace
}  // namespace orvalis
