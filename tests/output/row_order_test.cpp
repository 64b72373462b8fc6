#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/row_order.h"

namespace orvalis::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(RowOrder, CellsCompareAsNumbersTextsAndEmptyLast) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"9", "10", -1},                                // numbers as numbers
      {"-2.5", "1", -1},      {"1/250", "1/60", -1},  // fractions are texts
      {"canon", "Nikon", -1},                         // texts without regard to case
      {"CANON", "canon", 0},  {"2023:07:15 10:00:00", "2024:01:20 09:00:00", -1},
      {"5", "abc", -1},    // numbers before texts
      {"", "abc", 1},      // empty last
      {"(Null)", "0", 1},  // the null text counts as empty
      {"", "(Null)", 0},
  };
  for (const Case& c : cases) {
    const int got = CompareCells(c.a, c.b, "(Null)");
    EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " vs " << c.b;
  }
}

TEST(RowOrder, KeysInTurnStableAndEmptyLastDescending) {
  const Rows rows{{"a", "2"}, {"b", ""}, {"c", "10"}, {"d", "2"}};
  EXPECT_EQ(SortedRowOrder(rows, {{1, false}}, ""), (std::vector<std::size_t>{0, 3, 2, 1}));
  EXPECT_EQ(SortedRowOrder(rows, {{1, true}}, ""), (std::vector<std::size_t>{2, 0, 3, 1}));
  EXPECT_EQ(SortedRowOrder(rows, {{1, true}, {0, true}}, ""),
            (std::vector<std::size_t>{2, 3, 0, 1}));
}

TEST(RowOrder, KeysNameAColumnByNumberOrHeader) {
  const std::vector<std::string> headers{"Name", "upper(Make)"};
  struct Case {
    const char* text;
    int column;  // -1: refused
    bool descending;
  } cases[] = {
      {"1", 0, false},        {"2:desc", 1, true}, {"2:ASC", 1, false}, {"UPPER(make)", 1, false},
      {"name:desc", 0, true}, {"0", -1, false},    {"3", -1, false},    {"Size", -1, false},
  };
  for (const Case& c : cases) {
    const auto key = ParseSortKey(c.text, headers);
    ASSERT_EQ(key.has_value(), c.column >= 0) << c.text;
    if (!key) continue;
    EXPECT_EQ(static_cast<int>(key->column), c.column) << c.text;
    EXPECT_EQ(key->descending, c.descending) << c.text;
  }
}

}  // namespace
}  // namespace orvalis::test
