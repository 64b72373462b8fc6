// The main menu, the toolbar and the context menu of the result list:
// captions, shortcuts and order, and which commands are available.
#include "ui/main_window.h"
#include "ui_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidgetAction>

#include <gtest/gtest.h>

namespace orvalis {
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

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsLocation();
    window = std::make_unique<TfrmMain>(&dialogs);
  }
  QMenu* Menu(const QString& title) {
    for (QAction* action : window->menuBar()->actions()) {
      if (action->text() == title) return action->menu();
    }
    return nullptr;
  }
  test::TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

TEST_F(MenusTest, MainMenuMatchesTheCommandTables) {
  QStringList titles;
  for (QAction* action : window->menuBar()->actions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{"Datei", "Edit", "Abfrage", "Ansicht", "Extras", "Hilfe"}));

  const std::vector<std::pair<QString, QStringList>> expected = {
      {"Datei",
       {"Neue Abfrage", "Abfrage öffnen | Ctrl+O", "Abfrage speichern | Ctrl+S", "-",
        "Drucken ... | Ctrl+P", "Export ... | F12", "Export XML ... | Shift+F12", "-",
        "Programm beenden | Alt+F4"}},
      {"Edit",
       {"Ausschneiden | Ctrl+X", "Kopieren | Ctrl+C", "Einfügen | Ctrl+V", "-",
        "Ergebnisdateinamen kopieren | Ctrl+Alt+C", "Alles markieren | Ctrl+A"}},
      {"Abfrage",
       {"Ausführen | Ctrl+E | F5 | Ctrl+Return | Ctrl+Enter", "Neue Abfrage", "Abfrageassistent starten", "-",
        "Abfrage öffnen | Ctrl+O", "Abfrage speichern | Ctrl+S", "-",
        "Abfrage in Liste | Ctrl+Alt+S", "Nächste Abfrage | Alt+Down",
        "Vorherige Abfrage | Alt+Up"}},
      {"Ansicht",
       {"Vorschau | Ctrl+I", "Liste | Ctrl+L", "Details | Ctrl+D", "-", "Vollbildmodus | Ctrl+F",
        "Feldliste an/aus | F11"}},
      {"Extras",
       {"Abfrageassistent starten", "Eigene Aktionen", "Dateioperationen", "-", "Sprache ...",
        "Einstellungen ..."}},
      {"Hilfe",
       {"Hilfethemen", "Abfrage-Syntax", "Schlüsselwort-Hilfe | Shift+F1", "-", "Orvalis Homepage",
        "Info ..."}},
  };
  for (const auto& [title, items] : expected) {
    QMenu* menu = Menu(title);
    ASSERT_NE(menu, nullptr) << title.toStdString();
    EXPECT_EQ(Describe(menu->actions()), items) << title.toStdString();
  }
  EXPECT_NE(Menu("Extras")->actions().at(1)->menu(), nullptr);
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
  for (QAction* action : window->tbMain->actions()) {
    if (qobject_cast<QWidgetAction*>(action)) {
      items << QStringLiteral("[") + static_cast<QWidgetAction*>(action)->defaultWidget()->objectName() +
                   QStringLiteral("]");
    } else if (action->isSeparator()) {
      items << QStringLiteral("-");
    } else {
      items << action->objectName();
    }
  }
  EXPECT_EQ(items, (QStringList{"actExecQuery", "actStopQuery", "-", "actShowThumbs", "actShowDetail",
                                "actShowList", "-", "actToggleSidebar", "actCopyResults", "actPrint",
                                "actQueryWizard", "-", "actQuerylistNext", "actQuerylistPrev",
                                "actQuerylistSave", "[comboQueries]"}));
  EXPECT_EQ(window->comboQueries->width(), 221);
  EXPECT_TRUE(window->findChild<QAction*>("actToggleSidebar")->isCheckable());
}

TEST_F(MenusTest, ContextMenuOfTheResultList) {
  EXPECT_EQ(Describe(window->popResultContext->actions()),
            (QStringList{"Dateioperationen", "Eigene Aktionen", "-", "In &Zwischenablage",
                         "Vollbildmodus | Ctrl+F", "Ö&ffnen", "&Metadaten",
                         "Export XML ... | Shift+F12"}));
  EXPECT_TRUE(window->mnuCopyFilename->isEnabled());
}

// Commands whose work belongs to later parts are in place but switched off.
TEST_F(MenusTest, OnlyWorkingCommandsAreEnabled) {
  const char* enabled[] = {"actShowThumbs", "actShowList", "actShowDetail", "actCopyResults",
                           "actEditSelectAll", "actEditCut", "actEditCopy", "actEditPaste",
                           "actExitProgram", "actSettings", "mnuCopyFilename",
                           "actFileOperations", "actFullScreen", "mnuOpen", "mnuMetadata"};
  const char* disabled[] = {"actNewQuery", "actLoadQuery", "actSaveQuery", "actPrint", "actExport",
                            "actExportXML", "actQueryWizard", "actQuerylistSave", "actQuerylistNext",
                            "actQuerylistPrev", "actToggleSidebar",
                            "actLanguage", "mnuHelpTopics", "mnuQuerySyntax",
                            "actFieldHelp", "mnuHomepage", "actAbout"};
  for (const char* name : enabled) {
    EXPECT_TRUE(window->findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
  }
  for (const char* name : disabled) {
    EXPECT_FALSE(window->findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
  }
  EXPECT_FALSE(window->findChild<QMenu*>("mnuResultActions")->isEnabled());
  EXPECT_FALSE(window->findChild<QMenu*>("mnuContextResultActions")->isEnabled());
  EXPECT_FALSE(window->comboQueries->isEnabled());
}

}  // namespace
}  // namespace orvalis
