// Printing the selected rows of the result list: a header with title and
// query text, then one cell per row with its thumbnail, file name and column
// values, page by page, while the window "Es wird gedruckt ..." offers Cancel.
#pragma once

#include "output/print_layout.h"

#include <QDialog>
#include <QFont>
#include <QStringList>

#include <chrono>
#include <vector>

class QLabel;
class QPrinter;
class QPushButton;

namespace orvalis {

class TResultModel;

// What the print dialog hands to a job.
struct TPrintOptions {
  tPrintMarginsMm Margins;
  QFont CellFont;
  bool NamesOnly = false;  // the file name without its folder
  bool Thumbnails = true;
  int CellsPerRow = 2;
  // Each new page lets the cancel window take clicks for this long.
  std::chrono::milliseconds PagePause{200};
};

enum class TPrintOutcome { Printed, Cancelled, Failed };

// The small window shown while the pages are made; its button ends the job.
class TfrmPrinting : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmPrinting(QWidget* parent = nullptr);
  // Sets every text of the window from the catalogue.
  void ApplyTexts();
  bool Cancelled() const { return fCancelled; }

  QLabel* pnlPrinting;
  QPushButton* btnCancel;

 private:
  bool fCancelled = false;
};

// Prints rows (in the order given) of model on printer. queryLines are the
// lines of the query editor. Any failure ends the job without a message. A
// cancelled job prints nothing: a PDF file begun is removed, and a printer
// gets the pages only once all of them were made.
TPrintOutcome PrintResults(QPrinter& printer, TResultModel& model, const std::vector<int>& rows,
                           const QStringList& queryLines, const TPrintOptions& options,
                           QWidget* parent);

}  // namespace orvalis
