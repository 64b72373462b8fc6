// The value-only built-in functions.
#define PCRE2_CODE_UNIT_WIDTH 8
#include "query/text_functions.h"

#include <pcre2.h>

#include <memory>
#include <vector>

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

namespace {

// One compiled pattern with the match context that carries its limits.
struct tCompiledPattern {
  std::string pattern;
  std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)> code{nullptr, &pcre2_code_free};
  std::unique_ptr<pcre2_match_context, decltype(&pcre2_match_context_free)> context{
      nullptr, &pcre2_match_context_free};
  std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> data{nullptr,
                                                                           &pcre2_match_data_free};
};

// The patterns of the last calls: a run uses a handful, evaluated per file.
constexpr std::size_t kKeptPatterns = 8;

std::string RegexMessage(int code) {
  PCRE2_UCHAR message[256];
  pcre2_get_error_message(code, message, sizeof message);
  return reinterpret_cast<const char*>(message);
}

tCompiledPattern& CompiledPattern(const std::string& pattern) {
  thread_local std::vector<std::unique_ptr<tCompiledPattern>> kept;
  for (const auto& p : kept)
    if (p->pattern == pattern) return *p;
  auto compiled = std::make_unique<tCompiledPattern>();
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  compiled->code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY, &errorCode, &errorOffset,
                                     nullptr));
  if (!compiled->code) throw EEvaluationException(RegexMessage(errorCode));
  // Without JIT (a library built without it) the interpreter runs, under
  // the same limits.
  pcre2_jit_compile(compiled->code.get(), PCRE2_JIT_COMPLETE);
  compiled->context.reset(pcre2_match_context_create(nullptr));
  compiled->data.reset(pcre2_match_data_create_from_pattern(compiled->code.get(), nullptr));
  if (!compiled->context || !compiled->data) throw EEvaluationException("Out of memory");
  pcre2_set_match_limit(compiled->context.get(), kRegexMatchLimit);
  pcre2_set_depth_limit(compiled->context.get(), kRegexDepthLimit);
  compiled->pattern = pattern;
  if (kept.size() >= kKeptPatterns) kept.erase(kept.begin());
  kept.push_back(std::move(compiled));
  return *kept.back();
}

}  // namespace

bool MatchRegex(const std::string& text, const std::string& pattern) {
  tCompiledPattern& compiled = CompiledPattern(pattern);
  const int rc = pcre2_match(compiled.code.get(), reinterpret_cast<PCRE2_SPTR>(text.data()),
                             text.size(), 0, 0, compiled.data.get(), compiled.context.get());
  if (rc >= 0) return true;
  if (rc == PCRE2_ERROR_NOMATCH) return false;
  if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
      rc == PCRE2_ERROR_JIT_STACKLIMIT) {
    throw ELimitException(RegexMessage(rc));
  }
  throw EEvaluationException(RegexMessage(rc));
}

std::string FormatDateText(const std::string& date, const std::string& format,
                           const LocaleInfo& locale) {
  static const std::string kError = "*ERR*";
  std::string text = date.substr(0, 255);
  if (text.size() == 10) text += " 00:00:00";
  if (text.size() < 19) return kError;
  DateTimeParts when;
  if (!ParseSmallInt(Chars(text, 1, 4), when.year) ||
      !ParseSmallInt(Chars(text, 6, 7), when.month) ||
      !ParseSmallInt(Chars(text, 9, 10), when.day) ||
      !ParseSmallInt(Chars(text, 12, 13), when.hour) ||
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
