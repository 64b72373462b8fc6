// The print layout in printer pixels, without a printer: an A4 page at
// 600 dpi is 4961 x 7016 pixels.
#include "output/print_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/test_names.h"

namespace orvalis::test {
namespace {

constexpr tPrintPage kA4At600{600, 600, 4961, 7016};

struct LayoutCase {
  const char* name;
  tPrintPage page;
  tPrintMarginsMm margins;
  int cellsPerRow;
  int lineHeight;  // "Xy" in the row font
  int columns;
  // expected
  int left, right, top, bottom, rowHeight, rowsPerPage, cellWidth, footerY;
};

std::string CaseText(const LayoutCase& c) { return c.name; }
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class PrintLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PrintLayout, Computes) {
  const LayoutCase& c = GetParam();
  const std::optional<tPrintLayout> layout =
      ComputePrintLayout(c.page, c.margins, c.cellsPerRow, c.lineHeight, c.columns);
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->LeftMargin, c.left);
  EXPECT_EQ(layout->RightMargin, c.right);
  EXPECT_EQ(layout->TopMargin, c.top);
  EXPECT_EQ(layout->BottomMargin, c.bottom);
  EXPECT_EQ(layout->RowHeight, c.rowHeight);
  EXPECT_EQ(layout->RowsPerPage, c.rowsPerPage);
  EXPECT_EQ(layout->CellWidth, c.cellWidth);
  EXPECT_EQ(layout->FooterY, c.footerY);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PrintLayout,
    // clang-format off
    ::testing::Values(
        // Few columns: the row is the thumbnail's inch and a tenth.
        LayoutCase{"A4 600 dpi two cells", kA4At600, {}, 2, 100, 3,
                   472, 472, 472, 472, 660, 9, 2008, 6780},
        // Eight lines of text are taller than that.
        LayoutCase{"A4 600 dpi eight columns four cells", kA4At600, {}, 4, 100, 8,
                   472, 472, 472, 472, 800, 7, 1004, 6780},
        LayoutCase{"A4 600 dpi uneven margins one cell", kA4At600, {0, 10, 25, 5}, 1, 100, 1,
                   0, 236, 591, 118, 660, 9, 4725, 6780},
        // Left and right follow the horizontal resolution, the rest the vertical.
        LayoutCase{"300 by 600 dpi three cells", {300, 600, 2480, 7016}, {}, 3, 100, 2,
                   236, 236, 472, 472, 660, 9, 669, 6780},
        LayoutCase{"A4 1200 dpi", {1200, 1200, 9921, 14031}, {}, 2, 200, 2,
                   945, 945, 945, 945, 1320, 9, 4015, 13559}),
    // clang-format on
    CaseNames{});

TEST(PrintLayout, NoRoomForOneCellOrRowIsNoLayout) {
  EXPECT_FALSE(ComputePrintLayout(kA4At600, {150, 150, 20, 20}, 1, 100, 1));
  EXPECT_FALSE(ComputePrintLayout(kA4At600, {20, 20, 150, 150}, 1, 100, 1));
  EXPECT_FALSE(ComputePrintLayout({0, 0, 4961, 7016}, {}, 1, 100, 1));
  EXPECT_FALSE(ComputePrintLayout(kA4At600, {}, 0, 100, 1));
  EXPECT_FALSE(ComputePrintLayout(kA4At600, {20, 20, 20, 9999999}, 1, 100, 1));
}

// The rule above a cell at 130 dpi is 2.5 pixels wide: a half goes to the even side.
TEST(PrintLayout, HalvesRoundToTheEvenNeighbour) {
  EXPECT_EQ(ComputePrintLayout({130, 130, 1075, 1520}, {}, 1, 10, 1)->RulePenWidth, 2);
}

// Five cells, two per row: left and right, left and right, then left alone.
TEST(PrintGrid, FillsRowsLeftToRight) {
  const tPrintLayout layout = *ComputePrintLayout(kA4At600, {}, 2, 100, 3);
  tPrintGrid grid(layout, 472);
  const tCellPlace expected[] = {{472, 472}, {2480, 472}, {472, 1132}, {2480, 1132}, {472, 1792}};
  for (const tCellPlace& place : expected) {
    ASSERT_FALSE(grid.PageIsFull());
    EXPECT_EQ(grid.Place().X, place.X);
    EXPECT_EQ(grid.Place().Y, place.Y);
    grid.Advance();
  }
}

// The first row starts at or below the end of the query text, never over it.
TEST(PrintGrid, FirstRowStartsBelowTheQueryText) {
  const tPrintLayout layout = *ComputePrintLayout(kA4At600, {}, 2, 100, 3);
  EXPECT_EQ(tPrintGrid(layout, 1000).Place().Y, 1132);
  EXPECT_EQ(tPrintGrid(layout, 1132).Place().Y, 1132);
  EXPECT_EQ(tPrintGrid(layout, 1133).Place().Y, 1792);
}

// A query text that fills the first page sends the first cell to the next.
TEST(PrintGrid, FullPageMovesToTheNextPage) {
  const tPrintLayout layout = *ComputePrintLayout(kA4At600, {}, 2, 100, 3);
  tPrintGrid grid(layout, 472 + 9 * 660);
  EXPECT_TRUE(grid.PageIsFull());
  grid.StartNewPage();
  EXPECT_EQ(grid.Page(), 2);
  EXPECT_EQ(grid.Place().Y, 472);
}

}  // namespace
}  // namespace orvalis::test
