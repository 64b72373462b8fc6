#include "metadata/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "metadata/byte_reader.h"

namespace orvalis {

std::string NumberText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  // 15 significant digits, then the trailing zeros go.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  std::string s(buf);
  const auto e = s.find('e');
  const int exponent = std::atoi(s.c_str() + e + 1);
  std::string mantissa = s.substr(0, e);
  const bool negative = mantissa[0] == '-';
  if (negative) mantissa.erase(0, 1);
  std::string digits;
  for (char c : mantissa)
    if (c != '.') digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -5 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
  }
  if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    return out;
  }
  const auto intDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= intDigits) {
    out += digits + std::string(intDigits - digits.size(), '0');
  } else {
    out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
  }
  return out;
}

double RoundDecimals(double x, int decimals) {
  const double scale = decimals == 0 ? 1.0 : decimals == 1 ? 10.0 : 100.0;
  // Halves round away from zero on both sides of it, so -0.5 stays -0.5 at
  // two decimals and -2.5 becomes -3, as 2.5 becomes 3.
  const double shifted = std::fabs(x) * scale + 0.5;
  // Beyond the 64-bit integer range the cut has no result.
  if (!std::isfinite(shifted) || shifted >= 9.2e18) throw tMetadataError("invalid floating point operation");
  // Dividing the whole number by the power of ten gives the double closest to
  // the decimal result (2.8, not 2.8000000000000003).
  const double rounded = std::trunc(shifted) / scale;
  return x < 0 ? -rounded : rounded;
}

}  // namespace orvalis
