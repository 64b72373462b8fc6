// Pictures of the windows that act on results, for the documentation: the
// file operations dialog, the full-screen viewer and the metadata window.
// Runs only when ORVALIS_SCREENSHOT_DIR names the folder to write them to:
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

TEST(Screenshots, WindowsThatActOnResults) {
  const QString target = QString::fromLocal8Bit(qgetenv("ORVALIS_SCREENSHOT_DIR"));
  if (target.isEmpty()) GTEST_SKIP() << "ORVALIS_SCREENSHOT_DIR not set";
  const QDir output(QDir(QString::fromLocal8Bit(qgetenv("PWD"))).absoluteFilePath(target));
  test::UseFreshSettingsLocation();
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QStringLiteral(ORVALIS_SOURCE_DIR));

  test::TScriptedDialogs dialogs;
  TfrmMain window(&dialogs);
  window.resize(900, 640);
  window.show();
  window.txtQuery->setPlainText(QStringLiteral("SELECT Name, Make, Model FROM samples/*.jpg WHERE Make > ''"));
  window.findChild<QAction*>(QStringLiteral("actExecQuery"))->trigger();
  Settle();
  ASSERT_GT(window.vwResult->Model().rowCount(), 2);
  window.vwResult->SelectRow(0, false);
  window.vwResult->SelectRow(2, true);

  QString file;
  window.RunModal = [&](QDialog& shown) {
    shown.show();
    Settle();
    QPixmap picture = shown.screen()->grabWindow(shown.winId());
    if (picture.isNull()) picture = shown.grab();
    EXPECT_TRUE(picture.save(output.absoluteFilePath(file))) << file.toStdString();
    shown.hide();
    return 0;
  };
  file = QStringLiteral("file-operations.png");
  TfrmFileOperations* operations = window.FileOperationsDialog();
  operations->edtCopyFolder->setText(QStringLiteral("/home/anna/Bilder/Auswahl"));
  operations->edtCommand->setText(QStringLiteral("exiftool -s $filename > \"$filename.txt\""));
  window.actFileOperationsExecute();
  file = QStringLiteral("viewer.png");
  window.actFullScreenExecute();
  file = QStringLiteral("metadata-window.png");
  window.mnuMetadataClick();
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace orvalis
