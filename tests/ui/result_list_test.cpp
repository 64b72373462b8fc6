// The result list of the main window: sorting, marks, copying names,
// selecting, display styles and many rows.
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QFile>
#include <QTreeView>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

class ResultListTest : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    window->Results().PrepareResultList(160, 120);
    window->Results().AddColumn("Name");
    window->Results().AddColumn("Size");
  }

  void AddRows(const std::vector<std::pair<std::string, std::string>>& rows) {
    for (const auto& [name, size] : rows) {
      const int row = window->Results().AddFileToResultlist("/photos/" + name);
      window->Results().SetCell(row, 0, name);
      window->Results().SetCell(row, 1, size);
    }
  }

  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    const TResultModel& model = window->Results().View().Model();
    for (int row = 0; row < model.rowCount(); ++row) {
      texts.push_back(model.CellText(row, column).toStdString());
    }
    return texts;
  }

  void ClickHeader(int column) {
    emit window->Results().View().Table()->header()->sectionClicked(column);
  }

  QAction* Action(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
};

TEST_F(ResultListTest, SortingTwiceInvertsAndTheFlagIsShared) {
  AddRows({{"b.jpg", "9"}, {"C.jpg", "10"}, {"a.jpg", "100"}, {"B.jpg", "8"}});
  ClickHeader(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"a.jpg", "b.jpg", "B.jpg", "C.jpg"}));
  ClickHeader(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"C.jpg", "b.jpg", "B.jpg", "a.jpg"}));
  // The flag is one for the list: the next click on any column sorts ascending.
  ClickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"10", "100", "8", "9"}));
  ClickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"9", "8", "100", "10"}));
}

TEST_F(ResultListTest, AfterAnAscendingSortAnotherColumnSortsDescending) {
  AddRows({{"a.jpg", "1"}, {"b.jpg", "3"}, {"c.jpg", "2"}});
  ClickHeader(0);
  ClickHeader(1);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"3", "2", "1"}));
}

TEST_F(ResultListTest, OnlyAsciiLettersIgnoreCase) {
  // "_" (0x5F) lies between the upper- and lower-case letters; non-ASCII by code.
  AddRows({{"Zeta", ""}, {"_x", ""}, {"alpha", ""}, {"Ärger", ""}, {"ab", ""}, {"a", ""}});
  ClickHeader(0);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"_x", "a", "ab", "alpha", "Zeta", "Ärger"}));
}

TEST_F(ResultListTest, SortingKeepsSelectionThumbnailsAndPaths) {
  QTemporaryDir folder;
  const std::string red = folder.filePath(QStringLiteral("z.jpg")).toStdString();
  const std::string none = folder.filePath(QStringLiteral("a.jpg")).toStdString();
  QFile file(QString::fromStdString(red));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(test::PhotoWithThumbnail(Qt::red));
  file.close();
  window->Results().SetCell(window->Results().AddFileToResultlist(red), 0, "z.jpg");
  window->Results().SetCell(window->Results().AddFileToResultlist(none), 0, "a.jpg");
  window->show();
  TResultModel& model = window->Results().View().Model();
  test::WaitForThumbnails(model.Thumbnails());
  window->Results().View().SelectRow(0, false);
  ClickHeader(0);
  Action("actShowThumbs")->trigger();
  test::WaitForThumbnails(model.Thumbnails());
  EXPECT_EQ(window->Results().RowPaths(), (std::vector<std::string>{none, red}));
  EXPECT_TRUE(test::ThumbnailHasColour(
      model.data(model.index(1, 0), Qt::DecorationRole).value<QPixmap>().toImage(), Qt::red));
  EXPECT_EQ(model.data(model.index(0, 0), Qt::DecorationRole).value<QPixmap>().cacheKey(),
            model.Thumbnails().NoPreview().cacheKey());
  EXPECT_EQ(window->Results().View().SelectedRows(), std::vector<int>{1});
}

TEST_F(ResultListTest, LongCellsAreCutOnlyForDisplay) {
  const std::string caption = std::string(300, 'c') + " lighthouse";
  AddRows({{"a.jpg", caption}});
  const TResultModel& model = window->Results().View().Model();
  EXPECT_EQ(model.data(model.index(0, 1), Qt::DisplayRole).toString().toStdString(),
            caption.substr(0, 255));
  EXPECT_EQ(model.CellText(0, 1).toStdString(), caption);
}

TEST_F(ResultListTest, DigitMarksShowInTheInfoTip) {
  AddRows({{"a.jpg", ""}, {"b.jpg", ""}, {"c.jpg", ""}, {"d.jpg", ""}});
  for (int row : {0, 2, 3}) window->Results().View().SelectRow(row, true);
  QKeyEvent seven(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
  QApplication::sendEvent(window->Results().View().List(), &seven);
  const TResultModel& model = window->Results().View().Model();
  auto tip = [&](int row) {
    return model.data(model.index(row, 0), Qt::ToolTipRole).toString().toStdString();
  };
  EXPECT_EQ(tip(0), "/photos/a.jpg  [7]");
  EXPECT_EQ(tip(1), "/photos/b.jpg");
  EXPECT_EQ(tip(2), "/photos/c.jpg  [7]");
  EXPECT_EQ(tip(3), "/photos/d.jpg  [7]");
  // In the table as well; a later digit replaces the mark.
  window->Results().View().SelectRow(1, false);
  QKeyEvent zero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, QStringLiteral("0"));
  QApplication::sendEvent(window->Results().View().Table(), &zero);
  EXPECT_EQ(tip(1), "/photos/b.jpg  [0]");
  // A new run loses the marks.
  window->Results().PrepareResultList(160, 120);
  EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(ResultListTest, CopyingNamesTakesSelectedRowsOrAll) {
  AddRows({{"a.jpg", ""}, {"b.jpg", ""}, {"c.jpg", ""}, {"d.jpg", ""}, {"e.jpg", ""}});
  window->Results().View().SelectRow(3, false);
  window->Results().View().SelectRow(1, true);
  Action("actCopyResults")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("/photos/b.jpg\r\n/photos/d.jpg\r\n"));

  Action("mnuCopyFilename")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("/photos/b.jpg"));

  window->Results().View().ClearSelection();
  Action("actCopyResults")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("/photos/a.jpg\r\n/photos/b.jpg\r\n/photos/c.jpg\r\n/photos/d.jpg\r\n"
                           "/photos/e.jpg\r\n"));
  // Without a selection, copying one name does nothing.
  QApplication::clipboard()->setText(QStringLiteral("unchanged"));
  Action("mnuCopyFilename")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ResultListTest, CopyingNamesOfAnEmptyListSaysSo) {
  QApplication::clipboard()->setText(QStringLiteral("unchanged"));
  Action("actCopyResults")->trigger();
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Keine Ergebnisse vorhanden.")});
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
}

TEST_F(ResultListTest, SelectAllActsOnTheFocusedControl) {
  AddRows({{"a.jpg", ""}, {"b.jpg", ""}, {"c.jpg", ""}});
  QueryEditor(*window).setPlainText(QStringLiteral("SELECT Name FROM *.jpg"));
  window->show();
  window->activateWindow();
  QApplication::processEvents();

  window->Results().View().List()->setFocus();
  QApplication::processEvents();
  Action("actEditSelectAll")->trigger();
  EXPECT_EQ(window->Results().View().SelectedRows(), (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(QueryEditor(*window).textCursor().hasSelection());

  window->Results().View().ClearSelection();
  QueryEditor(*window).setFocus();
  QApplication::processEvents();
  Action("actEditSelectAll")->trigger();
  EXPECT_EQ(QueryEditor(*window).textCursor().selectedText(),
            QStringLiteral("SELECT Name FROM *.jpg"));
  EXPECT_TRUE(window->Results().View().SelectedRows().empty());
}

TEST_F(ResultListTest, DisplayStylesAreOneGroup) {
  struct Case {
    const char* action;
    TListStyle style;
    bool pictures;
  };
  const Case cases[] = {
      {"actShowDetail", TListStyle::Report, false},
      {"actShowList", TListStyle::List, false},
      {"actShowThumbs", TListStyle::LargeIcon, true},
  };
  AddRows({{"a.jpg", ""}});
  const TResultModel& model = window->Results().View().Model();
  EXPECT_TRUE(Action("actShowThumbs")->isChecked());
  for (const Case& c : cases) {
    Action(c.action)->trigger();
    EXPECT_EQ(window->Results().View().Style(), c.style) << c.action;
    int checked = 0;
    for (const char* name : {"actShowThumbs", "actShowList", "actShowDetail"}) {
      checked += Action(name)->isChecked() ? 1 : 0;
    }
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(Action(c.action)->isChecked());
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DecorationRole).isValid(), c.pictures) << c.action;
  }
}

TEST_F(ResultListTest, TenThousandRowsSortAndSwitchStyles) {
  for (int i = 0; i < 10000; ++i) {
    const std::string name = "img" + std::to_string((i * 7919) % 10000) + ".jpg";
    const int row = window->Results().AddFileToResultlist("/photos/" + name);
    window->Results().SetCell(row, 0, name);
    window->Results().SetCell(row, 1, std::to_string(i));
  }
  window->show();
  QApplication::processEvents();
  const TResultModel& model = window->Results().View().Model();
  Action("actShowDetail")->trigger();
  QApplication::processEvents();
  ClickHeader(0);
  QApplication::processEvents();
  EXPECT_EQ(model.CellText(0, 0), QStringLiteral("img0.jpg"));
  EXPECT_EQ(model.CellText(9999, 0), QStringLiteral("img9999.jpg"));
  Action("actShowThumbs")->trigger();
  QApplication::processEvents();
  Action("actShowList")->trigger();
  QApplication::processEvents();
  // Thumbnails are asked for only for the rows that were shown.
  EXPECT_LT(model.Thumbnails().CachedCount() + model.Thumbnails().Outstanding(), 1000);
}

}  // namespace
}  // namespace orvalis::test
