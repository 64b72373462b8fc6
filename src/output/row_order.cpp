#include "output/row_order.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <system_error>

#include "common/ascii_case.h"
#include "common/text.h"

namespace orvalis {

namespace {

// A cell that is a number as cells write them ("." as decimal separator).
std::optional<double> CellNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  double value = 0;
  const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool IsEmptyCell(std::string_view text, std::string_view nullText) {
  return text.empty() || (!nullText.empty() && text == nullText);
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

std::optional<tSortKey> ParseSortKey(std::string_view text,
                                     const std::vector<std::string>& headers) {
  tSortKey key;
  if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
    const std::string direction = AsciiLower(text.substr(colon + 1));
    if (direction == "desc" || direction == "asc") {
      key.descending = direction == "desc";
      text = text.substr(0, colon);
    }
  }
  if (const std::optional<std::int32_t> number = ParseInteger(text)) {
    if (*number < 1 || static_cast<std::size_t>(*number) > headers.size()) return std::nullopt;
    key.column = static_cast<std::size_t>(*number - 1);
    return key;
  }
  for (std::size_t i = 0; i < headers.size(); ++i) {
    if (EqualsNoCase(Trim(headers[i]), Trim(text))) {
      key.column = i;
      return key;
    }
  }
  return std::nullopt;
}

int CompareCells(std::string_view a, std::string_view b, std::string_view nullText) {
  const bool aEmpty = IsEmptyCell(a, nullText);
  const bool bEmpty = IsEmptyCell(b, nullText);
  if (aEmpty || bEmpty) return aEmpty == bEmpty ? 0 : (aEmpty ? 1 : -1);
  const std::optional<double> x = CellNumber(a);
  const std::optional<double> y = CellNumber(b);
  if (x && y) return *x < *y ? -1 : (*y < *x ? 1 : 0);
  // Numbers before texts; dates (2024:01:20 10:00:00) order as their texts.
  if (x || y) return x ? -1 : 1;
  return CompareNoCase(a, b);
}

std::vector<std::size_t> SortedRowOrder(const std::vector<std::vector<std::string>>& rows,
                                        const std::vector<tSortKey>& keys,
                                        std::string_view nullText) {
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto cell = [&](std::size_t row, std::size_t column) -> std::string_view {
    return column < rows[row].size() ? std::string_view(rows[row][column]) : std::string_view();
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    for (const tSortKey& key : keys) {
      const std::string_view x = cell(a, key.column);
      const std::string_view y = cell(b, key.column);
      const bool xEmpty = IsEmptyCell(x, nullText);
      const bool yEmpty = IsEmptyCell(y, nullText);
      // Empty cells stay last in either direction.
      if (xEmpty || yEmpty) {
        if (xEmpty != yEmpty) return yEmpty;
        continue;
      }
      int c = CompareCells(x, y, nullText);
      if (key.descending) c = -c;
      if (c != 0) return c < 0;
    }
    return false;
  });
  return order;
}

}  // namespace orvalis
