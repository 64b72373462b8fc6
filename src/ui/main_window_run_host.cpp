// The main window as host of query runs: the query text, the run settings,
// Execute and Stop, and the run host calls that fill the result list.
#include "ui/main_window.h"

#include "engine/help_log.h"
#include "ui/dialogs.h"
#include "ui/main_commands.h"
#include "ui/qt_text.h"
#include "ui/thumbnail_cache.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTextCursor>

#include <algorithm>

namespace orvalis {


std::string TfrmMain::QueryText() const { return WithCrLf(txtQuery->toPlainText()); }

tRunSettings TfrmMain::RunSettings() const {
  tRunSettings run;
  run.StrDelimDoubleQuote = fSettings.StrDelimDoubleQuote;
  run.EnforceRefinement = fSettings.EnforceRefinement;
  run.RefinementLimit = fSettings.RefinementLimit;
  run.UseNullText = fSettings.UseNullText;
  run.NullText = fSettings.NullText;
  run.ThumbnailWidth = fSettings.ThumbnailWidth;
  run.ThumbnailHeight = fSettings.ThumbnailHeight;
  run.GeneratePreview = fSettings.GeneratePreview;
  run.Locale = fLocale;
  return run;
}

void TfrmMain::actExecQueryExecute() {
  if (fDriver->Running()) return;
  fDriver->actExecQueryExecute(QueryText(), RunSettings());
}

void TfrmMain::tbStopQueryClick() {
  if (fDriver->Running()) fDriver->Stop();
}

int TfrmMain::AddFileToResultlist(const std::string& path) {
  return vwResult->Model().AppendRow(path);
}

void TfrmMain::PrepareResultList(int thumbnailWidth, int thumbnailHeight) {
  const QSize size(thumbnailWidth, thumbnailHeight);
  fRunNotices.clear();
  StatusPanel[3]->setToolTip(QString());
  TResultModel& model = vwResult->Model();
  model.Clear();
  model.Thumbnails().Reset({size, fSettings.GeneratePreview, fSettings.TurnByOrientation});
  // New rows come in the order found: no column is sorted.
  vwResult->HideSortIndicator();
  vwResult->SetThumbnailSize(size);
}

void TfrmMain::AddColumn(const std::string& caption) {
  const int column = vwResult->Model().AddColumn(DisplayText(caption));
  vwResult->FitColumnToContent(column);
}

int TfrmMain::AddRow(const std::string& path, tImageMetaData&, bool generatePreview) {
  // The thumbnail is not made here but when the row is shown, from the file
  // again: a run of many hits would otherwise spend its time and memory on
  // pictures nobody looks at.
  TThumbnailCache& thumbnails = vwResult->Model().Thumbnails();
  if (thumbnails.Recipe().GeneratePreview != generatePreview) {
    TThumbnailRecipe recipe = thumbnails.Recipe();
    recipe.GeneratePreview = generatePreview;
    thumbnails.Reset(recipe);
  }
  return AddFileToResultlist(path);
}

void TfrmMain::SetCell(int row, int column, const std::string& text) {
  vwResult->Model().SetCell(row, column, DisplayText(text));
}

std::vector<std::string> TfrmMain::RowPaths() const {
  const TResultModel& model = vwResult->Model();
  std::vector<std::string> paths;
  // Also the rows of a batch not shown yet.
  paths.reserve(static_cast<std::size_t>(model.RowCountTotal()));
  for (int row = 0; row < model.RowCountTotal(); ++row) paths.push_back(model.Row(row).FileInfo.Path);
  return paths;
}

void TfrmMain::FitColumnsToCaptions() { vwResult->FitColumnsToCaptions(); }

void TfrmMain::EnterRunningState() {
  fResultStack->setCurrentWidget(lblRunning);
  QCoreApplication::processEvents();
  fStyleBeforeRun = fStyle;
  fRunning = true;
  // The run's first status texts and events are handled at once.
  fSincePanelsShown.invalidate();
  fSinceEvents.invalidate();
  // A run shows its rows in batches, a few times a second.
  vwResult->Model().SetBatching(true);
  vwResult->SetStyle(TListStyle::SmallIcon);
  fCommands->UpdateEnabled(true);
}

void TfrmMain::LeaveRunningState() {
  fRunning = false;
  ShowWaitingStatusPanels();
  vwResult->Model().SetBatching(false);
  fCommands->UpdateEnabled(false);
  fResultStack->setCurrentWidget(vwResult);
  ApplyViewStyle(fStyleBeforeRun);
}

void TfrmMain::FocusQueryText(int position) {
  // The position counts bytes of the query text with CR LF line breaks; the
  // editor counts characters with LF line breaks.
  const std::string query = QueryText();
  std::string before = query.substr(0, static_cast<std::size_t>(std::clamp(
                                           position - 1, 0, static_cast<int>(query.size()))));
  std::erase(before, '\r');
  QTextCursor cursor = txtQuery->textCursor();
  cursor.setPosition(static_cast<int>(QString::fromUtf8(before.data(), static_cast<qsizetype>(before.size())).size()));
  txtQuery->setTextCursor(cursor);
  txtQuery->setFocus();
}

void TfrmMain::SetStatusPanel(int panel, const std::string& text) {
  if (panel < 0 || panel > 3) return;
  if (panel == 3 && text.empty() && !fRunNotices.empty()) {
    SetStatusPanel(3, fRunNotices);
    return;
  }
  // Redrawing the status bar for every file would cost a run over many
  // small files more than reading them.
  constexpr qint64 kPanelIntervalMs = 100;
  if (fRunning && fSincePanelsShown.isValid() && fSincePanelsShown.elapsed() < kPanelIntervalMs) {
    fWaitingPanelText[panel] = text;
    return;
  }
  fWaitingPanelText[panel] = text;
  ShowWaitingStatusPanels();
}

void TfrmMain::ShowWaitingStatusPanels() {
  fSincePanelsShown.start();
  for (int panel = 0; panel < 4; ++panel) {
    if (!fWaitingPanelText[panel]) continue;
    ShowStatusPanel(panel, *fWaitingPanelText[panel]);
    fWaitingPanelText[panel].reset();
  }
}

void TfrmMain::ShowStatusPanel(int panel, const std::string& text) {
  QLabel* label = StatusPanel[panel];
  label->setText(DisplayText(text));
  // The fixed panels grow to their text at the font they are drawn with
  // ("300 (HITLIMIT!)" is wider than the design width); the last one stretches.
  if (panel < 3) {
    const int needed = label->sizeHint().width();
    if (needed > label->width()) label->setFixedWidth(needed);
  }
}

void TfrmMain::ShowMessage(const std::string& text) { fDialogs->ShowMessage(DisplayText(text)); }

void TfrmMain::ShowNotice(const std::string& text) {
  HelpLog().Write(text);
  if (!fRunNotices.empty()) fRunNotices += " | ";
  fRunNotices += text;
  StatusPanel[3]->setToolTip(DisplayText(fRunNotices));
  SetStatusPanel(3, fRunNotices);
}

void TfrmMain::ProcessEvents() {
  // During a run events are let in every few milliseconds rather than for
  // every file and column: Stop is handled as soon for a person, and a run
  // over many small files does not spend its time asking for events.
  constexpr qint64 kEventIntervalMs = 5;
  if (fRunning && fSinceEvents.isValid() && fSinceEvents.elapsed() < kEventIntervalMs) return;
  QCoreApplication::processEvents();
  fSinceEvents.start();
}

}  // namespace orvalis
