#include "query/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <sstream>
#include <string>

#include "support/test_names.h"

namespace orvalis::test {
namespace {

struct NumberCase {
  double value;
  const char* pattern;
  const char* english;
  const char* german;
};

std::string CaseText(const NumberCase& c) {
  std::ostringstream out;
  out << c.value << " as " << c.pattern;
  return out.str();
}

void PrintTo(const NumberCase& c, std::ostream* os) {
  std::ostringstream value;
  value.precision(17);
  value << c.value;
  *os << value.str() << " with " << Quoted(c.pattern) << " -> " << Quoted(c.english)
      << " (English), " << Quoted(c.german) << " (German)";
}

class NumberPatterns : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberPatterns, FormatsUnderBothLocales) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, c.pattern, LocaleInfo::English()), c.english)
      << c.value << " with " << c.pattern;
  EXPECT_EQ(FormatNumber(c.value, c.pattern, LocaleInfo::German()), c.german)
      << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberPatterns,
    ::testing::Values(
        // Grouping and the decimal point take the locale's separators.
        NumberCase{1234.5, "#,##0.00", "1,234.50", "1.234,50"},
        NumberCase{-1234.5, "#,##0.00", "-1,234.50", "-1.234,50"},
        NumberCase{1234567.891, "#,##0.##", "1,234,567.89", "1.234.567,89"},
        NumberCase{1000, "#,##0", "1,000", "1.000"}, NumberCase{123, "#,##0", "123", "123"},
        NumberCase{0, "#,##0.00", "0.00", "0,00"},
        // "0" forces a digit, "#" shows one only when there is one.
        NumberCase{5, "000", "005", "005"}, NumberCase{5, "#0#", "05", "05"},
        NumberCase{12345, "00", "12345", "12345"}, NumberCase{1, "0.##", "1", "1"},
        NumberCase{1.5, "0.##", "1.5", "1,5"}, NumberCase{1.5, "0.0#0", "1.500", "1,500"},
        NumberCase{0.5, "#.##", ".5", ",5"}, NumberCase{12.5, ".00", "12.50", "12,50"},
        NumberCase{0, "#", "", ""}, NumberCase{1234, "0-0", "123-4", "123-4"},
        NumberCase{7, "0.", "7", "7"},
        // Rounding: halves away from zero, on the number as written.
        NumberCase{0.5, "0", "1", "1"}, NumberCase{-0.5, "0", "-1", "-1"},
        NumberCase{2.5, "0", "3", "3"}, NumberCase{0.15, "0.0", "0.2", "0,2"},
        NumberCase{2.675, "0.00", "2.68", "2,68"}, NumberCase{1.005, "0.00", "1.01", "1,01"},
        NumberCase{0.95, "0.0", "1.0", "1,0"}, NumberCase{999.96, "#,##0.0", "1,000.0", "1.000,0"},
        NumberCase{0.0004, "0.000", "0.000", "0,000"},
        NumberCase{0.1 + 0.2, "0.00000000000000000", "0.30000000000000004", "0,30000000000000004"},
        // Sections: positive; negative; zero.
        NumberCase{-5, "0;(0)", "(5)", "(5)"}, NumberCase{5, "0;(0)", "5", "5"},
        NumberCase{0, "0;(0);\"zero\"", "zero", "zero"}, NumberCase{-5, "0;;\"zero\"", "-5", "-5"},
        NumberCase{0, "0;(0);", "0", "0"}, NumberCase{-0.001, "0.00;(0.00)", "0.00", "0,00"},
        NumberCase{-0.001, "0.00;(0.00);\"nil\"", "nil", "nil"},
        NumberCase{0.001, "0.00;(0.00);'nil'", "nil", "nil"},
        // Quoted text is copied, also ";" and placeholders inside it.
        NumberCase{5, "\"a;b#0.\"0", "a;b#0.5", "a;b#0.5"},
        NumberCase{-5, "'$'#,##0.00", "-$5.00", "-$5,00"},
        NumberCase{42, "0 \"km", "42 km", "42 km"}, NumberCase{42, "x0y", "x42y", "x42y"},
        // Scientific notation.
        NumberCase{1234.5, "0.00E+00", "1.23E+03", "1,23E+03"},
        NumberCase{0.00012345, "0.00E+00", "1.23E-04", "1,23E-04"},
        NumberCase{1234.5, "0.00E-00", "1.23E03", "1,23E03"},
        NumberCase{0.00012, "0.0e-0", "1.2e-4", "1,2e-4"},
        NumberCase{0, "0.00E+00", "0.00E+00", "0,00E+00"},
        NumberCase{9.99, "0.0E+0", "1.0E+1", "1,0E+1"},
        NumberCase{12345, "##0.0E+0", "123.5E+2", "123,5E+2"},
        NumberCase{100000, "0E+000000", "1E+0005", "1E+0005"},
        NumberCase{-1.5e-300, "0.0E+0", "-1.5E-300", "-1,5E-300"},
        NumberCase{1.5, "0.0E", "1.5E", "1,5E"},
        // The general form: empty pattern or positive section, huge numbers.
        NumberCase{1234.5, "", "1234.5", "1234,5"}, NumberCase{-2.5, ";0", "-2.5", "-2,5"},
        NumberCase{0.1 + 0.2, "", "0.3", "0,3"}, NumberCase{1e-7, "", "1E-7", "1E-7"},
        NumberCase{1.25e20, "", "1.25E20", "1,25E20"},
        NumberCase{0.00001, "", "0.00001", "0,00001"}, NumberCase{1e20, "#,##0", "1E20", "1E20"},
        NumberCase{1e17, "0", "100000000000000000", "100000000000000000"},
        NumberCase{1e20, "0.00E+00", "1.00E+20", "1,00E+20"}),
    CaseNames());

TEST(NumberFormat, NotANumberAndInfinityFail) {
  const LocaleInfo english = LocaleInfo::English();
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0", english), std::nullopt);
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "0", english), std::nullopt);
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "", english), std::nullopt);
}

TEST(NumberFormat, LongPatternsStayProportional) {
  const std::string zeros(5000, '0');
  const auto fixed = FormatNumber(1.0 / 3, "0." + zeros, LocaleInfo::English());
  ASSERT_TRUE(fixed.has_value());
  EXPECT_EQ(fixed->size(), 5002u);
  EXPECT_EQ(fixed->substr(0, 8), "0.333333");
  const auto scientific = FormatNumber(1.0 / 3, zeros + "E+0", LocaleInfo::English());
  ASSERT_TRUE(scientific.has_value());
  EXPECT_EQ(scientific->substr(5000), "E-5000");
}

}  // namespace
}  // namespace orvalis::test
