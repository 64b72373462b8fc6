// Language files in the windows: the start-up choice, the command "Sprache
// ..." with its dialog, every open window translated again after a switch,
// Qt's own dialogs following along, and a window's section placing controls.
#include "ui/about_dialog.h"
#include "ui/export_dialog.h"
#include "ui/language.h"
#include "ui/language_dialog.h"
#include "ui/main_window.h"
#include "ui/print_dialog.h"
#include "ui/settings_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvalis {
namespace {

QString SourceLanguageFile(const char* name) {
  return QStringLiteral(ORVALIS_SOURCE_DIR "/lang/") + QString::fromLatin1(name);
}

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsLocation();
    ASSERT_TRUE(fFolder.isValid());
  }
  void TearDown() override { TLanguage::Instance().Install(nullptr); }

  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(fFolder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  void CopyShipped(const char* name) {
    ASSERT_TRUE(QFile::copy(SourceLanguageFile(name), fFolder.filePath(QString::fromLatin1(name))));
  }
  void Install(int localeId) {
    TLanguage::Instance().Install(std::make_unique<TLocalizerClass>(
        (fFolder.path() + QLatin1Char('/')).toStdString(), localeId));
  }
  QStringList MenuTitles() {
    QStringList titles;
    for (QAction* action : fWindow->menuBar()->actions()) titles << action->text();
    return titles;
  }
  // Picks the entry of the language dialog, as the user does, and closes it with "OK".
  void ChooseLanguage(const QString& name, QStringList* listed = nullptr) {
    fDialogs.dialogActions.push_back([name, listed](QDialog& dialog) {
      auto& languages = dynamic_cast<TfrmSelectLang&>(dialog);
      if (listed) {
        for (int i = 0; i < languages.lstLanguages->count(); ++i)
          *listed << languages.lstLanguages->item(i)->text();
      }
      const QList<QListWidgetItem*> found =
          languages.lstLanguages->findItems(name, Qt::MatchExactly);
      if (found.isEmpty()) return false;
      languages.lstLanguages->setCurrentItem(found.front());
      return true;
    });
    fWindow->findChild<QAction*>(QStringLiteral("actLanguage"))->trigger();
  }

  QTemporaryDir fFolder;
  test::TScriptedDialogs fDialogs;
  std::unique_ptr<TfrmMain> fWindow;
};

TEST_F(LanguageTest, LcidOptionWithEnglishFileGivesEnglishCaptions) {
  // The build puts the shipped files into "lang/" beside the test program.
  TLanguage::Instance().Install(
      StartupLocalizer({QStringLiteral("ui_tests"), QStringLiteral("/lcid:1033")}));
  fWindow = std::make_unique<TfrmMain>(&fDialogs);
  EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Edit", "&Query", "&View", "E&xtras", "&Help"}));
  EXPECT_EQ(test::Command(*fWindow, tCommand::actExecQuery)->text(), QStringLiteral("&Run"));
  EXPECT_EQ(fWindow->SettingsDialog()->windowTitle(), QStringLiteral("Program settings"));
  EXPECT_EQ(QCoreApplication::translate("QFontDialog", "Select Font"),
            QStringLiteral("Select Font"));
}

TEST_F(LanguageTest, SwitchTranslatesOpenWindowsAndQtDialogs) {
  CopyShipped("en.lng");
  CopyShipped("de.lng");
  Install(1031);  // de-de.lng is missing, de.lng holds no texts
  fWindow = std::make_unique<TfrmMain>(&fDialogs);
  ASSERT_EQ(fWindow->windowTitle(), QStringLiteral("Orvalis"));
  QStringList listed;
  ChooseLanguage(QStringLiteral("en"), &listed);
  EXPECT_EQ(listed, (QStringList{"de", "en"}));
  EXPECT_EQ(MenuTitles().front(), QStringLiteral("&File"));
  EXPECT_EQ(test::Command(*fWindow, tCommand::actExecQuery)->toolTip(),
            QStringLiteral("Runs the current query"));
  auto* pages = fWindow->SettingsDialog()->findChild<QTabWidget*>();
  EXPECT_EQ(pages->tabText(0), QStringLiteral("Display"));
  EXPECT_EQ(QCoreApplication::translate("QFontDialog", "Select Font"),
            QStringLiteral("Select Font"));

  ChooseLanguage(QStringLiteral("de"));
  EXPECT_EQ(MenuTitles().front(), QStringLiteral("&Datei"));
  EXPECT_EQ(pages->tabText(0), QStringLiteral("Anzeige"));
  EXPECT_EQ(QCoreApplication::translate("QFontDialog", "Select Font"),
            QStringLiteral("Schriftart auswählen"));
}

TEST_F(LanguageTest, DialogListsAFileOfNoKnownCodeUnderItsName) {
  Write(QStringLiteral("xx.lng"), "[frmMain]\nself.caption=Ixion\n");
  Write(QStringLiteral("fr-ca.lng"), "");
  Install(1031);
  fWindow = std::make_unique<TfrmMain>(&fDialogs);
  QStringList listed;
  ChooseLanguage(QStringLiteral("xx"), &listed);
  EXPECT_EQ(listed, (QStringList{"French-Canada", "xx"}));
  EXPECT_EQ(fWindow->windowTitle(), QStringLiteral("Ixion"));
  // Opened again, the dialog has the language in use selected.
  QString selected;
  fDialogs.dialogActions.push_back([&selected](QDialog& dialog) {
    selected = dynamic_cast<TfrmSelectLang&>(dialog).Selected();
    return false;
  });
  fWindow->findChild<QAction*>(QStringLiteral("actLanguage"))->trigger();
  EXPECT_EQ(selected, QStringLiteral("xx"));
}

TEST_F(LanguageTest, CancelKeepsTheLanguage) {
  CopyShipped("en.lng");
  Install(1033);
  fWindow = std::make_unique<TfrmMain>(&fDialogs);
  fDialogs.dialogActions.push_back([](QDialog&) { return false; });
  fWindow->findChild<QAction*>(QStringLiteral("actLanguage"))->trigger();
  EXPECT_EQ(test::Command(*fWindow, tCommand::actExecQuery)->text(), QStringLiteral("&Run"));
}

TEST_F(LanguageTest, SectionPlacesControlsAndIgnoresABadNumber) {
  Write(QStringLiteral("en.lng"),
        "[frmExport]\nbtnOK.top=abc\nbtnOK.caption=Okay\nself.width=612\nnoSuchControl.width=5\n"
        "self.height=2000000000\n");
  Install(1033);
  test::TScriptedDialogs dialogs;
  TfrmExport dialog(dialogs);
  auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("Okay"));
  EXPECT_EQ(dialog.width(), 612);
  EXPECT_LE(dialog.height(), 4096);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Exportoptionen"));
}

TEST_F(LanguageTest, SectionsOfTheAboutBoxAndPrintDialogAndControlSizes) {
  Write(QStringLiteral("en.lng"),
        "[AboutBox]\nself.caption=About it\nbtnOK.width=151\n"
        "[frmPrintMain]\nbtnOK.width=142\nbtnOK.height=41\n");
  Install(1033);
  TfrmAbout about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About it"));
  test::TScriptedDialogs dialogs;
  TfrmPrintMain print(dialogs);
  const std::pair<QDialog*, QSize> cases[] = {{&about, QSize(151, -1)}, {&print, QSize(142, 41)}};
  for (const auto& [dialog, size] : cases) {
    dialog->show();
    QApplication::processEvents();
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("btnOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->width(), size.width()) << dialog->objectName().toStdString();
    if (size.height() > 0) {
      EXPECT_EQ(ok->height(), size.height()) << dialog->objectName().toStdString();
    }
    dialog->hide();
  }
}

}  // namespace
}  // namespace orvalis
