// The main window: settings at start and exit, the exit question, the
// settings dialog, the status bar and the run host.
#include "ui/main_commands.h"
#include "ui/main_window.h"
#include "ui/qt_settings_store.h"
#include "ui/settings_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { UseFreshSettingsLocation(); }

  static QAction* Action(TfrmMain& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
  }

  static void Store(const char* name, const QVariant& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
                       QStringLiteral("Orvalis"));
    settings.setValue(QStringLiteral("1.0/") + QLatin1String(name), value);
  }
  static QVariant Stored(const char* name) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
                       QStringLiteral("Orvalis"));
    return settings.value(QStringLiteral("1.0/") + QLatin1String(name));
  }

  TScriptedDialogs dialogs;
};

TEST_F(MainWindowTest, FirstStartShowsTheDesignState) {
  TfrmMain window(&dialogs);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Orvalis"));
  EXPECT_EQ(window.size(), QSize(656, 478));
  EXPECT_TRUE(QueryEditor(window).toPlainText().isEmpty());
  EXPECT_TRUE(Action(window, "actShowThumbs")->isChecked());
  EXPECT_FALSE(Sidebar(window).isVisible());
  EXPECT_EQ(window.Settings().RefinementLimit, 300);
  EXPECT_TRUE(window.SaveSettingsOnExit());
  // Stop only during a run.
  EXPECT_TRUE(Action(window, "actExecQuery")->isEnabled());
  EXPECT_FALSE(Action(window, "actStopQuery")->isEnabled());
}

TEST_F(MainWindowTest, SettingsWrittenAtExitAreReadAtTheNextStart) {
  {
    TfrmMain window(&dialogs);
    window.show();
    window.resize(700, 520);
    QueryEditor(window).setPlainText(QStringLiteral("SELECT Name\nFROM /photos/*.jpg"));
    Action(window, "actShowDetail")->trigger();
    window.SettingsDialog()->Fill(window.Settings(), true, QFont(), QFont());
    window.SettingsDialog()->comboThumbSize->setCurrentIndex(2);
    window.SettingsDialog()->edtNullText->setText(QStringLiteral("-"));
    window.SettingsDialog()->edtRefinementLimit->setText(QStringLiteral("50"));
    window.SettingsDialog()->rbViewerUser->setChecked(true);
    window.SettingsDialog()->edtViewerAppname->setText(QStringLiteral("/usr/bin/viewer"));
    window.TakeOverSettingsDialog();
    EXPECT_TRUE(window.close());
  }
  EXPECT_EQ(Stored("LastQuery").toString(), QStringLiteral("SELECT Name\r\nFROM /photos/*.jpg"));
  EXPECT_EQ(Stored("ResultViewStyle").toString(), QStringLiteral("Detail"));
  EXPECT_EQ(Stored("GeneratePreview").toInt(), 0);

  TfrmMain again(&dialogs);
  EXPECT_EQ(QueryEditor(again).toPlainText(), QStringLiteral("SELECT Name\nFROM /photos/*.jpg"));
  EXPECT_EQ(again.QueryText(), "SELECT Name\r\nFROM /photos/*.jpg");
  EXPECT_TRUE(Action(again, "actShowDetail")->isChecked());
  EXPECT_EQ(again.Results().View().Style(), TListStyle::Report);
  EXPECT_EQ(again.size(), QSize(700, 520));
  EXPECT_EQ(again.Settings().ThumbnailWidth, 90);
  EXPECT_EQ(again.Settings().ThumbnailHeight, 66);
  EXPECT_EQ(again.Settings().NullText, "-");
  EXPECT_EQ(again.Settings().RefinementLimit, 50);
  EXPECT_EQ(again.Settings().ResultViewerMode, "U");
  EXPECT_EQ(again.Settings().ResultViewerAppname, "/usr/bin/viewer");
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, QueryPaneHeightIsKept) {
  Store("QueryHeight", 220);
  Store("WindowHeight", 600);
  TfrmMain window(&dialogs);
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(Named<QWidget>(window, "pnlQuery").height(), 220);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(Stored("QueryHeight").toInt(), 220);
}

TEST_F(MainWindowTest, SavingSwitchedOffWritesNothingAndComesBackOn) {
  Store("NullText", QStringLiteral("previous"));
  {
    TfrmMain window(&dialogs);
    window.SettingsDialog()->Fill(window.Settings(), window.SaveSettingsOnExit(), QFont(), QFont());
    window.SettingsDialog()->chkSaveSettings->setChecked(false);
    window.SettingsDialog()->edtNullText->setText(QStringLiteral("changed"));
    window.TakeOverSettingsDialog();
    EXPECT_FALSE(window.SaveSettingsOnExit());
    EXPECT_TRUE(window.close());
  }
  EXPECT_EQ(Stored("NullText").toString(), QStringLiteral("previous"));
  EXPECT_FALSE(Stored("WindowWidth").isValid());
  TfrmMain again(&dialogs);
  EXPECT_TRUE(again.SaveSettingsOnExit());
}

TEST_F(MainWindowTest, NoAndCancelInTheExitQuestionKeepTheProgramRunning) {
  Store("DontAskOnExit", 0);
  TfrmMain window(&dialogs);
  window.show();
  dialogs.answers = {TAnswer::No, TAnswer::Cancel, TAnswer::Yes};
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(Stored("WindowWidth").isValid());
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(dialogs.questions, QStringList(3, QStringLiteral("Programm beenden?")));
  EXPECT_TRUE(Stored("WindowWidth").isValid());
}

TEST_F(MainWindowTest, NoQuestionWhenDontAskOnExitIsSet) {
  TfrmMain window(&dialogs);
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(dialogs.questions.isEmpty());
}

TEST_F(MainWindowTest, ExitClosesTheHelpWindowToo) {
  TfrmMain window(&dialogs);
  window.show();
  window.Commands().Action(tCommand::mnuHelpTopics)->trigger();
  const auto visible = [] {
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible()) names.append(widget->objectName());
    }
    return names;
  };
  ASSERT_EQ(visible().size(), 2) << visible().join(QLatin1Char(' ')).toStdString();
  Action(window, "actExitProgram")->trigger();
  EXPECT_TRUE(visible().isEmpty()) << visible().join(QLatin1Char(' ')).toStdString();
}

TEST_F(MainWindowTest, ExitCreatesTheDataFolder) {
  const QString appData = QString::fromLocal8Bit(qgetenv("APPDATA"));
  ASSERT_FALSE(appData.isEmpty());
  const QString folder = appData + QStringLiteral("/Farrowlight/Orvalis");
  EXPECT_FALSE(QDir(folder).exists());
  TfrmMain window(&dialogs);
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(QDir(folder).exists());
}

TEST_F(MainWindowTest, StoredValuesAsWrittenByHand) {
  Store("ResultViewStyle", QStringLiteral("DETAIL"));
  Store("ThumbnailWidth", 100);
  Store("ShowSidebar", 1);
  Store("WindowWidth", 800);
  Store("WindowHeight", -1);
  TfrmMain window(&dialogs);
  EXPECT_EQ(window.Results().View().Style(), TListStyle::Report);
  EXPECT_EQ(window.Settings().ThumbnailWidth, 100);
  EXPECT_EQ(window.size(), QSize(800, 478));
  // The size list keeps its previous selection; OK replaces the size by it.
  TfrmSettings& dialog = *window.SettingsDialog();
  dialog.comboThumbSize->setCurrentIndex(1);
  dialog.Fill(window.Settings(), true, QFont(), QFont());
  EXPECT_EQ(dialog.comboThumbSize->currentIndex(), 1);
  window.TakeOverSettingsDialog();
  EXPECT_EQ(window.Settings().ThumbnailWidth, 120);
  EXPECT_EQ(window.Settings().ThumbnailHeight, 90);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(Stored("ShowSidebar").toInt(), 1);
}

TEST_F(MainWindowTest, UnusableHitLimitKeepsWhatCameBeforeIt) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"abc", "'abc' ist kein gültiger Integerwert."},
      {"", "'' ist kein gültiger Integerwert."},
      {"0", "Die maximale Trefferzahl muss größer als 0 sein."},
      {"-3", "Die maximale Trefferzahl muss größer als 0 sein."},
  };
  for (const Case& c : cases) {
    TScriptedDialogs messages;
    TfrmMain window(&messages);
    TfrmSettings& dialog = *window.SettingsDialog();
    dialog.Fill(window.Settings(), true, QFont(), QFont());
    dialog.edtNullText->setText(QStringLiteral("leer"));
    dialog.chkEnforceRefinement->setChecked(false);
    dialog.edtRefinementLimit->setText(QString::fromUtf8(c.text));
    dialog.chkRunWizard->setChecked(false);
    dialog.ChooseResultFont(QFont(QStringLiteral("Serif"), 14));
    window.TakeOverSettingsDialog();
    EXPECT_EQ(messages.messages, QStringList{QString::fromUtf8(c.message)}) << c.text;
    EXPECT_EQ(window.Settings().NullText, "leer");
    EXPECT_FALSE(window.Settings().EnforceRefinement);
    EXPECT_EQ(window.Settings().RefinementLimit, 300);
    EXPECT_TRUE(window.Settings().RunWizardOnStartup);
    EXPECT_EQ(window.Settings().ResultFontSize, 10);
  }
}

TEST_F(MainWindowTest, FontsChosenInOneVisitGoToTheirOwnPanes) {
  TfrmMain window(&dialogs);
  TfrmSettings& dialog = *window.SettingsDialog();
  dialog.Fill(window.Settings(), true, QueryEditor(window).font(), QFont());
  dialog.ChooseQueryFont(QFont(QStringLiteral("Monospace"), 15));
  dialog.ChooseResultFont(QFont(QStringLiteral("Sans Serif"), 9));
  window.TakeOverSettingsDialog();
  EXPECT_EQ(window.Settings().QueryFontFace, "Monospace");
  EXPECT_EQ(window.Settings().QueryFontSize, 15);
  EXPECT_EQ(window.Settings().ResultFontFace, "Sans Serif");
  EXPECT_EQ(window.Settings().ResultFontSize, 9);
  EXPECT_EQ(QueryEditor(window).font().pointSize(), 15);
  EXPECT_FALSE(QueryEditor(window).font().bold());
}

TEST_F(MainWindowTest, SettingsDialogPages) {
  TfrmMain window(&dialogs);
  TfrmSettings& dialog = *window.SettingsDialog();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Programmeinstellungen"));
  QStringList pages;
  for (int i = 0; i < dialog.Pages()->count(); ++i) pages << dialog.Pages()->tabText(i);
  EXPECT_EQ(pages, (QStringList{QStringLiteral("Anzeige"), QStringLiteral("Optionen"),
                                QStringLiteral("Aktionen"), QStringLiteral("Ergebnisanzeige")}));
  tSettings settings;
  settings.ResultViewerMode = "i";
  dialog.Fill(settings, true, QFont(), QFont());
  EXPECT_TRUE(dialog.rbViewerInternal->isChecked());
  EXPECT_EQ(dialog.edtRefinementLimit->text(), QStringLiteral("300"));
}

TEST_F(MainWindowTest, LongHintGoesToTheLastPanelBetweenRuns) {
  TfrmMain window(&dialogs);
  QStatusTipEvent tip(QStringLiteral("Führt die aktuelle Abfrage aus"));
  QApplication::sendEvent(&window, &tip);
  EXPECT_EQ(window.Results().StatusPanel(3).text(),
            QStringLiteral("Führt die aktuelle Abfrage aus"));
  window.Results().EnterRunningState();
  window.Results().SetStatusPanel(3, "/photos/");
  QStatusTipEvent other(QStringLiteral("Anzeige als Liste"));
  QApplication::sendEvent(&window, &other);
  EXPECT_EQ(window.Results().StatusPanel(3).text(), QStringLiteral("/photos/"));
  window.Results().LeaveRunningState();
}

TEST_F(MainWindowTest, RunHostStates) {
  Store("ResultViewStyle", QStringLiteral("Detail"));
  TfrmMain window(&dialogs);
  QAction* execute = Action(window, "actExecQuery");
  QAction* stop = Action(window, "actStopQuery");
  window.Results().PrepareResultList(120, 90);
  window.Results().AddColumn("Name");
  window.Results().AddColumn("Make + ' ' + Model");
  window.Results().EnterRunningState();
  EXPECT_EQ(window.Results().RunningMark().text(), QStringLiteral("Abfrage läuft ..."));
  EXPECT_TRUE(window.Results().RunningMark().font().bold());
  EXPECT_FALSE(window.Results().View().isVisibleTo(&window));
  EXPECT_EQ(window.Results().View().Style(), TListStyle::SmallIcon);
  EXPECT_TRUE(stop->isEnabled());
  EXPECT_FALSE(execute->isEnabled());

  const int row = window.Results().AddFileToResultlist("/photos/b.jpg");
  window.Results().SetCell(row, 0, "b.jpg");
  window.Results().SetCell(row, 1, "Canon EOS");
  window.Results().ShowMessage(
      "Die Abfrage lieferte mehr Treffer als der definierte Grenzwert von 1 Treffern.");
  window.Results().FitColumnsToCaptions();
  window.Results().LeaveRunningState();

  EXPECT_TRUE(window.Results().View().isVisibleTo(&window));
  EXPECT_EQ(window.Results().View().Style(), TListStyle::Report);
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_TRUE(execute->isEnabled());
  const TResultModel& model = window.Results().View().Model();
  EXPECT_EQ(model.ColumnCaptionCount(), 2);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Make + ' ' + Model"));
  EXPECT_EQ(model.CellText(0, 1), QStringLiteral("Canon EOS"));
  EXPECT_EQ(model.Thumbnails().Recipe().Size, QSize(120, 90));
  EXPECT_EQ(model.Thumbnails().NoPreview().size(), QSize(120, 90));
  EXPECT_EQ(window.Results().RowPaths(), std::vector<std::string>{"/photos/b.jpg"});
  EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(MainWindowTest, StyleChosenDuringARunAppliesAfterIt) {
  TfrmMain window(&dialogs);
  window.Results().EnterRunningState();
  Action(window, "actShowList")->trigger();
  EXPECT_EQ(window.Results().View().Style(), TListStyle::SmallIcon);
  window.Results().LeaveRunningState();
  EXPECT_EQ(window.Results().View().Style(), TListStyle::List);
  EXPECT_TRUE(Action(window, "actShowList")->isChecked());
}

}  // namespace
}  // namespace orvalis::test
