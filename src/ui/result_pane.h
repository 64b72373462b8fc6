// The result pane of the main window: the list of a query's hits under its
// label, the mark shown in its place while a run goes on, and the four
// status panels. It runs the queries (it is the host the query driver fills)
// and holds the run's state: running or not, Stop, the style the list goes
// back to at the end, and the notices of the last run.
#pragma once

#include "common/locale_info.h"
#include "engine/query_driver.h"
#include "engine/settings.h"
#include "i18n/catalogue.h"
#include "ui/result_view.h"

#include <QElapsedTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QStackedWidget;
class QStatusBar;

namespace orvalis {

class TDialogs;

class TResultPane : public QWidget, public tRunHost {
  Q_OBJECT

 public:
  // The settings and locale are the window's and are read at each run.
  TResultPane(const tSettings& settings, const LocaleInfo& locale, TDialogs& dialogs,
              QWidget* parent = nullptr);
  ~TResultPane() override;

  // Runs the query (CR LF line breaks); nothing while a run goes on.
  void Execute(const std::string& queryText);
  // Ends a run at its next file.
  void Stop();
  bool IsRunning() const { return fRunning; }
  // The settings a query run reads.
  tRunSettings RunSettings() const;
  // Full paths of the hits of the last completed run.
  std::vector<std::string> ResultSet() const;

  TResultView& View() { return *vwResult; }
  const TResultView& View() const { return *vwResult; }
  // The status bar's panels 0 to 3; the window places them in its bar.
  QLabel& StatusPanel(int panel) const { return *fStatusPanel[panel]; }
  void PlaceStatusPanels(QStatusBar& bar);
  // "Abfrage läuft ...", shown instead of the list during a run.
  const QLabel& RunningMark() const { return *lblRunning; }

  // The display style; during a run the list keeps its small icons and
  // takes the style at the end.
  void SetStyle(tResultViewStyle style);
  // The style chosen last, also during a run.
  tResultViewStyle Style() const { return fRunning ? fStyleBeforeRun : fStyle; }
  // The long hint of the control under the mouse, in the last panel unless
  // a run shows its folder there.
  void ShowHint(const QString& hint);
  // The changed or saved mark of the query text in panel 2, following a
  // language switch; none empties the panel.
  void ShowQueryMark(std::optional<tText> mark);

  // One new row for a hit; its thumbnail is made when the row is shown.
  // During a run the row reaches the views with the next batch. Returns the
  // row's index.
  int AddFileToResultlist(const std::string& path);
  // The rows go, the columns stay (a new or loaded query).
  void ClearRows();
  // "Ergebnisdateinamen kopieren": the selected rows' paths, or all.
  void CopyResults();
  // The first selected row's path.
  void CopyFilename();

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

 signals:
  // A run starts (true) or ends (false).
  void RunningChanged(bool running);
  // A part of the query failed to compile at this 1-based byte position of
  // the text the run was given.
  void QueryFaultAt(int position);

 private:
  void CreateStatusPanels();
  void vwResultColumnClick(int column);
  // During a run the status panels are redrawn a few times a second, not
  // per file: texts set in between wait here for the next redraw.
  void ShowStatusPanel(int panel, const std::string& text);
  void ShowWaitingStatusPanels();

  const tSettings& fSettings;
  const LocaleInfo& fLocale;
  TDialogs& fDialogs;
  std::unique_ptr<tQueryDriver> fDriver;
  TResultView* vwResult = nullptr;
  QLabel* lblResult = nullptr;
  QLabel* lblRunning = nullptr;
  QStackedWidget* fResultStack = nullptr;
  QLabel* fStatusPanel[4] = {};

  bool fRunning = false;
  tResultViewStyle fStyle = tResultViewStyle::Preview;
  tResultViewStyle fStyleBeforeRun = tResultViewStyle::Preview;
  int fSortColumn = 0;
  bool fSortAscending = true;
  std::optional<tText> fQueryMark;  // none until the text is changed or saved
  std::optional<std::string> fWaitingPanelText[4];
  // The notices of the last run (names that are no field); the last panel
  // shows them whenever it shows no folder.
  std::string fRunNotices;
  QElapsedTimer fSincePanelsShown;
  QElapsedTimer fSinceEvents;
};

}  // namespace orvalis
