// The main window as host of query runs: the query text, the run settings,
// Execute and Stop, and the run host calls that fill the result list.
#include "ui/main_window.h"

#include "metadata/image_metadata.h"
#include "ui/dialogs.h"
#include "ui/main_commands.h"
#include "ui/orientation.h"
#include "ui/thumbnail.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTextCursor>

#include <algorithm>

namespace orvalis {

namespace {

// Line breaks of the editor as the rest of the program counts on them.
std::string WithCrLf(const QString& text) {
  QString normalized = text;
  normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  normalized.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return normalized.toStdString();
}

}  // namespace


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

int TfrmMain::AddFileToResultlist(const std::string& path, const QImage& picture) {
  TResultModel& model = vwResult->Model();
  const int row = model.AppendRow(path);
  if (!picture.isNull()) {
    const QImage thumbnail = MakeThumbnail(picture, vwResult->ThumbnailSize());
    model.SetImageIndex(row, model.AddImage(QPixmap::fromImage(thumbnail)));
  }
  return row;
}

void TfrmMain::PrepareResultList(int thumbnailWidth, int thumbnailHeight) {
  const QSize size(thumbnailWidth, thumbnailHeight);
  TResultModel& model = vwResult->Model();
  model.Clear();
  model.ResetImages(QPixmap::fromImage(NoPreviewThumbnail(size)));
  // New rows come in the order found: no column is sorted.
  vwResult->HideSortIndicator();
  vwResult->SetThumbnailSize(size);
}

void TfrmMain::AddColumn(const std::string& caption) {
  const int column = vwResult->Model().AddColumn(DisplayText(caption));
  vwResult->FitColumnToContent(column);
}

int TfrmMain::AddRow(const std::string& path, tImageMetaData& store, bool generatePreview) {
  // The picture is taken before the row exists: a picture that cannot be
  // decoded throws, and the file then gets no row.
  store.ThumbFromImage = generatePreview;
  const std::unique_ptr<RgbBitmap> picture = store.GetThumbnail();
  QImage image;
  if (picture) {
    image = ImageFromRgb24(picture->Width, picture->Height, picture->Pixels.data(),
                           picture->Pixels.size());
  }
  if (fSettings.TurnByOrientation) image = OrientedImage(image, OrientationOf(store));
  return AddFileToResultlist(path, image);
}

void TfrmMain::SetCell(int row, int column, const std::string& text) {
  vwResult->Model().SetCell(row, column, DisplayText(text));
}

std::vector<std::string> TfrmMain::RowPaths() const {
  const TResultModel& model = vwResult->Model();
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(model.rowCount()));
  for (int row = 0; row < model.rowCount(); ++row) paths.push_back(model.Row(row).FileInfo.Path);
  return paths;
}

void TfrmMain::FitColumnsToCaptions() { vwResult->FitColumnsToCaptions(); }

void TfrmMain::EnterRunningState() {
  fResultStack->setCurrentWidget(lblRunning);
  QCoreApplication::processEvents();
  fStyleBeforeRun = fStyle;
  fRunning = true;
  vwResult->SetStyle(TListStyle::SmallIcon);
  fCommands->UpdateEnabled(true);
}

void TfrmMain::LeaveRunningState() {
  fRunning = false;
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

void TfrmMain::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace orvalis
