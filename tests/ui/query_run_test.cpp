// Query runs in the main window, started and stopped through its own
// commands, over the bundled sample photos and over photos made here.
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace orvalis::test {
namespace {

const QString kSamples = QStringLiteral(ORVALIS_SOURCE_DIR "/samples");

class QueryRunTest : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    window->show();
  }
  void Run(const QString& query) {
    QueryEditor(*window).setPlainText(query);
    Action("actExecQuery")->trigger();
  }
  QAction* Action(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  QString Cell(int row, int column) const {
    return window->Results().View().Model().CellText(row, column);
  }
};

TEST_F(QueryRunTest, RunFillsRowsColumnsThumbnailsAndPanels) {
  Run(QStringLiteral("SELECT Name, Make, Model, rownum\nFROM %1/*.jpg\nWHERE Make > ''")
          .arg(kSamples));
  const TResultModel& model = window->Results().View().Model();
  ASSERT_EQ(model.rowCount(), 8);
  EXPECT_EQ(model.ColumnCaptionCount(), 4);
  EXPECT_EQ(model.ColumnCaption(0), QStringLiteral("Name"));
  EXPECT_EQ(model.ColumnCaption(3), QStringLiteral("rownum"));
  EXPECT_EQ(Cell(0, 0), QStringLiteral("canon_eos_40d.jpg"));
  EXPECT_EQ(Cell(0, 1), QStringLiteral("Canon"));
  EXPECT_EQ(Cell(0, 2), QStringLiteral("Canon EOS 40D"));
  EXPECT_EQ(Cell(7, 0), QStringLiteral("sony_a7.jpg"));
  EXPECT_EQ(Cell(7, 3), QStringLiteral("8"));
  EXPECT_EQ(model.Row(0).FileInfo.Path,
            (kSamples + QStringLiteral("/canon_eos_40d.jpg")).toStdString());
  EXPECT_EQ(window->Results().StatusPanel(0).text(), QStringLiteral("8 (HITLIMIT!)"));
  EXPECT_TRUE(window->Results().StatusPanel(1).text().isEmpty());
  EXPECT_TRUE(window->Results().StatusPanel(3).text().isEmpty());
  EXPECT_TRUE(dialogs.messages.isEmpty());
  // Back in the idle state, in the style chosen before.
  EXPECT_TRUE(Action("actExecQuery")->isEnabled());
  EXPECT_FALSE(Action("actStopQuery")->isEnabled());
  EXPECT_EQ(window->Results().View().Style(), TListStyle::LargeIcon);
  EXPECT_TRUE(window->Results().View().isVisibleTo(window.get()));
  // Photos with an EXIF thumbnail get their own picture.
  int withPicture = 0;
  for (int row = 0; row < model.rowCount(); ++row) {
    const QPixmap thumbnail =
        window->Results().View().Model().Thumbnails().GetOrMakeNow(model.Row(row).FileInfo.Path);
    if (!thumbnail.isNull()) {
      ++withPicture;
      EXPECT_EQ(thumbnail.size(), QSize(160, 120));
    }
  }
  EXPECT_GT(withPicture, 0);
  EXPECT_EQ(window->Results().ResultSet(), window->Results().RowPaths());
}

// A misspelt name runs as a field every file lacks, and the status bar
// (with its tool tip) says so until the next run.
TEST_F(QueryRunTest, UnknownNamesAreSaidInTheStatusBar) {
  Run(QStringLiteral("SELECT Name FROM %1/*.jpg WHERE ISOSpeedRatings > 100").arg(kSamples));
  const QString notice = QStringLiteral(
      "Unbekannter Feldname: ISOSpeedRatings; gemeint ist vielleicht ISOSpeedRating");
  EXPECT_EQ(window->Results().StatusPanel(3).text(), notice);
  EXPECT_EQ(window->Results().StatusPanel(3).toolTip(), notice);
  EXPECT_TRUE(dialogs.messages.isEmpty());
  Run(QStringLiteral("SELECT Name FROM %1/*.jpg WHERE ISOSpeedRating > 100").arg(kSamples));
  EXPECT_TRUE(window->Results().StatusPanel(3).text().isEmpty());
}

TEST_F(QueryRunTest, GeneratePreviewGivesEveryPhotoAPicture) {
  QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
            QStringLiteral("Orvalis"))
      .setValue(QStringLiteral("1.0/GeneratePreview"), 1);
  window = std::make_unique<TfrmMain>(&dialogs);
  Run(QStringLiteral("SELECT Name FROM %1/*.jpg WITH subdirs").arg(kSamples));
  TResultModel& model = window->Results().View().Model();
  ASSERT_EQ(model.rowCount(), 14);
  for (int row = 0; row < model.rowCount(); ++row) {
    EXPECT_FALSE(model.Thumbnails().GetOrMakeNow(model.Row(row).FileInfo.Path).isNull())
        << Cell(row, 0).toStdString();
  }
}

TEST_F(QueryRunTest, MessagesOfARunGoThroughTheDialogs) {
  Run(QStringLiteral("   \n  "));
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Kein Abfragetext vorhanden.")});
  dialogs.messages.clear();
  Run(QStringLiteral("SELECT Name FROM %1/*.jpg WHERE Make = ").arg(kSamples));
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(
      dialogs.messages[0].startsWith(QStringLiteral("Kann WHERE-Teil nicht analysieren: ")));
  EXPECT_EQ(QueryEditor(*window).textCursor().position(),
            QueryEditor(*window).toPlainText().indexOf(QLatin1Char('=')));
  EXPECT_TRUE(Action("actExecQuery")->isEnabled());
}

// The caret lands on the faulty character, counted in the editor's
// characters (a "ö" is one, a line break is one).
TEST_F(QueryRunTest, CaretGoesToTheFault) {
  const std::pair<QString, int> cases[] = {
      {QStringLiteral("SELECT 'Größe' FROM x\nWHERE Make = 1"), 33},
      {QStringLiteral("SELECT 'ä', Make <> 1 FROM x"), 17},
      {QStringLiteral("-- ü\nSELEKT Name FROM x"), 5},
  };
  for (const auto& [query, caret] : cases) {
    dialogs.messages.clear();
    QueryEditor(*window).textCursor().setPosition(0);
    Run(query);
    EXPECT_EQ(dialogs.messages.size(), 1) << query.toStdString();
    EXPECT_EQ(QueryEditor(*window).textCursor().position(), caret) << query.toStdString();
    EXPECT_FALSE(QueryEditor(*window).textCursor().hasSelection());
  }
}

TEST_F(QueryRunTest, StopEndsARunOverManyFiles) {
  QTemporaryDir folder;
  QImage picture(16, 12, QImage::Format_RGB32);
  picture.fill(Qt::gray);
  const QString original = folder.filePath(QStringLiteral("original.jpeg"));
  ASSERT_TRUE(picture.save(original, "JPEG"));
  // Enough files that the run lasts beyond several turns of the event loop.
  const int fileCount = 3000;
  for (int i = 0; i < fileCount; ++i) {
    const QString name = folder.filePath(QStringLiteral("p%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    std::error_code error;
    std::filesystem::create_hard_link(original.toStdString(), name.toStdString(), error);
    ASSERT_TRUE(!error || QFile::copy(original, name));
  }
  QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
            QStringLiteral("Orvalis"))
      .setValue(QStringLiteral("1.0/EnforceRefinement"), 0);
  window = std::make_unique<TfrmMain>(&dialogs);
  // Stop is pressed while the run lets window events run, after five hits;
  // no file after the one being read then gets a row.
  QTimer stopper;
  stopper.setInterval(0);
  int rowsWhenStopped = -1;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    if (window->Results().View().Model().RowCountTotal() >= 5) {
      rowsWhenStopped = window->Results().View().Model().RowCountTotal();
      Action("actStopQuery")->trigger();
      stopper.stop();
    }
  });
  stopper.start();
  Run(QStringLiteral("SELECT Name FROM %1/*.jpg").arg(folder.path()));
  const int rows = window->Results().View().Model().rowCount();
  EXPECT_GE(rows, 5);
  EXPECT_LE(rows, rowsWhenStopped + 1);
  EXPECT_LT(rows, fileCount);
  EXPECT_EQ(window->Results().StatusPanel(1).text(), QStringLiteral("Abbruch"));
  EXPECT_FALSE(Action("actStopQuery")->isEnabled());
  EXPECT_TRUE(Action("actExecQuery")->isEnabled());
  EXPECT_EQ(window->Results().ResultSet().size(), static_cast<std::size_t>(rows));
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A thumbnail that cannot be decoded costs the photo only its picture: it
// keeps its row, and the photos after it in the folder are still searched.
TEST_F(QueryRunTest, AnUndecodableThumbnailLeavesTheRowWithoutPicture) {
  QTemporaryDir folder;
  QByteArray broken = test::PhotoWithThumbnail(Qt::red);
  // The thumbnail begins behind SOI, the APP1 header, "Exif" and the TIFF directories.
  broken[68] = '\0';
  broken[69] = '\0';
  for (const auto& [name, bytes] :
       {std::pair{"a.jpg", broken}, std::pair{"b.jpg", test::PhotoWithThumbnail(Qt::blue)}}) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  Run(QStringLiteral("SELECT Name FROM %1/*.jpg").arg(folder.path()));
  TResultModel& model = window->Results().View().Model();
  ASSERT_EQ(model.rowCount(), 2);
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_TRUE(model.Thumbnails().GetOrMakeNow(model.Row(0).FileInfo.Path).isNull());
  EXPECT_TRUE(test::ThumbnailHasColour(
      model.Thumbnails().GetOrMakeNow(model.Row(1).FileInfo.Path).toImage(), Qt::blue));
}

TEST_F(QueryRunTest, HitLimitEndsTheRunWithItsMessage) {
  QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
            QStringLiteral("Orvalis"))
      .setValue(QStringLiteral("1.0/RefinementLimit"), 3);
  window = std::make_unique<TfrmMain>(&dialogs);
  Run(QStringLiteral("SELECT Name FROM %1/*.jpg").arg(kSamples));
  EXPECT_EQ(window->Results().View().Model().rowCount(), 3);
  EXPECT_EQ(dialogs.messages,
            QStringList{QStringLiteral(
                "Die Abfrage lieferte mehr Treffer als der definierte Grenzwert von 3 Treffern.")});
}

}  // namespace
}  // namespace orvalis::test
