// The main window: the frame with the query editor, the field sidebar and
// the result pane, the menus, toolbar and status bar, the command table's
// wiring and the dialogs; holds the program settings for the whole run.
#pragma once

#include "engine/settings.h"
#include "ui/field_sidebar.h"
#include "i18n/catalogue.h"
#include "ui/query_buffer_box.h"
#include "ui/query_editor.h"
#include "ui/result_pane.h"

#include <QMainWindow>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolBar;

namespace orvalis {

class TCommandSet;
class TDialogs;
class TFieldCompletion;
class TfrmPrintMain;
class TfrmExport;
class TfrmExportXML;
class TfrmQuerylist;
class TfrmSettings;
class TfrmAbout;
class tQueryBuffer;
class TResultCommands;

class TfrmMain : public QMainWindow {
  Q_OBJECT

 public:
  // Without dialogs of its own the window shows real message boxes.
  explicit TfrmMain(TDialogs* dialogs = nullptr, QWidget* parent = nullptr);
  ~TfrmMain() override;

  const tSettings& Settings() const { return fSettings; }
  bool SaveSettingsOnExit() const { return fSaveOnExit; }
  // The editor's whole text with CR LF line breaks.
  std::string QueryText() const;
  // The result list, the query runs and the status panels.
  TResultPane& Results() const { return *fResults; }
  // The command table's actions, menus and toolbar.
  const TCommandSet& Commands() const { return *fCommands; }

  // Applies what the settings dialog left there (the "OK" path without the
  // modal dialog).
  void TakeOverSettingsDialog();
  TfrmSettings* SettingsDialog() const { return frmSettings; }
  TfrmAbout* AboutBox() const { return frmAbout; }

  // The commands that act on the selected hits, with the user's own actions.
  TResultCommands& ResultCommands() const { return *fResultCommands; }
  // The actions entered on the settings dialog's page "Aktionen" become
  // the user's own (part of the dialog's "OK").
  void TakeOverActionsPage();

  // The dialogs of the exports and of the query buffer are made once, so
  // their values stay for the program run.
  TfrmExport* ExportDialog() const { return frmExport; }
  TfrmExportXML* ExportXMLDialog() const { return frmExportXML; }
  TfrmQuerylist* QuerylistDialog() const { return frmQuerylist; }
  const tQueryBuffer& QueryBuffer() const { return comboQueries->Buffer(); }

  // Printing the selected results (main_window_print.cpp). The dialog is
  // made with the window, so its values stay for the program run.
  void actPrintExecute();
  TfrmPrintMain* PrintDialog() const { return frmPrintMain; }
  // Each new page lets the cancel window take clicks for this long.
  std::chrono::milliseconds PrintPagePause{200};

  // Reads "SideTree.ini" from the first of the folders that has one; without
  // one the sidebar is switched off, with one it cannot read it says so too.
  void LoadSidebar(const QStringList& folders);
  bool SidebarEnabled() const { return fSidebarEnabled; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreatePanes();
  void CreateCommands();
  void CreateSidebarCommands();
  void DisableSidebar();
  void ShowSidebarButton(bool shown);
  void CreateQueryCommands();
  void CreatePrintDialog();
  // The changed or saved mark of the query text in status panel 2.
  void ShowQueryMark(tText mark);
  void ClearResultsForNewQuery();

  // The commands that act on the results, and the settings page's editor
  // of one user action.
  void ConnectResultCommands();
  // Help menu: contents, query syntax, homepage and the about box.
  void ConnectHelpCommands();

  void ReadSettings();
  void WriteSettings();
  void ApplyFonts();
  void ApplyViewStyle(tResultViewStyle style);

  // "Sprache ...": picks a language of the language folder and translates
  // every window again.
  void actLanguageExecute();
  // Opens the settings dialog and takes over its values on "OK".
  void actSettingsExecute();
  void actSwitchDisplayExecute(int tag);
  void actEditSelectAllExecute();
  void actQuerylistSaveExecute();
  void actNewQueryExecute();
  void actLoadQueryExecute();
  void actSaveQueryExecute();
  // The query wizard; on "Fertigstellen" its text replaces the editor's.
  void actQueryWizardExecute();
  void actToggleSidebarExecute();
  void actFieldHelpExecute();

  // Controls, named as in the rest of the program.
  TQueryEditor* txtQuery = nullptr;
  TResultPane* fResults = nullptr;
  TFieldSidebar* pnlSidebar = nullptr;
  QWidget* pnlQuery = nullptr;
  QLabel* lblQuery = nullptr;
  QToolBar* tbMain = nullptr;
  TQueryBufferBox* comboQueries = nullptr;
  QMenu* popResultContext = nullptr;
  QAction* actShowThumbs = nullptr;
  QAction* actShowList = nullptr;
  QAction* actShowDetail = nullptr;
  QAction* actToggleSidebar = nullptr;

  TDialogs* fDialogs;
  std::unique_ptr<TDialogs> fOwnDialogs;
  TfrmSettings* frmSettings = nullptr;
  TfrmAbout* frmAbout = nullptr;
  TfrmPrintMain* frmPrintMain = nullptr;
  TfrmExport* frmExport = nullptr;
  TfrmExportXML* frmExportXML = nullptr;
  TfrmQuerylist* frmQuerylist = nullptr;
  QAction* fSidebarButtonNext = nullptr;  // the tool bar's command after the field list button
  tSettings fSettings;
  bool fSaveOnExit = true;
  bool fClosing = false;
  bool fActivated = false;
  std::string fDataFolder;  // empty when the folder did not exist at start
  int fSidebarWidth = 169;
  LocaleInfo fLocale;
  std::unique_ptr<TCommandSet> fCommands;

  QSplitter* fSidebarSplitter = nullptr;
  QSplitter* fQuerySplitter = nullptr;
  bool fSidebarEnabled = false;
  TFieldCompletion* fCompletion = nullptr;
  TResultCommands* fResultCommands = nullptr;
};

}  // namespace orvalis
