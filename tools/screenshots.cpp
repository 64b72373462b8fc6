// Pictures of the windows for the documentation (docs/*.png): runs the
// main window over the bundled samples and its dialogs, each filled as a
// user would fill it, and saves a picture of each into the folder it is
// given, normally under a virtual X display (scripts/screenshots.sh):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/orvalis-screenshots docs
// Settings are kept in a folder of their own; the exit status is 1 when a
// picture could not be made.
#include "ui/about_dialog.h"
#include "ui/dialogs.h"
#include "ui/file_operations_dialog.h"
#include "ui/help_window.h"
#include "ui/program_files.h"
#include "ui/export_dialog.h"
#include "ui/field_sidebar.h"
#include "ui/language.h"
#include "ui/language_dialog.h"
#include "ui/main_window.h"
#include "ui/result_commands.h"
#include "ui/print_dialog.h"
#include "ui/querylist_dialog.h"
#include "ui/wizard_pages.h"
#include "ui/wizard_window.h"
#include "ui/xml_export_dialog.h"

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
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QThread>

#include <cstdio>
#include <string>
#include <utility>
#include <deque>
#include <functional>
#include <memory>

namespace orvalis {
namespace {

bool gFailed = false;

// Notes a picture that could not be made; the run goes on with the next.
bool Check(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "screenshots: %s\n", what.c_str());
    gFailed = true;
  }
  return ok;
}

// Questions are cancelled, messages reported; modal dialogs go to the
// scene's next action, whose result says whether "OK" closed it.
class TScriptedDialogs : public TDialogs {
 public:
  std::deque<std::function<bool(QDialog&)>> dialogActions;

  TAnswer Ask(const QString&) override { return TAnswer::Cancel; }
  void ShowMessage(const QString& text) override {
    std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
  }
  bool Execute(QDialog& dialog) override {
    if (dialogActions.empty()) return false;
    const std::function<bool(QDialog&)> action = std::move(dialogActions.front());
    dialogActions.pop_front();
    const bool accepted = action(dialog);
    if (accepted) dialog.accept();
    return accepted;
  }
};

// A control of the main window by its name (the language file's name).
template <class TControl>
TControl& Control(const QObject& window, const char* name) {
  return *window.findChild<TControl*>(QString::fromLatin1(name));
}

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

// A main window after a run of query over the bundled samples, and the
// folder the pictures go to; one for each scene, as each starts afresh.
class Screenshots {
 public:
  explicit Screenshots(const QDir& output) : fOutput(output) {
    fWindow = std::make_unique<TfrmMain>(&fDialogs);
    fWindow->resize(900, 640);
    fWindow->move(0, 0);
    fWindow->show();
  }
  ~Screenshots() {
    fWindow.reset();
    TLanguage::Instance().Install(nullptr);
  }

  void MainWindowInEachStyle();
  void MainWindowInEnglishAndGerman();
  void WindowsThatActOnResults();
  void MetadataWindowWithXmp();
  void DialogsAndQueryBuffer();
  void FieldSidebar();
  void QueryWizardPages();
  void HelpWindowAndAboutBox();
  void PrintDialog();

 private:
  void Run(const QString& query) {
    Control<QPlainTextEdit>(*fWindow, "txtQuery").setPlainText(query);
    fWindow->findChild<QAction*>(QStringLiteral("actExecQuery"))->trigger();
    Settle();
  }

  void Trigger(const char* command) {
    fWindow->findChild<QAction*>(QString::fromLatin1(command))->trigger();
  }

  void Save(QWidget& shown, const QString& file) {
    Settle();
    QPixmap picture = shown.screen()->grabWindow(shown.winId());
    if (picture.isNull()) picture = shown.grab();
    Check(picture.save(fOutput.absoluteFilePath(file)), "cannot write " + file.toStdString());
  }

  QDir fOutput;
  TScriptedDialogs fDialogs;
  std::unique_ptr<TfrmMain> fWindow;
};

void Screenshots::MainWindowInEachStyle() {
  Run(
      QStringLiteral("SELECT Name, Make, Model, DateTimeOriginal, FNumber\n"
                     "FROM samples/*.jpg\n"
                     "WHERE Make > ''  -- photos that name their camera\n"
                     "WITH subdirs"));
  if (!Check(fWindow->Results().View().Model().rowCount() > 0, "the samples gave too few rows"))
    return;
  fWindow->Results().View().SelectRow(1, false);

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
void Screenshots::MainWindowInEnglishAndGerman() {
  TLanguage::Instance().Install(
      std::make_unique<TLocalizerClass>(ORVALIS_SOURCE_DIR "/lang/", 1033));
  Run(QStringLiteral(
      "SELECT Name, Make, Model, DateTimeOriginal\nFROM samples/*.jpg\nWHERE Make > ''"));
  if (!Check(fWindow->Results().View().Model().rowCount() > 0, "the samples gave too few rows"))
    return;
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
void Screenshots::WindowsThatActOnResults() {
  Run(QStringLiteral("SELECT Name, Make, Model FROM samples/*.jpg WHERE Make > ''"));
  if (!Check(fWindow->Results().View().Model().rowCount() > 2, "the samples gave too few rows"))
    return;
  fWindow->Results().View().SelectRow(0, false);
  fWindow->Results().View().SelectRow(2, true);

  QString file;
  fWindow->ResultCommands().RunModal = [&](QDialog& shown) {
    shown.show();
    Save(shown, file);
    shown.hide();
    return 0;
  };
  file = QStringLiteral("file-operations.png");
  TfrmFileOperations* operations = fWindow->ResultCommands().FileOperationsDialog();
  operations->edtCopyFolder->setText(QStringLiteral("/home/anna/Bilder/Auswahl"));
  operations->edtCommand->setText(QStringLiteral("exiftool -s $filename > \"$filename.txt\""));
  Trigger("actFileOperations");
  file = QStringLiteral("viewer.png");
  Trigger("actFullScreen");
  file = QStringLiteral("metadata-window.png");
  Trigger("mnuMetadata");
}

// The metadata window of a photo with a position, a lens and an XMP packet.
void Screenshots::MetadataWindowWithXmp() {
  Run(QStringLiteral("SELECT Name, XmpRating, Subject FROM samples/*.jpg WHERE XmpRating >= 4"));
  if (!Check(fWindow->Results().View().Model().rowCount() == 1,
             "the samples gave another number of rows"))
    return;
  fWindow->Results().View().SelectRow(0, false);
  fWindow->ResultCommands().RunModal = [&](QDialog& shown) {
    shown.show();
    Save(shown, QStringLiteral("metadata-window-xmp.png"));
    shown.hide();
    return 0;
  };
  Trigger("mnuMetadata");
}

// The two export dialogs, the dialog that files a query and the buffer box
// opened in the toolbar.
void Screenshots::DialogsAndQueryBuffer() {
  TfrmMain& window = *fWindow;
  TScriptedDialogs& dialogs = fDialogs;
  const std::pair<const char*, const char*> queries[] = {
      {"Canon mit Blende unter 4",
       "SELECT Name, Make, FNumber\nFROM ~/Bilder/*.jpg\nWHERE Make ~ 'Canon' and FNumber < 4\nWITH subdirs"},
      {"urlaub 2023", "SELECT Name, Keywords FROM ~/Bilder/*.jpg WHERE Keywords ~ 'Urlaub'"},
      {"Bilder mit Kommentar",
       "SELECT Name, JpgComment FROM *.jpg WHERE hassegment('cmmt') == 'true'"},
  };
  for (const auto& [name, query] : queries) {
    Control<QPlainTextEdit>(window, "txtQuery").setPlainText(QString::fromUtf8(query));
    dialogs.dialogActions.push_back([name = name](QDialog& dialog) {
      dynamic_cast<TfrmQuerylist&>(dialog).comboName->setEditText(QString::fromUtf8(name));
      return true;
    });
    Trigger("actQuerylistSave");
  }
  emit Control<QComboBox>(window, "comboQueries").activated(0);
  Settle();
  Control<QComboBox>(window, "comboQueries").showPopup();
  Settle();
  QPixmap box = window.screen()->grabWindow(0, 0, 0, 900, 300);
  Check(box.save(fOutput.absoluteFilePath(QStringLiteral("query-buffer.png"))),
        "cannot write query-buffer.png");
  Control<QComboBox>(window, "comboQueries").hidePopup();

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
void Screenshots::FieldSidebar() {
  Control<QPlainTextEdit>(*fWindow, "txtQuery")
      .setPlainText(
          QStringLiteral("SELECT Name, ExposureTime, FNumber\nFROM samples/*.jpg\nWHERE "));
  Control<QPlainTextEdit>(*fWindow, "txtQuery").moveCursor(QTextCursor::End);
  fWindow->findChild<QAction*>(QStringLiteral("actToggleSidebar"))->setChecked(true);
  TSidebarTree* tree = Control<TFieldSidebar>(*fWindow, "pnlSidebar").treeSidebar;
  if (!Check(tree->topLevelItemCount() > 1, "the samples gave too few rows")) return;
  QTreeWidgetItem* exposure = tree->topLevelItem(1);
  exposure->setExpanded(true);
  tree->setCurrentItem(exposure->child(1));
  Save(*fWindow, QStringLiteral("field-sidebar.png"));
}

// Each page of the query wizard, filled as a user would fill it.
void Screenshots::QueryWizardPages() {
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

void Screenshots::HelpWindowAndAboutBox() {
  TfrmHelp help;
  help.resize(760, 560);
  help.move(20, 20);
  help.ShowPage(ProgramFile(QStringLiteral("help/de")),
                QStringLiteral("SyntaxHelp/syntax.htm#functions"));
  help.show();
  Save(help, QStringLiteral("help-window.png"));
  fWindow->AboutBox()->Prepare(QStringLiteral("orvalis"));
  fWindow->AboutBox()->show();
  Save(*fWindow->AboutBox(), QStringLiteral("about-box.png"));
  fWindow->AboutBox()->hide();
}

// The print dialog as "Drucken ..." opens it, and the window shown while the
// pages are made.
void Screenshots::PrintDialog() {
  TfrmPrintMain& dialog = *fWindow->PrintDialog();
  dialog.show();
  Save(dialog, QStringLiteral("print-dialog.png"));
  dialog.hide();
  TfrmPrinting printing(fWindow.get());
  printing.show();
  Save(printing, QStringLiteral("print-cancel-window.png"));
}

}  // namespace
}  // namespace orvalis

int main(int argc, char** argv) {
  using orvalis::Screenshots;
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: orvalis-screenshots FOLDER   (a folder the pictures go to)\n");
    return 2;
  }
  const QDir output(QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1])));
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     settings.path() + QStringLiteral("/config"));
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     settings.path() + QStringLiteral("/config"));
  qputenv("APPDATA", (settings.path() + QStringLiteral("/appdata")).toUtf8());
  using tScene = void (Screenshots::*)();
  const tScene scenes[] = {&Screenshots::MainWindowInEachStyle,
                           &Screenshots::MainWindowInEnglishAndGerman,
                           &Screenshots::WindowsThatActOnResults,
                           &Screenshots::MetadataWindowWithXmp,
                           &Screenshots::DialogsAndQueryBuffer,
                           &Screenshots::FieldSidebar,
                           &Screenshots::QueryWizardPages,
                           &Screenshots::HelpWindowAndAboutBox,
                           &Screenshots::PrintDialog};
  for (const tScene scene : scenes) {
    QDir::setCurrent(QStringLiteral(ORVALIS_SOURCE_DIR));  // the samples, languages and help
    Screenshots shots(output);
    (shots.*scene)();
  }
  return orvalis::gFailed ? 1 : 0;
}
