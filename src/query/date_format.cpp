// The date-time pattern language of the dateformat function.
#include "query/date_format.h"

#include <cstddef>

#include "common/ascii_case.h"
#include "common/calendar.h"

namespace orvalis {
namespace {

// The locale forms (ddddd, dddddd, t, tt, c) are patterns themselves and may
// name each other; two levels are enough for every real locale and stop a
// form that names itself.
constexpr int kMaxFormNesting = 2;
// A pattern longer than any sensible one may not blow the output up; the
// caller shows "*ERR*" instead.
constexpr std::size_t kMaxOutput = 64 * 1024;

bool IsPossible(const DateTimeParts& when) {
  return when.year >= 1 && when.year <= 9999 && when.month >= 1 && when.month <= 12 &&
         when.day >= 1 && when.day <= DaysInMonth(when.year, when.month) && when.hour >= 0 &&
         when.hour <= 23 && when.minute >= 0 && when.minute <= 59 && when.second >= 0 &&
         when.second <= 59 && when.millisecond >= 0 && when.millisecond <= 999;
}

// 0 = Sunday, on the proleptic Gregorian calendar.
int DayOfWeek(int year, int month, int day) {
  static constexpr int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

// Whether word stands at text[pos] in any letter case. Letters here are ASCII
// only, whatever the C library's locale: bytes of UTF-8 text in a pattern are
// never letters.
bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
  if (text.size() - pos < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (AsciiUpper(text[pos + i]) != AsciiUpper(word[i])) return false;
  }
  return true;
}

class DateTimeWriter {
 public:
  DateTimeWriter(const DateTimeParts& when, const LocaleInfo& locale)
      : when_(when), locale_(locale) {}

  bool Write(std::string_view pattern, int level) {
    char lastLetter = ' ';
    std::size_t pos = 0;
    while (pos < pattern.size()) {
      if (out_.size() > kMaxOutput) return false;
      const char starter = pattern[pos++];
      char token = AsciiUpper(starter);
      if (token >= 'A' && token <= 'Z') {
        // "m" right after an hour (only non-letters between) means minutes.
        if (token == 'M' && lastLetter == 'H') token = 'N';
        lastLetter = token;
      }
      switch (token) {
        case 'Y': {
          const std::size_t count = RunLength(pattern, pos, starter);
          if (count <= 2) {
            AppendNumber(when_.year % 100, 2);
          } else {
            AppendNumber(when_.year, 4);
          }
          break;
        }
        case 'M': {
          const std::size_t count = RunLength(pattern, pos, starter);
          if (count <= 2) {
            AppendNumber(when_.month, static_cast<int>(count));
          } else if (count == 3) {
            out_ += locale_.shortMonthNames[static_cast<std::size_t>(when_.month - 1)];
          } else {
            out_ += locale_.longMonthNames[static_cast<std::size_t>(when_.month - 1)];
          }
          break;
        }
        case 'D': {
          const std::size_t count = RunLength(pattern, pos, starter);
          const int weekday = DayOfWeek(when_.year, when_.month, when_.day);
          if (count <= 2) {
            AppendNumber(when_.day, static_cast<int>(count));
          } else if (count == 3) {
            out_ += locale_.shortDayNames[static_cast<std::size_t>(weekday)];
          } else if (count == 4) {
            out_ += locale_.longDayNames[static_cast<std::size_t>(weekday)];
          } else if (!WriteForm(count == 5 ? locale_.shortDateFormat : locale_.longDateFormat,
                                level)) {
            return false;
          }
          break;
        }
        case 'H': {
          const std::size_t count = RunLength(pattern, pos, starter);
          if (MarkerFollows(pattern, pos)) twelveHourClock_ = true;
          int hour = when_.hour;
          if (twelveHourClock_) {
            if (hour == 0) {
              hour = 12;
            } else if (hour > 12) {
              hour -= 12;
            }
          }
          AppendNumber(hour, count >= 2 ? 2 : 1);
          break;
        }
        case 'N': {
          const std::size_t count = RunLength(pattern, pos, starter);
          AppendNumber(when_.minute, count >= 2 ? 2 : 1);
          break;
        }
        case 'S': {
          const std::size_t count = RunLength(pattern, pos, starter);
          AppendNumber(when_.second, count >= 2 ? 2 : 1);
          break;
        }
        case 'Z': {
          const std::size_t count = RunLength(pattern, pos, starter);
          AppendNumber(when_.millisecond, count >= 3 ? 3 : static_cast<int>(count));
          break;
        }
        case 'T': {
          const std::size_t count = RunLength(pattern, pos, starter);
          if (!WriteForm(count == 1 ? locale_.shortTimeFormat : locale_.longTimeFormat, level)) {
            return false;
          }
          break;
        }
        case 'C': {
          RunLength(pattern, pos, starter);
          if (!WriteForm(locale_.shortDateFormat, level)) return false;
          if (when_.hour != 0 || when_.minute != 0 || when_.second != 0) {
            out_ += ' ';
            if (!WriteForm(locale_.longTimeFormat, level)) return false;
          }
          break;
        }
        case 'A': WriteMarker(pattern, pos, starter); break;
        case '/':
          if (locale_.dateSeparator != '\0') out_ += locale_.dateSeparator;
          break;
        case ':':
          if (locale_.timeSeparator != '\0') out_ += locale_.timeSeparator;
          break;
        case '\'':
        case '"': {
          // Quoted text is copied; an unclosed quote runs to the end.
          const std::size_t close = pattern.find(starter, pos);
          const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
          out_.append(pattern.substr(pos, end - pos));
          pos = close == std::string_view::npos ? pattern.size() : close + 1;
          break;
        }
        default: out_ += starter; break;
      }
    }
    return out_.size() <= kMaxOutput;
  }

  std::string Take() { return std::move(out_); }

 private:
  // Counts the run of the letter that starts at pos - 1 and moves pos past it.
  static std::size_t RunLength(std::string_view pattern, std::size_t& pos, char starter) {
    std::size_t count = 1;
    while (pos < pattern.size() && AsciiUpper(pattern[pos]) == AsciiUpper(starter)) {
      ++pos;
      ++count;
    }
    return count;
  }

  bool WriteForm(const std::string& form, int level) {
    if (level >= kMaxFormNesting) return true;
    return Write(form, level + 1);
  }

  // An hour uses the twelve-hour clock when an am/pm marker follows it before
  // the next hour (quoted text does not count).
  static bool MarkerFollows(std::string_view pattern, std::size_t pos) {
    bool quoted = false;
    for (; pos < pattern.size(); ++pos) {
      const char c = pattern[pos];
      if (c == '\'' || c == '"') {
        quoted = !quoted;
      } else if (!quoted && (c == 'h' || c == 'H')) {
        return false;
      } else if (!quoted && (c == 'a' || c == 'A')) {
        return StartsWithNoCase(pattern, pos, "am/pm") || StartsWithNoCase(pattern, pos, "a/p") ||
               StartsWithNoCase(pattern, pos, "ampm");
      }
    }
    return false;
  }

  // am/pm and a/p copy the pattern's own letters (so their case is kept);
  // ampm writes the locale's markers. A lone "a" is plain text.
  void WriteMarker(std::string_view pattern, std::size_t& pos, char starter) {
    const std::size_t at = pos - 1;
    const bool afternoon = when_.hour >= 12;
    if (StartsWithNoCase(pattern, at, "am/pm")) {
      out_.append(pattern.substr(afternoon ? at + 3 : at, 2));
      pos = at + 5;
      twelveHourClock_ = true;
    } else if (StartsWithNoCase(pattern, at, "a/p")) {
      out_ += pattern[afternoon ? at + 2 : at];
      pos = at + 3;
      twelveHourClock_ = true;
    } else if (StartsWithNoCase(pattern, at, "ampm")) {
      out_ += afternoon ? locale_.pmMarker : locale_.amMarker;
      pos = at + 4;
      twelveHourClock_ = true;
    } else {
      out_ += starter;
    }
  }

  void AppendNumber(int number, int minDigits) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < minDigits) {
      out_.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    out_ += digits;
  }

  const DateTimeParts& when_;
  const LocaleInfo& locale_;
  std::string out_;
  bool twelveHourClock_ = false;
};

}  // namespace

std::optional<std::string> FormatDateTime(const DateTimeParts& when, std::string_view pattern,
                                          const LocaleInfo& locale) {
  if (!IsPossible(when)) return std::nullopt;
  DateTimeWriter writer(when, locale);
  if (!writer.Write(pattern, 0)) return std::nullopt;
  return writer.Take();
}

}  // namespace orvalis
