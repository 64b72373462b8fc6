// Turns the system locale's date and time forms (written in Qt's pattern
// syntax) and separators into what LocaleInfo holds: patterns of the
// dateformat language and single-byte separators. Pure text work, so it is
// tested without Qt; the programs feed it from QLocale.
#pragma once

#include <string>
#include <string_view>

namespace orvalis {

struct QtPatternOptions {
  // The locale's separators: a literal "/" or ":" that equals them stays a
  // separator; any other is quoted so it prints as itself.
  char dateSeparator = '/';
  char timeSeparator = ':';
  // Widen a two-digit year ("yy") to four digits; the short date of many
  // locales has two, which is ambiguous for photo dates.
  bool fourDigitYears = false;
};

// Converts a Qt date or time format ("dd.MM.yy", "h:mm:ss AP t") into the
// dateformat pattern language ("dd.mm.yy", "h:nn:ss ampm"). Minutes become
// "n", the AM/PM marker "ampm", text that would read as a field is quoted;
// the time zone has no counterpart and is left out with its brackets and the
// blank before it.
std::string ConvertQtDateTimeFormat(std::string_view qtFormat, const QtPatternOptions& options);

// The first ASCII punctuation character between the fields of a Qt format
// (the "." of "dd.MM.yy"), or fallback when there is none.
char SeparatorOfQtFormat(std::string_view qtFormat, char fallback);

// A separator given as UTF-8 reduced to the one byte the core works with: an
// ASCII character stays; blank-like spaces (no-break, narrow no-break, thin,
// figure) become a blank; apostrophe-like marks a "'"; the Arabic decimal
// and thousands marks "." and ","; anything else becomes fallback.
char SingleByteSeparator(std::string_view utf8, char fallback);

}  // namespace orvalis
