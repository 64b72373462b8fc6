// Locale-aware conversions of expression values.
#include "query/value_conversion.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "common/ascii_case.h"
#include "common/rounding.h"
#include "query/exceptions.h"

namespace orvalis {

std::string FloatToText(double number, const LocaleInfo& locale) {
  if (std::isnan(number)) return "NAN";
  if (std::isinf(number)) return number < 0 ? "-INF" : "INF";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
  std::string raw(buffer, result.ptr);
  // General form as the user sees it: "1E20", "1.5E-7", never "e+20" or "e-07".
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '.') {
      out += locale.decimalSeparator;
    } else if (c == 'e') {
      out += 'E';
      size_t j = i + 1;
      if (j < raw.size() && (raw[j] == '+' || raw[j] == '-')) {
        if (raw[j] == '-') out += '-';
        ++j;
      }
      while (j + 1 < raw.size() && raw[j] == '0') ++j;
      out.append(raw, j, std::string::npos);
      break;
    } else {
      out += c;
    }
  }
  if (out == "-0") out = "0";
  return out;
}

std::string ValueToText(const Value& value, const LocaleInfo& locale) {
  switch (value.variety()) {
    case Value::Variety::Empty: return {};
    case Value::Variety::Boolean: return value.AsBoolean() ? "-1" : "0";
    case Value::Variety::Integer: return std::to_string(value.AsInteger());
    case Value::Variety::Number: return FloatToText(value.AsNumber(), locale);
    case Value::Variety::Text: return value.AsText();
  }
  return {};
}

bool TryTextToNumber(const std::string& text, const LocaleInfo& locale, double& number) {
  // Blanks around the number are allowed; inside it only sign, digits, the
  // locale's decimal separator and an exponent.
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  std::string plain;
  size_t i = first;
  if (i < last && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  int mantissaDigits = 0;
  while (i < last && text[i] >= '0' && text[i] <= '9') {
    plain += text[i++];
    ++mantissaDigits;
  }
  if (i < last && text[i] == locale.decimalSeparator) {
    plain += '.';
    ++i;
    while (i < last && text[i] >= '0' && text[i] <= '9') {
      plain += text[i++];
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < last && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < last && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    int exponentDigits = 0;
    while (i < last && text[i] >= '0' && text[i] <= '9') {
      plain += text[i++];
      ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
  }
  if (i != last) return false;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), number);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small rounds to zero; too large is no number.
    const bool tiny = plain.find("e-") != std::string::npos;
    if (!tiny) return false;
    number = 0;
    return true;
  }
  return result.ec == std::errc() && result.ptr == plain.data() + plain.size();
}

double ValueToNumber(const Value& value, const LocaleInfo& locale) {
  switch (value.variety()) {
    case Value::Variety::Empty: return 0;
    case Value::Variety::Boolean: return value.AsBoolean() ? -1 : 0;
    case Value::Variety::Integer: return static_cast<double>(value.AsInteger());
    case Value::Variety::Number: return value.AsNumber();
    case Value::Variety::Text: {
      double number = 0;
      if (!TryTextToNumber(value.AsText(), locale, number)) {
        throw EEvaluationException("'" + value.AsText() + "' is not a valid floating point value");
      }
      return number;
    }
  }
  return 0;
}

bool ValueToBoolean(const Value& value, const LocaleInfo& locale) {
  switch (value.variety()) {
    case Value::Variety::Empty: return false;
    case Value::Variety::Boolean: return value.AsBoolean();
    case Value::Variety::Integer: return value.AsInteger() != 0;
    case Value::Variety::Number: return value.AsNumber() != 0;
    case Value::Variety::Text: {
      if (EqualsNoCase(value.AsText(), "true")) return true;
      if (EqualsNoCase(value.AsText(), "false")) return false;
      double number = 0;
      if (TryTextToNumber(value.AsText(), locale, number)) return number != 0;
      throw EEvaluationException("'" + value.AsText() + "' is not a valid boolean value");
    }
  }
  return false;
}

std::int64_t ValueToInteger(const Value& value, const LocaleInfo& locale) {
  if (value.IsInteger()) return value.AsInteger();
  const std::optional<std::int64_t> rounded = RoundHalfEven(ValueToNumber(value, locale));
  if (!rounded) throw EEvaluationException("Invalid floating point operation");
  return *rounded;
}

}  // namespace orvalis
