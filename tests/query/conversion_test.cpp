#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "query/cell_text.h"
#include "query/exceptions.h"
#include "query/text_functions.h"
#include "query/value_conversion.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

const LocaleInfo kEnglish = LocaleInfo::English();
const LocaleInfo kGerman = LocaleInfo::German();

struct NumberTextCase {
  const char* text;
  bool english;  // reads as a number in English
  bool german;
  double value;
};

std::string CaseText(const NumberTextCase& c) { return c.text; }

void PrintTo(const NumberTextCase& c, std::ostream* os) {
  *os << Quoted(c.text) << (c.english ? " is " : " is not ") << "a number in English,"
      << (c.german ? " is " : " is not ") << "in German";
  if (c.english || c.german) *os << "; value " << c.value;
}

class TextToNumber : public ::testing::TestWithParam<NumberTextCase> {};

TEST_P(TextToNumber, FollowsTheLocale) {
  const NumberTextCase& c = GetParam();
  double n = 0;
  EXPECT_EQ(TryTextToNumber(c.text, kEnglish, n), c.english) << c.text;
  if (c.english) {
    EXPECT_DOUBLE_EQ(n, c.value) << c.text;
  }
  EXPECT_EQ(TryTextToNumber(c.text, kGerman, n), c.german) << c.text;
  if (c.german) {
    EXPECT_DOUBLE_EQ(n, c.value) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToNumber,
    ::testing::Values(
        NumberTextCase{"12", true, true, 12}, NumberTextCase{" -12 ", true, true, -12},
        NumberTextCase{"+3", true, true, 3}, NumberTextCase{"1.5", true, false, 1.5},
        NumberTextCase{"1,5", false, true, 1.5}, NumberTextCase{"1,000", false, true, 1},
        NumberTextCase{"1e3", true, true, 1000}, NumberTextCase{"2.5E-1", true, false, 0.25},
        NumberTextCase{"1e999", false, false, 0}, NumberTextCase{"1e-999", true, true, 0},
        NumberTextCase{"", false, false, 0}, NumberTextCase{"-", false, false, 0},
        NumberTextCase{".", false, false, 0}, NumberTextCase{"1e", false, false, 0},
        NumberTextCase{"0x10", false, false, 0}, NumberTextCase{"inf", false, false, 0},
        NumberTextCase{"5 6", false, false, 0}),
    CaseNames());

TEST(ValueToText, FormsOfEachVariety) {
  EXPECT_EQ(ValueToText(Value(), kEnglish), "");
  EXPECT_EQ(ValueToText(Value::Boolean(true), kEnglish), "-1");
  EXPECT_EQ(ValueToText(Value::Boolean(false), kGerman), "0");
  EXPECT_EQ(ValueToText(Value::Integer(-42), kGerman), "-42");
  EXPECT_EQ(ValueToText(Value::Number(1234567.25), kGerman), "1234567,25");
  EXPECT_EQ(ValueToText(Value::Number(123456789012345678.0), kEnglish), "1.23456789012346E17");
  EXPECT_EQ(ValueToText(Value::Number(-1.5e-7), kGerman), "-1,5E-7");
  EXPECT_EQ(ValueToText(Value::Number(-0.0), kEnglish), "0");
  EXPECT_EQ(ValueToText(Value::Number(2.0 / 3.0), kEnglish), "0.666666666666667");
}

TEST(ValueToBoolean, TextsAndNumbers) {
  EXPECT_TRUE(ValueToBoolean(Value::Text("TrUe"), kEnglish));
  EXPECT_FALSE(ValueToBoolean(Value::Text("false"), kEnglish));
  EXPECT_TRUE(ValueToBoolean(Value::Text("0,5"), kGerman));
  EXPECT_FALSE(ValueToBoolean(Value(), kEnglish));
  EXPECT_TRUE(ValueToBoolean(Value::Number(-0.1), kEnglish));
  EXPECT_THROW(ValueToBoolean(Value::Text("yes"), kEnglish), EEvaluationException);
}

TEST(ValueToInteger, RoundsHalvesToEven) {
  EXPECT_EQ(ValueToInteger(Value::Number(2.5), kEnglish), 2);
  EXPECT_EQ(ValueToInteger(Value::Number(3.5), kEnglish), 4);
  EXPECT_EQ(ValueToInteger(Value::Number(-2.5), kEnglish), -2);
  EXPECT_EQ(ValueToInteger(Value::Text("2,6"), kGerman), 3);
  EXPECT_EQ(ValueToInteger(Value::Boolean(true), kEnglish), -1);
  EXPECT_THROW(ValueToInteger(Value::Number(1e300), kEnglish), EEvaluationException);
}

TEST(CellText, NumbersAlwaysWithPoint) {
  for (const LocaleInfo& l : {kEnglish, kGerman}) {
    EXPECT_EQ(CellText(Value::Number(5.6), l, true, "(Null)"), "5.6");
    EXPECT_EQ(CellText(Value::Number(1.5), l, true, "(Null)"), "1.5");
    EXPECT_EQ(CellText(Value::Integer(3), l, true, "(Null)"), "3");
    EXPECT_EQ(CellText(Value::Boolean(true), l, true, "(Null)"), "-1");
    EXPECT_EQ(CellText(Value::Boolean(false), l, true, "(Null)"), "0");
    EXPECT_EQ(CellText(Value::Text("1,5"), l, true, "(Null)"), "1,5");
    EXPECT_EQ(CellText(Value(), l, true, "(Null)"), "(Null)");
    EXPECT_EQ(CellText(Value(), l, false, "(Null)"), "");
    EXPECT_EQ(CellText(Value::Text(""), l, true, "(Null)"), "");
  }
  EXPECT_EQ(SubItemText("one\r\ntwo\r\n"), "one[CR]two[CR]");
  EXPECT_EQ(SubItemText("a\rb\nc"), "a\rb\nc");
}

struct ContainsCase {
  const char* pattern;
  const char* text;  // lower case, as the store texts are compared
  bool matches;
};

std::string CaseText(const ContainsCase& c) { return std::string(c.pattern) + " in " + c.text; }

void PrintTo(const ContainsCase& c, std::ostream* os) {
  *os << Quoted(c.pattern) << (c.matches ? " matches " : " does not match ") << Quoted(c.text);
}

class Contains : public ::testing::TestWithParam<ContainsCase> {};

TEST_P(Contains, Pattern) {
  EXPECT_EQ(ContainsPattern(GetParam().pattern).Matches(GetParam().text), GetParam().matches)
      << GetParam().pattern << " / " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, Contains,
    ::testing::Values(
        ContainsCase{"canon", "canon", true}, ContainsCase{"CANON", "canon", true},
        ContainsCase{"canon", "canon eos", false}, ContainsCase{"*canon*", "the canon eos", true},
        ContainsCase{"canon*", "canon eos", true}, ContainsCase{"canon*", "the canon", false},
        ContainsCase{"*canon", "the canon", true}, ContainsCase{"*canon", "canon eos", false},
        ContainsCase{"*", "anything", false}, ContainsCase{"**", "anything", false},
        ContainsCase{"", "", false}, ContainsCase{"*long pattern*", "short", false}),
    CaseNames());

TEST(Pad, HugeWidthsFailInsteadOfAllocating) {
  EXPECT_EQ(PadText("a", kMaxPadWidth).size(), static_cast<size_t>(kMaxPadWidth));
  EXPECT_THROW(PadText("a", kMaxPadWidth + 1), EEvaluationException);
  EXPECT_THROW(PadText("a", -kMaxPadWidth - 1), EEvaluationException);
}

TEST(Match, PatternErrorsAndRunawayPatterns) {
  EXPECT_THROW(MatchRegex("x", "a{2,1}"), EEvaluationException);
  EXPECT_TRUE(MatchRegex(std::string("a\0b", 3), "a.b"));
  // Catastrophic backtracking ends at the library's match limit.
  EXPECT_THROW(MatchRegex(std::string(40, 'a') + "b", "^(a+)+$"), EEvaluationException);
}

}  // namespace
}  // namespace orvalis::test
