// The built-in functions that work on values alone (no metadata store):
// upper, lower, datepart, pad, ascii, match, dateformat, numformat, and the
// pattern test of contains.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/locale_info.h"
#include "common/value.h"

namespace orvalis {

// One component of a date text "YYYY:MM:DD HH:MM:SS": an integer, or the
// empty text when the part or the date cannot be read.
Value DatePart(const std::string& part, const std::string& date);

// Pads text with blanks to |width| characters (right-aligned for width >= 0);
// "!" when the text is longer. Widths beyond kMaxPadWidth fail the evaluation.
constexpr std::int64_t kMaxPadWidth = 65535;
std::string PadText(const std::string& text, std::int64_t width);

// A one-character text with the code width modulo 256.
std::string AsciiChar(std::int64_t code);

// Whether the regular expression matches anywhere in text (case-sensitive,
// "." matches line breaks, "^"/"$" only at the ends of the text). A pattern
// that does not compile raises EEvaluationException with the library's
// message; a match that reaches kRegexMatchLimit or kRegexDepthLimit raises
// ELimitException. Compiled patterns (JIT where the library has it) are kept
// for the next call, as one pattern serves every file of a run.
constexpr std::uint32_t kRegexMatchLimit = 1000000;
constexpr std::uint32_t kRegexDepthLimit = 5000;
bool MatchRegex(const std::string& text, const std::string& pattern);

// dateformat and numformat: "*ERR*" on any failure.
std::string FormatDateText(const std::string& date, const std::string& format,
                           const LocaleInfo& locale);
std::string FormatNumberValue(const Value& number, const std::string& format,
                              const LocaleInfo& locale);

// The pattern of contains: lower case, a leading and a trailing "*" mark a
// search for the rest anywhere, at the end or at the start of a text.
class ContainsPattern {
 public:
  explicit ContainsPattern(const std::string& pattern);
  // text must already be in lower case.
  bool Matches(std::string_view lowerText) const;

 private:
  std::string core_;
  bool leadingStar_ = false;
  bool trailingStar_ = false;
};

}  // namespace orvalis
