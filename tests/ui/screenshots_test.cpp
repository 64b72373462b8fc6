// Pictures of the main window after a run over the bundled samples, one per
// display style, for the documentation. Runs only when ORVALIS_SCREENSHOT_DIR
// names the folder to write them to, normally under a virtual X display:
//   ORVALIS_SCREENSHOT_DIR=docs xvfb-run -a build/ui_tests --gtest_filter=Screenshots.*
#include "ui/export_dialog.h"
#include "ui/main_window.h"
#include "ui/querylist_dialog.h"
#include "ui/xml_export_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
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

// The two export dialogs, the dialog that files a query and the buffer box
// opened in the toolbar.
TEST(Screenshots, DialogsAndQueryBuffer) {
  const QString target = QString::fromLocal8Bit(qgetenv("ORVALIS_SCREENSHOT_DIR"));
  if (target.isEmpty()) GTEST_SKIP() << "ORVALIS_SCREENSHOT_DIR not set";
  const QDir output(QDir(QString::fromLocal8Bit(qgetenv("PWD"))).absoluteFilePath(target));
  test::UseFreshSettingsLocation();

  test::TScriptedDialogs dialogs;
  TfrmMain window(&dialogs);
  window.resize(900, 640);
  window.move(0, 0);
  window.show();
  const std::pair<const char*, const char*> queries[] = {
      {"Canon mit Blende unter 4",
       "SELECT Name, Make, FNumber\nFROM ~/Bilder/*.jpg\nWHERE Make ~ 'Canon' and FNumber < 4\nWITH subdirs"},
      {"urlaub 2023", "SELECT Name, Keywords FROM ~/Bilder/*.jpg WHERE Keywords ~ 'Urlaub'"},
      {"Bilder mit Kommentar", "SELECT Name, JpgComment FROM *.jpg WHERE hassegment('cmmt') == 'true'"},
  };
  for (const auto& [name, query] : queries) {
    window.txtQuery->setPlainText(QString::fromUtf8(query));
    dialogs.dialogActions.push_back([name = name](QDialog& dialog) {
      dynamic_cast<TfrmQuerylist&>(dialog).comboName->setEditText(QString::fromUtf8(name));
      return true;
    });
    window.actQuerylistSaveExecute();
  }
  window.comboQueriesSelect(0);
  Settle();
  window.comboQueries->showPopup();
  Settle();
  QPixmap box = window.screen()->grabWindow(0, 0, 0, 900, 300);
  EXPECT_TRUE(box.save(output.absoluteFilePath(QStringLiteral("query-buffer.png"))));
  window.comboQueries->hidePopup();

  window.QuerylistDialog()->Fill({QStringLiteral("Canon mit Blende unter 4")});
  window.QuerylistDialog()->comboName->setEditText(QStringLiteral("Canon, neu"));
  window.QuerylistDialog()->chkTimestamp->setChecked(true);
  QDialog* shown[] = {window.ExportDialog(), window.ExportXMLDialog(), window.QuerylistDialog()};
  const char* files[] = {"export-dialog.png", "xml-export-dialog.png", "querylist-dialog.png"};
  for (std::size_t i = 0; i < 3; ++i) {
    shown[i]->show();
    Settle();
    QPixmap picture = shown[i]->screen()->grabWindow(shown[i]->winId());
    if (picture.isNull()) picture = shown[i]->grab();
    EXPECT_TRUE(picture.save(output.absoluteFilePath(QString::fromLatin1(files[i])))) << files[i];
    shown[i]->hide();
  }
}

}  // namespace
}  // namespace orvalis
