// Numbers of the metadata reader as text and the rounding of derived values:
// shortest decimal form with at most 15 significant digits, "." as separator.
#pragma once

#include <string>

namespace orvalis {

// Shortest form with up to 15 significant digits; exponent form (1E-6, 1E20)
// below 0.00001 or with more than 15 integer digits.
std::string NumberText(double value);

// x rounded to 0, 1 or 2 decimals, halves away from zero. Throws
// tMetadataError on an arithmetic error (value not finite or out of range).
double RoundDecimals(double x, int decimals);

}  // namespace orvalis
