// The field sidebar, completion of field names and keyword help in the main
// window.
#include "ui/help_router.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace orvalis {
namespace {
using test::QueryEditor;
using test::Sidebar;

const QByteArray kTree =
    "Kamera=Hersteller und Modell\r\n\tMake=Hersteller der Kamera\r\n\tModel\r\nDatei\r\n\tName\r\n";

class SidebarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsLocation();
    THelpRouter::Instance().SetSinkForTests([this](const QString& page) { pages << page; });
  }
  void TearDown() override {
    window.reset();
    THelpRouter::Instance().SetSinkForTests(nullptr);
  }

  // The window, started with this list file in the user's data folder.
  TfrmMain& Start(const QByteArray& sideTree = kTree) {
    const QString folder =
        QString::fromLocal8Bit(qgetenv("APPDATA")) + QStringLiteral("/Farrowlight/Orvalis");
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/SideTree.ini"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(sideTree) == sideTree.size());
    file.close();
    window = std::make_unique<TfrmMain>(&dialogs);
    tree = Sidebar(*window).treeSidebar;
    return *window;
  }
  QTreeWidgetItem* Select(const QString& text) {
    tree->setCurrentItem(tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0));
    return tree->currentItem();
  }

  // The editor's text with its cursor as "|" or its selection in [ ].
  QString Editor() const {
    const QTextCursor cursor = QueryEditor(*window).textCursor();
    QString text = QueryEditor(*window).toPlainText();
    if (!cursor.hasSelection()) return text.insert(cursor.position(), QLatin1Char('|'));
    return text.insert(cursor.selectionEnd(), QLatin1Char(']'))
        .insert(cursor.selectionStart(), QLatin1Char('['));
  }
  void SetEditor(const QString& text, int position, int selectionEnd = -1) {
    QueryEditor(*window).setPlainText(text);
    QTextCursor cursor = QueryEditor(*window).textCursor();
    cursor.setPosition(position);
    if (selectionEnd >= 0) cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
    QueryEditor(*window).setTextCursor(cursor);
  }
  void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(&QueryEditor(*window), &event);
  }
  void CtrlTab() { Key(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier); }
  void CtrlUp() { Key(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier); }

  test::TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
  TSidebarTree* tree = nullptr;
  QStringList pages;
};

TEST_F(SidebarTest, BadIndentDisablesTheSidebarWithTheMessage) {
  TfrmMain& main = Start("Kamera\r\n\t\tMake\r\n");
  EXPECT_EQ(
      dialogs.messages,
      QStringList{
          "Die Datei sidetree.ini ist nicht im richtigen Format, Feldliste wird deaktiviert."});
  EXPECT_FALSE(main.Commands().Action(tCommand::actToggleSidebar)->isEnabled());
  // Also once the window is shown and its tool bar laid out.
  main.show();
  QApplication::processEvents();
  const QWidget* button = main.Commands().ToolBar()->widgetForAction(
      main.Commands().Action(tCommand::actToggleSidebar));
  EXPECT_TRUE(button == nullptr || !button->isVisible());
  main.Commands().Action(tCommand::actToggleSidebar)->setChecked(true);
  EXPECT_TRUE(Sidebar(main).isHidden());
}

TEST_F(SidebarTest, AFilePastALimitIsReportedWithThatLimit) {
  QByteArray deep;
  for (int level = 0; level <= 32; ++level) deep += QByteArray(level, '\t') + "Level\r\n";
  const std::pair<QByteArray, const char*> cases[] = {
      {deep, "Die Datei %1 hat mehr als 32 Ebenen, Feldliste wird deaktiviert."},
      {QByteArray(1024 * 1024 + 1, 'x'),
       "Die Datei %1 ist größer als 1048576 Bytes, Feldliste wird deaktiviert."},
  };
  for (const auto& [bytes, expected] : cases) {
    dialogs.messages.clear();
    TfrmMain& main = Start(bytes);
    const QString file = QString::fromLocal8Bit(qgetenv("APPDATA")) +
                         QStringLiteral("/Farrowlight/Orvalis/SideTree.ini");
    EXPECT_EQ(dialogs.messages, QStringList{QString::fromUtf8(expected).arg(file)});
    EXPECT_FALSE(main.Commands().Action(tCommand::actToggleSidebar)->isEnabled());
  }
}

TEST_F(SidebarTest, TheTipFollowsTheSelection) {
  TfrmMain& main = Start();
  Select(QStringLiteral("Make"));
  EXPECT_EQ(Sidebar(main).memoFieldTip->toPlainText(), QStringLiteral("Hersteller der Kamera"));
  Select(QStringLiteral("Model"));
  EXPECT_EQ(Sidebar(main).memoFieldTip->toPlainText(), QString());
}

TEST_F(SidebarTest, DoubleClickOnAGroupInsertsItsChildrenAndFlipsIt) {
  TfrmMain& main = Start();
  main.Commands().Action(tCommand::actToggleSidebar)->setChecked(true);
  main.show();
  QTreeWidgetItem* group = Select(QStringLiteral("Kamera"));
  SetEditor(QStringLiteral("SELECT  FROM x"), 7);
  const QPoint at = tree->visualItemRect(group).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent click(type, at, tree->viewport()->mapToGlobal(at), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &click);
  }
  EXPECT_EQ(Editor(), QStringLiteral("SELECT Make, Model| FROM x"));
  EXPECT_TRUE(group->isExpanded());
  EXPECT_EQ(main.focusWidget(), &QueryEditor(main));
}

TEST_F(SidebarTest, EnterOnAFieldReplacesTheSelection) {
  Start();
  Select(QStringLiteral("Name"));
  SetEditor(QStringLiteral("SELECT Size FROM x"), 7, 11);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(tree, &enter);
  EXPECT_EQ(Editor(), QStringLiteral("SELECT Name| FROM x"));
}

TEST_F(SidebarTest, CtrlTabCyclesThroughTheDateFieldsAndCtrlUpAccepts) {
  Start();
  SetEditor(QStringLiteral("SELECT dat FROM x"), 10);
  for (const char* shown : {"DateCreated", "DateTime", "DateTimeDigitized", "DateTimeOriginal"}) {
    CtrlTab();
    EXPECT_EQ(Editor(), QStringLiteral("SELECT [%1] FROM x").arg(QLatin1String(shown)));
  }
  CtrlUp();
  EXPECT_EQ(Editor(), QStringLiteral("SELECT DateTimeOriginal| FROM x"));
}

TEST_F(SidebarTest, CtrlTabWithoutACandidateRemovesTheLetters) {
  Start();
  SetEditor(QStringLiteral("SELECT qq"), 9);
  CtrlTab();
  CtrlUp();
  EXPECT_EQ(Editor(), QStringLiteral("SELECT |"));
}

// Ctrl went down in the editor and up somewhere else.
TEST_F(SidebarTest, APlainTabStaysATab) {
  Start();
  SetEditor(QStringLiteral("x"), 1);
  Key(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  Key(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  EXPECT_EQ(Editor(), QStringLiteral("x\t|"));
}

TEST_F(SidebarTest, ShiftF1AsksForThePageOfTheWordUnderTheCursor) {
  TfrmMain& main = Start();
  SetEditor(QStringLiteral("SELECT upper(Make)\nFROM x\nWHERE Size > 0"), 15);
  main.Commands().Action(tCommand::actFieldHelp)->trigger();
  EXPECT_EQ(pages, QStringList{"SyntaxHelp/exif.htm#make"});
  SetEditor(QueryEditor(main).toPlainText(), 28);
  main.Commands().Action(tCommand::actFieldHelp)->trigger();
  // "where": help context 3000, whose page the context map names.
  EXPECT_EQ(pages, (QStringList{"SyntaxHelp/exif.htm#make", "SyntaxHelp/syntax.htm#where"}));
}

TEST_F(SidebarTest, TheCommandShowsAndHidesTheSidebar) {
  TfrmMain& main = Start();
  main.show();
  main.Commands().Action(tCommand::actToggleSidebar)->trigger();
  EXPECT_TRUE(Sidebar(main).isVisible());
  tree->setFocus();
  main.Commands().Action(tCommand::actToggleSidebar)->trigger();
  EXPECT_TRUE(Sidebar(main).isHidden());
  EXPECT_FALSE(main.Commands().Action(tCommand::actToggleSidebar)->isChecked());
  EXPECT_EQ(main.focusWidget(), &QueryEditor(main));
}

}  // namespace
}  // namespace orvalis
