// The value-only built-in functions.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "query/text_functions.h"

#include <pcre2.h>

#include <memory>

#include "common/ascii_case.h"
#include "common/calendar.h"
#include "query/date_format.h"
#include "query/exceptions.h"
#include "query/number_format.h"
#include "query/value_conversion.h"

namespace orvalis {

namespace {

// Blanks before the digits are allowed; a sign; digits to the end.
bool ParseSmallInt(const std::string& text, int& out) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
    if (value > 1000000000) return false;
  }
  out = static_cast<int>(negative ? -value : value);
  return true;
}

// Characters from (1-based) to to, clipped to the text.
std::string Chars(const std::string& text, size_t from, size_t to) {
  if (from > text.size()) return {};
  return text.substr(from - 1, std::min(to, text.size()) - from + 1);
}

}  // namespace

Value DatePart(const std::string& part, const std::string& date) {
  const Value none = Value::Text("");
  if (date.size() < 10) return none;
  const std::string name = AsciiUpper(part.substr(0, 5));
  struct Row {
    const char* name;
    size_t from, to;
    bool needsTime;
  };
  static const Row kRows[] = {{"YEAR", 1, 4, false}, {"MONTH", 6, 7, false},
                              {"DAY", 9, 10, false}, {"HOUR", 12, 13, true},
                              {"MIN", 15, 16, true}, {"SEC", 18, 19, true}};
  for (const Row& row : kRows) {
    if (name != row.name) continue;
    if (row.needsTime && date.size() <= 15) return none;
    int value = 0;
    if (!ParseSmallInt(Chars(date, row.from, row.to), value)) return none;
    return Value::Integer(value);
  }
  return none;
}

std::string PadText(const std::string& text, std::int64_t width) {
  if (width < -kMaxPadWidth || width > kMaxPadWidth) {
    throw EEvaluationException("Pad width out of range");
  }
  const auto n = static_cast<size_t>(width < 0 ? -width : width);
  if (text.size() > n) return "!";
  const std::string fill(n - text.size(), ' ');
  return width >= 0 ? fill + text : text + fill;
}

std::string AsciiChar(std::int64_t code) {
  return std::string(1, static_cast<char>(static_cast<unsigned char>(((code % 256) + 256) % 256)));
}

bool MatchRegex(const std::string& text, const std::string& pattern) {
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  const std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)> code(
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                    PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY, &errorCode, &errorOffset, nullptr),
      &pcre2_code_free);
  if (!code) {
    PCRE2_UCHAR message[256];
    pcre2_get_error_message(errorCode, message, sizeof message);
    throw EEvaluationException(reinterpret_cast<const char*>(message));
  }
  const std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> data(
      pcre2_match_data_create_from_pattern(code.get(), nullptr), &pcre2_match_data_free);
  if (!data) throw EEvaluationException("Out of memory");
  const int rc = pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0,
                             0, data.get(), nullptr);
  if (rc >= 0) return true;
  if (rc == PCRE2_ERROR_NOMATCH) return false;
  // Resource limits (a pattern that backtracks without end) fail the evaluation.
  PCRE2_UCHAR message[256];
  pcre2_get_error_message(rc, message, sizeof message);
  throw EEvaluationException(reinterpret_cast<const char*>(message));
}

std::string FormatDateText(const std::string& date, const std::string& format,
                           const LocaleInfo& locale) {
  static const std::string kError = "*ERR*";
  std::string text = date.substr(0, 255);
  if (text.size() == 10) text += " 00:00:00";
  if (text.size() < 19) return kError;
  DateTimeParts when;
  if (!ParseSmallInt(Chars(text, 1, 4), when.year) || !ParseSmallInt(Chars(text, 6, 7), when.month) ||
      !ParseSmallInt(Chars(text, 9, 10), when.day) || !ParseSmallInt(Chars(text, 12, 13), when.hour) ||
      !ParseSmallInt(Chars(text, 15, 16), when.minute) ||
      !ParseSmallInt(Chars(text, 18, 19), when.second)) {
    return kError;
  }
  when.millisecond = 0;
  if (when.year < 1 || when.year > 9999 || when.month < 1 || when.month > 12 || when.day < 1 ||
      when.day > DaysInMonth(when.year, when.month) || when.hour < 0 || when.hour > 23 ||
      when.minute < 0 || when.minute > 59 || when.second < 0 || when.second > 59) {
    return kError;
  }
  const std::optional<std::string> formatted = FormatDateTime(when, format, locale);
  return formatted ? *formatted : kError;
}

std::string FormatNumberValue(const Value& number, const std::string& format,
                              const LocaleInfo& locale) {
  static const std::string kError = "*ERR*";
  double x = 0;
  try {
    x = ValueToNumber(number, locale);
  } catch (const EEvaluationException&) {
    return kError;
  }
  const std::optional<std::string> formatted = FormatNumber(x, format, locale);
  return formatted ? *formatted : kError;
}

ContainsPattern::ContainsPattern(const std::string& pattern) : core_(AsciiLower(pattern)) {
  if (!core_.empty() && core_.front() == '*') {
    leadingStar_ = true;
    core_.erase(0, 1);
  }
  if (!core_.empty() && core_.back() == '*') {
    trailingStar_ = true;
    core_.pop_back();
  }
}

bool ContainsPattern::Matches(std::string_view text) const {
  if (core_.empty() || text.size() < core_.size()) return false;
  if (leadingStar_ && trailingStar_) return text.find(core_) != std::string_view::npos;
  if (trailingStar_) return text.substr(0, core_.size()) == core_;
  if (leadingStar_) return text.substr(text.size() - core_.size()) == core_;
  return text == core_;
}

}  // namespace orvalis
