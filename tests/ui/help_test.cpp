// Help routing (context numbers, topic paths, F1), the pages shipped beside
// the program, the help window's search and the about box.
#include "engine/keyword_help.h"
#include "metadata/tag_table.h"
#include "support/test_names.h"
#include "ui/about_dialog.h"
#include "ui/help_router.h"
#include "ui/help_window.h"
#include "ui/language.h"
#include "ui/main_commands.h"
#include "ui/main_window.h"
#include "ui/program_files.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

struct TopicCase {
  const char* topic;
  const char* page;
};
std::string CaseText(const TopicCase& c) { return c.topic; }
void PrintTo(const TopicCase& c, std::ostream* os) { *os << test::Quoted(c.topic); }

class HelpTopic : public ::testing::TestWithParam<TopicCase> {};

TEST_P(HelpTopic, NamesAPageOfTheHelpFolder) {
  EXPECT_EQ(THelpRouter::NormalizeTopic(QString::fromUtf8(GetParam().topic)),
            QString::fromUtf8(GetParam().page));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HelpTopic,
    ::testing::Values(TopicCase{"ProgramUsage\\printing.htm", "ProgramUsage/printing.htm"},
                      TopicCase{"SyntaxHelp\\exif.htm#make", "SyntaxHelp/exif.htm#make"},
                      TopicCase{" \\My%20Page.htm ", "My Page.htm"},
                      TopicCase{"/index.htm", "index.htm"}),
    test::CaseNames{});

QString PageText(const QString& language, const QString& page) {
  QFile file(
      ProgramFile(QStringLiteral("help/") + language + QLatin1Char('/') + page.section('#', 0, 0)));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool HasAnchor(const QString& text, const QString& anchor) {
  return text.contains(QStringLiteral("name=\"%1\"").arg(anchor));
}

// A context number or field that leads to a missing page or anchor is a
// dead help request; both languages are checked.
TEST(HelpPages, EveryContextNumberOpensAnExistingPageAndAnchor) {
  const auto map = THelpRouter::ReadContextMap(ProgramFile(QStringLiteral("help/contexts.map")));
  for (const int context : {100, 1000, 2000, 3000, 4000, 5000, 6000, 6100, 6200, 6300, 7000, 8000,
                            10000, 10100, 10200, 10300, 11000}) {
    ASSERT_TRUE(map.count(context)) << context;
    const QString page = map.at(context);
    for (const QString language : {"de", "en"}) {
      const QString text = PageText(language, page);
      EXPECT_FALSE(text.isEmpty()) << language.toStdString() << " " << page.toStdString();
      if (page.contains('#')) {
        EXPECT_TRUE(HasAnchor(text, page.section('#', 1)))
            << language.toStdString() << " " << page.toStdString();
      }
    }
  }
  for (const QString page :
       {"ProgramUsage/printing.htm", "ProgramUsage/settings.htm#display",
        "ProgramUsage/settings.htm#options", "ProgramUsage/settings.htm#actions"}) {
    EXPECT_TRUE(HasAnchor(PageText("en", page), page.section('#', 1)) || !page.contains('#'))
        << page.toStdString();
    EXPECT_FALSE(PageText("de", page).isEmpty()) << page.toStdString();
  }
}

TEST(HelpPages, EveryFieldTheKeywordHelpCanAskForHasItsAnchor) {
  for (const tTagRow& row : TagTable) {
    const std::vector<tHelpTarget> targets = KeywordHelpTargets(row.Name);
    EXPECT_EQ(targets.size(), 1u) << row.Name;
    for (const tHelpTarget& target : targets) {
      const QString page = THelpRouter::NormalizeTopic(QString::fromStdString(target.Topic));
      for (const QString language : {"de", "en"}) {
        EXPECT_TRUE(HasAnchor(PageText(language, page), page.section('#', 1)))
            << language.toStdString() << " " << row.Name;
      }
    }
  }
}

class HelpRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsLocation();
    THelpRouter::Instance().SetSinkForTests([this](const QString& page) { shown.append(page); });
    window = std::make_unique<TfrmMain>(&dialogs);
  }
  void TearDown() override { THelpRouter::Instance().SetSinkForTests(nullptr); }
  QStringList shown;
  test::TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(HelpRouting, HelpMenuAndF1OpenTheirPages) {
  window->Commands().Action(tCommand::mnuHelpTopics)->trigger();
  window->Commands().Action(tCommand::mnuQuerySyntax)->trigger();
  InstallHelpKey(*qApp);
  window->show();
  QueryEditor(*window).setFocus();
  QApplication::setActiveWindow(window.get());
  QTest::keyClick(&QueryEditor(*window), Qt::Key_F1);
  EXPECT_EQ(shown, (QStringList{"index.htm", "SyntaxHelp/syntax.htm", "index.htm"}));
}

TEST(HelpWindow, SearchGoesOnToTheNextPageThatHoldsTheText) {
  TfrmHelp help;
  const QString folder = ProgramFile(QStringLiteral("help/de"));
  help.ShowPage(folder, QStringLiteral("SyntaxHelp/syntax.htm#where"));
  EXPECT_TRUE(help.browser->source().toLocalFile().endsWith("SyntaxHelp/syntax.htm"));
  EXPECT_EQ(help.browser->source().fragment(), "where");
  EXPECT_TRUE(help.Find(QStringLiteral("Papierkorb")));
  EXPECT_TRUE(help.browser->source().toLocalFile().endsWith("ProgramUsage/fileops.htm"));
  EXPECT_FALSE(help.Find(QStringLiteral("kommt in keiner Seite vor xyzzy")));
}

TEST(HelpWindow, AnOpenWindowShowsItsPageAgainAfterALanguageSwitch) {
  THelpRouter& router = THelpRouter::Instance();
  router.ShowTopic(QStringLiteral("SyntaxHelp\\syntax.htm"));
  TfrmHelp* help = nullptr;
  for (QWidget* shown : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<TfrmHelp*>(shown)) help = window;
  }
  ASSERT_NE(help, nullptr);
  const QString german = ProgramFile(QStringLiteral("help/de/SyntaxHelp/syntax.htm"));
  EXPECT_EQ(QFileInfo(help->browser->source().toLocalFile()), QFileInfo(german));
  // The build puts the shipped language files into "lang/" beside the test program.
  TLanguage::Instance().Install(
      StartupLocalizer({QStringLiteral("ui_tests"), QStringLiteral("/lcid:1033")}));
  const QString english = ProgramFile(QStringLiteral("help/en/SyntaxHelp/syntax.htm"));
  EXPECT_EQ(QFileInfo(help->browser->source().toLocalFile()), QFileInfo(english));
  TLanguage::Instance().Install(nullptr);
  EXPECT_EQ(QFileInfo(help->browser->source().toLocalFile()), QFileInfo(german));
  router.CloseAll();
}

TEST(AboutBox, ShowsTheVersionAndTurnsToNightOnTheWord) {
  TfrmAbout about;
  about.Prepare(QStringLiteral("orvalis"));
  EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version " ORVALIS_VERSION ".0"));
  EXPECT_EQ(about.VersionInfo.OriginalFilename, "orvalis");
  EXPECT_FALSE(about.imgProgram->pixmap().isNull());
  about.show();
  QTest::keyClicks(&about, QStringLiteral("ble"));
  about.hide();
  about.show();  // showing again forgets what was typed
  QTest::keyClicks(&about, QStringLiteral("nde"));
  EXPECT_FALSE(about.ShowsSecondPicture());
  QTest::keyClicks(&about, QStringLiteral("xblende"));
  EXPECT_TRUE(about.ShowsSecondPicture());
}

}  // namespace
}  // namespace orvalis::test
