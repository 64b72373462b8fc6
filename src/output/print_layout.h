// The arithmetic of a printed result list, in printer pixels: margins, the
// grid of cells below the header, the footer line and the places inside a
// cell. Kept apart from the painting so it can be checked without a printer.
// Every rounding takes the nearest integer, an exact half to the even one.
#pragma once

#include <optional>

namespace orvalis {

// Page margins as the user enters them, in millimetres.
struct tPrintMarginsMm {
  int Left = 20;
  int Right = 20;
  int Top = 20;
  int Bottom = 20;
};

// What the printer says about its page: logical pixels per inch and the size
// of the printable area in pixels.
struct tPrintPage {
  int DpiX = 0;
  int DpiY = 0;
  int Width = 0;
  int Height = 0;
};

struct tPrintLayout {
  tPrintPage Page;
  int LeftMargin = 0;
  int RightMargin = 0;
  int TopMargin = 0;
  int BottomMargin = 0;
  int RowHeight = 0;
  int RowsPerPage = 0;
  int CellsPerRow = 0;
  int CellWidth = 0;
  int FooterY = 0;         // top of the page footer, 10 mm above the bottom
  int RulePenWidth = 0;    // the gray line above each cell
  int ThumbnailWidth = 0;  // the 160 x 120 bitmap drawn one inch high
  int ThumbnailHeight = 0;
  int TextIndent = 0;  // from the cell's left edge to its texts when a thumbnail is printed
};

// The layout of a job. lineHeight is the text height of "Xy" in the font
// that sizes the rows; columns is the number of columns of the result list.
// Empty when the page has no room for one row of one cell (margins larger
// than the page, a printer without resolution).
std::optional<tPrintLayout> ComputePrintLayout(const tPrintPage& page,
                                               const tPrintMarginsMm& margins, int cellsPerRow,
                                               int lineHeight, int columns);

// The x at which a text of the given width stands centred on the page.
int CentredX(const tPrintLayout& layout, int textWidth);

// Where a cell starts: the left end of its rule.
struct tCellPlace {
  int X = 0;
  int Y = 0;
};

// The cells of a job, filled left to right and top to bottom, page by page.
class tPrintGrid {
 public:
  // The first row is the first one that starts at or below contentBottom,
  // the y under the header and the query text.
  tPrintGrid(const tPrintLayout& layout, int contentBottom);

  // True when the next cell's row no longer fits on the current page.
  bool PageIsFull() const { return row_ >= layout_.RowsPerPage; }
  // The next page: its first row, its first cell.
  void StartNewPage();
  tCellPlace Place() const;
  // On to the next cell; past the last cell of a row, the next row.
  void Advance();

  int Page() const { return page_; }
  int Row() const { return row_; }
  int Cell() const { return cell_; }

 private:
  tPrintLayout layout_;
  int page_ = 1;
  int row_ = 0;
  int cell_ = 0;
};

}  // namespace orvalis
