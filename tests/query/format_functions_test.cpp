#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "query/function_handler.h"
#include "query/parser.h"
#include "query/parser_factory.h"
#include "query/value_conversion.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

class NoFields : public tIdentifierClass {
 public:
  bool IsIdentifier(const std::string&) override { return true; }
  bool GetValue(const std::string&, Value&) override { return false; }
  std::uint16_t GetValueType(const std::string&) override { return 0; }
};

std::string Text(const std::string& expression, const LocaleInfo& locale) {
  NoFields names;
  tMyFunctionHandler functions(nullptr, locale);
  const auto parser = MakeParser(expression, {'\'', locale}, names, functions);
  tParser& p = *parser;
  if (!p.Compile() || !p.Evaluate()) return "error: " + p.ErrorText;
  return ValueToText(p.Result->Value, locale);
}

struct FormatCase {
  const char* expression;
  const char* english;
  const char* german;
};

std::string CaseText(const FormatCase& c) { return c.expression; }

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << Quoted(c.expression) << " -> " << Quoted(c.english) << " (English), " << Quoted(c.german)
      << " (German)";
}

class FormatFunctions : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFunctions, FollowTheLocale) {
  EXPECT_EQ(Text(GetParam().expression, LocaleInfo::English()), GetParam().english)
      << GetParam().expression;
  EXPECT_EQ(Text(GetParam().expression, LocaleInfo::German()), GetParam().german)
      << GetParam().expression << " (German)";
}

INSTANTIATE_TEST_SUITE_P(
    DateAndNumber, FormatFunctions,
    ::testing::Values(
        FormatCase{"dateformat('2004:07:15', 'yyyy-mm-dd')", "2004-07-15", "2004-07-15"},
        FormatCase{"dateformat('2004:07:15 10:20:30', 'hh:nn:ss')", "10:20:30", "10:20:30"},
        FormatCase{"dateformat('2004:03:15', 'mmmm')", "March", "M\xC3\xA4rz"},
        FormatCase{"dateformat('2004:07:15', 'dddd')", "Thursday", "Donnerstag"},
        FormatCase{"dateformat('2004:13:15 00:00:00', 'yyyy')", "*ERR*", "*ERR*"},
        FormatCase{"dateformat('2004:02:30', 'yyyy')", "*ERR*", "*ERR*"},
        FormatCase{"dateformat('2004:02:29 24:00:00', 'yyyy')", "*ERR*", "*ERR*"},
        FormatCase{"dateformat('abcd:07:15', 'yyyy')", "*ERR*", "*ERR*"},
        FormatCase{"dateformat('2004:07', 'yyyy')", "*ERR*", "*ERR*"},
        FormatCase{"dateformat(Missing, 'yyyy')", "error: Datatype mismatch",
                   "error: Datatype mismatch"},
        FormatCase{"numformat(1234.5, '#,##0.00')", "1,234.50", "1.234,50"},
        FormatCase{"numformat(Missing, '0.0')", "0.0", "0,0"},
        FormatCase{"numformat('2,5', '0.00')", "*ERR*", "2,50"},
        FormatCase{"numformat('abc', '0')", "*ERR*", "*ERR*"},
        FormatCase{"numformat(-3, '0;(0)')", "(3)", "(3)"}),
    CaseNames());

}  // namespace
}  // namespace orvalis::test
