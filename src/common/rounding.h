// Rounding of floating point numbers as the query language and the print
// layout need it.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace orvalis {

// number rounded to the nearest integer, halves to even; nothing when no
// 64-bit integer can hold it (or it is no number).
inline std::optional<std::int64_t> RoundHalfEven(double number) {
  if (!(number >= -9.2233720368547748e18 && number < 9.2233720368547748e18)) return std::nullopt;
  return static_cast<std::int64_t>(std::nearbyint(number));  // default mode: halves to even
}

}  // namespace orvalis
