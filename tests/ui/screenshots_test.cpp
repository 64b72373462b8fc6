// Pictures of the main window after a run over the bundled samples, one per
// display style, for the documentation. Runs only when ORVALIS_SCREENSHOT_DIR
// names the folder to write them to, normally under a virtual X display:
//   ORVALIS_SCREENSHOT_DIR=docs xvfb-run -a build/ui_tests --gtest_filter=Screenshots.*
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
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

TEST(Screenshots, MainWindowInEachStyle) {
  const QString target = QString::fromLocal8Bit(qgetenv("ORVALIS_SCREENSHOT_DIR"));
  if (target.isEmpty()) GTEST_SKIP() << "ORVALIS_SCREENSHOT_DIR not set";
  const QDir output(QDir(QString::fromLocal8Bit(qgetenv("PWD"))).absoluteFilePath(target));
  test::UseFreshSettingsLocation();
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QStringLiteral(ORVALIS_SOURCE_DIR));

  test::TScriptedDialogs dialogs;
  TfrmMain window(&dialogs);
  window.resize(900, 640);
  window.move(0, 0);
  window.show();
  window.txtQuery->setPlainText(QStringLiteral(
      "SELECT Name, Make, Model, DateTimeOriginal, FNumber\n"
      "FROM samples/*.jpg\n"
      "WHERE Make > ''  -- photos that name their camera\n"
      "WITH subdirs"));
  window.findChild<QAction*>(QStringLiteral("actExecQuery"))->trigger();
  Settle();
  ASSERT_GT(window.vwResult->Model().rowCount(), 0);
  window.vwResult->SelectRow(1, false);

  const std::pair<const char*, const char*> styles[] = {
      {"actShowThumbs", "main-window-preview.png"},
      {"actShowDetail", "main-window-details.png"},
      {"actShowList", "main-window-list.png"},
  };
  for (const auto& [action, file] : styles) {
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    Settle();
    QPixmap picture = window.screen()->grabWindow(window.winId());
    if (picture.isNull()) picture = window.grab();
    EXPECT_TRUE(picture.save(output.absoluteFilePath(QString::fromLatin1(file)))) << file;
  }
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace orvalis
