#include "i18n/locale_pattern.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "query/date_format.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

struct ConversionCase {
  const char* qt;
  char dateSeparator;
  char timeSeparator;
  bool fourDigitYears;
  const char* ours;
};

// The pattern, and the options where they are not the usual ones.
std::string CaseText(const ConversionCase& c) {
  return std::string(c.qt) + (c.fourDigitYears ? " four digit years" : "") +
         (c.timeSeparator != ':' ? std::string(" time separator ") + c.timeSeparator : "");
}

void PrintTo(const ConversionCase& c, std::ostream* os) {
  *os << Quoted(c.qt) << " with date separator '" << c.dateSeparator << "', time separator '"
      << c.timeSeparator << "'" << (c.fourDigitYears ? ", four-digit years" : "") << " -> "
      << Quoted(c.ours);
}

class QtPatterns : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(QtPatterns, Convert) {
  const ConversionCase& c = GetParam();
  const QtPatternOptions options{c.dateSeparator, c.timeSeparator, c.fourDigitYears};
  EXPECT_EQ(ConvertQtDateTimeFormat(c.qt, options), c.ours) << c.qt;
}

// The formats are those Qt 6 gives for real locales.
INSTANTIATE_TEST_SUITE_P(
    Table, QtPatterns,
    ::testing::Values(ConversionCase{"dd.MM.yy", '.', ':', true, "dd.mm.yyyy"},
                      ConversionCase{"dd.MM.yy", '.', ':', false, "dd.mm.yy"},
                      ConversionCase{"dddd, d. MMMM yyyy", '.', ':', false, "dddd, d. mmmm yyyy"},
                      ConversionCase{"HH:mm", '.', ':', false, "hh:nn"},
                      ConversionCase{"HH:mm:ss t", '.', ':', false, "hh:nn:ss"},
                      ConversionCase{"M/d/yy", '/', ':', true, "m/d/yyyy"},
                      ConversionCase{"h:mm:ss AP t", '/', ':', false, "h:nn:ss ampm"},
                      ConversionCase{"AP h:mm", '.', ':', false, "ampm h:nn"},
                      ConversionCase{"h:mm ap", '/', ':', false, "h:nn ampm"},
                      ConversionCase{"H:mm:ss (t)", '/', ':', false, "h:nn:ss"},
                      ConversionCase{"H.mm.ss t", '.', '.', false, "h.nn.ss"},
                      ConversionCase{"dddd, d 'de' MMMM 'de' yyyy", '/', ':', false,
                                     "dddd, d 'de' mmmm 'de' yyyy"},
                      ConversionCase{"dddd, d MMMM yyyy '\xD0\xB3'.", '.', ':', false,
                                     "dddd, d mmmm yyyy \xD0\xB3."},
                      ConversionCase{"H\xE6\x99\x82mm\xE5\x88\x86ss\xE7\xA7\x92 t", '/', ':', false,
                                     "h\xE6\x99\x82nn\xE5\x88\x86ss\xE7\xA7\x92"},
                      // Literal text that our language would read is quoted.
                      ConversionCase{"yyyy-MM-dd'T'HH:mm", '-', ':', false, "yyyy-mm-dd'T'hh:nn"},
                      ConversionCase{"d/M", '.', ':', false, "d'/'m"},
                      ConversionCase{"HH:mm", '.', '.', false, "hh':'nn"},
                      ConversionCase{"d'' MMM", '.', ':', false, "d\"'\" mmm"},
                      ConversionCase{"'it''s' d", '.', ':', false, "'it'\"'\"'s' d"},
                      ConversionCase{"d \"x\" 'open", '.', ':', false, "d '\"x\"' 'open'"},
                      ConversionCase{"y d", '.', ':', false, "'y' d"},
                      ConversionCase{"yyyyyy zzz z", '.', ':', false, "yyyy''yy zzz z"},
                      ConversionCase{"ddddd MMMMM mmm hH", '.', ':', false,
                                     "dddd''d mmmm''m nn''n h''h"}),
    CaseNames());

TEST(QtPatternConversion, ConvertedGermanFormsPrintAsGermanDates) {
  orvalis::LocaleInfo locale = orvalis::LocaleInfo::German();
  const QtPatternOptions dateOptions{'.', ':', true};
  const QtPatternOptions timeOptions{'.', ':', false};
  locale.shortDateFormat = ConvertQtDateTimeFormat("dd.MM.yy", dateOptions);
  locale.longTimeFormat = ConvertQtDateTimeFormat("HH:mm:ss t", timeOptions);
  EXPECT_EQ(orvalis::FormatDateTime({2004, 7, 15, 14, 5, 9, 0}, "c", locale),
            "15.07.2004 14:05:09");
}

TEST(LocaleSeparators, FirstPunctuationOfAFormat) {
  EXPECT_EQ(SeparatorOfQtFormat("dd.MM.yy", '/'), '.');
  EXPECT_EQ(SeparatorOfQtFormat("M/d/yy", '.'), '/');
  EXPECT_EQ(SeparatorOfQtFormat("yy. M. d.", '/'), '.');
  EXPECT_EQ(SeparatorOfQtFormat("'de' H:mm", '.'), ':');
  EXPECT_EQ(SeparatorOfQtFormat("d\xE2\x80\x8F/M\xE2\x80\x8F/yyyy", '.'), '/');
  EXPECT_EQ(SeparatorOfQtFormat("H\xE6\x99\x82mm", ':'), ':');
  EXPECT_EQ(SeparatorOfQtFormat("'x", ':'), ':');
}

TEST(LocaleSeparators, ReducedToOneByte) {
  EXPECT_EQ(SingleByteSeparator(",", '.'), ',');
  EXPECT_EQ(SingleByteSeparator("\xC2\xA0", '.'), ' ');       // no-break space
  EXPECT_EQ(SingleByteSeparator("\xE2\x80\xAF", '.'), ' ');   // narrow no-break space
  EXPECT_EQ(SingleByteSeparator("\xE2\x80\x99", '.'), '\'');  // Swiss grouping
  EXPECT_EQ(SingleByteSeparator("\xD9\xAB", ','), '.');       // Arabic decimal mark
  EXPECT_EQ(SingleByteSeparator("\xE2\x82\xAC", '#'), '#');
  EXPECT_EQ(SingleByteSeparator("", '#'), '#');
  EXPECT_EQ(SingleByteSeparator("\xE2\x80", '#'), '#');  // cut short
}

}  // namespace
}  // namespace orvalis::test
