// The query buffer box and query files in the main window: filing, the
// overwrite question, recalling with next and previous, deleting, the list
// file across a restart, the changed mark, and loading and saving queries.
#include "engine/data_folder.h"
#include "ui/main_window.h"
#include "ui/querylist_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QApplication>
#include <QKeyEvent>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

void Type(QWidget* widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

class QueryBufferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseFreshSettingsLocation();
    listFile = QString::fromStdString(DataFolder()) + QStringLiteral("Querylist.txt");
    Restart();
  }

  void Restart() {
    window.reset();
    window = std::make_unique<TfrmMain>(&dialogs);
  }

  void WriteListFile(const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(listFile).path());
    QFile file(listFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QByteArray ListFile() const {
    QFile file(listFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  // "Abfrage in Liste" with the editor's text, filed under name.
  void File(const QString& query, const QString& name, bool timestamp = false) {
    QueryEditor(*window).setPlainText(query);
    dialogs.dialogActions.push_back([name, timestamp](QDialog& dialog) {
      auto& form = dynamic_cast<TfrmQuerylist&>(dialog);
      form.comboName->setEditText(name);
      form.chkTimestamp->setChecked(timestamp);
      return true;
    });
    Action("actQuerylistSave")->trigger();
  }

  QAction* Action(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  QAction* DeleteItem() const {
    return window->findChild<QAction*>(QStringLiteral("mnuQueryComboDelete"));
  }

  QStringList Names() const {
    QStringList names;
    for (int i = 0; i < QueryBox(*window).count(); ++i) names << QueryBox(*window).itemText(i);
    return names;
  }

  // Selected entry, editor text, and the states of previous, next and delete.
  std::string State() const {
    return QueryBox(*window).currentText().toStdString() + " | " +
           QueryEditor(*window).toPlainText().toStdString() + " | " +
           (Action("actQuerylistPrev")->isEnabled() ? "P" : "-") +
           (Action("actQuerylistNext")->isEnabled() ? "N" : "-") +
           (DeleteItem()->isEnabled() ? "D" : "-");
  }

  QString listFile;
  TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(QueryBufferTest, FilingSortsWithoutRegardToCaseAndSelectsTheEntry) {
  EXPECT_EQ(State(), " |  | ---");
  File(QStringLiteral("SELECT b"), QStringLiteral("beta"));
  File(QStringLiteral("SELECT c"), QStringLiteral("Gamma"));
  File(QStringLiteral("SELECT a\nFROM x"), QStringLiteral("  Alpha "));
  EXPECT_EQ(Names(), (QStringList{"Alpha", "beta", "Gamma"}));
  EXPECT_EQ(State(), "Alpha | SELECT a\nFROM x | -ND");
  // A name of blanks only files nothing.
  File(QStringLiteral("SELECT d"), QStringLiteral("   "));
  EXPECT_EQ(Names(), (QStringList{"Alpha", "beta", "Gamma"}));
  EXPECT_EQ(QueryBox(*window).isEditable(), false);
  // The dialog offers the names and starts empty.
  dialogs.dialogActions.push_back([](QDialog& dialog) {
    auto& form = dynamic_cast<TfrmQuerylist&>(dialog);
    EXPECT_EQ(form.comboName->count(), 3);
    EXPECT_EQ(form.comboName->currentText(), QString());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Abfragen im Puffer speichern"));
    return false;
  });
  Action("actQuerylistSave")->trigger();
  EXPECT_EQ(Names().size(), 3);
}

TEST_F(QueryBufferTest, OverwriteQuestionDecides) {
  File(QStringLiteral("old"), QStringLiteral("Urlaub"));
  const struct {
    TAnswer Answer;
    const char* Kept;
  } cases[] = {{TAnswer::No, "old"}, {TAnswer::Cancel, "old"}, {TAnswer::Yes, "new"}};
  for (const auto& c : cases) {
    dialogs.questions.clear();
    dialogs.answers = {c.Answer};
    File(QStringLiteral("new"), QStringLiteral("URLAUB"));
    EXPECT_EQ(dialogs.questions,
              QStringList{QStringLiteral("Eintrag URLAUB besteht bereits. Überschreiben?")});
    SelectQuery(*window, 0);
    EXPECT_EQ(QueryEditor(*window).toPlainText().toStdString(), c.Kept);
    EXPECT_EQ(Names(), QStringList{QStringLiteral("Urlaub")});
  }
}

TEST_F(QueryBufferTest, NextAndPreviousClampAtBothEnds) {
  WriteListFile("c=3\r\na=1\r\nB=2\r\n");
  Restart();
  EXPECT_EQ(State(), " |  | -N-");
  const std::pair<int, const char*> steps[] = {
      {1, "a | 1 | -ND"},  {1, "B | 2 | PND"},  {1, "c | 3 | P-D"},  {1, "c | 3 | P-D"},
      {-1, "B | 2 | PND"}, {-1, "a | 1 | -ND"}, {-1, "a | 1 | -ND"},
  };
  for (const auto& [tag, expected] : steps) {
    RunHandler(
        *Command(*window, tag > 0 ? tCommand::actQuerylistNext : tCommand::actQuerylistPrev));
    EXPECT_EQ(State(), expected) << tag;
  }
  // Picking in the box recalls as well; the cursor ends up at the end.
  SelectQuery(*window, 2);
  EXPECT_EQ(State(), "c | 3 | P-D");
  EXPECT_EQ(QueryEditor(*window).textCursor().position(), 1);
}

TEST_F(QueryBufferTest, DeleteLeavesNothingSelected) {
  WriteListFile("a=1\r\nb=2\r\n");
  Restart();
  SelectQuery(*window, 1);
  DeleteItem()->trigger();
  // As after a start: next from the top, no previous, nothing to delete.
  EXPECT_EQ(Names(), QStringList{QStringLiteral("a")});
  EXPECT_EQ(State(), " | 2 | -N-");
  SelectQuery(*window, 0);
  DeleteItem()->trigger();
  EXPECT_EQ(State(), " | 1 | ---");
  // Triggered with nothing selected it does nothing.
  RunHandler(*DeleteItem());
  EXPECT_TRUE(Names().isEmpty());
}

TEST_F(QueryBufferTest, ListFileSurvivesARestart) {
  Restart();
  EXPECT_FALSE(QFile::exists(listFile)) << "an empty buffer writes no file";
  File(QStringLiteral("SELECT a\nFROM b|c"), QStringLiteral("zwei"));
  File(QStringLiteral("x"), QStringLiteral("Eins"));
  File(QStringLiteral("y"), QStringLiteral("a=b"));
  // A name that would make its line a comment loses the ";".
  File(QStringLiteral("z"), QStringLiteral("; ; note"));
  Restart();
  EXPECT_EQ(ListFile(), QByteArray("a=b=y\r\nEins=x\r\nnote=z\r\nzwei=SELECT a|FROM b|c\r\n"));
  // The name with "=" is cut there at the next start; the "|" typed in the
  // query comes back as a line break.
  EXPECT_EQ(Names(), (QStringList{"a", "Eins", "note", "zwei"}));
  SelectQuery(*window, 0);
  EXPECT_EQ(State(), "a | b=y | -ND");
  SelectQuery(*window, 3);
  EXPECT_EQ(QueryEditor(*window).toPlainText(), QStringLiteral("SELECT a\nFROM b\nc"));
}

TEST_F(QueryBufferTest, ListFileLinesOfEveryKind) {
  WriteListFile(
      "; comment\r\n\r\nUrlaub=SELECT Name|FROM *.jpg\r\n  \r\nSELECT plain\r\n\xFF\xFE=\x01\x80\r\n");
  Restart();
  EXPECT_EQ(Names().size(), 3);
  EXPECT_TRUE(Names().contains(QStringLiteral("Query #4")));
  SelectQuery(*window, static_cast<int>(Names().indexOf(QStringLiteral("Urlaub"))));
  EXPECT_EQ(QueryEditor(*window).toPlainText(), QStringLiteral("SELECT Name\nFROM *.jpg"));
}

TEST_F(QueryBufferTest, EntriesLongerThanAQueryAreLeftOutOfTheBoxButKeptInTheFile) {
  const QByteArray big = "big=" + QByteArray(70000, 'x') + "\r\n";
  WriteListFile("a=1\r\n" + big + "c=3\r\n");
  Restart();
  EXPECT_EQ(
      dialogs.messages,
      QStringList{
          QStringLiteral("Abfrageliste %1: Einträge über 65536 Bytes werden nicht angezeigt (1); "
                         "in der Datei bleiben sie erhalten.")
              .arg(listFile)});
  EXPECT_EQ(Names(), (QStringList{"a", "c"}));
  SelectQuery(*window, 1);
  EXPECT_EQ(State(), "c | 3 | P-D");
  DeleteItem()->trigger();
  Restart();
  EXPECT_EQ(ListFile(), "a=1\r\n" + big);
}

TEST_F(QueryBufferTest, UnreadableListIsReportedAndKept) {
  // A folder where the list file belongs cannot be read as one.
  QDir().mkpath(listFile);
  Restart();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages.front().startsWith(
      QStringLiteral("Kann Datei %1 nicht lesen: ").arg(listFile)))
      << dialogs.messages.front().toStdString();
  File(QStringLiteral("x"), QStringLiteral("new"));
  window.reset();
  EXPECT_TRUE(QFileInfo(listFile).isDir());
}

TEST_F(QueryBufferTest, TimestampCommentComesFirstAndTheBoxKeepsItsTick) {
  File(QStringLiteral("SELECT a"), QStringLiteral("t"), true);
  // The locale of the tests is C: month/day/year.
  const QDate today = QDate::currentDate();
  const QString date =
      QStringLiteral("%1/%2/%3").arg(today.month()).arg(today.day()).arg(today.year());
  EXPECT_EQ(QueryEditor(*window).toPlainText(), QStringLiteral("SELECT a"));
  SelectQuery(*window, 0);
  EXPECT_EQ(QueryEditor(*window).toPlainText(),
            QStringLiteral("-- saved on %1\nSELECT a").arg(date));
  EXPECT_TRUE(window->QuerylistDialog()->chkTimestamp->isChecked());
}

TEST_F(QueryBufferTest, ChangedAndSavedMarks) {
  QTemporaryDir folder;
  // The query kept from the last run is not marked as changed.
  QueryEditor(*window).setPlainText(QStringLiteral("SELECT Name FROM *.jpg"));
  ASSERT_TRUE(window->close());
  Restart();
  ASSERT_EQ(QueryEditor(*window).toPlainText(), QStringLiteral("SELECT Name FROM *.jpg"));
  EXPECT_EQ(window->Results().StatusPanel(2).text(), QString());
  QueryEditor(*window).setFocus();
  Type(&QueryEditor(*window), QStringLiteral("a"));
  EXPECT_EQ(window->Results().StatusPanel(2).text(), QStringLiteral("Geändert"));
  const QString path = folder.filePath(QStringLiteral("q.qry"));
  dialogs.chosenFiles.push_back(path);
  Action("actSaveQuery")->trigger();
  EXPECT_EQ(window->Results().StatusPanel(2).text(), QStringLiteral("Gespeichert"));
  EXPECT_FALSE(QueryEditor(*window).document()->isModified());
  Type(&QueryEditor(*window), QStringLiteral("b"));
  EXPECT_EQ(window->Results().StatusPanel(2).text(), QStringLiteral("Geändert"));
}

class QueryFileTest : public QueryBufferTest {
 protected:
  void AddResultRows() {
    window->Results().PrepareResultList(160, 120);
    window->Results().AddColumn("Name");
    window->Results().AddFileToResultlist("/p/a.jpg");
    Action("actShowDetail")->trigger();
  }
  void ExpectEmptiedList() const {
    EXPECT_EQ(window->Results().View().Model().rowCount(), 0);
    EXPECT_EQ(window->Results().View().Model().ColumnCaptionCount(), 1);
    EXPECT_TRUE(Action("actShowThumbs")->isChecked());
  }
  QByteArray Read(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  QTemporaryDir folder;
};

TEST_F(QueryFileTest, SavedWithCrLfAndLoadedBack) {
  const QString path = folder.filePath(QStringLiteral("query"));
  QueryEditor(*window).setPlainText(QStringLiteral("SELECT Name\nFROM *.jpg -- Müller"));
  dialogs.chosenFiles.push_back(path);
  Action("actSaveQuery")->trigger();
  EXPECT_EQ(Read(path), QByteArray("SELECT Name\r\nFROM *.jpg -- M\xC3\xBCller\r\n"));
  EXPECT_TRUE(dialogs.chooserFilters.back().startsWith(QStringLiteral("Query files (*.qry)")));

  QueryEditor(*window).setPlainText(QStringLiteral("other"));
  AddResultRows();
  dialogs.chosenFiles.push_back(path);
  Action("actLoadQuery")->trigger();
  EXPECT_EQ(QueryEditor(*window).toPlainText(),
            QStringLiteral("SELECT Name\nFROM *.jpg -- Müller"));
  ExpectEmptiedList();
}

TEST_F(QueryFileTest, CancelledOpenStillEmptiesTheList) {
  QueryEditor(*window).setPlainText(QStringLiteral("kept"));
  AddResultRows();
  Action("actLoadQuery")->trigger();
  EXPECT_EQ(QueryEditor(*window).toPlainText(), QStringLiteral("kept"));
  ExpectEmptiedList();
}

TEST_F(QueryFileTest, FailuresAreReportedAndTheEditorKeepsItsText) {
  QueryEditor(*window).setPlainText(QStringLiteral("kept"));
  window->Results().StatusPanel(2).clear();
  // Reading a folder and an endless file, writing into a folder that does not exist.
  dialogs.chosenFiles.push_back(folder.path());
  Action("actLoadQuery")->trigger();
  dialogs.chosenFiles.push_back(QStringLiteral("/dev/zero"));
  Action("actLoadQuery")->trigger();
  dialogs.chosenFiles.push_back(folder.filePath(QStringLiteral("missing/q.qry")));
  Action("actSaveQuery")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 3);
  EXPECT_EQ(dialogs.messages[1],
            QStringLiteral("/dev/zero: Der Abfragetext ist zu lang (mehr als 65536 Bytes)."));
  EXPECT_EQ(QueryEditor(*window).toPlainText(), QStringLiteral("kept"));
  EXPECT_TRUE(window->Results().StatusPanel(2).text().isEmpty());
}

TEST_F(QueryFileTest, APipeOfTheNameIsRefusedNotReplaced) {
  const QString pipe = folder.filePath(QStringLiteral("pipe.qry"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  QueryEditor(*window).setPlainText(QStringLiteral("SELECT Name FROM *.jpg"));
  window->Results().StatusPanel(2).clear();
  dialogs.chosenFiles.push_back(pipe);
  Action("actSaveQuery")->trigger();
  EXPECT_EQ(dialogs.messages,
            QStringList{pipe + QStringLiteral(
                                   " ist keine gewöhnliche Datei; sie wird nicht überschrieben.")});
  EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
  EXPECT_TRUE(window->Results().StatusPanel(2).text().isEmpty());
}

TEST_F(QueryFileTest, NewQueryEmptiesEditorAndList) {
  QueryEditor(*window).setPlainText(QStringLiteral("old"));
  AddResultRows();
  Action("actNewQuery")->trigger();
  EXPECT_TRUE(QueryEditor(*window).toPlainText().isEmpty());
  ExpectEmptiedList();
}

}  // namespace
}  // namespace orvalis::test
