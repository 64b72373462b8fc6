// Printing the result list with QPainter on a QPrinter; the places come from
// output/print_layout, which works in the printer's pixels.
#include "ui/result_printer.h"

#include "common/whole_file.h"
#include "ui/language.h"

#include "ui/qt_text.h"
#include "ui/result_model.h"
#include "ui/ui_text.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace orvalis {

namespace {

// The size every thumbnail is placed into before it is printed.
constexpr int kBitmapWidth = 160;
constexpr int kBitmapHeight = 120;

QFont PrinterFont(const char* family, int points, bool bold, QFont::StyleHint hint) {
  QFont font(QString::fromLatin1(family), points, bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(hint);
  return font;
}

// Writes text with its top-left corner at (x, y), the point the layout counts from.
void TextOut(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

int TextHeight(const QPainter& painter) { return painter.fontMetrics().height(); }

// The longest beginning of text that is no wider than width; a character is
// never split into halves of a surrogate pair.
QString CutToWidth(const QFontMetrics& metrics, const QString& text, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  qsizetype fits = 0;
  qsizetype tooLong = text.size();
  while (tooLong - fits > 1) {
    const qsizetype middle = fits + (tooLong - fits) / 2;
    if (metrics.horizontalAdvance(text.left(middle)) <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  if (fits > 0 && text.at(fits - 1).isHighSurrogate()) --fits;
  return text.left(fits);
}

// Lets the cancel window take clicks for a while; a click ends the wait.
void HandleEventsFor(std::chrono::milliseconds pause, const TfrmPrinting& window) {
  QCoreApplication::processEvents();
  if (pause.count() <= 0 || window.Cancelled()) return;
  QEventLoop wait;
  QTimer::singleShot(pause, &wait, &QEventLoop::quit);
  QObject::connect(window.btnCancel, &QPushButton::clicked, &wait, &QEventLoop::quit);
  wait.exec();
}

class TResultPrinter {
 public:
  TResultPrinter(QPrinter& printer, TResultModel& model, const TPrintOptions& options)
      : fPrinter(printer), fModel(model), fOptions(options) {}

  // Prints the job; with a window, pending events run between the cells and
  // its Cancel ends the job. A PDF file is made beside its name and renamed
  // into place when the job is done, so a job cancelled or failed leaves an
  // older file of the name as it was.
  TPrintOutcome Run(const std::vector<int>& rows, const QStringList& queryLines,
                    const TfrmPrinting* window);

 private:
  TPrintOutcome PrintPages(const std::vector<int>& rows, const QStringList& queryLines,
                           const TfrmPrinting* window);
  // Title and query text; returns the y below them.
  int PrintHeader(const QStringList& queryLines);
  void PrintFooter(const QString& text);
  void PrintCell(const TResultRow& row, tCellPlace place);
  TPrintOutcome Abort(TPrintOutcome outcome);

  QPrinter& fPrinter;
  TResultModel& fModel;
  const TPrintOptions& fOptions;
  QPainter fPainter;
  tPrintLayout fLayout;
};

TPrintOutcome TResultPrinter::Run(const std::vector<int>& rows, const QStringList& queryLines,
                                  const TfrmPrinting* window) {
  const QString name = fPrinter.outputFileName();
  if (fPrinter.outputFormat() != QPrinter::PdfFormat || name.isEmpty()) {
    return PrintPages(rows, queryLines, window);
  }
  // The file a link of the name points to is the one replaced.
  const std::string target = CheckWriteTarget(QFile::encodeName(name).toStdString()).Target;
  const std::string part = target + ".part";
  fPrinter.setOutputFileName(QFile::decodeName(part.c_str()));
  TPrintOutcome outcome = PrintPages(rows, queryLines, window);
  fPrinter.setOutputFileName(name);
  if (outcome == TPrintOutcome::Printed && ::rename(part.c_str(), target.c_str()) != 0) {
    outcome = TPrintOutcome::Failed;
  }
  if (outcome != TPrintOutcome::Printed) ::unlink(part.c_str());
  return outcome;
}

TPrintOutcome TResultPrinter::PrintPages(const std::vector<int>& rows,
                                         const QStringList& queryLines,
                                         const TfrmPrinting* window) {
  fPrinter.setDocName(QStringLiteral("Orvalis-Result"));
  if (!fPainter.begin(&fPrinter)) return TPrintOutcome::Failed;
  try {
    const tPrintPage page{fPrinter.logicalDpiX(), fPrinter.logicalDpiY(), fPrinter.width(),
                          fPrinter.height()};
    fPainter.setFont(PrinterFont("Tahoma", 10, false, QFont::SansSerif));
    const std::optional<tPrintLayout> layout =
        ComputePrintLayout(page, fOptions.Margins, fOptions.CellsPerRow, TextHeight(fPainter),
                           fModel.ColumnCaptionCount());
    if (!layout) return Abort(TPrintOutcome::Failed);
    fLayout = *layout;

    // The first page's footer is fixed German text in every language; later
    // pages use the translated message.
    PrintFooter(QStringLiteral("Seite 1"));
    tPrintGrid grid(fLayout, PrintHeader(queryLines));

    for (int row : rows) {
      if (window) {
        QCoreApplication::processEvents();
        if (window->Cancelled()) break;
      }
      if (row < 0 || row >= fModel.RowCountTotal()) return Abort(TPrintOutcome::Failed);
      if (grid.PageIsFull()) {
        if (!fPrinter.newPage()) return Abort(TPrintOutcome::Failed);
        grid.StartNewPage();
        PrintFooter(QString::fromStdString(TextIfPresent(tText::PageFooter))
                        .replace(QStringLiteral("%d"), QString::number(grid.Page())));
        if (window) HandleEventsFor(fOptions.PagePause, *window);
      }
      PrintCell(fModel.Row(row), grid.Place());
      grid.Advance();
    }
    if (window && window->Cancelled()) return Abort(TPrintOutcome::Cancelled);
    if (!fPainter.end() || fPrinter.printerState() == QPrinter::Error) return TPrintOutcome::Failed;
    return TPrintOutcome::Printed;
  } catch (const std::exception&) {
    return Abort(TPrintOutcome::Failed);
  }
}

TPrintOutcome TResultPrinter::Abort(TPrintOutcome outcome) {
  fPrinter.abort();
  fPainter.end();
  return outcome;
}

void TResultPrinter::PrintFooter(const QString& text) {
  fPainter.save();
  fPainter.setFont(PrinterFont("Tahoma", 8, false, QFont::SansSerif));
  TextOut(fPainter, CentredX(fLayout, fPainter.fontMetrics().horizontalAdvance(text)),
          fLayout.FooterY, text);
  fPainter.restore();
}

int TResultPrinter::PrintHeader(const QStringList& queryLines) {
  fPainter.setFont(PrinterFont("Arial", 14, true, QFont::SansSerif));
  const QString title = Ui(tText::PrintTitle);
  const int titleY = fLayout.TopMargin;
  TextOut(fPainter, CentredX(fLayout, fPainter.fontMetrics().horizontalAdvance(title)), titleY,
          title);
  const int labelY = titleY + TextHeight(fPainter) + 20;

  fPainter.setFont(PrinterFont("Courier New", 10, true, QFont::TypeWriter));
  TextOut(fPainter, fLayout.LeftMargin, labelY,
          QString::fromStdString(TextIfPresent(tText::TextOfQuery)));
  int y = labelY + TextHeight(fPainter) + 5;

  fPainter.setFont(PrinterFont("Courier New", 10, false, QFont::TypeWriter));
  for (const QString& line : queryLines) {
    TextOut(fPainter, fLayout.LeftMargin, y, line);
    y += TextHeight(fPainter) + 5;
  }
  return y;
}

void TResultPrinter::PrintCell(const TResultRow& row, tCellPlace place) {
  int x = place.X;
  int y = place.Y;
  const int cellRight = place.X + fLayout.CellWidth;
  fPainter.save();
  QPen rule(QColor(128, 128, 128));
  rule.setWidth(fLayout.RulePenWidth);
  fPainter.setPen(rule);
  fPainter.drawLine(x, y, cellRight, y);
  fPainter.restore();
  fPainter.setPen(Qt::black);
  y += fLayout.RulePenWidth;

  if (fOptions.Thumbnails) {
    // The list's thumbnail as the list shows it, on a bitmap of the one
    // size the print layout counts with.
    QImage bitmap(kBitmapWidth, kBitmapHeight, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
      QPainter onBitmap(&bitmap);
      onBitmap.drawPixmap(0, 0, fModel.Thumbnails().GetOrMakeNow(row.FileInfo.Path));
    }
    fPainter.drawImage(QRect(x, y, fLayout.ThumbnailWidth, fLayout.ThumbnailHeight), bitmap);
    x += fLayout.TextIndent;
  }
  // Texts end at the cell's right edge, so they never print over the next cell.
  const int room = std::max(0, cellRight - x);

  QString name = DisplayText(row.FileInfo.Path);
  if (fOptions.NamesOnly) name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
  QFont bold = fOptions.CellFont;
  bold.setBold(true);
  fPainter.setFont(bold);
  // A path too wide for the cell gives way to the file's name, which names
  // the photo; a name still too wide loses its middle, keeping its end.
  if (fPainter.fontMetrics().horizontalAdvance(name) > room)
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
  TextOut(fPainter, x, y, fPainter.fontMetrics().elidedText(name, Qt::ElideMiddle, room));

  QFont regular = fOptions.CellFont;
  regular.setBold(false);
  fPainter.setFont(regular);
  if (row.SubItems.isEmpty()) return;
  const int lineStep = TextHeight(fPainter) + 5;
  y += lineStep;
  for (qsizetype j = 0; j < row.SubItems.size(); ++j) {
    const int column = static_cast<int>(j) + 1;
    const QString caption =
        column < fModel.ColumnCaptionCount() ? fModel.ColumnCaption(column) : QString();
    const QString text = caption + QStringLiteral(": ") + row.SubItems.at(j);
    TextOut(fPainter, x, y, CutToWidth(fPainter.fontMetrics(), text, room));
    y += lineStep;
  }
}

}  // namespace

TfrmPrinting::TfrmPrinting(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmPrinting"));
  pnlPrinting = new QLabel(this);
  pnlPrinting->setObjectName(QStringLiteral("pnlPrinting"));
  pnlPrinting->setAlignment(Qt::AlignCenter);
  pnlPrinting->setFrameShape(QFrame::Panel);
  pnlPrinting->setFrameShadow(QFrame::Sunken);
  btnCancel = new QPushButton(this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  connect(btnCancel, &QPushButton::clicked, this, [this] { fCancelled = true; });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pnlPrinting, 1);
  layout->addWidget(btnCancel, 0, Qt::AlignHCenter);
  OnLanguage(this, [this] { ApplyTexts(); });
}

void TfrmPrinting::ApplyTexts() {
  setWindowTitle(Ui(tText::frmPrinting_self_caption));
  // Wide enough for its title beside the window manager's buttons.
  const int title =
      QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(windowTitle());
  setFixedSize(std::max(182, title * 5 / 4 + 96), 93);
  pnlPrinting->setText(Ui(tText::frmPrinting_pnlPrinting_caption));
  btnCancel->setText(Ui(tText::frmPrinting_btnCancel_caption));
}

TPrintOutcome PrintResults(QPrinter& printer, TResultModel& model, const std::vector<int>& rows,
                           const QStringList& queryLines, const TPrintOptions& options,
                           QWidget* parent) {
  if (rows.empty()) return TPrintOutcome::Failed;
  TfrmPrinting window(parent);
  // Nothing else may change the result list while its rows are printed.
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    return TResultPrinter(printer, model, options).Run(rows, queryLines, &window);
  }
  // A printer cannot take pages back: Qt sends them when the job ends, even
  // an aborted one. So the pages are first made into a scratch file of the
  // same page layout while Cancel is offered, then printed in one go.
  const QTemporaryDir scratch;
  if (!scratch.isValid()) return TPrintOutcome::Failed;
  QPrinter rehearsal(QPrinter::HighResolution);
  rehearsal.setOutputFormat(QPrinter::PdfFormat);
  rehearsal.setOutputFileName(scratch.filePath(QStringLiteral("job.pdf")));
  rehearsal.setResolution(printer.resolution());
  rehearsal.setPageLayout(printer.pageLayout());
  const TPrintOutcome outcome =
      TResultPrinter(rehearsal, model, options).Run(rows, queryLines, &window);
  window.close();
  if (outcome != TPrintOutcome::Printed) return outcome;
  return TResultPrinter(printer, model, options).Run(rows, queryLines, nullptr);
}

}  // namespace orvalis
