// Cell texts of result rows.
#include "query/cell_text.h"

#include "query/value_conversion.h"

namespace orvalis {

std::string CellText(const Value& value, const LocaleInfo& locale, bool useNullText,
                     const std::string& nullText) {
  if (value.IsEmpty()) return useNullText ? nullText : std::string();
  std::string text = ValueToText(value, locale);
  if (value.IsNumeric() || value.IsBoolean()) {
    for (char& c : text) {
      if (c == ',') c = '.';
    }
  }
  return text;
}

std::string SubItemText(const std::string& cellText) {
  std::string out;
  out.reserve(cellText.size());
  for (size_t i = 0; i < cellText.size(); ++i) {
    if (cellText[i] == '\r' && i + 1 < cellText.size() && cellText[i + 1] == '\n') {
      out += "[CR]";
      ++i;
    } else {
      out += cellText[i];
    }
  }
  return out;
}

}  // namespace orvalis
