#include "output/print_layout.h"

#include "common/rounding.h"

#include <algorithm>
#include <limits>

namespace orvalis {

namespace {

constexpr double kMmPerInch = 25.4;
// Margins beyond this leave no page anyway and would overflow the pixel sums.
constexpr int kMaxMarginMm = 10000;
constexpr int kMaxDpi = 100000;

// Pixel values stay far inside the range of int: the inputs are bounded.
int Round(double value) {
  constexpr double kLimit = std::numeric_limits<int>::max();
  return static_cast<int>(RoundHalfEven(std::clamp(value, -kLimit, kLimit)).value_or(0));
}

int MmToPixels(int millimetres, int dpi) { return Round(millimetres / kMmPerInch * dpi); }

}  // namespace

std::optional<tPrintLayout> ComputePrintLayout(const tPrintPage& page,
                                               const tPrintMarginsMm& margins, int cellsPerRow,
                                               int lineHeight, int columns) {
  if (page.DpiX <= 0 || page.DpiY <= 0 || page.DpiX > kMaxDpi || page.DpiY > kMaxDpi) {
    return std::nullopt;
  }
  for (int margin : {margins.Left, margins.Right, margins.Top, margins.Bottom}) {
    if (margin < 0 || margin > kMaxMarginMm) return std::nullopt;
  }
  if (cellsPerRow < 1) return std::nullopt;

  tPrintLayout layout;
  layout.Page = page;
  layout.LeftMargin = MmToPixels(margins.Left, page.DpiX);
  layout.RightMargin = MmToPixels(margins.Right, page.DpiX);
  layout.TopMargin = MmToPixels(margins.Top, page.DpiY);
  layout.BottomMargin = MmToPixels(margins.Bottom, page.DpiY);

  // One text line per column, but never less than the thumbnail's inch and
  // a little room below it.
  const double minimum = 1.1 * page.DpiY;
  const long long lines = static_cast<long long>(lineHeight) * columns;
  layout.RowHeight =
      static_cast<double>(lines) < minimum ? Round(minimum) : Round(static_cast<double>(lines));
  layout.RowsPerPage = (page.Height - layout.TopMargin - layout.BottomMargin) / layout.RowHeight;
  layout.CellsPerRow = cellsPerRow;
  layout.CellWidth = (page.Width - layout.LeftMargin - layout.RightMargin) / cellsPerRow;
  if (layout.RowsPerPage < 1 || layout.CellWidth < 1) return std::nullopt;

  layout.FooterY = Round(page.Height - page.DpiY / kMmPerInch * 10);
  layout.RulePenWidth = Round(page.DpiY / 52.0);
  layout.ThumbnailHeight = page.DpiY;
  layout.ThumbnailWidth = Round(160.0 * page.DpiY / 120.0);
  layout.TextIndent = page.DpiX + Round(page.DpiX / kMmPerInch * 5);
  return layout;
}

int CentredX(const tPrintLayout& layout, int textWidth) {
  return Round(layout.Page.Width / 2.0 - textWidth / 2.0);
}

tPrintGrid::tPrintGrid(const tPrintLayout& layout, int contentBottom) : layout_(layout) {
  // A row that started above the end of the query text would print over it.
  const int below = contentBottom - layout.TopMargin;
  row_ = below <= 0 ? 0 : (below + layout.RowHeight - 1) / layout.RowHeight;
}

void tPrintGrid::StartNewPage() {
  ++page_;
  row_ = 0;
  cell_ = 0;
}

tCellPlace tPrintGrid::Place() const {
  return {cell_ * layout_.CellWidth + layout_.LeftMargin,
          layout_.TopMargin + row_ * layout_.RowHeight};
}

void tPrintGrid::Advance() {
  if (++cell_ < layout_.CellsPerRow) return;
  cell_ = 0;
  ++row_;
}

}  // namespace orvalis
