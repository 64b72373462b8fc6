// The field sidebar, completion of field names and keyword help in the main
// window.
#include "ui/field_sidebar.h"
#include "ui/help_router.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace orvalis {
namespace {

class SidebarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsLocation();
    fPreviousRoute = SetHelpRoute({[this](const QString& topic) { topics << topic; },
                                   [this](int context) { contexts << context; }});
  }
  void TearDown() override {
    window.reset();
    SetHelpRoute(fPreviousRoute);
  }

  // The window, started with this list file in the user's data folder.
  TfrmMain& Start(const QByteArray& sideTree) {
    const QString folder = QString::fromLocal8Bit(qgetenv("APPDATA")) + QStringLiteral("/Farrowlight/Orvalis");
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/SideTree.ini"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sideTree);
    file.close();
    window = std::make_unique<TfrmMain>(&dialogs);
    return *window;
  }

  QTreeWidgetItem* Item(const QString& text) const {
    const QList<QTreeWidgetItem*> found =
        window->pnlSidebar->treeSidebar->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
  }

  // The editor's text with its cursor as "|" or its selection in [ ].
  QString Editor() const {
    const QTextCursor cursor = window->txtQuery->textCursor();
    QString text = window->txtQuery->toPlainText();
    if (!cursor.hasSelection()) return text.insert(cursor.position(), QLatin1Char('|'));
    text.insert(cursor.selectionEnd(), QLatin1Char(']'));
    return text.insert(cursor.selectionStart(), QLatin1Char('['));
  }
  void SetEditor(const QString& text, int position) {
    window->txtQuery->setPlainText(text);
    QTextCursor cursor = window->txtQuery->textCursor();
    cursor.setPosition(position);
    window->txtQuery->setTextCursor(cursor);
  }

  static void Key(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                  const QString& text = {}) {
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(target, &event);
  }
  void CtrlTab() {
    Key(window->txtQuery, QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    Key(window->txtQuery, QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier);
  }
  void CtrlUp() { Key(window->txtQuery, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier); }

  test::TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
  QStringList topics;
  QList<int> contexts;

 private:
  THelpRoute fPreviousRoute;
};

const QByteArray kCameraTree = "Kamera=Hersteller und Modell\r\n\tMake=Hersteller der Kamera\r\n\tModel\r\nDatei\r\n\tName=Dateiname\r\n";

TEST_F(SidebarTest, BadIndentDisablesTheSidebarWithTheMessage) {
  TfrmMain& main = Start("Kamera\r\n\t\tMake\r\n");
  EXPECT_EQ(dialogs.messages,
            QStringList{"Die Datei sidetree.ini ist nicht im richtigen Format, Feldliste wird deaktiviert."});
  EXPECT_FALSE(main.SidebarEnabled());
  EXPECT_FALSE(main.actToggleSidebar->isEnabled());
  EXPECT_TRUE(main.tbMain->findChild<QWidget*>(QStringLiteral("tbToggleSidebar"))->isHidden());
  main.actToggleSidebar->setChecked(true);
  EXPECT_TRUE(main.pnlSidebar->isHidden());
}

TEST_F(SidebarTest, WithoutAFileTheSidebarIsOffWithoutAMessage) {
  TfrmMain& main = Start(kCameraTree);
  const QTemporaryDir empty;
  main.LoadSidebar({empty.path()});
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_FALSE(main.actToggleSidebar->isEnabled());
  EXPECT_EQ(main.pnlSidebar->treeSidebar->topLevelItemCount(), 0);
}

TEST_F(SidebarTest, TheUsersFileComesBeforeTheProgramsAndTheTipFollowsTheSelection) {
  TfrmMain& main = Start(kCameraTree);
  EXPECT_EQ(main.pnlSidebar->treeSidebar->topLevelItemCount(), 2);
  EXPECT_FALSE(main.pnlSidebar->memoFieldTip->isHidden());
  main.pnlSidebar->treeSidebar->setCurrentItem(Item(QStringLiteral("Make")));
  EXPECT_EQ(main.pnlSidebar->memoFieldTip->toPlainText(), QStringLiteral("Hersteller der Kamera"));
  main.pnlSidebar->treeSidebar->setCurrentItem(Item(QStringLiteral("Model")));
  EXPECT_EQ(main.pnlSidebar->memoFieldTip->toPlainText(), QString());
  main.pnlSidebar->treeSidebar->setCurrentItem(Item(QStringLiteral("Kamera")));
  EXPECT_EQ(main.pnlSidebar->memoFieldTip->toPlainText(), QStringLiteral("Hersteller und Modell"));
}

TEST_F(SidebarTest, AFileWithoutTipsHidesTheTipBox) {
  TfrmMain& main = Start("Kamera\n\tMake\n\tModel\n");
  EXPECT_TRUE(main.pnlSidebar->memoFieldTip->isHidden());
}

TEST_F(SidebarTest, DoubleClickOnAGroupInsertsItsChildrenAndFlipsIt) {
  TfrmMain& main = Start(kCameraTree);
  main.actToggleSidebar->setChecked(true);
  main.show();
  QTreeWidgetItem* group = Item(QStringLiteral("Kamera"));
  main.pnlSidebar->treeSidebar->setCurrentItem(group);
  SetEditor(QStringLiteral("SELECT  FROM x"), 7);
  QWidget* viewport = main.pnlSidebar->treeSidebar->viewport();
  const QPoint at = main.pnlSidebar->treeSidebar->visualItemRect(group).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &click);
  }
  EXPECT_EQ(Editor(), QStringLiteral("SELECT Make, Model| FROM x"));
  EXPECT_TRUE(group->isExpanded());
  EXPECT_EQ(main.focusWidget(), main.txtQuery);
}

TEST_F(SidebarTest, EnterOnAFieldReplacesTheSelection) {
  TfrmMain& main = Start(kCameraTree);
  main.pnlSidebar->treeSidebar->setCurrentItem(Item(QStringLiteral("Name")));
  SetEditor(QStringLiteral("SELECT Size FROM x"), 7);
  QTextCursor cursor = main.txtQuery->textCursor();
  cursor.setPosition(11, QTextCursor::KeepAnchor);
  main.txtQuery->setTextCursor(cursor);
  Key(main.pnlSidebar->treeSidebar, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Editor(), QStringLiteral("SELECT Name| FROM x"));
}

TEST_F(SidebarTest, TheEditorRefusesDragsFromElsewhere) {
  TfrmMain& main = Start(kCameraTree);
  main.pnlSidebar->treeSidebar->setCurrentItem(Item(QStringLiteral("Make")));
  SetEditor(QStringLiteral("SELECT "), 7);
  QMimeData text;
  text.setText(QStringLiteral("rm -rf"));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main.txtQuery->viewport(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(main.txtQuery->viewport(), &drop);
  EXPECT_EQ(Editor(), QStringLiteral("SELECT |"));
}

TEST_F(SidebarTest, CtrlTabCyclesThroughTheDateFieldsAndCtrlUpAccepts) {
  Start(kCameraTree);
  SetEditor(QStringLiteral("SELECT dat FROM x"), 10);
  const QString shown[] = {"SELECT [DateCreated] FROM x", "SELECT [DateTime] FROM x",
                           "SELECT [DateTimeDigitized] FROM x", "SELECT [DateTimeOriginal] FROM x"};
  for (const QString& expected : shown) {
    CtrlTab();
    EXPECT_EQ(Editor(), expected);
  }
  CtrlUp();
  EXPECT_EQ(Editor(), QStringLiteral("SELECT DateTimeOriginal| FROM x"));
  // A new Ctrl+Tab starts again from the letters before the cursor.
  CtrlTab();
  EXPECT_EQ(Editor(), QStringLiteral("SELECT [DateTimeOriginal] FROM x"));
}

TEST_F(SidebarTest, CtrlTabWithoutACandidateRemovesTheLetters) {
  Start(kCameraTree);
  SetEditor(QStringLiteral("SELECT qq"), 9);
  CtrlTab();
  CtrlUp();
  EXPECT_EQ(Editor(), QStringLiteral("SELECT |"));
}

TEST_F(SidebarTest, APlainTabAfterCtrlWasReleasedElsewhereStaysATab) {
  Start(kCameraTree);
  SetEditor(QStringLiteral("x"), 1);
  Key(window->txtQuery, QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  Key(window->txtQuery, QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  EXPECT_EQ(Editor(), QStringLiteral("x\t|"));
}

TEST_F(SidebarTest, ShiftF1AsksForThePageOfTheWordUnderTheCursor) {
  TfrmMain& main = Start(kCameraTree);
  SetEditor(QStringLiteral("SELECT upper(Make)\nFROM x\nWHERE Size > 0"), 15);
  main.actFieldHelp->trigger();
  EXPECT_EQ(topics, QStringList{"SyntaxHelp\\exif.htm#make"});
  SetEditor(main.txtQuery->toPlainText(), 28);
  main.actFieldHelp->trigger();
  EXPECT_EQ(contexts, QList<int>{3000});
  EXPECT_EQ(main.actFieldHelp->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
}

TEST_F(SidebarTest, TheCommandShowsAndHidesTheSidebarAndItsStateIsKept) {
  TfrmMain& main = Start(kCameraTree);
  main.show();
  EXPECT_TRUE(main.pnlSidebar->isHidden());
  main.actToggleSidebar->trigger();
  EXPECT_TRUE(main.pnlSidebar->isVisible());
  EXPECT_TRUE(main.actToggleSidebar->isChecked());
  main.pnlSidebar->treeSidebar->setFocus();
  main.actToggleSidebar->trigger();
  EXPECT_TRUE(main.pnlSidebar->isHidden());
  EXPECT_EQ(main.focusWidget(), main.txtQuery);
  main.actToggleSidebar->trigger();
  EXPECT_TRUE(main.close());
  window.reset();
  TfrmMain& again = Start(kCameraTree);
  EXPECT_TRUE(again.actToggleSidebar->isChecked());
  EXPECT_FALSE(again.pnlSidebar->isHidden());
}

}  // namespace
}  // namespace orvalis
