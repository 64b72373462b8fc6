#include "query/statement_position.h"

#include "query/query_statement.h"

#include <cstddef>

namespace orvalis {

int QueryTextPosition(std::string_view queryText, int workPosition) {
  // The same steps as the statement splitter, keeping for every character of
  // the work text the index it came from.
  const std::string text = NormalizeLineBreaks(queryText);
  std::vector<std::size_t> uncommented;
  uncommented.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '-' && i + 1 < text.size() && text[i + 1] == '-') {
      while (i < text.size() && text[i] != '\r') ++i;
    } else {
      uncommented.push_back(i++);
    }
  }
  auto blank = [&](std::size_t k) {
    return static_cast<unsigned char>(text[uncommented[k]]) <= ' ';
  };
  std::size_t first = 0;
  std::size_t last = uncommented.size();
  while (first < last && blank(first)) ++first;
  while (last > first && blank(last - 1)) --last;
  std::vector<std::size_t> origin;
  for (std::size_t k = first; k < last; ++k) {
    origin.push_back(uncommented[k]);
    // CR LF became one blank.
    if (text[uncommented[k]] == '\r' && k + 1 < last && text[uncommented[k + 1]] == '\n') ++k;
  }
  if (origin.empty()) return 1;
  if (workPosition < 1) workPosition = 1;
  const auto index = static_cast<std::size_t>(workPosition - 1);
  if (index >= origin.size()) return static_cast<int>(origin.back()) + 2;
  return static_cast<int>(origin[index]) + 1;
}

std::vector<int> FieldItemOffsets(std::string_view list, const std::vector<std::string>& items) {
  // The items are trimmed pieces of the list in order, so each is found
  // after the end of the one before.
  std::vector<int> offsets;
  std::size_t from = 0;
  for (const std::string& item : items) {
    std::size_t at = list.find(item, from);
    if (at == std::string_view::npos) at = from;
    offsets.push_back(static_cast<int>(at));
    from = std::min(list.size(), at + item.size());
  }
  return offsets;
}

}  // namespace orvalis
