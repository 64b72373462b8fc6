// How the value of a SELECT column becomes the text of a result cell.
#pragma once

#include <string>

#include "common/locale_info.h"
#include "common/value.h"

namespace orvalis {

// Numbers (and booleans) always with "." as decimal point, whatever the
// locale; an empty value gives nullText when useNullText is set.
std::string CellText(const Value& value, const LocaleInfo& locale, bool useNullText,
                     const std::string& nullText);

// The text of a column after the first: CR LF pairs shown as "[CR]".
std::string SubItemText(const std::string& cellText);

}  // namespace orvalis
