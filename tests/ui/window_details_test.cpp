// Details of the windows found by use: the font buttons start from the font
// the pane shows, status panels fit their texts, the table header shows the
// sort, and Qt's own dialogs speak the program's language.
#include "ui/application.h"
#include "ui/file_operations_dialog.h"
#include "ui/actions_page.h"
#include "ui/help_router.h"
#include "ui/main_window.h"
#include "ui/result_commands.h"
#include "ui/result_action_menus.h"
#include "ui/settings_dialog.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDialog>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

class WindowDetailsTest : public TWindowTest {
 protected:
  // Presses a font button of the settings dialog; the real font dialog
  // opens, and its start font is read before "OK" is pressed unchanged.
  QFont OkInFontDialog(const char* button) {
    QFont shown;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      shown = dialog->currentFont();
      dialog->accept();
    });
    window->SettingsDialog()->findChild<QPushButton*>(QLatin1String(button))->click();
    return shown;
  }
};

TEST_F(WindowDetailsTest, FontDialogStartsOnThePaneFontAndOkKeepsIt) {
  const QFontInfo queryDrawn(QueryEditor(*window).font());
  const QFontInfo resultDrawn(window->Results().View().List()->font());
  ASSERT_TRUE(queryDrawn.fixedPitch());
  TfrmSettings& dialog = *window->SettingsDialog();
  dialog.Fill(window->Settings(), true, QueryEditor(*window).font(),
              window->Results().View().List()->font());

  const QFont queryStart = OkInFontDialog("btnQueryFont");
  const QFont resultStart = OkInFontDialog("btnResultFont");
  EXPECT_EQ(queryStart.family(), queryDrawn.family());
  EXPECT_EQ(queryStart.pointSize(), queryDrawn.pointSize());
  EXPECT_EQ(resultStart.family(), resultDrawn.family());
  window->TakeOverSettingsDialog();

  // What is stored names the font that was shown, and the editor stays fixed-pitch.
  EXPECT_EQ(window->Settings().QueryFontFace, queryDrawn.family().toStdString());
  EXPECT_EQ(window->Settings().QueryFontSize, queryDrawn.pointSize());
  EXPECT_EQ(window->Settings().ResultFontFace, resultDrawn.family().toStdString());
  EXPECT_EQ(QFontInfo(QueryEditor(*window).font()).family(), queryDrawn.family());
  EXPECT_TRUE(QFontInfo(QueryEditor(*window).font()).fixedPitch());
}

TEST_F(WindowDetailsTest, StatusPanelsAreWideEnoughForTheirTexts) {
  const std::pair<int, const char*> texts[] = {{0, "300 (HITLIMIT!)"},
                                               {0, "12345 hits"},
                                               {1, "Abbruch"},
                                               {2, "Gespeichert"},
                                               {2, "Geändert"}};
  for (const auto& [panel, text] : texts) {
    window->Results().SetStatusPanel(panel, text);
    QLabel* label = &window->Results().StatusPanel(panel);
    EXPECT_GE(label->width(), label->sizeHint().width()) << text;
    EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()))
        << text;
  }
}

TEST_F(WindowDetailsTest, ActionColumnsShowTheirTitlesAndFitThePage) {
  TfrmSettings& settings = *window->SettingsDialog();
  settings.Pages()->setCurrentWidget(settings.pgActions);
  settings.show();
  QApplication::processEvents();
  QTableWidget* grid = settings.pgActions->grdActions;
  for (int column = 0; column < grid->columnCount(); ++column) {
    EXPECT_GE(grid->columnWidth(column), grid->horizontalHeader()->sectionSizeHint(column))
        << column;
  }
  const int last = grid->columnCount() - 1;
  EXPECT_LE(grid->columnViewportPosition(last) + grid->horizontalHeader()->sectionSizeHint(last),
            grid->viewport()->width());
  settings.hide();
}

TEST_F(WindowDetailsTest, TableHeaderShowsTheLastSort) {
  window->Results().AddColumn("Name");
  window->Results().AddColumn("Make");
  QHeaderView* header = window->Results().View().Table()->header();
  EXPECT_FALSE(header->isSortIndicatorShown());
  emit header->sectionClicked(1);
  EXPECT_TRUE(header->isSortIndicatorShown());
  EXPECT_EQ(header->sortIndicatorSection(), 1);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
  // One flag for the whole list: the next click on any column sorts descending.
  emit header->sectionClicked(0);
  EXPECT_EQ(header->sortIndicatorSection(), 0);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
  // A new run starts unsorted.
  window->Results().PrepareResultList(160, 120);
  EXPECT_FALSE(header->isSortIndicatorShown());
}

TEST_F(WindowDetailsTest, QtDialogsSpeakTheProgramLanguage) {
  ASSERT_TRUE(InstallQtTranslations(QString::fromLatin1(kProgramLanguage)));
  EXPECT_EQ(QCoreApplication::translate("QFontDialog", "Select Font"),
            QStringLiteral("Schriftart auswählen"));
  EXPECT_FALSE(InstallQtTranslations(QStringLiteral("xx")));
  // A language without Qt translations gets Qt's own English, not the German
  // of the language before.
  EXPECT_EQ(QCoreApplication::translate("QFontDialog", "Select Font"),
            QStringLiteral("Select Font"));
  ASSERT_TRUE(InstallQtTranslations(QString::fromLatin1(kProgramLanguage)));
}

// Qt appends an explicitly set application display name to every window
// title ("Programmeinstellungen — Orvalis"); the program sets none, so the
// display name follows the application name and each title is its caption.
TEST_F(WindowDetailsTest, WindowTitlesAreTheirOwnCaptions) {
  SetUpApplication();
  QApplication::setApplicationName(QStringLiteral("probe"));
  EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("probe"));
  QApplication::setApplicationName(QStringLiteral("Orvalis"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Orvalis"));
  EXPECT_EQ(window->SettingsDialog()->windowTitle(), QStringLiteral("Programmeinstellungen"));
}

TEST_F(WindowDetailsTest, HilfeOpensTheHelpPageOfItsWindow) {
  QStringList pages;
  THelpRouter::Instance().SetSinkForTests([&pages](const QString& page) { pages.append(page); });
  TfrmAction action(dialogs);
  for (QDialog* dialog :
       std::initializer_list<QDialog*>{&action, window->ResultCommands().FileOperationsDialog()}) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Hilfe")) button->click();
    }
  }
  THelpRouter::Instance().SetSinkForTests(nullptr);
  EXPECT_EQ(pages, (QStringList{"ProgramUsage/actions.htm#dialog", "ProgramUsage/fileops.htm"}));
}

}  // namespace
}  // namespace orvalis::test
