// The main menu, the toolbar and the context menu of the result list:
// captions, shortcuts and order, and which commands are available.
#include "ui/language.h"
#include "ui/main_commands.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidgetAction>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

// One line per item: caption, then its shortcuts; "-" is a separator.
QString Describe(QAction* action) {
  if (action->isSeparator()) return QStringLiteral("-");
  QString line = action->text();
  for (const QKeySequence& key : action->shortcuts()) {
    line += QStringLiteral(" | ") + key.toString(QKeySequence::PortableText);
  }
  return line;
}

QStringList Describe(const QList<QAction*>& actions) {
  QStringList lines;
  for (QAction* action : actions) lines << Describe(action);
  return lines;
}

class MenusTest : public TWindowTest {
 protected:
  QMenu* Menu(const QString& title) {
    for (QAction* action : window->menuBar()->actions()) {
      if (action->text() == title) return action->menu();
    }
    return nullptr;
  }
};

TEST_F(MenusTest, MainMenuMatchesTheCommandTables) {
  QStringList titles;
  for (QAction* action : window->menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{"&Datei", "&Edit", "&Abfrage", "A&nsicht", "E&xtras", "&Hilfe"}));

  const std::vector<std::pair<QString, QStringList>> expected = {
      {"&Datei",
       {"&Neue Abfrage", "Abfrage ö&ffnen | Ctrl+O", "Abfrage &speichern | Ctrl+S", "-",
        "&Drucken ... | Ctrl+P", "&Export ... | F12", "Export &XML ... | Shift+F12", "-",
        "Programm &beenden | Alt+F4"}},
      {"&Edit",
       {"&Ausschneiden | Ctrl+X", "&Kopieren | Ctrl+C", "&Einfügen | Ctrl+V", "-",
        "Ergebnis&dateinamen kopieren | Ctrl+Alt+C", "Alles &markieren | Ctrl+A"}},
      {"&Abfrage",
       {"&Ausführen | Ctrl+E | F5 | Ctrl+Return | Ctrl+Enter", "&Neue Abfrage",
        "Abfrageass&istent starten", "-", "Abfrage ö&ffnen | Ctrl+O", "Abfrage &speichern | Ctrl+S",
        "-", "Abfrage in &Liste | Ctrl+Alt+S", "Nä&chste Abfrage | Alt+Down",
        "&Vorherige Abfrage | Alt+Up"}},
      {"A&nsicht",
       {"&Vorschau | Ctrl+I", "&Liste | Ctrl+L", "&Details | Ctrl+D", "-",
        "Voll&bildmodus | Ctrl+F", "&Feldliste an/aus | F11"}},
      {"E&xtras",
       {"Abfrageass&istent starten", "Eigene &Aktionen", "&Dateioperationen", "-", "&Sprache ...",
        "&Einstellungen ..."}},
      {"&Hilfe",
       {"&Hilfethemen", "Abfrage-S&yntax", "Schlüssel&wort-Hilfe | Shift+F1", "-",
        "Orvalis Home&page", "&Info ..."}},
  };
  for (const auto& [title, items] : expected) {
    QMenu* menu = Menu(title);
    ASSERT_NE(menu, nullptr) << title.toStdString();
    EXPECT_EQ(Describe(menu->actions()), items) << title.toStdString();
  }
  EXPECT_NE(Menu("E&xtras")->actions().at(1)->menu(), nullptr);
}

// Alt+letter reaches every menu and every item: each caption has one access
// key, and no two entries of one menu share it.
TEST_F(MenusTest, EveryMenuEntryHasItsOwnAccessKey) {
  auto accessKey = [](const QString& caption) {
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at < 0 || at + 1 >= caption.size() ? QChar() : caption.at(at + 1).toLower();
  };
  std::vector<std::pair<QString, QList<QAction*>>> menus = {
      {QStringLiteral("menu bar"), window->menuBar()->actions()},
      {QStringLiteral("context menu"), window->Commands().Menu(tBar::Context)->actions()}};
  for (QAction* title : window->menuBar()->actions())
    menus.emplace_back(title->text(), title->menu()->actions());
  // In German, then in English.
  for (const char* language : {"", "/lcid:1033"}) {
    if (*language != '\0') {
      TLanguage::Instance().Install(
          StartupLocalizer({QStringLiteral("ui_tests"), QString::fromLatin1(language)}));
    }
    for (const auto& [name, actions] : menus) {
      QString keys;
      for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        const QChar key = accessKey(action->text());
        EXPECT_FALSE(key.isNull())
            << language << name.toStdString() << ": " << action->text().toStdString();
        EXPECT_FALSE(keys.contains(key))
            << language << name.toStdString() << ": " << action->text().toStdString();
        keys += key;
      }
    }
  }
  TLanguage::Instance().Install(nullptr);
}

TEST_F(MenusTest, HintsOfTheCommands) {
  const std::pair<const char*, const char*> hints[] = {
      {"actExecQuery", "Führt die aktuelle Abfrage aus"},
      {"actStopQuery", "Stoppt eine laufende Abfrage"},
      {"actShowThumbs", "Anzeige der Vorschaubilder"},
      {"actShowList", "Anzeige als Liste"},
      {"actShowDetail", "Anzeige aller Spalten"},
      {"actCopyResults", "Kopiert die markierten Dateinamen in die Zwischenablage"},
      {"actEditSelectAll", "Markiert alles"},
      {"actEditCut", "Ausschneiden in Zwischenablage"},
      {"actEditCopy", "Markierung in Zwischenablage"},
      {"actEditPaste", "Fügt den Inhalt der Zwischenablage ein"},
      {"actExitProgram", "Beendet das Programm"},
      {"actSettings", "Programmeinstellungen ändern"},
      {"mnuHelpTopics", "Zeigt den Inhalt der Onlinehilfe an"},
      {"mnuQuerySyntax", "Informationen zur Abfragesprache"},
      {"mnuHomepage", "Öffnet die Homepage von Orvalis"},
      {"mnuCopyFilename", "Dateiname in Zwischenablage"},
  };
  for (const auto& [name, hint] : hints) {
    QAction* action = window->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    EXPECT_EQ(action->statusTip(), QString::fromUtf8(hint)) << name;
  }
}

TEST_F(MenusTest, ToolbarInItsOrder) {
  QStringList items;
  for (QAction* action : window->Commands().ToolBar()->actions()) {
    if (qobject_cast<QWidgetAction*>(action)) {
      items << QStringLiteral("[") +
                   static_cast<QWidgetAction*>(action)->defaultWidget()->objectName() +
                   QStringLiteral("]");
    } else if (action->isSeparator()) {
      items << QStringLiteral("-");
    } else {
      items << action->objectName();
    }
  }
  EXPECT_EQ(items,
            (QStringList{"actExecQuery", "actStopQuery", "-", "actShowThumbs", "actShowDetail",
                         "actShowList", "-", "actToggleSidebar", "actCopyResults", "actPrint",
                         "actQueryWizard", "-", "actQuerylistNext", "actQuerylistPrev",
                         "actQuerylistSave", "[comboQueries]"}));
  EXPECT_EQ(QueryBox(*window).width(), 221);
  EXPECT_TRUE(window->findChild<QAction*>("actToggleSidebar")->isCheckable());
}

TEST_F(MenusTest, ContextMenuOfTheResultList) {
  EXPECT_EQ(Describe(window->Commands().Menu(tBar::Context)->actions()),
            (QStringList{"&Dateioperationen", "Eigene &Aktionen", "-", "In &Zwischenablage",
                         "Voll&bildmodus | Ctrl+F", "Ö&ffnen", "&Metadaten",
                         "Export &XML ... | Shift+F12"}));
  EXPECT_TRUE(window->Commands().Action(tCommand::mnuCopyFilename)->isEnabled());
}

// Commands whose work belongs to later parts are in place but switched off.
TEST_F(MenusTest, OnlyWorkingCommandsAreEnabled) {
  const char* enabled[] = {"actShowThumbs", "actShowList", "actShowDetail", "actCopyResults",
                           "actEditSelectAll", "actEditCut", "actEditCopy", "actEditPaste",
                           "actExitProgram", "actSettings", "mnuCopyFilename", "actNewQuery",
                           "actLoadQuery", "actSaveQuery", "actPrint", "actExport", "actExportXML",
                           "actQuerylistSave", "actFileOperations", "actFullScreen", "mnuOpen",
                           "mnuMetadata", "actQueryWizard", "mnuHelpTopics", "mnuQuerySyntax",
                           "mnuHomepage", "actAbout", "actFieldHelp", "actLanguage",
                           // The field list shipped beside the program is found.
                           "actToggleSidebar"};
  // Next and previous follow the query buffer, which is empty here.
  const char* disabled[] = {"actQuerylistNext", "actQuerylistPrev"};
  for (const char* name : enabled) {
    EXPECT_TRUE(window->findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
  }
  for (const char* name : disabled) {
    EXPECT_FALSE(window->findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
  }
  EXPECT_FALSE(window->findChild<QMenu*>("mnuResultActions")->isEnabled());
  EXPECT_FALSE(window->findChild<QMenu*>("mnuContextResultActions")->isEnabled());
  EXPECT_TRUE(QueryBox(*window).isEnabled());
}

// Each row is found by its command, and its caption and hint belong to the
// same control, so a language file translates the command by its name.
TEST(CommandTable, RowsAreFoundByTheirCommandAndTranslatedByTheirName) {
  const std::vector<tCommandRow>& rows = MainCommands();
  QStringList names;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const tCommandRow& row = rows[i];
    EXPECT_EQ(static_cast<std::size_t>(row.Id), i);
    const QString name = CommandName(row);
    EXPECT_FALSE(names.contains(name)) << name.toStdString();
    names << name;
    EXPECT_EQ(QString::fromLatin1(Entry(row.Caption).Key),
              QStringLiteral("frmMain.%1.caption").arg(name));
    EXPECT_EQ(QString::fromLatin1(Entry(row.Hint).Key),
              QStringLiteral("frmMain.%1.hint").arg(name));
    EXPECT_FALSE(row.Places.empty()) << name.toStdString();
  }
}

// A command table row is all a window needs: object, caption, hint,
// shortcuts and the rule that enables it.
TEST_F(MenusTest, CommandsFollowTheirRows) {
  for (const tCommandRow& row : MainCommands()) {
    QAction* action = window->Commands().Action(row.Id);
    const QString name = CommandName(row);
    ASSERT_NE(action, nullptr) << name.toStdString();
    if (row.Kind != tCommandKind::Submenu) {
      EXPECT_EQ(action->objectName(), name);
      EXPECT_EQ(action->shortcuts(), row.Shortcuts) << name.toStdString();
    }
    EXPECT_EQ(action->text(),
              QString::fromUtf8(Entry(row.Caption).German.data(),
                                static_cast<qsizetype>(Entry(row.Caption).German.size())));
    // Commands enabled by their feature are checked with the feature.
    if (row.Enabled == tEnabledRule::ByFeature) continue;
    EXPECT_EQ(action->isEnabled(),
              row.Enabled == tEnabledRule::Always || row.Enabled == tEnabledRule::WhenIdle)
        << name.toStdString();
  }
}

}  // namespace
}  // namespace orvalis::test
