// The number pattern language of the numformat function: digit placeholders,
// decimal point, grouping, scientific notation, quoted text and the three
// sections for positive, negative and zero values.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/locale_info.h"

namespace orvalis {

// The formatted text, or nothing when the pattern cannot be applied (the
// caller shows "*ERR*").
std::optional<std::string> FormatNumber(double value, std::string_view pattern,
                                        const LocaleInfo& locale);

}  // namespace orvalis
