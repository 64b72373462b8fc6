// The main window over a run of 20,000 hits: every row arrives, the rows in
// view get their own thumbnails (and only they), also after scrolling to the
// end and after sorting, and Stop still ends the run at once.
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

namespace orvalis {
namespace {

constexpr int kPhotoCount = 20000;
constexpr int kColourCount = 8;

QColor ColourOf(int photo) { return QColor::fromHsv((photo % kColourCount) * 45, 255, 230); }

QString NameOf(int photo) { return QStringLiteral("f%1.jpg").arg(photo, 5, 10, QLatin1Char('0')); }

class LargeResultTest : public ::testing::Test {
 protected:
  // One tree for all tests: eight photos of their own thumbnail colour,
  // linked under 20,000 names in folders of 500; photo i has colour i mod 8.
  static void SetUpTestSuite() {
    tree = new QTemporaryDir;
    const QString templates = tree->filePath(QStringLiteral("templates"));
    QDir().mkpath(templates);
    for (int colour = 0; colour < kColourCount; ++colour) {
      QFile file(templates + QStringLiteral("/t%1.jpeg").arg(colour));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(test::PhotoWithThumbnail(ColourOf(colour)));
    }
    for (int photo = 0; photo < kPhotoCount; ++photo) {
      const QString folder =
          tree->filePath(QStringLiteral("photos/d%1").arg(photo / 500, 2, 10, QLatin1Char('0')));
      if (photo % 500 == 0) QDir().mkpath(folder);
      std::error_code error;
      const std::filesystem::path source =
          (templates + QStringLiteral("/t%1.jpeg").arg(photo % kColourCount)).toStdString();
      const std::filesystem::path target =
          (folder + QLatin1Char('/') + NameOf(photo)).toStdString();
      std::filesystem::create_hard_link(source, target, error);
      if (error) std::filesystem::copy_file(source, target);
    }
  }
  static void TearDownTestSuite() {
    delete tree;
    tree = nullptr;
  }

  void SetUp() override {
    test::UseFreshSettingsLocation();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
              QStringLiteral("Orvalis"))
        .setValue(QStringLiteral("1.0/EnforceRefinement"), 0);
    window = std::make_unique<TfrmMain>(&dialogs);
    window->resize(900, 700);
    window->show();
  }

  void Run() {
    test::QueryEditor(*window).setPlainText(QStringLiteral("SELECT Name FROM %1/*.jpg WITH subdirs")
                                                .arg(tree->filePath(QStringLiteral("photos"))));
    Action("actExecQuery")->trigger();
  }
  QAction* Action(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  TResultModel& Model() const { return window->Results().View().Model(); }

  // The rows the thumbnail view shows now.
  std::vector<int> RowsInView() const {
    const QListView* list = window->Results().View().List();
    std::vector<int> rows;
    for (int row = 0; row < Model().rowCount(); ++row) {
      if (list->visualRect(Model().index(row, 0)).intersects(list->viewport()->rect()))
        rows.push_back(row);
    }
    return rows;
  }

  // Every row in view shows the thumbnail of its own photo.
  void ExpectOwnThumbnailsInView() {
    test::WaitForThumbnails(Model().Thumbnails());
    const std::vector<int> rows = RowsInView();
    ASSERT_FALSE(rows.empty());
    for (int row : rows) {
      const int photo = Model().CellText(row, 0).mid(1, 5).toInt();
      const QImage shown =
          Model().data(Model().index(row, 0), Qt::DecorationRole).value<QPixmap>().toImage();
      EXPECT_TRUE(test::ThumbnailHasColour(shown, ColourOf(photo))) << "row " << row;
    }
  }

  static QTemporaryDir* tree;
  test::TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

QTemporaryDir* LargeResultTest::tree = nullptr;

TEST_F(LargeResultTest, EveryHitGetsItsRowAndOnlyRowsInViewTheirThumbnails) {
  Run();
  ASSERT_EQ(Model().rowCount(), kPhotoCount);
  std::set<QString> names;
  for (int row = 0; row < kPhotoCount; ++row) names.insert(Model().CellText(row, 0));
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kPhotoCount));
  EXPECT_EQ(*names.rbegin(), NameOf(kPhotoCount - 1));
  EXPECT_EQ(window->Results().ResultSet().size(), static_cast<std::size_t>(kPhotoCount));
  ExpectOwnThumbnailsInView();
  EXPECT_LT(Model().Thumbnails().CachedCount(), 1000);
}

TEST_F(LargeResultTest, ScrollingToTheEndShowsTheLastRowsThumbnails) {
  Run();
  // The view lays its rows out in batches; the end is known once it is done.
  ExpectOwnThumbnailsInView();
  window->Results().View().List()->scrollToBottom();
  ExpectOwnThumbnailsInView();
  const std::vector<int> rows = RowsInView();
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.back(), kPhotoCount - 1);
}

TEST_F(LargeResultTest, SortingKeepsEachThumbnailWithItsRow) {
  Run();
  ExpectOwnThumbnailsInView();
  Action("actShowDetail")->trigger();
  // Ascending first, then descending: the last photo comes first.
  for (int click = 0; click < 2; ++click)
    emit window->Results().View().Table()->header()->sectionClicked(0);
  Action("actShowThumbs")->trigger();
  EXPECT_EQ(Model().CellText(0, 0), NameOf(kPhotoCount - 1));
  ExpectOwnThumbnailsInView();
}

TEST_F(LargeResultTest, StopEndsTheRunAtOnce) {
  QTimer stopper;
  stopper.setInterval(0);
  int rowsWhenStopped = -1;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    if (Model().RowCountTotal() >= 100) {
      rowsWhenStopped = Model().RowCountTotal();
      Action("actStopQuery")->trigger();
      stopper.stop();
    }
  });
  stopper.start();
  Run();
  ASSERT_GE(rowsWhenStopped, 100);
  EXPECT_LE(Model().rowCount(), rowsWhenStopped + 1);
  EXPECT_EQ(window->Results().StatusPanel(1).text(), QStringLiteral("Abbruch"));
  EXPECT_TRUE(Action("actExecQuery")->isEnabled());
}

}  // namespace
}  // namespace orvalis
