// The date-time pattern language of the dateformat function: day, month and
// year forms, day and month names, locale date and time forms, 12-hour clock
// markers, quoted text, locale separators.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/locale_info.h"

namespace orvalis {

struct DateTimeParts {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The formatted text, or nothing when the date is impossible or the pattern
// cannot be applied (the caller shows "*ERR*").
std::optional<std::string> FormatDateTime(const DateTimeParts& when, std::string_view pattern,
                                          const LocaleInfo& locale);

}  // namespace orvalis
