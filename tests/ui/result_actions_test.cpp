// The user's own actions in the window: the action file at start and end,
// the menus, the settings page, the action dialog and running an action.
#include "engine/data_folder.h"
#include "ui/actions_page.h"
#include "engine/help_log.h"
#include "ui/main_window.h"
#include "ui/result_commands.h"
#include "ui/result_action_menus.h"
#include "ui/settings_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

struct tShortcutCase {
  const char* text;
  const char* portable;  // "" for no shortcut
};

class ShortcutText : public ::testing::TestWithParam<tShortcutCase> {};

TEST_P(ShortcutText, Parses) {
  EXPECT_EQ(ShortcutFromText(GetParam().text).toString(QKeySequence::PortableText).toStdString(),
            GetParam().portable);
}

INSTANTIATE_TEST_SUITE_P(Texts, ShortcutText,
                         ::testing::Values(tShortcutCase{"CTRL+E", "Ctrl+E"},
                                           tShortcutCase{"SHIFT+CTRL+1", "Ctrl+Shift+1"},
                                           tShortcutCase{"alt+F4", "Alt+F4"},
                                           tShortcutCase{"E", "E"},
                                           tShortcutCase{"Ctrl++", "Ctrl++"}, tShortcutCase{"", ""},
                                           tShortcutCase{"Hyper+E", ""},
                                           tShortcutCase{"CTRL+Nonsense", ""}));

class ResultActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseFreshSettingsLocation();
    dataFolder = QString::fromStdString(DataFolder());
    QDir().mkpath(dataFolder);
  }
  void WriteActionFile(const QByteArray& text) {
    QFile file(dataFolder + QStringLiteral("ResultActions.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QByteArray ActionFile() const {
    QFile file(dataFolder + QStringLiteral("ResultActions.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }
  std::unique_ptr<TfrmMain> MakeWindow() {
    auto window = std::make_unique<TfrmMain>(&dialogs);
    window->ResultCommands().StartDetached = [this](const QString& program,
                                                    const QStringList& arguments) {
      started.append(program + QLatin1Char('|') + arguments.join(QLatin1Char('|')));
      return program != QStringLiteral("/no/such/program");
    };
    return window;
  }
  QMenu* Menu(TfrmMain& window, const char* name) {
    return window.findChild<QMenu*>(QString::fromLatin1(name));
  }

  QString dataFolder;
  TScriptedDialogs dialogs;
  QStringList started;
  QTemporaryDir photos;
};

TEST_F(ResultActionsTest, TheFileIsReadAtStartAndWrittenRenamedAtTheEnd) {
  WriteActionFile(
      "[Viewer]\nmenu=Zeigen\nProgram=/bin/sh\nCmdLine=-c true\nShortCut=ctrl+e\n"
      "[Gone]\nMenu=Weg\nProgram=/no/such/program\n");
  {
    auto window = MakeWindow();
    ASSERT_NE(window->ResultCommands().ResultActions(), nullptr);
    EXPECT_EQ(window->ResultCommands().ResultActions()->Count(), 1);
    for (const char* name : {"mnuResultActions", "mnuContextResultActions"}) {
      QMenu* menu = Menu(*window, name);
      ASSERT_EQ(menu->actions().size(), 1) << name;
      EXPECT_TRUE(menu->isEnabled());
      EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Zeigen"));
      EXPECT_EQ(menu->actions().front()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    }
  }
  EXPECT_EQ(ActionFile(),
            "[Action0]\nMenu=Zeigen\nProgram=/bin/sh\nCmdLine=-c true\nShortcut=ctrl+e\n");
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ResultActionsTest, WithoutAFileThereAreNoActionsAndNothingIsWritten) {
  {
    auto window = MakeWindow();
    EXPECT_EQ(window->ResultCommands().ResultActions(), nullptr);
  }
  EXPECT_EQ(ActionFile(), "(missing)");
}

TEST_F(ResultActionsTest, FileListWithThreeHitsAndTwoSelected) {
  for (const char* name : {"a.jpg", "b.jpg", "d.jpg"}) {
    QFile::copy(QStringLiteral(ORVALIS_SOURCE_DIR "/samples/canon_eos_40d.jpg"),
                photos.path() + QLatin1Char('/') + QString::fromLatin1(name));
  }
  WriteActionFile(
      "[A]\nMenu=Liste\nProgram=/bin/sh\nCmdLine=$FILELIST --one=$filelist\n"
      "[B]\nMenu=Name\nProgram=/bin/sh\nCmdLine=-x $FileName -y\n");
  auto window = MakeWindow();
  QueryEditor(*window).setPlainText(QStringLiteral("SELECT Name FROM ") + photos.path() +
                                    QStringLiteral("/*.jpg"));
  window->findChild<QAction*>(QStringLiteral("actExecQuery"))->trigger();
  ASSERT_EQ(window->Results().View().Model().rowCount(), 3);
  window->Results().View().SelectRow(0, false);
  window->Results().View().SelectRow(2, true);
  Menu(*window, "mnuResultActions")->actions().at(0)->trigger();
  Menu(*window, "mnuContextResultActions")->actions().at(1)->trigger();
  const QString a = photos.path() + QStringLiteral("/a.jpg");
  const QString b = photos.path() + QStringLiteral("/b.jpg");
  const QString d = photos.path() + QStringLiteral("/d.jpg");
  const QString list = QStringLiteral("/bin/sh|%1|%2|%3|--one=\"%1\", \"%2\", \"%3\"").arg(a, b, d);
  EXPECT_EQ(started, (QStringList{list, list, QStringLiteral("/bin/sh|-x|%1|-y").arg(a),
                                  QStringLiteral("/bin/sh|-x|%1|-y").arg(d)}));
}

TEST_F(ResultActionsTest, ARealProgramGetsAHostileNameAsOneArgument) {
  const QString hostile =
      photos.path() + QStringLiteral("/x; rm -rf ~ $(touch pwned) `touch pwned2`.jpg");
  QFile file(hostile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("photo");
  file.close();
  const QString backup = photos.path() + QStringLiteral("/backup");
  QDir().mkpath(backup);
  WriteActionFile("[A]\nMenu=Sichern\nProgram=/bin/cp\nCmdLine=$FILENAME " + backup.toUtf8() +
                  "/\n");
  auto window = MakeWindow();
  window->ResultCommands().StartDetached = [](const QString& program,
                                              const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(QDir::tempPath());
    process.setProgram(program);
    process.setArguments(arguments);
    return process.startDetached();
  };
  window->Results().PrepareResultList(160, 120);
  window->Results().AddFileToResultlist(hostile.toStdString());
  window->Results().View().SelectRow(0, false);
  window->ResultCommands().actResultActionExecute(0);
  const QString copy = backup + QLatin1Char('/') + QFileInfo(hostile).fileName();
  for (int i = 0; i < 200 && !QFile::exists(copy); ++i) QThread::msleep(20);
  EXPECT_TRUE(QFile::exists(copy));
  EXPECT_TRUE(QFile::exists(hostile));
  for (const QString& folder : {QDir::tempPath(), photos.path(), QDir::currentPath()}) {
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/pwned"))) << folder.toStdString();
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/pwned2"))) << folder.toStdString();
  }
}

TEST_F(ResultActionsTest, AProgramThatCannotStartIsReportedForEachFile) {
  WriteActionFile("[A]\nMenu=Kaputt\nProgram=/bin/sh\nCmdLine=$filename\n");
  auto window = MakeWindow();
  window->ResultCommands().ResultActions()->Items(0).Program = "/no/such/program";
  const QString log = photos.path() + QStringLiteral("/HHDebug.txt");
  HelpLog().Start(photos.path().toStdString(), {}, 0);
  window->Results().PrepareResultList(160, 120);
  window->Results().AddFileToResultlist("/p/1.jpg");
  window->Results().AddFileToResultlist("/p/2.jpg");
  window->ResultCommands().actResultActionExecute(0);
  EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Keine Dateien ausgewählt.")});
  window->Results().View().SelectAllRows();
  window->ResultCommands().actResultActionExecute(0);
  window->ResultCommands().actResultActionExecute(7);  // no such action: nothing
  ASSERT_EQ(dialogs.messages.size(), 5);
  EXPECT_EQ(
      dialogs.messages[1],
      QStringLiteral(
          "Function ShellExecute(/no/such/program, /p/1.jpg)\rReturned: [Error:2] File Not Found"));
  EXPECT_EQ(dialogs.messages[2],
            QStringLiteral("Fehler bei der Ausführung von\r\n/no/such/program /p/1.jpg"));
  EXPECT_EQ(started.size(), 2);
  // In debug mode the help log holds each warning too.
  HelpLog() = THelpLog();
  QFile logFile(log);
  ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(logFile.readAll()).split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith(dialogs.messages[1] + QStringLiteral("   ")))
      << lines[0].toStdString();
}

TEST_F(ResultActionsTest, TheSettingsPageAddsChangesAndDeletesRows) {
  WriteActionFile(
      "[A]\nMenu=Eins\nProgram=/bin/sh\n[B]\nMenu=Zwei\nProgram=/bin/sh\n[C]\nMenu=Drei\nProgram=/bin/sh\n");
  auto window = MakeWindow();
  TActionsPage& page = *window->SettingsDialog()->pgActions;
  page.Fill(window->ResultCommands().ResultActions());
  ASSERT_EQ(page.grdActions->rowCount(), 3);
  page.EditAction = [](TResultAction& action) {
    EXPECT_TRUE(action.Menu == "Zwei" || action.Menu.empty());
    action = {"", action.Menu.empty() ? "Neu" : "Zwei!", "/bin/ls", "-l", "CTRL+2"};
    return true;
  };
  page.grdActions->setCurrentCell(1, 0);
  page.btnChangeClick();
  page.btnAddClick();
  page.grdActions->setCurrentCell(0, 0);
  page.btnDeleteClick();
  window->TakeOverActionsPage();
  const TResultActions& actions = *window->ResultCommands().ResultActions();
  ASSERT_EQ(actions.Count(), 3);
  EXPECT_EQ(actions.Items(0).Menu, "Zwei!");
  EXPECT_EQ(actions.Items(0).Program, "/bin/ls");
  EXPECT_EQ(actions.Items(0).CmdLine, "-l");
  EXPECT_EQ(actions.Items(0).Shortcut, "CTRL+2");
  EXPECT_EQ(actions.Items(1).Menu, "Drei");
  EXPECT_EQ(actions.Items(2).Menu, "Neu");
  EXPECT_EQ(Menu(*window, "mnuResultActions")->actions().size(), 3);

  // Deleting every row and pressing OK leaves no actions and empty menus.
  for (int i = 0; i < 3; ++i) page.btnDeleteClick();
  ASSERT_EQ(page.grdActions->rowCount(), 0);
  page.btnChangeClick();
  page.btnDeleteClick();
  window->TakeOverActionsPage();
  EXPECT_EQ(window->ResultCommands().ResultActions()->Count(), 0);
  EXPECT_TRUE(Menu(*window, "mnuResultActions")->actions().isEmpty());
  EXPECT_FALSE(Menu(*window, "mnuContextResultActions")->isEnabled());
  window.reset();
  EXPECT_EQ(ActionFile(), "");
}

TEST_F(ResultActionsTest, TheActionDialogChecksAndCapturesShortcuts) {
  TfrmAction dialog(dialogs);
  dialog.edtMenu->setText(QStringLiteral("  "));
  dialog.edtProgram->setText(QStringLiteral("/bin/sh"));
  dialog.btnOkClick();
  dialog.edtMenu->setText(QStringLiteral("Zeigen"));
  dialog.edtProgram->setText(QStringLiteral("/no/such/program"));
  dialog.btnOkClick();
  EXPECT_EQ(dialogs.messages.size(), 2);
  EXPECT_EQ(
      dialogs.messages.front(),
      QStringLiteral("Die Programmdatei muss existieren\r\nund ein Menütext muss eingegeben sein"));
  EXPECT_EQ(dialog.result(), 0);
  dialog.edtProgram->setText(QStringLiteral("/bin/sh"));
  dialog.btnOkClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  // Key presses as X11 delivers them: the key and text of the shifted
  // character, the XKB key code of the key pressed.
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 keyCode;
    const char* text;
    const char* expected;
  } presses[] = {{Qt::Key_E, Qt::ControlModifier, 26, "\x05", "CTRL+E"},
                 {Qt::Key_Exclam, Qt::ShiftModifier | Qt::ControlModifier, 10, "!", "SHIFT+CTRL+1"},
                 {Qt::Key_F5, Qt::ControlModifier, 71, "", "SHIFT+CTRL+1"},
                 {Qt::Key_E, Qt::NoModifier, 26, "e", "E"},
                 {Qt::Key_Equal, Qt::ShiftModifier, 19, "=", "SHIFT+0"},  // German layout
                 {Qt::Key_Ampersand, Qt::AltModifier, 10, "&", "ALT+1"},  // French layout
                 {Qt::Key_2, Qt::ControlModifier, 0, "2", "CTRL+2"}};     // made by a program
  for (const auto& press : presses) {
    QKeyEvent event(QEvent::KeyPress, press.key, press.modifiers, press.keyCode, 0, 0,
                    QString::fromLatin1(press.text));
    QApplication::sendEvent(dialog.edtShortcut, &event);
    EXPECT_EQ(dialog.edtShortcut->text().toStdString(), press.expected) << press.text;
  }
}

TEST_F(ResultActionsTest, TheActionDialogChoosesAnExistingProgram) {
  TfrmAction dialog(dialogs);
  dialogs.chosenFiles.push_back(QStringLiteral("/bin/sh"));
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("...")) button->click();
  }
  EXPECT_EQ(dialog.edtProgram->text(), QStringLiteral("/bin/sh"));
  EXPECT_EQ(dialogs.chooserTitles, QStringList{QStringLiteral("Programm auswählen")});
  // The program chooser, not a file chooser with name patterns.
  EXPECT_EQ(dialogs.chooserFilters, QStringList{QString()});
}

TEST_F(ResultActionsTest, TheProgramChooserListsFoldersAndWhatMayRun) {
  QTemporaryDir folder;
  const auto make = [&folder](const char* name, QFile::Permissions permissions) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.setPermissions(permissions);
  };
  make("tool", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  make("notes.txt", QFile::ReadOwner | QFile::WriteOwner);
  QDir(folder.path()).mkdir(QStringLiteral("sub"));
  QFileDialog dialog(nullptr, QString(), folder.path());
  ShowProgramsOnly(dialog);
  auto* files = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(files, nullptr);
  QSignalSpy loaded(files, &QFileSystemModel::directoryLoaded);
  dialog.show();
  ASSERT_TRUE(loaded.count() > 0 || loaded.wait(5000));
  QAbstractItemModel* shown = dialog.proxyModel();
  const QModelIndex root = dialog.proxyModel()->mapFromSource(files->index(folder.path()));
  QStringList names;
  for (int row = 0; row < shown->rowCount(root); ++row)
    names.append(shown->index(row, 0, root).data().toString());
  names.sort();
  EXPECT_EQ(names, (QStringList{"sub", "tool"}));
  dialog.hide();
}

}  // namespace
}  // namespace orvalis::test
