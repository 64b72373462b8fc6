// The order of orvalis-cli --sort: hits written sorted by one or more
// columns, stable, numbers as numbers, dates and other texts without regard
// to the case of A to Z, empty cells last in either direction.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

struct tSortKey {
  std::size_t column = 0;  // 0-based
  bool descending = false;
};

// A --sort value, "N", "N:desc", "N:asc", "Header" or "Header:desc", against
// the column headers: N counts from 1, a header is compared without regard to
// case. Nothing when it names no column.
std::optional<tSortKey> ParseSortKey(std::string_view text,
                                     const std::vector<std::string>& headers);

// Negative, zero or positive as a comes before, with or after b (ascending;
// an empty cell, or one showing nullText, after every other).
int CompareCells(std::string_view a, std::string_view b, std::string_view nullText);

// The rows' indices in sorted order; rows equal under every key keep their
// order.
std::vector<std::size_t> SortedRowOrder(const std::vector<std::vector<std::string>>& rows,
                                        const std::vector<tSortKey>& keys,
                                        std::string_view nullText);

}  // namespace orvalis
