// Pictures of the windows for the documentation. Run only when
// ORVALIS_SCREENSHOT_DIR names the folder to write them to, normally under a
// virtual X display:
//   ORVALIS_SCREENSHOT_DIR=docs xvfb-run -a -s "-screen 0 1024x768x24" build/ui_tests --gtest_filter=Screenshots.*
#include "ui/about_dialog.h"
#include "ui/file_operations_dialog.h"
#include "ui/help_window.h"
#include "ui/program_files.h"
#include "ui/export_dialog.h"
#include "ui/field_sidebar.h"
#include "ui/language.h"
#include "ui/language_dialog.h"
#include "ui/main_window.h"
#include "ui/print_dialog.h"
#include "ui/querylist_dialog.h"
#include "ui/wizard_pages.h"
#include "ui/wizard_window.h"
#include "ui/xml_export_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QThread>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

// A main window after a run of query over the bundled samples, and the
// folder the pictures go to.
class Screenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString target = QString::fromLocal8Bit(qgetenv("ORVALIS_SCREENSHOT_DIR"));
    if (target.isEmpty()) GTEST_SKIP() << "ORVALIS_SCREENSHOT_DIR not set";
    fOutput = QDir(QDir(QString::fromLocal8Bit(qgetenv("PWD"))).absoluteFilePath(target));
    UseFreshSettingsLocation();
    fPrevious = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ORVALIS_SOURCE_DIR));
    fWindow = std::make_unique<TfrmMain>(&fDialogs);
    fWindow->resize(900, 640);
    fWindow->move(0, 0);
    fWindow->show();
  }
  void TearDown() override {
    fWindow.reset();
    TLanguage::Instance().Install(nullptr);
    if (!fPrevious.isEmpty()) QDir::setCurrent(fPrevious);
  }

  void Run(const QString& query) {
    fWindow->txtQuery->setPlainText(query);
    fWindow->findChild<QAction*>(QStringLiteral("actExecQuery"))->trigger();
    Settle();
  }

  void Save(QWidget& shown, const QString& file) {
    Settle();
    QPixmap picture = shown.screen()->grabWindow(shown.winId());
    if (picture.isNull()) picture = shown.grab();
    EXPECT_TRUE(picture.save(fOutput.absoluteFilePath(file))) << file.toStdString();
  }

  QDir fOutput;
  QString fPrevious;
  TScriptedDialogs fDialogs;
  std::unique_ptr<TfrmMain> fWindow;
};

TEST_F(Screenshots, MainWindowInEachStyle) {
  Run(QStringLiteral(
      "SELECT Name, Make, Model, DateTimeOriginal, FNumber\n"
      "FROM samples/*.jpg\n"
      "WHERE Make > ''  -- photos that name their camera\n"
      "WITH subdirs"));
  ASSERT_GT(fWindow->vwResult->Model().rowCount(), 0);
  fWindow->vwResult->SelectRow(1, false);

  const std::pair<const char*, const char*> styles[] = {
      {"actShowThumbs", "main-window-preview.png"},
      {"actShowDetail", "main-window-details.png"},
      {"actShowList", "main-window-list.png"},
  };
  for (const auto& [action, file] : styles) {
    fWindow->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    Save(*fWindow, QString::fromLatin1(file));
  }
}

// The main window in English, then switched to German with "Sprache ...".
TEST_F(Screenshots, MainWindowInEnglishAndGerman) {
  TLanguage::Instance().Install(std::make_unique<TLocalizerClass>(ORVALIS_SOURCE_DIR "/lang/", 1033));
  Run(QStringLiteral("SELECT Name, Make, Model, DateTimeOriginal\nFROM samples/*.jpg\nWHERE Make > ''"));
  ASSERT_GT(fWindow->vwResult->Model().rowCount(), 0);
  fWindow->findChild<QAction*>(QStringLiteral("actShowDetail"))->trigger();
  Save(*fWindow, QStringLiteral("main-window-english.png"));

  fDialogs.dialogActions.push_back([this](QDialog& dialog) {
    auto& languages = dynamic_cast<TfrmSelectLang&>(dialog);
    languages.lstLanguages->setCurrentRow(0);  // "de", sorted before "en"
    dialog.move(300, 200);
    dialog.show();
    Save(dialog, QStringLiteral("language-dialog.png"));
    return true;
  });
  fWindow->findChild<QAction*>(QStringLiteral("actLanguage"))->trigger();
  Save(*fWindow, QStringLiteral("main-window-german.png"));
}

// The file operations dialog, the full-screen viewer and the metadata window.
TEST_F(Screenshots, WindowsThatActOnResults) {
  Run(QStringLiteral("SELECT Name, Make, Model FROM samples/*.jpg WHERE Make > ''"));
  ASSERT_GT(fWindow->vwResult->Model().rowCount(), 2);
  fWindow->vwResult->SelectRow(0, false);
  fWindow->vwResult->SelectRow(2, true);

  QString file;
  fWindow->RunModal = [&](QDialog& shown) {
    shown.show();
    Save(shown, file);
    shown.hide();
    return 0;
  };
  file = QStringLiteral("file-operations.png");
  TfrmFileOperations* operations = fWindow->FileOperationsDialog();
  operations->edtCopyFolder->setText(QStringLiteral("/home/anna/Bilder/Auswahl"));
  operations->edtCommand->setText(QStringLiteral("exiftool -s $filename > \"$filename.txt\""));
  fWindow->actFileOperationsExecute();
  file = QStringLiteral("viewer.png");
  fWindow->actFullScreenExecute();
  file = QStringLiteral("metadata-window.png");
  fWindow->mnuMetadataClick();
}

// The metadata window of a photo with a position, a lens and an XMP packet.
TEST_F(Screenshots, MetadataWindowWithXmp) {
  Run(QStringLiteral("SELECT Name, XmpRating, Subject FROM samples/*.jpg WHERE XmpRating >= 4"));
  ASSERT_EQ(fWindow->vwResult->Model().rowCount(), 1);
  fWindow->vwResult->SelectRow(0, false);
  fWindow->RunModal = [&](QDialog& shown) {
    shown.show();
    Save(shown, QStringLiteral("metadata-window-xmp.png"));
    shown.hide();
    return 0;
  };
  fWindow->mnuMetadataClick();
}

// The two export dialogs, the dialog that files a query and the buffer box
// opened in the toolbar.
TEST_F(Screenshots, DialogsAndQueryBuffer) {
  TfrmMain& window = *fWindow;
  TScriptedDialogs& dialogs = fDialogs;
  const std::pair<const char*, const char*> queries[] = {
      {"Canon mit Blende unter 4",
       "SELECT Name, Make, FNumber\nFROM ~/Bilder/*.jpg\nWHERE Make ~ 'Canon' and FNumber < 4\nWITH subdirs"},
      {"urlaub 2023", "SELECT Name, Keywords FROM ~/Bilder/*.jpg WHERE Keywords ~ 'Urlaub'"},
      {"Bilder mit Kommentar", "SELECT Name, JpgComment FROM *.jpg WHERE hassegment('cmmt') == 'true'"},
  };
  for (const auto& [name, query] : queries) {
    window.txtQuery->setPlainText(QString::fromUtf8(query));
    dialogs.dialogActions.push_back([name = name](QDialog& dialog) {
      dynamic_cast<TfrmQuerylist&>(dialog).comboName->setEditText(QString::fromUtf8(name));
      return true;
    });
    window.actQuerylistSaveExecute();
  }
  window.comboQueriesSelect(0);
  Settle();
  window.comboQueries->showPopup();
  Settle();
  QPixmap box = window.screen()->grabWindow(0, 0, 0, 900, 300);
  EXPECT_TRUE(box.save(fOutput.absoluteFilePath(QStringLiteral("query-buffer.png"))));
  window.comboQueries->hidePopup();

  window.QuerylistDialog()->Fill({QStringLiteral("Canon mit Blende unter 4")});
  window.QuerylistDialog()->comboName->setEditText(QStringLiteral("Canon, neu"));
  window.QuerylistDialog()->chkTimestamp->setChecked(true);
  QDialog* shown[] = {window.ExportDialog(), window.ExportXMLDialog(), window.QuerylistDialog()};
  const char* files[] = {"export-dialog.png", "xml-export-dialog.png", "querylist-dialog.png"};
  for (std::size_t i = 0; i < 3; ++i) {
    shown[i]->show();
    Save(*shown[i], QString::fromLatin1(files[i]));
    shown[i]->hide();
  }
}

// The field sidebar beside the query editor: the list shipped with the
// program, one group open, the tip of the selected field below it.
TEST_F(Screenshots, FieldSidebar) {
  fWindow->txtQuery->setPlainText(QStringLiteral("SELECT Name, ExposureTime, FNumber\nFROM samples/*.jpg\nWHERE "));
  fWindow->txtQuery->moveCursor(QTextCursor::End);
  fWindow->findChild<QAction*>(QStringLiteral("actToggleSidebar"))->setChecked(true);
  TSidebarTree* tree = fWindow->pnlSidebar->treeSidebar;
  ASSERT_GT(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* exposure = tree->topLevelItem(1);
  exposure->setExpanded(true);
  tree->setCurrentItem(exposure->child(1));
  Save(*fWindow, QStringLiteral("field-sidebar.png"));
}

// Each page of the query wizard, filled as a user would fill it.
TEST_F(Screenshots, QueryWizardPages) {
  TfrmWizard wizard(fDialogs, fWindow.get());
  wizard.frSelectFiles->edtFileMask->setText(QStringLiteral("/home/anna/Bilder/*.jpg"));
  wizard.frSelectFiles->chkSubdirs->setChecked(true);
  TfrSelectFields& fields = *wizard.frSelectFields;
  for (const char* name : {"Make", "Model", "DateTimeOriginal"}) {
    fields.lstSelectedFields->addItem(QString::fromLatin1(name));
  }
  fields.lstAvailableFields->setCurrentRow(10);
  TfrSelectWhere& where = *wizard.frSelectWhere;
  where.comboLeft->setEditText(QStringLiteral("Make"));
  where.comboRight->setEditText(QStringLiteral("'Canon'"));
  where.btnAnd->click();
  where.comboLeft->setEditText(QStringLiteral("FNumber"));
  where.comboOperator->setCurrentText(QStringLiteral("<"));
  where.comboRight->setEditText(QStringLiteral("4"));
  where.btnAnd->click();
  wizard.move(80, 80);
  wizard.show();
  const char* files[] = {"wizard-welcome.png", "wizard-files.png", "wizard-fields.png",
                         "wizard-filter.png"};
  for (std::size_t i = 0; i < 4; ++i) {
    if (i > 0) wizard.btnNext->click();
    Save(wizard, QString::fromLatin1(files[i]));
  }
  wizard.hide();
}

TEST_F(Screenshots, HelpWindowAndAboutBox) {
  TfrmHelp help;
  help.resize(760, 560);
  help.move(20, 20);
  help.ShowPage(ProgramFile(QStringLiteral("help/de")), QStringLiteral("SyntaxHelp/syntax.htm#functions"));
  help.show();
  Save(help, QStringLiteral("help-window.png"));
  fWindow->AboutBox()->Prepare(QStringLiteral("orvalis"));
  fWindow->AboutBox()->show();
  Save(*fWindow->AboutBox(), QStringLiteral("about-box.png"));
  fWindow->AboutBox()->hide();
}

// The print dialog as "Drucken ..." opens it, and the window shown while the
// pages are made.
TEST_F(Screenshots, PrintDialog) {
  TfrmPrintMain& dialog = *fWindow->PrintDialog();
  dialog.show();
  Save(dialog, QStringLiteral("print-dialog.png"));
  dialog.hide();
  TfrmPrinting printing(fWindow.get());
  printing.show();
  Save(printing, QStringLiteral("print-cancel-window.png"));
}

}  // namespace
}  // namespace orvalis::test
