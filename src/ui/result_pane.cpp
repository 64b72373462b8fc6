// The result pane: its widgets, the status panels, the display style and
// the commands on the list itself, and the run host calls that fill it.
#include "ui/result_pane.h"

#include "engine/help_log.h"
#include "ui/dialogs.h"
#include "ui/language.h"
#include "ui/qt_text.h"
#include "ui/thumbnail_cache.h"
#include "ui/ui_text.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

namespace {

TListStyle ListStyleOf(tResultViewStyle style) {
  switch (style) {
    case tResultViewStyle::List: return TListStyle::List;
    case tResultViewStyle::Detail: return TListStyle::Report;
    case tResultViewStyle::Preview: break;
  }
  return TListStyle::LargeIcon;
}

constexpr int kPanelWidths[] = {75, 55, 50, 50};

}  // namespace

TResultPane::TResultPane(const tSettings& settings, const LocaleInfo& locale, TDialogs& dialogs,
                         QWidget* parent)
    : QWidget(parent), fSettings(settings), fLocale(locale), fDialogs(dialogs) {
  fDriver = std::make_unique<tQueryDriver>(*this);
  setObjectName(QStringLiteral("pnlResult"));
  setMinimumSize(200, 75);
  auto* resultLayout = new QVBoxLayout(this);
  resultLayout->setContentsMargins(4, 0, 4, 4);
  lblResult = Caption(new QLabel, tText::frmMain_lblResult_caption);
  lblResult->setObjectName(QStringLiteral("lblResult"));
  resultLayout->addWidget(lblResult);
  fResultStack = new QStackedWidget;
  vwResult = new TResultView;
  lblRunning = new QLabel;
  lblRunning->setObjectName(QStringLiteral("lblRunning"));
  Caption(lblRunning, tText::frmMain_pnlResult_caption);
  lblRunning->setAlignment(Qt::AlignCenter);
  QFont bold = lblRunning->font();
  bold.setBold(true);
  lblRunning->setFont(bold);
  fResultStack->addWidget(vwResult);
  fResultStack->addWidget(lblRunning);
  resultLayout->addWidget(fResultStack);
  connect(vwResult, &TResultView::HeaderClicked, this, &TResultPane::vwResultColumnClick);
  CreateStatusPanels();
}

TResultPane::~TResultPane() = default;

void TResultPane::CreateStatusPanels() {
  for (int i = 0; i < 4; ++i) {
    fStatusPanel[i] = new QLabel(this);
    fStatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    fStatusPanel[i]->setFrameShape(QFrame::Panel);
    fStatusPanel[i]->setFrameShadow(QFrame::Sunken);
    if (i < 3) {
      fStatusPanel[i]->setFixedWidth(kPanelWidths[i]);
    } else {
      fStatusPanel[i]->setMinimumWidth(kPanelWidths[i]);
    }
  }
  // The changed or saved mark follows a language switch, in a panel wide
  // enough for the longer of the two marks.
  OnLanguage(fStatusPanel[2], [this] {
    QLabel* panel = fStatusPanel[2];
    const QFontMetrics metrics = panel->fontMetrics();
    const int text = std::max(metrics.horizontalAdvance(Ui(tText::QueryTextModified)),
                              metrics.horizontalAdvance(Ui(tText::QueryTextSaved)));
    panel->setFixedWidth(
        std::max(kPanelWidths[2], text + 2 * panel->frameWidth() + 2 * panel->margin() + 4));
    if (fQueryMark) panel->setText(Ui(*fQueryMark));
  });
}

void TResultPane::PlaceStatusPanels(QStatusBar& bar) {
  // The last panel takes the rest of the bar.
  for (int i = 0; i < 4; ++i) bar.addWidget(fStatusPanel[i], i < 3 ? 0 : 1);
}

// ---- Running ------------------------------------------------------------------

tRunSettings TResultPane::RunSettings() const {
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

void TResultPane::Execute(const std::string& queryText) {
  if (fDriver->Running()) return;
  fDriver->actExecQueryExecute(queryText, RunSettings());
}

void TResultPane::Stop() {
  if (fDriver->Running()) fDriver->Stop();
}

std::vector<std::string> TResultPane::ResultSet() const { return fDriver->ResultSet(); }

// ---- The list -----------------------------------------------------------------

void TResultPane::SetStyle(tResultViewStyle style) {
  // During a run the list keeps its small icons; the style returns at the end.
  if (fRunning) {
    fStyleBeforeRun = style;
  } else {
    fStyle = style;
    vwResult->SetStyle(ListStyleOf(style));
  }
}

void TResultPane::ShowHint(const QString& hint) {
  // During a run the last panel shows the folder being searched.
  if (!fRunning) fStatusPanel[3]->setText(hint);
}

void TResultPane::ShowQueryMark(std::optional<tText> mark) {
  fQueryMark = mark;
  if (mark) {
    SetStatusPanel(2, Text(*mark));
  } else {
    fStatusPanel[2]->clear();
  }
}

int TResultPane::AddFileToResultlist(const std::string& path) {
  return vwResult->Model().AppendRow(path);
}

void TResultPane::ClearRows() { vwResult->Model().ClearRows(); }

void TResultPane::vwResultColumnClick(int column) {
  fSortColumn = column;
  vwResult->Model().SortByColumn(fSortColumn, fSortAscending);
  vwResult->ShowSortIndicator(fSortColumn, fSortAscending);
  fSortAscending = !fSortAscending;
}

void TResultPane::CopyResults() {
  const TResultModel& model = vwResult->Model();
  if (model.rowCount() == 0) {
    fDialogs.ShowMessage(Ui(tText::NoResults));
    return;
  }
  std::vector<int> rows = vwResult->SelectedRows();
  if (rows.empty()) {
    for (int row = 0; row < model.rowCount(); ++row) rows.push_back(row);
  }
  QString text;
  for (int row : rows) text += DisplayText(model.Row(row).FileInfo.Path) + QStringLiteral("\r\n");
  QApplication::clipboard()->setText(text);
}

void TResultPane::CopyFilename() {
  const std::vector<int> rows = vwResult->SelectedRows();
  if (rows.empty()) return;
  QApplication::clipboard()->setText(
      DisplayText(vwResult->Model().Row(rows.front()).FileInfo.Path));
}

// ---- The run host ---------------------------------------------------------------

void TResultPane::PrepareResultList(int thumbnailWidth, int thumbnailHeight) {
  const QSize size(thumbnailWidth, thumbnailHeight);
  fRunNotices.clear();
  fStatusPanel[3]->setToolTip(QString());
  TResultModel& model = vwResult->Model();
  model.Clear();
  model.Thumbnails().Reset({size, fSettings.GeneratePreview, fSettings.TurnByOrientation});
  // New rows come in the order found: no column is sorted.
  vwResult->HideSortIndicator();
  vwResult->SetThumbnailSize(size);
}

void TResultPane::AddColumn(const std::string& caption) {
  const int column = vwResult->Model().AddColumn(DisplayText(caption));
  vwResult->FitColumnToContent(column);
}

int TResultPane::AddRow(const std::string& path, tImageMetaData&, bool generatePreview) {
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

void TResultPane::SetCell(int row, int column, const std::string& text) {
  vwResult->Model().SetCell(row, column, DisplayText(text));
}

std::vector<std::string> TResultPane::RowPaths() const {
  const TResultModel& model = vwResult->Model();
  std::vector<std::string> paths;
  // Also the rows of a batch not shown yet.
  paths.reserve(static_cast<std::size_t>(model.RowCountTotal()));
  for (int row = 0; row < model.RowCountTotal(); ++row)
    paths.push_back(model.Row(row).FileInfo.Path);
  return paths;
}

void TResultPane::FitColumnsToCaptions() { vwResult->FitColumnsToCaptions(); }

void TResultPane::EnterRunningState() {
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
  emit RunningChanged(true);
}

void TResultPane::LeaveRunningState() {
  fRunning = false;
  ShowWaitingStatusPanels();
  vwResult->Model().SetBatching(false);
  emit RunningChanged(false);
  fResultStack->setCurrentWidget(vwResult);
  SetStyle(fStyleBeforeRun);
}

void TResultPane::FocusQueryText(int position) { emit QueryFaultAt(position); }

void TResultPane::SetStatusPanel(int panel, const std::string& text) {
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

void TResultPane::ShowWaitingStatusPanels() {
  fSincePanelsShown.start();
  for (int panel = 0; panel < 4; ++panel) {
    if (!fWaitingPanelText[panel]) continue;
    ShowStatusPanel(panel, *fWaitingPanelText[panel]);
    fWaitingPanelText[panel].reset();
  }
}

void TResultPane::ShowStatusPanel(int panel, const std::string& text) {
  QLabel* label = fStatusPanel[panel];
  label->setText(DisplayText(text));
  // The fixed panels grow to their text at the font they are drawn with
  // ("300 (HITLIMIT!)" is wider than the design width); the last one stretches.
  if (panel < 3) {
    const int needed = label->sizeHint().width();
    if (needed > label->width()) label->setFixedWidth(needed);
  }
}

void TResultPane::ShowMessage(const std::string& text) { fDialogs.ShowMessage(DisplayText(text)); }

void TResultPane::ShowNotice(const std::string& text) {
  HelpLog().Write(text);
  if (!fRunNotices.empty()) fRunNotices += " | ";
  fRunNotices += text;
  fStatusPanel[3]->setToolTip(DisplayText(fRunNotices));
  SetStatusPanel(3, fRunNotices);
}

void TResultPane::ProcessEvents() {
  // During a run events are let in every few milliseconds rather than for
  // every file and column: Stop is handled as soon for a person, and a run
  // over many small files does not spend its time asking for events.
  constexpr qint64 kEventIntervalMs = 5;
  if (fRunning && fSinceEvents.isValid() && fSinceEvents.elapsed() < kEventIntervalMs) return;
  QCoreApplication::processEvents();
  fSinceEvents.start();
}

}  // namespace orvalis
