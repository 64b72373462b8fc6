// The number pattern language of the numformat function.
//
// A number is first written as its shortest exact decimal form (the digits
// that read back as the same double), and rounding to the pattern's places
// works on those decimal digits, halves away from zero. So 0.15 with "0.0"
// gives 0.2 and 2.675 with "0.00" gives 2.68, as the number reads, not as its
// binary neighbour below would round.
#include "query/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace orvalis {
namespace {

// Significant digits of the general form used for an empty pattern and for
// numbers too large for a fixed pattern.
constexpr int kGeneralPrecision = 15;
// More integer digits than this in a fixed (non-scientific) pattern switch to
// the general form.
constexpr int kMaxFixedIntegerDigits = 18;
constexpr int kMaxExponentDigits = 4;

// value = 0.digits x 10^exponent; digits has no leading or trailing zeros and
// is empty for zero.
struct Decimal {
  std::string digits;
  int exponent = 0;

  bool IsZero() const { return digits.empty(); }
};

Decimal ToDecimal(double magnitude) {
  Decimal d;
  if (magnitude == 0) return d;
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  for (std::size_t i = 0; i < e; ++i) {
    if (text[i] != '.') d.digits += text[i];
  }
  d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Keeps the first `keep` digits, rounding the rest half away from zero.
void RoundDigits(Decimal& d, long keep) {
  if (d.IsZero() || keep >= static_cast<long>(d.digits.size())) return;
  if (keep < 0) {
    d = Decimal{};
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    std::size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') --i;
    d.digits.resize(i);
    if (i == 0) {
      d.digits.assign(1, '1');
      d.exponent += 1;
    } else {
      d.digits[i - 1] += 1;
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d = Decimal{};
}

void AppendSeparator(std::string& out, char separator) {
  if (separator != '\0') out += separator;
}

// The general form: up to 15 significant digits, fixed notation unless the
// number is very large or very small, then d.dddE[-]x.
std::string FormatGeneral(double value, const LocaleInfo& locale) {
  Decimal d = ToDecimal(std::fabs(value));
  RoundDigits(d, kGeneralPrecision);
  if (d.IsZero()) return "0";
  std::string out = value < 0 ? "-" : "";
  const long size = static_cast<long>(d.digits.size());
  if (d.exponent > kGeneralPrecision || d.exponent < -4) {
    out += d.digits[0];
    if (size > 1) {
      AppendSeparator(out, locale.decimalSeparator);
      out.append(d.digits, 1);
    }
    out += 'E';
    out += std::to_string(d.exponent - 1);
    return out;
  }
  if (d.exponent <= 0) {
    out += '0';
    AppendSeparator(out, locale.decimalSeparator);
    out.append(static_cast<std::size_t>(-d.exponent), '0');
    out += d.digits;
    return out;
  }
  for (long i = 0; i < d.exponent; ++i)
    out += i < size ? d.digits[static_cast<std::size_t>(i)] : '0';
  if (size > d.exponent) {
    AppendSeparator(out, locale.decimalSeparator);
    out.append(d.digits, static_cast<std::size_t>(d.exponent));
  }
  return out;
}

// Splits the pattern at ";" outside quoted text.
std::vector<std::string_view> SplitSections(std::string_view pattern) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  char quote = '\0';
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(pattern.substr(start));
  return sections;
}

bool IsExponentAt(std::string_view section, std::size_t i) {
  return (section[i] == 'E' || section[i] == 'e') && i + 1 < section.size() &&
         (section[i + 1] == '+' || section[i + 1] == '-');
}

std::size_t SkipQuoted(std::string_view section, std::size_t i) {
  const std::size_t close = section.find(section[i], i + 1);
  return close == std::string_view::npos ? section.size() : close + 1;
}

// What a section asks for, read in one pass over it.
struct Layout {
  long digitCount = 0;     // "0" and "#" placeholders
  long decimalIndex = -1;  // placeholders before the first "."
  long firstZero = -1;     // placeholder index of the first "0"
  long lastZeroEnd = 0;    // placeholder index after the last "0"
  bool grouping = false;
  bool scientific = false;

  long Decimals() const { return digitCount - decimalIndex; }
  long MinIntegerDigits() const {
    return firstZero >= 0 && firstZero < decimalIndex ? decimalIndex - firstZero : 0;
  }
  long MinDecimals() const { return std::max(0L, lastZeroEnd - decimalIndex); }
};

Layout ScanSection(std::string_view section) {
  Layout layout;
  std::size_t i = 0;
  while (i < section.size()) {
    const char c = section[i];
    if (c == '\'' || c == '"') {
      i = SkipQuoted(section, i);
      continue;
    }
    if (IsExponentAt(section, i)) {
      layout.scientific = true;
      i += 2;
      while (i < section.size() && section[i] == '0') ++i;
      continue;
    }
    if (c == '#') {
      ++layout.digitCount;
    } else if (c == '0') {
      if (layout.firstZero < 0) layout.firstZero = layout.digitCount;
      ++layout.digitCount;
      layout.lastZeroEnd = layout.digitCount;
    } else if (c == '.') {
      if (layout.decimalIndex < 0) layout.decimalIndex = layout.digitCount;
    } else if (c == ',') {
      layout.grouping = true;
    }
    ++i;
  }
  if (layout.decimalIndex < 0) layout.decimalIndex = layout.digitCount;
  return layout;
}

Decimal RoundFor(const Layout& layout, double magnitude) {
  Decimal d = ToDecimal(magnitude);
  if (layout.scientific) {
    RoundDigits(d, std::max(layout.digitCount, 1L));
  } else {
    RoundDigits(d, d.exponent + layout.Decimals());
  }
  return d;
}

// Writes one section with an already rounded number.
class SectionWriter {
 public:
  SectionWriter(std::string_view section, const Layout& layout, const Decimal& number,
                const LocaleInfo& locale)
      : section_(section), layout_(layout), locale_(locale) {
    const long size = static_cast<long>(number.digits.size());
    // Digits before the decimal point: in scientific notation exactly one per
    // integer placeholder, otherwise as many as the number has (at least the
    // ones that "0" placeholders require).
    long integerCount = layout.scientific ? layout.decimalIndex : std::max(number.exponent, 0);
    if (!number.IsZero()) {
      exponent_ = number.exponent - (layout.scientific ? layout.decimalIndex : 0);
    }
    const long firstDigitPos = layout.scientific ? 0 : number.exponent - integerCount;
    for (long i = 0; i < integerCount; ++i) {
      const long at = firstDigitPos + i;
      integer_ += at >= 0 && at < size ? number.digits[static_cast<std::size_t>(at)] : '0';
    }
    if (static_cast<long>(integer_.size()) < layout.MinIntegerDigits()) {
      integer_.insert(0, static_cast<std::size_t>(layout.MinIntegerDigits()) - integer_.size(),
                      '0');
    }
    const long fractionStart = firstDigitPos + integerCount;
    for (long at = fractionStart; at < size; ++at) {
      fraction_ += at >= 0 ? number.digits[static_cast<std::size_t>(at)] : '0';
    }
    if (static_cast<long>(fraction_.size()) < layout.MinDecimals()) {
      fraction_.append(static_cast<std::size_t>(layout.MinDecimals()) - fraction_.size(), '0');
    }
  }

  void Write(std::string& out) {
    std::size_t i = 0;
    long placeholder = 0;
    while (i < section_.size()) {
      const char c = section_[i];
      if (c == '\'' || c == '"') {
        // Quoted text is copied; an unclosed quote runs to the end.
        const std::size_t close = section_.find(c, i + 1);
        const std::size_t end = close == std::string_view::npos ? section_.size() : close;
        out.append(section_.substr(i + 1, end - i - 1));
        i = close == std::string_view::npos ? section_.size() : close + 1;
      } else if (IsExponentAt(section_, i)) {
        i = WriteExponent(out, i);
      } else if (c == '0' || c == '#') {
        WritePlaceholder(out, placeholder++);
        ++i;
      } else if (c == '.' || c == ',') {
        ++i;
      } else {
        out += c;
        ++i;
      }
    }
  }

 private:
  void WritePlaceholder(std::string& out, long index) {
    const long integerPlaces = layout_.decimalIndex;
    const long count = static_cast<long>(integer_.size());
    if (index == 0) {
      // Integer digits beyond the placeholders go before the first one.
      const long extra = integerPlaces == 0 ? count : count - integerPlaces;
      for (long k = 0; k < extra; ++k) WriteIntegerDigit(out, k);
    }
    if (index < integerPlaces) {
      const long place = integerPlaces - index;  // 1 = units
      if (place <= count) WriteIntegerDigit(out, count - place);
      return;
    }
    const long j = index - integerPlaces;
    if (j < static_cast<long>(fraction_.size())) {
      if (j == 0) AppendSeparator(out, locale_.decimalSeparator);
      out += fraction_[static_cast<std::size_t>(j)];
    }
  }

  void WriteIntegerDigit(std::string& out, long k) {
    out += integer_[static_cast<std::size_t>(k)];
    const long remaining = static_cast<long>(integer_.size()) - k - 1;
    if (layout_.grouping && remaining > 0 && remaining % 3 == 0) {
      AppendSeparator(out, locale_.thousandsSeparator);
    }
  }

  std::size_t WriteExponent(std::string& out, std::size_t i) {
    out += section_[i];
    const bool alwaysSign = section_[i + 1] == '+';
    i += 2;
    int minDigits = 0;
    while (i < section_.size() && section_[i] == '0') {
      ++minDigits;
      ++i;
    }
    minDigits = std::min(minDigits, kMaxExponentDigits);
    if (exponent_ < 0) {
      out += '-';
    } else if (alwaysSign) {
      out += '+';
    }
    const std::string digits = std::to_string(std::labs(exponent_));
    if (static_cast<int>(digits.size()) < minDigits) {
      out.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    out += digits;
    return i;
  }

  std::string_view section_;
  const Layout& layout_;
  const LocaleInfo& locale_;
  std::string integer_;
  std::string fraction_;
  long exponent_ = 0;
};

}  // namespace

std::optional<std::string> FormatNumber(double value, std::string_view pattern,
                                        const LocaleInfo& locale) {
  if (!std::isfinite(value)) return std::nullopt;
  const std::vector<std::string_view> sections = SplitSections(pattern);
  if (sections[0].empty()) return FormatGeneral(value, locale);

  // An empty negative or zero section falls back to the positive one; the
  // positive section shows a negative number with a leading minus sign.
  const auto sectionOr = [&](std::size_t index) {
    return index < sections.size() && !sections[index].empty() ? sections[index] : sections[0];
  };
  std::string_view section = sections[0];
  bool minus = false;
  if (value < 0) {
    section = sectionOr(1);
    minus = section.data() == sections[0].data();
  } else if (value == 0) {
    section = sectionOr(2);
  }

  Layout layout = ScanSection(section);
  Decimal number = RoundFor(layout, std::fabs(value));
  if (number.IsZero() && value != 0) {
    // A number that rounds to zero is shown as zero, without a sign.
    section = sectionOr(2);
    minus = false;
    layout = ScanSection(section);
  }
  if (!layout.scientific && number.exponent > kMaxFixedIntegerDigits) {
    return FormatGeneral(value, locale);
  }

  std::string out = minus ? "-" : "";
  SectionWriter(section, layout, number, locale).Write(out);
  return out;
}

}  // namespace orvalis
