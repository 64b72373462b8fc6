#include "query/date_format.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "support/test_names.h"

namespace orvalis::test {
namespace {

// Thursday, 15 July 2004, 10:20:30.045.
constexpr DateTimeParts kMorning{2004, 7, 15, 10, 20, 30, 45};

struct DateCase {
  DateTimeParts when;
  const char* pattern;
  const char* english;
  const char* german;
};

std::string DateText(const DateTimeParts& when) {
  std::ostringstream out;
  out << when.year << "-" << when.month << "-" << when.day << " " << when.hour << ":" << when.minute
      << ":" << when.second << "." << when.millisecond;
  return out.str();
}

// The pattern, and the date where it is not the usual morning.
std::string CaseText(const DateCase& c) {
  const bool morning = DateText(c.when) == DateText(kMorning);
  return std::string(c.pattern) + (morning ? "" : " at " + DateText(c.when));
}

void PrintTo(const DateCase& c, std::ostream* os) {
  *os << DateText(c.when) << " with " << Quoted(c.pattern) << " -> " << Quoted(c.english)
      << " (English), " << Quoted(c.german) << " (German)";
}

class DatePatterns : public ::testing::TestWithParam<DateCase> {};

TEST_P(DatePatterns, FormatsUnderBothLocales) {
  const DateCase& c = GetParam();
  EXPECT_EQ(FormatDateTime(c.when, c.pattern, LocaleInfo::English()), c.english)
      << "pattern " << c.pattern;
  EXPECT_EQ(FormatDateTime(c.when, c.pattern, LocaleInfo::German()), c.german)
      << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DatePatterns,
    // clang-format off
    ::testing::Values(
        // Numbers; letters in any case; "/" and ":" are the locale's separators.
        DateCase{kMorning, "yyyy-mm-dd", "2004-07-15", "2004-07-15"},
        DateCase{kMorning, "D/M/YY", "15/7/04", "15.7.04"},
        DateCase{{2004, 3, 5, 9, 5, 7, 0}, "d.m.y h:n:s", "5.3.04 9:5:7", "5.3.04 9:5:7"},
        DateCase{{2004, 3, 5, 9, 5, 7, 0}, "dd.mm.yyyyy hh:nn:ss", "05.03.2004 09:05:07",
                 "05.03.2004 09:05:07"},
        DateCase{{33, 1, 2, 0, 0, 0, 0}, "yyyy yy", "0033 33", "0033 33"},
        DateCase{kMorning, "z zz zzz zzzz", "45 45 045 045", "45 45 045 045"},
        // Names from the locale.
        DateCase{kMorning, "ddd, dddd", "Thu, Thursday", "Do, Donnerstag"},
        DateCase{{2004, 3, 1, 0, 0, 0, 0}, "mmm mmmm mmmmm", "Mar March March",
                 "Mrz M\xC3\xA4rz M\xC3\xA4rz"},
        DateCase{{2000, 1, 1, 0, 0, 0, 0}, "dddd", "Saturday", "Samstag"},
        // "m" after an hour is minutes, also across separators and quotes.
        DateCase{kMorning, "hh:mm:ss", "10:20:30", "10:20:30"},
        DateCase{kMorning, "hh' Uhr 'mm", "10 Uhr 20", "10 Uhr 20"},
        DateCase{kMorning, "hh:mm mm", "10:20 07", "10:20 07"},
        DateCase{kMorning, "h x m", "10 x 7", "10 x 7"},
        // Locale date and time forms.
        DateCase{kMorning, "ddddd", "7/15/2004", "15.07.2004"},
        DateCase{kMorning, "dddddd", "Thursday, July 15, 2004", "Donnerstag, 15. Juli 2004"},
        DateCase{kMorning, "t", "10:20 AM", "10:20"},
        DateCase{kMorning, "tt", "10:20:30 AM", "10:20:30"},
        DateCase{kMorning, "c", "7/15/2004 10:20:30 AM", "15.07.2004 10:20:30"},
        DateCase{{2004, 7, 15, 0, 0, 0, 0}, "c", "7/15/2004", "15.07.2004"},
        // Twelve-hour clock markers.
        DateCase{{2004, 7, 15, 15, 4, 0, 0}, "h:nn am/pm", "3:04 pm", "3:04 pm"},
        DateCase{{2004, 7, 15, 15, 4, 0, 0}, "h:nn AM/PM", "3:04 PM", "3:04 PM"},
        DateCase{{2004, 7, 15, 0, 4, 0, 0}, "h a/p", "12 a", "12 a"},
        DateCase{{2004, 7, 15, 12, 4, 0, 0}, "hh A/P", "12 P", "12 P"},
        DateCase{{2004, 7, 15, 23, 4, 0, 0}, "hh ampm", "11 PM", "11 "},
        DateCase{{2004, 7, 15, 23, 4, 0, 0}, "ampm h", "PM 11", " 11"},
        DateCase{{2004, 7, 15, 23, 4, 0, 0}, "h 'am/pm' h", "23 am/pm 23", "23 am/pm 23"},
        DateCase{{2004, 7, 15, 23, 4, 0, 0}, "h, ah", "23, a23", "23, a23"},
        // Quoted and plain text.
        DateCase{kMorning, "'yyyy' \"dd\" yyyy", "yyyy dd 2004", "yyyy dd 2004"},
        DateCase{kMorning, "[yyyy] 'open", "[2004] open", "[2004] open"},
        DateCase{kMorning, "", "", ""},
        DateCase{kMorning, "dddd''d yyyy''yy", "Thursday15 200404", "Donnerstag15 200404"},
        DateCase{kMorning, "\xC3\xA4 yyyy", "\xC3\xA4 2004", "\xC3\xA4 2004"}),
    // clang-format on
    CaseNames());

TEST(DateFormat, ImpossibleDatesFail) {
  const LocaleInfo english = LocaleInfo::English();
  const DateTimeParts bad[] = {
      {2004, 13, 15, 0, 0, 0, 0}, {2004, 0, 15, 0, 0, 0, 0},    {2003, 2, 29, 0, 0, 0, 0},
      {1900, 2, 29, 0, 0, 0, 0},  {2004, 4, 31, 0, 0, 0, 0},    {2004, 7, 0, 0, 0, 0, 0},
      {0, 1, 1, 0, 0, 0, 0},      {2004, 7, 15, 24, 0, 0, 0},   {2004, 7, 15, 0, 60, 0, 0},
      {2004, 7, 15, 0, 0, 60, 0}, {2004, 7, 15, 0, 0, 0, 1000}, {2004, 7, 15, -1, 0, 0, 0}};
  for (const DateTimeParts& when : bad) {
    EXPECT_EQ(FormatDateTime(when, "yyyy", english), std::nullopt)
        << when.year << "-" << when.month << "-" << when.day << " " << when.hour << ":"
        << when.minute << ":" << when.second << "." << when.millisecond;
  }
  EXPECT_EQ(FormatDateTime({2004, 2, 29, 0, 0, 0, 0}, "yyyy", english), "2004");
  EXPECT_EQ(FormatDateTime({2000, 2, 29, 0, 0, 0, 0}, "yyyy", english), "2000");
}

TEST(DateFormat, LocaleFormsThatNameThemselvesStayBounded) {
  LocaleInfo locale = LocaleInfo::English();
  locale.shortDateFormat = "ddddd|c";
  locale.longTimeFormat = "tt";
  const auto text = FormatDateTime(kMorning, "ddddd", locale);
  ASSERT_TRUE(text.has_value());
  EXPECT_LT(text->size(), 100u);
}

TEST(DateFormat, HugeExpansionFailsInsteadOfGrowing) {
  std::string pattern;
  for (int i = 0; i < 20000; ++i) pattern += "dddddd ";
  EXPECT_EQ(FormatDateTime(kMorning, pattern, LocaleInfo::English()), std::nullopt);
}

TEST(DateFormat, SeparatorsComeFromTheLocale) {
  LocaleInfo locale = LocaleInfo::English();
  locale.dateSeparator = '-';
  locale.timeSeparator = '.';
  EXPECT_EQ(FormatDateTime(kMorning, "yyyy/mm/dd hh:nn", locale), "2004-07-15 10.20");
  locale.dateSeparator = '\0';
  EXPECT_EQ(FormatDateTime(kMorning, "yyyy/mm", locale), "200407");
}

}  // namespace
}  // namespace orvalis::test
