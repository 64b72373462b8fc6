// Printing the result list into a PDF file through the dialog "Drucken", read
// back with pdftotext (poppler-utils): where the cells stand, the footers,
// and a job cancelled in its window.
#include "ui/main_window.h"
#include "ui/print_dialog.h"
#include "ui_test_support.h"

#include "support/test_names.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QValidator>

#include <gtest/gtest.h>

#include <map>

namespace orvalis {
namespace {

using namespace std::chrono_literals;

struct TWord {
  double X = 0;
  double Y = 0;
};

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsLocation();
    window = std::make_unique<TfrmMain>(&dialogs);
    window->PrintPagePause = 0ms;
    pdf = folder.filePath(QStringLiteral("results.pdf"));
  }

  // Rows item1.jpg ... itemN.jpg with one value each (no photo behind them:
  // their thumbnails are the "no preview" picture).
  void AddRows(int count) {
    window->Results().PrepareResultList(160, 120);
    window->Results().AddColumn("Name");
    window->Results().AddColumn("Make");
    for (int i = 1; i <= count; ++i) {
      const std::string path = folder.path().toStdString() + "/item" + std::to_string(i) + ".jpg";
      const int row = window->Results().AddFileToResultlist(path);
      window->Results().SetCell(row, 1, "Canon");
    }
  }

  // "OK" in the dialog after the given settings, the PDF file as printer.
  void Print(int cellsPerRow, bool thumbnails = true, bool namesOnly = true) {
    dialogs.dialogActions.push_back([=](QDialog& dialog) {
      auto& form = dynamic_cast<TfrmPrintMain&>(dialog);
      form.comboPrinter->setCurrentIndex(form.comboPrinter->count() - 1);
      form.edtColumns->setValue(cellsPerRow);
      form.chkThumbnails->setChecked(thumbnails);
      form.chkNameOnly->setChecked(namesOnly);
      return true;
    });
    dialogs.chosenFiles.push_back(pdf);
    window->findChild<QAction*>(QStringLiteral("actPrint"))->trigger();
  }

  static QString Run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
      ADD_FAILURE() << "pdftotext failed (scripts/setup.sh installs poppler-utils)";
      return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
  }

  // The plain text of one page.
  QString PageText(int page) const {
    return Run({QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), pdf, QStringLiteral("-")});
  }

  // Top-left corners of the words of page 1 (in points), by their text.
  std::map<QString, TWord> Words() const {
    const QString html = Run({QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                              QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    std::map<QString, TWord> words;
    for (const QRegularExpressionMatch& match : word.globalMatch(html)) {
      words[match.captured(3)] = {match.captured(1).toDouble(), match.captured(2).toDouble()};
    }
    return words;
  }

  TWord Name(const std::map<QString, TWord>& words, int item) const {
    const auto found = words.find(QStringLiteral("item%1.jpg").arg(item));
    if (found == words.end()) {
      ADD_FAILURE() << "item " << item << " not printed";
      return {};
    }
    return found->second;
  }

  QTemporaryDir folder;
  QString pdf;
  test::TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

constexpr double kPointsPerMm = 72 / 25.4;

// Nothing selected: all five are printed, two per row, in three rows.
TEST_F(PrintTest, FiveItemsTwoPerRowFillThreeRowsOfPageOne) {
  AddRows(5);
  Print(2);
  const std::map<QString, TWord> words = Words();
  TWord item[6];
  for (int i = 1; i <= 5; ++i) item[i] = Name(words, i);
  EXPECT_DOUBLE_EQ(item[1].Y, item[2].Y);
  EXPECT_DOUBLE_EQ(item[3].Y, item[4].Y);
  EXPECT_LT(item[1].Y, item[3].Y);
  EXPECT_LT(item[3].Y, item[5].Y);
  EXPECT_DOUBLE_EQ(item[1].X, item[3].X);
  EXPECT_DOUBLE_EQ(item[1].X, item[5].X);
  EXPECT_LT(item[1].X, item[2].X);
  // The name stands one inch and 5 mm right of the 20 mm margin.
  EXPECT_NEAR(item[1].X, 25 * kPointsPerMm + 72, 2);
  EXPECT_TRUE(PageText(1).contains(QStringLiteral("Seite 1")));
  EXPECT_TRUE(PageText(1).contains(QStringLiteral("Make: Canon")));
}

TEST_F(PrintTest, WithoutThumbnailsTextsStartAtTheCellEdge) {
  AddRows(1);
  Print(2, false);
  EXPECT_NEAR(Name(Words(), 1).X, 20 * kPointsPerMm, 2);
}

// A value wider than the room right of the thumbnail loses its end.
TEST_F(PrintTest, LongValuesAreCutAtTheCellEdge) {
  AddRows(1);
  window->Results().SetCell(0, 1, std::string(30, 'W'));
  Print(2);
  const QString printed = PageText(1);
  EXPECT_TRUE(printed.contains(QStringLiteral("Make: WWWWW")));
  EXPECT_FALSE(printed.contains(QString(30, QLatin1Char('W'))));
}

// A path wider than a narrow cell keeps its end, the file's name.
TEST_F(PrintTest, LongPathsInNarrowCellsKeepTheFileName) {
  window->Results().PrepareResultList(160, 120);
  window->Results().AddColumn("Name");
  const std::string deep =
      folder.path().toStdString() + "/a-rather-long-folder-name/and-another-one";
  for (int i = 1; i <= 3; ++i)
    window->Results().AddFileToResultlist(deep + "/item" + std::to_string(i) + ".jpg");
  Print(3, true, false);
  const QString printed = PageText(1);
  for (int i = 1; i <= 3; ++i)
    EXPECT_TRUE(printed.contains(QStringLiteral("item%1.jpg").arg(i))) << printed.toStdString();
  EXPECT_FALSE(printed.contains(QStringLiteral("a-rather-long-folder-name")));
}

// Page 1 has its fixed footer; later pages the message with their number.
TEST_F(PrintTest, LaterPagesCarryThePageFooter) {
  AddRows(14);
  Print(1);
  EXPECT_TRUE(PageText(1).contains(QStringLiteral("Seite 1")));
  EXPECT_TRUE(PageText(2).contains(QStringLiteral("Seite Nr. 2")));
  EXPECT_TRUE(PageText(2).contains(QStringLiteral("item14.jpg")));
}

TEST_F(PrintTest, CancelInTheWindowAbortsTheJob) {
  AddRows(5);
  bool clicked = false;
  QTimer::singleShot(0, [&clicked] {
    for (QWidget* shown : QApplication::topLevelWidgets()) {
      if (shown->objectName() != QStringLiteral("frmPrinting") || !shown->isVisible()) continue;
      shown->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
      clicked = true;
    }
  });
  Print(2);
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(QFile::exists(pdf));
}

// The PDF is made beside its name: a cancelled job leaves an older file of
// the name as it was, and nothing beside it.
TEST_F(PrintTest, CancelLeavesAnOlderFileAsItWas) {
  AddRows(5);
  {
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older file");
  }
  QTimer::singleShot(0, [] {
    for (QWidget* shown : QApplication::topLevelWidgets()) {
      if (shown->objectName() != QStringLiteral("frmPrinting") || !shown->isVisible()) continue;
      shown->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    }
  });
  Print(2);
  QFile old(pdf);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("older file"));
  EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("results*")}, QDir::Files),
            QStringList{QStringLiteral("results.pdf")});
}

TEST_F(PrintTest, APdfNameWithoutEndingGetsPdf) {
  AddRows(1);
  pdf = folder.filePath(QStringLiteral("results"));
  Print(1);
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_TRUE(QFile::exists(pdf + QStringLiteral(".pdf")));
}

TEST_F(PrintTest, ThePdfPrinterIsNamedAsInTheHelp) {
  TfrmPrintMain form(dialogs);
  EXPECT_EQ(form.comboPrinter->itemText(form.comboPrinter->count() - 1),
            QStringLiteral("PDF-Datei"));
}

TEST_F(PrintTest, NoFileNameForThePdfPrintsNothing) {
  AddRows(1);
  dialogs.dialogActions.push_back([](QDialog& dialog) {
    auto& form = dynamic_cast<TfrmPrintMain&>(dialog);
    form.comboPrinter->setCurrentIndex(form.comboPrinter->count() - 1);
    return true;
  });
  window->actPrintExecute();
  EXPECT_EQ(dialogs.chooserTitles.size(), 1);
  EXPECT_FALSE(QFile::exists(pdf));
}

struct MarginCase {
  const char* typed;
  bool accepted;
};
std::string CaseText(const MarginCase& c) { return c.typed; }
void PrintTo(const MarginCase& c, std::ostream* os) { *os << test::Quoted(c.typed); }

class MarginField : public ::testing::TestWithParam<MarginCase> {};

TEST_P(MarginField, AcceptsDigitsOnly) {
  test::TScriptedDialogs dialogs;
  TfrmPrintMain dialog(dialogs);
  QString text = QString::fromLatin1(GetParam().typed);
  int position = static_cast<int>(text.size());
  const QValidator::State state = dialog.edtLeft->validator()->validate(text, position);
  EXPECT_EQ(state != QValidator::Invalid, GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Table, MarginField,
                         ::testing::Values(MarginCase{"25", true}, MarginCase{"", true},
                                           MarginCase{"2a", false}, MarginCase{"-5", false},
                                           MarginCase{"2.5", false}, MarginCase{"1 0", false}),
                         test::CaseNames{});

}  // namespace
}  // namespace orvalis
