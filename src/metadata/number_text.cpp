#include "metadata/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <string>

#include "metadata/byte_reader.h"

namespace orvalis {

std::string NumberText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  // 15 significant digits, rounded exactly as printf's "%.14e" does, then the
  // trailing zeros go. Every rational entry of a photo passes here, so the
  // text is built in place rather than through printf and string pieces.
  char sci[40];
  const auto [sciEnd, sciError] =
      std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14);
  if (sciError != std::errc{}) return "NAN";  // cannot happen for a finite double
  // sci is "d.ddddddddddddddde[+-]x..": the digits without the point.
  char digits[16];
  std::size_t count = 0;
  const char* p = sci;
  for (; p < sciEnd && *p != 'e'; ++p)
    if (*p != '.') digits[count++] = *p;
  while (count > 1 && digits[count - 1] == '0') --count;
  int exponent = 0;
  if (p < sciEnd) std::from_chars(p + (p[1] == '+' ? 2 : 1), sciEnd, exponent);

  char out[48];
  std::size_t n = 0;
  if (value < 0) out[n++] = '-';
  const auto put = [&](const char* from, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) out[n++] = from[i];
  };
  if (exponent < -5 || exponent >= 15) {
    out[n++] = digits[0];
    if (count > 1) {
      out[n++] = '.';
      put(digits + 1, count - 1);
    }
    out[n++] = 'E';
    n = static_cast<std::size_t>(std::to_chars(out + n, out + sizeof out, exponent).ptr - out);
  } else if (exponent < 0) {
    out[n++] = '0';
    out[n++] = '.';
    for (int i = 0; i < -exponent - 1; ++i) out[n++] = '0';
    put(digits, count);
  } else {
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= intDigits) {
      put(digits, count);
      for (std::size_t i = count; i < intDigits; ++i) out[n++] = '0';
    } else {
      put(digits, intDigits);
      out[n++] = '.';
      put(digits + intDigits, count - intDigits);
    }
  }
  return std::string(out, n);
}

double RoundDecimals(double x, int decimals) {
  const double scale = decimals == 0 ? 1.0 : decimals == 1 ? 10.0 : 100.0;
  // Halves round away from zero on both sides of it, so -0.5 stays -0.5 at
  // two decimals and -2.5 becomes -3, as 2.5 becomes 3.
  const double shifted = std::fabs(x) * scale + 0.5;
  // Beyond the 64-bit integer range the cut has no result.
  if (!std::isfinite(shifted) || shifted >= 9.2e18)
    throw tMetadataError("invalid floating point operation");
  // Dividing the whole number by the power of ten gives the double closest to
  // the decimal result (2.8, not 2.8000000000000003).
  const double rounded = std::trunc(shifted) / scale;
  return x < 0 ? -rounded : rounded;
}

}  // namespace orvalis
