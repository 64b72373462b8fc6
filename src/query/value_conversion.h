// Conversions of expression values between text, number, boolean and
// integer, with the user's locale for the decimal separator. A value that
// cannot be converted raises EEvaluationException.
#pragma once

#include <cstdint>
#include <string>

#include "common/locale_info.h"
#include "common/value.h"

namespace orvalis {

// Text form: integers in decimal, floating point in the shortest general
// form with up to 15 significant digits and the locale's decimal separator,
// booleans as -1 and 0, empty as the empty text.
std::string ValueToText(const Value& value, const LocaleInfo& locale);
std::string FloatToText(double number, const LocaleInfo& locale);

// A text is read in the locale's number format; true is -1, empty is 0.
double ValueToNumber(const Value& value, const LocaleInfo& locale);
// Reads a text as a number in the locale's format; false when it is none.
bool TryTextToNumber(const std::string& text, const LocaleInfo& locale, double& number);

// Numbers are true when non-zero; texts "true"/"false" in any case or number
// texts; empty is false.
bool ValueToBoolean(const Value& value, const LocaleInfo& locale);

// Floating point rounded to the nearest integer, halves to even.
std::int64_t ValueToInteger(const Value& value, const LocaleInfo& locale);

}  // namespace orvalis
