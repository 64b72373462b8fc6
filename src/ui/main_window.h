// The main window: query editor, result list, toolbar, menus and status bar;
// holds the program settings for the whole run and is the host of query runs.
#pragma once

#include "engine/query_driver.h"
#include "engine/result_actions.h"
#include "engine/run_host.h"
#include "engine/settings.h"
#include "ui/field_sidebar.h"
#include "i18n/catalogue.h"
#include "ui/result_view.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace orvalis {

class TCommandSet;
class TDialogs;
class TFieldCompletion;
class TfrmFileOperations;
class TfrmMetadata;
class TfrmPrintMain;
class TfrmExport;
class TfrmExportXML;
class TfrmQuerylist;
class TfrmSettings;
class TfrmAbout;
class tQueryBuffer;

class TfrmMain : public QMainWindow, public tRunHost {
  Q_OBJECT

 public:
  // Without dialogs of its own the window shows real message boxes.
  explicit TfrmMain(TDialogs* dialogs = nullptr, QWidget* parent = nullptr);
  ~TfrmMain() override;

  const tSettings& Settings() const { return fSettings; }
  bool SaveSettingsOnExit() const { return fSaveOnExit; }
  // The editor's whole text with CR LF line breaks.
  std::string QueryText() const;
  bool IsRunning() const { return fRunning; }
  // The settings a query run reads.
  tRunSettings RunSettings() const;
  // Full paths of the hits of the last completed run.
  std::vector<std::string> ResultSet() const { return fDriver->ResultSet(); }

  // One new row for a hit; its thumbnail is made when the row is shown.
  // During a run the row reaches the views with the next batch. Returns the
  // row's index.
  int AddFileToResultlist(const std::string& path);

  // "Sprache ...": picks a language of the language folder and translates
  // every window again.
  void actLanguageExecute();

  // Opens the settings dialog and takes over its values on "OK".
  void actSettingsExecute();
  // Applies what the settings dialog left there (the "OK" path without the
  // modal dialog).
  void TakeOverSettingsDialog();
  TfrmSettings* SettingsDialog() const { return frmSettings; }
  TfrmAbout* AboutBox() const { return frmAbout; }

  // Acting on the results (main_window_results.cpp).
  void actFileOperationsExecute();
  // The dialog "Dateioperationen", made on first use and kept for the run.
  TfrmFileOperations* FileOperationsDialog();
  void mnuOpenClick();
  void actFullScreenExecute();
  void mnuMetadataClick();
  // The metadata window, made on first use and refilled each time.
  TfrmMetadata* MetadataWindow();
  // The user's own actions: read at start, written at the end, run per
  // selected file. Null when there were none at start and none entered since.
  TResultActions* ResultActions() const { return fResultActions.get(); }
  void LoadResultActions();
  void SaveResultActions();
  void actResultActionExecute(int index);
  void TakeOverActionsPage();
  // How programs and files are started; tests put their own in.
  std::function<bool(const QString& program, const QStringList& arguments)> StartDetached;
  std::function<void(const QUrl& url)> OpenUrl;
  // Modal windows run through this; tests look at the window instead.
  std::function<int(QDialog& window)> RunModal;

  // The run host.
  void PrepareResultList(int thumbnailWidth, int thumbnailHeight) override;
  void AddColumn(const std::string& caption) override;
  int AddRow(const std::string& path, tImageMetaData& store, bool generatePreview) override;
  void SetCell(int row, int column, const std::string& text) override;
  std::vector<std::string> RowPaths() const override;
  void FitColumnsToCaptions() override;
  void EnterRunningState() override;
  void LeaveRunningState() override;
  void FocusQueryText(int position) override;
  void SetStatusPanel(int panel, const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  void ShowNotice(const std::string& text) override;
  void ProcessEvents() override;

  // Exports of the result rows (main_window_queries.cpp). The dialogs are
  // made once, so their values stay for the program run.
  void actExportExecute();
  void actExportXMLExecute();
  TfrmExport* ExportDialog() const { return frmExport; }
  TfrmExportXML* ExportXMLDialog() const { return frmExportXML; }

  // Printing the selected results (main_window_print.cpp). The dialog is
  // made with the window, so its values stay for the program run.
  void actPrintExecute();
  TfrmPrintMain* PrintDialog() const { return frmPrintMain; }
  // Each new page lets the cancel window take clicks for this long.
  std::chrono::milliseconds PrintPagePause{200};

  // The query buffer and query files (main_window_queries.cpp).
  void actQuerylistSaveExecute();
  void actQuerylistStepExecute(int tag);  // 1 next, -1 previous
  void comboQueriesSelect(int index);
  void mnuQueryComboDeleteClick();
  void actNewQueryExecute();
  void actLoadQueryExecute();
  void actSaveQueryExecute();
  // The query wizard; on "Fertigstellen" its text replaces the editor's.
  void actQueryWizardExecute();
  TfrmQuerylist* QuerylistDialog() const { return frmQuerylist; }
  const tQueryBuffer& QueryBuffer() const { return *fQueryBuffer; }

  // The command table's actions, menus and toolbar.
  const TCommandSet& Commands() const { return *fCommands; }

  // The texts that are no control's caption or hint (the running mark, the
  // query box's hint), again after a change of language.
  void ApplyTexts();

  // The field sidebar and keyword help (main_window_sidebar.cpp).
  // Reads "SideTree.ini" from the first of the folders that has one; without
  // one the sidebar is switched off, with one it cannot read it says so too.
  void LoadSidebar(const QStringList& folders);
  bool SidebarEnabled() const { return fSidebarEnabled; }
  void actToggleSidebarExecute();
  void actFieldHelpExecute();
  // Replaces the editor's selection by text (inserts at the cursor without
  // one) and gives the editor the focus.
  void InsertIntoQuery(const QString& text);

  // Controls, named as in the rest of the program.
  QPlainTextEdit* txtQuery = nullptr;
  TResultView* vwResult = nullptr;
  TFieldSidebar* pnlSidebar = nullptr;
  QWidget* pnlQuery = nullptr;
  QWidget* pnlResult = nullptr;
  QLabel* lblQuery = nullptr;
  QLabel* lblResult = nullptr;
  QLabel* lblRunning = nullptr;
  QToolBar* tbMain = nullptr;
  QComboBox* comboQueries = nullptr;
  QMenu* popResultContext = nullptr;
  QLabel* StatusPanel[4] = {};

  QAction* actExecQuery = nullptr;
  QAction* actStopQuery = nullptr;
  QAction* actShowThumbs = nullptr;
  QAction* actShowList = nullptr;
  QAction* actShowDetail = nullptr;
  QAction* actCopyResults = nullptr;
  QAction* actEditSelectAll = nullptr;
  QAction* actEditCut = nullptr;
  QAction* actEditCopy = nullptr;
  QAction* actEditPaste = nullptr;
  QAction* actExitProgram = nullptr;
  QAction* actSettings = nullptr;
  QAction* mnuCopyFilename = nullptr;
  QAction* actToggleSidebar = nullptr;
  QAction* actFieldHelp = nullptr;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreatePanes();
  void CreateCommands();
  void CreateStatusBar();
  void CreateSidebarCommands();
  void DisableSidebar();
  void ShowSidebarButton(bool shown);
  void CreateQueryCommands();
  void CreatePrintDialog();
  void LoadQueryBuffer();
  void SaveQueryBuffer();
  // False, after saying so, where a file of the name is no regular file
  // (a device, a pipe, a folder) and must not be written over.
  bool MayWrite(const QString& fileName);
  // Fills the box with the entries short enough for the editor; returns how
  // many were left out.
  int FillQueryCombo();
  void RecallQuery(int index);
  void UpdateQuerylistCommands();
  // The changed or saved mark of the query text in status panel 2.
  void ShowQueryMark(tText mark);
  void ClearResultsForNewQuery();

  // Switches on and connects the commands that act on the results.
  void ConnectResultCommands();
  // Help menu: contents, query syntax, homepage and the about box.
  void ConnectHelpCommands();
  void BuildResultActionMenus();

  void ReadSettings();
  void WriteSettings();
  void ApplyFonts();
  void ApplyViewStyle(tResultViewStyle style);

  void actExecQueryExecute();
  void tbStopQueryClick();
  void actSwitchDisplayExecute(int tag);
  void actCopyResultsExecute();
  void mnuCopyFilenameClick();
  void actEditSelectAllExecute();
  void vwResultColumnClick(int column);

  TDialogs* fDialogs;
  std::unique_ptr<TDialogs> fOwnDialogs;
  TfrmSettings* frmSettings = nullptr;
  TfrmAbout* frmAbout = nullptr;
  TfrmPrintMain* frmPrintMain = nullptr;
  TfrmExport* frmExport = nullptr;
  TfrmExportXML* frmExportXML = nullptr;
  TfrmQuerylist* frmQuerylist = nullptr;
  std::unique_ptr<tQueryBuffer> fQueryBuffer;
  bool fQueryBufferUnreadable = false;  // the list file is kept as found
  std::vector<int> fQueryComboEntries;  // the buffer entry of each line of the box
  QAction* fSidebarButtonNext = nullptr;  // the tool bar's command after the field list button
  std::optional<tText> fQueryMark;      // none until the text is changed or saved
  QMenu* popComboQueries = nullptr;
  tSettings fSettings;
  bool fSaveOnExit = true;
  bool fClosing = false;
  bool fActivated = false;
  bool fRunning = false;
  std::string fDataFolder;  // empty when the folder did not exist at start
  int fSortColumn = 0;
  bool fSortAscending = true;
  tResultViewStyle fStyleBeforeRun = tResultViewStyle::Preview;
  // During a run the status panels are redrawn a few times a second, not
  // per file: texts set in between wait here for the next redraw.
  void ShowStatusPanel(int panel, const std::string& text);
  void ShowWaitingStatusPanels();
  std::optional<std::string> fWaitingPanelText[4];
  // The notices of the last run (names that are no field); the last panel
  // shows them whenever it shows no folder.
  std::string fRunNotices;
  QElapsedTimer fSincePanelsShown;
  QElapsedTimer fSinceEvents;
  tResultViewStyle fStyle = tResultViewStyle::Preview;
  int fSidebarWidth = 169;
  LocaleInfo fLocale;
  std::unique_ptr<tQueryDriver> fDriver;
  std::unique_ptr<TCommandSet> fCommands;

  QSplitter* fSidebarSplitter = nullptr;
  QSplitter* fQuerySplitter = nullptr;
  QStackedWidget* fResultStack = nullptr;
  QActionGroup* fDisplayGroup = nullptr;
  bool fSidebarEnabled = false;
  TFieldCompletion* fCompletion = nullptr;
  TfrmFileOperations* frmFileOperations = nullptr;
  TfrmMetadata* frmMetadata = nullptr;
  std::unique_ptr<TResultActions> fResultActions;
};

}  // namespace orvalis
