// The text export through its dialog: quoting modes, delimiter words, texts
// around fields, lines and file, selected rows, the list's order, messages and
// write failures. Files are compared with what the shared writer makes.
#include "output/text_export.h"
#include "ui/export_dialog.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

namespace orvalis::test {
namespace {

class TextExportTest : public TExportTest {
 protected:
  void SetUp() override {
    TExportTest::SetUp();
    target = folder.filePath(QStringLiteral("out.txt"));
  }

  void AddRows(const std::vector<std::vector<std::string>>& rows) {
    window->Results().PrepareResultList(160, 120);
    for (std::size_t column = 0; column < rows.front().size(); ++column) {
      window->Results().AddColumn("c" + std::to_string(column));
    }
    for (const std::vector<std::string>& cells : rows) {
      const int row = window->Results().AddFileToResultlist("/photos/" + cells.front());
      for (std::size_t column = 0; column < cells.size(); ++column) {
        window->Results().SetCell(row, static_cast<int>(column), cells[column]);
      }
    }
  }

  void Export(const std::function<void(TfrmExport&)>& settings = {}) {
    RunExport<TfrmExport>("actExport", settings);
  }
};

struct tExportCase {
  const char* Name;
  std::function<void(TfrmExport&)> Settings;
  std::string Expected;
};

TEST_F(TextExportTest, DialogSettingsGiveTheWritersBytes) {
  const std::vector<std::vector<std::string>> rows = {
      {"a.jpg", "Can\"on"}, {"b.jpg", "O'Ly"}, {"c.jpg", "x\"y'z"}};
  const tExportCase cases[] = {
      {"defaults: quotes doubled, comma, CR LF",
       {},
       "a.jpg,Can\"\"on\r\nb.jpg,O''Ly\r\nc.jpg,x\"\"y''z\r\n"},
      {"backslash quotes", [](TfrmExport& f) { f.comboQuoting->setCurrentIndex(1); },
       "a.jpg,Can\\\"on\r\nb.jpg,O\\'Ly\r\nc.jpg,x\\\"y\\'z\r\n"},
      {"other quote around the value", [](TfrmExport& f) { f.comboQuoting->setCurrentIndex(2); },
       "\"a.jpg\",'Can\"on'\r\n\"b.jpg\",\"O'Ly\"\r\n\"c.jpg\",\"x\"\"y'z\"\r\n"},
      {"hex quotes", [](TfrmExport& f) { f.comboQuoting->setCurrentIndex(3); },
       "a.jpg,Can0x22on\r\nb.jpg,O0x27Ly\r\nc.jpg,x0x22y0x27z\r\n"},
      {"quotes left alone", [](TfrmExport& f) { f.comboQuoting->setCurrentIndex(4); },
       "a.jpg,Can\"on\r\nb.jpg,O'Ly\r\nc.jpg,x\"y'z\r\n"},
      {"(tab) typed",
       [](TfrmExport& f) {
         f.comboQuoting->setCurrentIndex(4);
         f.comboDelim->setEditText(QStringLiteral("(tab)"));
       },
       "a.jpg\tCan\"on\r\nb.jpg\tO'Ly\r\nc.jpg\tx\"y'z\r\n"},
      {"(crlf) picked from the list: a field a line",
       [](TfrmExport& f) {
         f.comboQuoting->setCurrentIndex(4);
         f.comboDelim->setCurrentIndex(4);
       },
       "a.jpg\r\nCan\"on\r\nb.jpg\r\nO'Ly\r\nc.jpg\r\nx\"y'z\r\n"},
      {"(CRLF) in capitals is literal text",
       [](TfrmExport& f) {
         f.comboQuoting->setCurrentIndex(4);
         f.comboDelim->setEditText(QStringLiteral("(CRLF)"));
       },
       "a.jpg(CRLF)Can\"on\r\nb.jpg(CRLF)O'Ly\r\nc.jpg(CRLF)x\"y'z\r\n"},
      {"(TAB) stays literal when the field is left",
       [](TfrmExport& f) {
         f.comboQuoting->setCurrentIndex(4);
         f.comboDelim->setEditText(QStringLiteral("(TAB)"));
         emit f.comboDelim->lineEdit()->editingFinished();
       },
       "a.jpg(TAB)Can\"on\r\nb.jpg(TAB)O'Ly\r\nc.jpg(TAB)x\"y'z\r\n"},
      {"texts around file, lines and fields, trimmed",
       [](TfrmExport& f) {
         f.comboQuoting->setCurrentIndex(4);
         f.comboDelim->setCurrentIndex(1);
         f.edtFileHeader->setText(QStringLiteral("  head "));
         f.edtFileFooter->setText(QStringLiteral(" foot"));
         f.edtLineBefore->setText(QStringLiteral(" <"));
         f.edtLineAfter->setText(QStringLiteral("> "));
         f.edtColBefore->setText(QStringLiteral(" \""));
         f.edtColAfter->setText(QStringLiteral("\" "));
       },
       "head\r\n<\"a.jpg\";\"Can\"on\">\r\n<\"b.jpg\";\"O'Ly\">\r\n<\"c.jpg\";\"x\"y'z\">\r\nfoot\r\n"},
  };
  for (const tExportCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // A fresh window per case: the dialog keeps its values for the run.
    window = std::make_unique<TfrmMain>(&dialogs);
    AddRows(rows);
    dialogs.messages.clear();
    Export(c.Settings);
    EXPECT_EQ(Written(), c.Expected);
    EXPECT_EQ(Written(), TextExportToString(rows, window->ExportDialog()->Options()));
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("3 Zeilen in %1 gespeichert.").arg(target)});
  }
}

struct tRowsCase {
  const char* Name;
  std::vector<std::vector<std::string>> Rows;
  std::function<void(TfrmMain&)> Prepare;
  std::string Expected;
};

TEST_F(TextExportTest, RowsAreTheSelectedOnesInTheListsOrder) {
  const tRowsCase cases[] = {
      {"selected rows only, sorted descending by two header clicks",
       {{"b.jpg", "2"}, {"d.jpg", "4"}, {"a.jpg", "1"}, {"c.jpg", "3"}, {"e.jpg", "5"}},
       [](TfrmMain& w) {
         for (int i = 0; i < 2; ++i) emit w.Results().View().Table()->header()->sectionClicked(0);
         w.Results().View().SelectRow(3, false);  // b.jpg
         w.Results().View().SelectRow(1, true);   // d.jpg
       },
       "d.jpg,4\r\nb.jpg,2\r\n"},
      {"one column: lines end with the delimiter",
       {{"x.jpg"}, {"y.jpg"}},
       {},
       "x.jpg,\r\ny.jpg,\r\n"},
  };
  for (const tRowsCase& c : cases) {
    SCOPED_TRACE(c.Name);
    window = std::make_unique<TfrmMain>(&dialogs);
    dialogs.messages.clear();
    AddRows(c.Rows);
    if (c.Prepare) c.Prepare(*window);
    Export();
    EXPECT_EQ(Written(), c.Expected);
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("2 Zeilen in %1 gespeichert.").arg(target)});
  }
}

TEST_F(TextExportTest, EmptyListCancelAndFailures) {
  // No rows: the message, no dialog.
  Export();
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Keine Ergebnisse vorhanden.")});
  EXPECT_EQ(dialogs.dialogActions.size(), 1u);
  dialogs.dialogActions.clear();

  AddRows({{"a.jpg", "1"}});
  dialogs.messages.clear();
  // "Abbruch": nothing written, nothing said.
  dialogs.dialogActions.push_back([](QDialog&) { return false; });
  window->findChild<QAction*>(QStringLiteral("actExport"))->trigger();
  EXPECT_FALSE(QFile::exists(target));
  EXPECT_TRUE(dialogs.messages.isEmpty());

  // A folder that does not exist: the system's message, no success message.
  target = folder.filePath(QStringLiteral("missing/out.txt"));
  Export();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_FALSE(dialogs.messages.front().contains(QStringLiteral("gespeichert")));
  EXPECT_FALSE(dialogs.messages.front().isEmpty());
}

TEST_F(TextExportTest, DialogDefaultsStayForTheRunAndBrowseTakesTheChosenName) {
  TfrmExport& form = *window->ExportDialog();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Exportoptionen"));
  EXPECT_EQ(form.edtFilename->text(), QStringLiteral("export.txt"));
  EXPECT_EQ(form.comboDelim->currentText(), QStringLiteral(","));
  EXPECT_EQ(form.comboDelim->count(), 5);
  EXPECT_EQ(form.comboQuoting->currentText(),
            QStringLiteral("Double existing quotes (Excel-like)"));
  EXPECT_EQ(form.comboQuoting->itemText(2), QStringLiteral("Other one (' for \", \" for ')"));

  AddRows({{"a.jpg", "1"}});
  Export([](TfrmExport& f) { f.comboDelim->setCurrentIndex(1); });
  EXPECT_EQ(form.comboDelim->currentText(), QStringLiteral(";"));

  dialogs.chosenFiles.push_back(QStringLiteral("/tmp/chosen.txt"));
  form.btnBrowse->click();
  EXPECT_EQ(form.edtFilename->text(), QStringLiteral("/tmp/chosen.txt"));
  EXPECT_EQ(dialogs.chooserTitles, QStringList{QStringLiteral("Exportdatei auswählen")});
  // Cancelling the chooser keeps the name.
  form.btnBrowse->click();
  EXPECT_EQ(form.edtFilename->text(), QStringLiteral("/tmp/chosen.txt"));
}

}  // namespace
}  // namespace orvalis::test
