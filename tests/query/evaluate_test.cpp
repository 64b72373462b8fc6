#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

#include "query/function_handler.h"
#include "query/parser.h"
#include "query/parser_factory.h"
#include "query/value_conversion.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

// Fields of a pretend file.
class FieldMap : public tIdentifierClass {
 public:
  std::map<std::string, Value> fields;
  bool IsIdentifier(const std::string&) override { return true; }
  bool GetValue(const std::string& name, Value& value) override {
    const auto it = fields.find(name);
    if (it == fields.end()) return false;
    value = it->second;
    return true;
  }
  std::uint16_t GetValueType(const std::string&) override { return 0; }
};

std::string Describe(const Value& v, const LocaleInfo& locale) {
  switch (v.variety()) {
    case Value::Variety::Empty: return "empty";
    case Value::Variety::Boolean: return "boolean: " + ValueToText(v, locale);
    case Value::Variety::Integer: return "integer: " + ValueToText(v, locale);
    case Value::Variety::Number: return "number: " + ValueToText(v, locale);
    case Value::Variety::Text: return "text: " + ValueToText(v, locale);
  }
  return "?";
}

std::string Eval(const std::string& expression, const LocaleInfo& locale) {
  FieldMap names;
  names.fields = {{"Make", Value::Text("Canon")},
                  {"Model", Value::Text("Canon EOS 10D")},
                  {"Size", Value::Number(123456)},
                  {"FNumber", Value::Number(5.6)},
                  {"x", Value::Number(1)},
                  {"rownum", Value::Integer(7)},
                  {"Two", Value::Text("2")},
                  {"Half", Value::Text(locale.decimalSeparator == ',' ? "0,5" : "0.5")},
                  {"Date", Value::Text("2004:07:15 10:20:30")},
                  {"Lines", Value::Text("one\r\ntwo")}};
  tMyFunctionHandler functions(nullptr, locale);
  const auto parser = MakeParser(expression, {'\'', locale}, names, functions);
  tParser& p = *parser;
  if (!p.Compile()) return "compile error: " + p.ErrorText;
  if (!p.Evaluate()) return "error: " + p.ErrorText;
  return Describe(p.Result->Value, locale);
}

struct EvalCase {
  const char* expression;
  const char* english;
  const char* german;  // nullptr: same as English
};

std::string CaseText(const EvalCase& c) { return c.expression; }

void PrintTo(const EvalCase& c, std::ostream* os) {
  *os << Quoted(c.expression) << " -> " << Quoted(c.english);
  if (c.german) *os << " (English), " << Quoted(c.german) << " (German)";
}

class Evaluates : public ::testing::TestWithParam<EvalCase> {};

TEST_P(Evaluates, UnderEnglishAndGerman) {
  const EvalCase& c = GetParam();
  EXPECT_EQ(Eval(c.expression, LocaleInfo::English()), c.english) << c.expression;
  EXPECT_EQ(Eval(c.expression, LocaleInfo::German()), c.german ? c.german : c.english)
      << c.expression << " (German)";
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, Evaluates,
    ::testing::Values(
        EvalCase{"1 + 2", "number: 3", nullptr}, EvalCase{"1.5", "number: 1.5", "number: 1,5"},
        EvalCase{"0.1 + 0.2", "number: 0.3", "number: 0,3"},
        EvalCase{"10 / 4", "number: 2.5", "number: 2,5"},
        EvalCase{"1 / 3", "number: 0.333333333333333", "number: 0,333333333333333"},
        EvalCase{"100000000000000000000", "number: 1E20", nullptr},
        EvalCase{"0.00001", "number: 1E-5", nullptr},
        EvalCase{"0.0001", "number: 0.0001", "number: 0,0001"},
        EvalCase{"5 % 3", "number: 2", nullptr}, EvalCase{"5.5 % 3", "number: 0", nullptr},
        EvalCase{"6.5 % 4", "number: 2", nullptr},
        EvalCase{"5 % 0", "error: Division by zero", nullptr},
        EvalCase{"5 / 0", "error: Floating point division by zero", nullptr},
        EvalCase{"rownum * 2", "number: 14", nullptr}, EvalCase{"-rownum", "integer: -7", nullptr},
        EvalCase{"-x", "number: -1", nullptr}, EvalCase{"-true", "number: 1", nullptr},
        EvalCase{"w - x * y - z", "empty", nullptr},
        EvalCase{"10 - 2 * 3 - 1", "number: 5", nullptr}, EvalCase{"Two * 3", "number: 6", nullptr},
        EvalCase{"Half * 2", "number: 1", nullptr},
        EvalCase{"Make * 2", "error: 'Canon' is not a valid floating point value", nullptr},
        EvalCase{"'1.5' * 2", "number: 3", "error: '1.5' is not a valid floating point value"},
        EvalCase{"'1,5' * 2", "error: '1,5' is not a valid floating point value", "number: 3"},
        EvalCase{"true * 2", "number: -2", nullptr}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    TextOperators, Evaluates,
    ::testing::Values(
        EvalCase{"'a' + 'b'", "text: ab", nullptr},
        EvalCase{"'a' + 1.5", "text: a1.5", "text: a1,5"},
        EvalCase{"1 + 'x'", "error: 'x' is not a valid floating point value", nullptr},
        EvalCase{"1 + Two", "number: 3", nullptr}, EvalCase{"'x' & true", "text: x-1", nullptr},
        EvalCase{"1 & 2", "text: 12", nullptr}, EvalCase{"Make ~ 'anon'", "boolean: -1", nullptr},
        EvalCase{"Make ~ 'ANON'", "boolean: 0", nullptr},
        EvalCase{"Make ~ ''", "boolean: 0", nullptr},
        EvalCase{"Size ~ 234", "boolean: -1", nullptr}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    Comparisons, Evaluates,
    ::testing::Values(
        EvalCase{"Size > 100000", "boolean: -1", nullptr},
        EvalCase{"Make == 'Canon'", "boolean: -1", nullptr},
        EvalCase{"Make == 'canon'", "boolean: 0", nullptr},
        EvalCase{"'abc' < 'abd'", "boolean: -1", nullptr},
        EvalCase{"'ab' < 'abc'", "boolean: -1", nullptr},
        EvalCase{"'B' < 'a'", "boolean: -1", nullptr}, EvalCase{"Two == 2", "boolean: -1", nullptr},
        EvalCase{"10 > Two", "boolean: -1", nullptr}, EvalCase{"'10' > Two", "boolean: 0", nullptr},
        EvalCase{"true == 1", "boolean: 0", nullptr},
        EvalCase{"true == -1", "boolean: -1", nullptr},
        EvalCase{"true < 0", "boolean: -1", nullptr},
        EvalCase{"false < true", "boolean: -1", nullptr},
        EvalCase{"'TRUE' == true", "boolean: -1", nullptr},
        EvalCase{"'0' == false", "boolean: -1", nullptr},
        EvalCase{"Make == true", "error: 'Canon' is not a valid boolean value", nullptr},
        EvalCase{"Make != 1", "error: 'Canon' is not a valid floating point value", nullptr},
        EvalCase{"rownum >= 7", "boolean: -1", nullptr},
        EvalCase{"rownum <= 6.5", "boolean: 0", nullptr}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    Logic, Evaluates,
    ::testing::Values(
        EvalCase{"not true", "boolean: 0", nullptr}, EvalCase{"not 5", "integer: -6", nullptr},
        EvalCase{"not '5'", "integer: -6", nullptr},
        EvalCase{"not not x", "error: Stack underflow", nullptr},
        EvalCase{"- -1", "error: Stack underflow", nullptr},
        EvalCase{"(true) and false", "boolean: 0", nullptr},
        EvalCase{"(true) or false", "boolean: -1", nullptr},
        EvalCase{"(true) and 'TRUE'", "boolean: -1", nullptr},
        EvalCase{"'false' or true", "boolean: -1", nullptr},
        EvalCase{"(true) and 'x'", "error: 'x' is not a valid boolean value", nullptr},
        EvalCase{"true and false", "empty", nullptr},  // one name: trueandfalse
        EvalCase{"6 and 1", "boolean: 0", nullptr}, EvalCase{"6 and 2", "boolean: -1", nullptr},
        EvalCase{"(true) and 1", "boolean: -1", nullptr},
        EvalCase{"x == 1 or y == 2", "empty", nullptr},
        EvalCase{"isnull(y, 0) == 2 or x == 1", "boolean: -1", nullptr},
        EvalCase{"not a == 1 and b == 2", "empty", nullptr},
        EvalCase{"not x == 1 and x == 2", "boolean: -1", nullptr},
        EvalCase{"Custom1", "compile error: Missing operator before \"1\"", nullptr},
        EvalCase{"Missing", "empty", nullptr}, EvalCase{"Missing + 1", "empty", nullptr},
        EvalCase{"-Missing", "empty", nullptr}, EvalCase{"Missing & 'x'", "empty", nullptr},
        EvalCase{"   ", "error: Empty expression", nullptr}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    Functions, Evaluates,
    ::testing::Values(EvalCase{"upper(Make)", "text: CANON", nullptr},
                      EvalCase{"upper('\xC3\xA4x')", "text: \xC3\xA4X", nullptr},
                      EvalCase{"lower(Make)", "text: canon", nullptr},
                      EvalCase{"upper(Missing)", "error: Datatype mismatch", nullptr},
                      EvalCase{"upper(Size)", "error: Datatype mismatch", nullptr},
                      EvalCase{"upper()", "error: Stack underflow", nullptr},
                      EvalCase{"isnull(Missing, 'n/a')", "text: n/a", nullptr},
                      EvalCase{"isnull(Make, 'n/a')", "text: Canon", nullptr},
                      EvalCase{"isnull(Missing, Missing)", "empty", nullptr},
                      EvalCase{"if(Size > 1, 'big', 'small')", "text: big", nullptr},
                      EvalCase{"if(Missing > 1, 'big', 'small')", "error: Datatype mismatch",
                               nullptr},
                      EvalCase{"if(false, 1, Missing)", "empty", nullptr},
                      EvalCase{"if('true', 1, 2)", "error: Datatype mismatch", nullptr},
                      EvalCase{"pad('abc', 5)", "text:   abc", nullptr},
                      EvalCase{"pad('abc', -5)", "text: abc  ", nullptr},
                      EvalCase{"pad('abc', 3)", "text: abc", nullptr},
                      EvalCase{"pad('abcdef', 5)", "text: !", nullptr},
                      EvalCase{"pad('abc', 4.5)", "text:  abc", nullptr},
                      EvalCase{"pad('abc', '5')", "error: Datatype mismatch", nullptr},
                      EvalCase{"pad('abc', 100000000)", "error: Pad width out of range", nullptr},
                      EvalCase{"ascii(65)", "text: A", nullptr},
                      EvalCase{"ascii(321)", "text: A", nullptr},
                      EvalCase{"ascii(-191)", "text: A", nullptr},
                      EvalCase{"datepart('year', '2004:07:15 10:20:30')", "integer: 2004", nullptr},
                      EvalCase{"datepart('MONTH', Date)", "integer: 7", nullptr},
                      EvalCase{"datepart('day', Date)", "integer: 15", nullptr},
                      EvalCase{"datepart('hour', Date)", "integer: 10", nullptr},
                      EvalCase{"datepart('min', Date)", "integer: 20", nullptr},
                      EvalCase{"datepart('sec', Date)", "integer: 30", nullptr},
                      EvalCase{"datepart('Minute', Date)", "text: ", nullptr},
                      EvalCase{"datepart('hour', '2004:07:15')", "text: ", nullptr},
                      EvalCase{"datepart('year', '2004:07')", "text: ", nullptr},
                      EvalCase{"datepart('year', 'abcd:07:15')", "text: ", nullptr},
                      EvalCase{"datepart('year', Date) + 1", "number: 2005", nullptr},
                      EvalCase{"match(Model, '^EOS')", "boolean: 0", nullptr},
                      EvalCase{"match(Model, '^Canon EOS')", "boolean: -1", nullptr},
                      EvalCase{"match(Model, 'eos')", "boolean: 0", nullptr},
                      EvalCase{"match(Model, '1.D$')", "boolean: -1", nullptr},
                      EvalCase{"match(Lines, 'one..two')", "boolean: -1", nullptr},
                      EvalCase{"match(Lines, 'one$')", "boolean: 0", nullptr},
                      EvalCase{"match(Lines, '^two')", "boolean: 0", nullptr},
                      EvalCase{"match(Model, '(')", "error: missing closing parenthesis", nullptr},
                      EvalCase{"match(Size, '1')", "error: Datatype mismatch", nullptr}),
    CaseNames());

TEST(Evaluate, ResultTokensAreRenewedAndParserStaysUsable) {
  FieldMap names;
  tMyFunctionHandler functions(nullptr);
  const auto parser = MakeParser("Size * 2", {}, names, functions);
  tParser& p = *parser;
  ASSERT_TRUE(p.Compile());
  names.fields["Size"] = Value::Text("abc");
  EXPECT_FALSE(p.Evaluate());
  EXPECT_EQ(p.Result, nullptr);
  names.fields["Size"] = Value::Number(21);
  ASSERT_TRUE(p.Evaluate());
  EXPECT_EQ(p.Result->Value, Value::Number(42));
  EXPECT_EQ(p.Result->Code, 250);
  names.fields.clear();
  ASSERT_TRUE(p.Evaluate());
  EXPECT_TRUE(p.Result->Value.IsEmpty());
  EXPECT_EQ(p.Result->Code, 247);
}

// A chain of long texts is bounded: every text an evaluation makes stays
// within 1 MiB, the values an operator has taken are freed at once, and the
// parser remembers that the limit was reached.
TEST(Evaluate, TextsAreBoundedAndFreedAsTheyAreUsed) {
  FieldMap names;
  tMyFunctionHandler functions(nullptr);
  std::string chain = "pad('x', 60000)";
  for (int i = 0; i < 20; ++i) chain += " & pad('x', 60000)";
  const auto parser = MakeParser(chain, {}, names, functions);
  tParser& p = *parser;
  ASSERT_TRUE(p.Compile());
  EXPECT_FALSE(p.Evaluate());
  EXPECT_EQ(p.ErrorText, "Text too long");
  EXPECT_TRUE(p.TextLimitReached);

  const auto within = MakeParser("pad('x', 60000) & pad('y', 60000) & 'z'", {}, names, functions);
  ASSERT_TRUE(within->Compile());
  ASSERT_TRUE(within->Evaluate());
  EXPECT_EQ(within->Result->Value.AsText().size(), 120001u);
  EXPECT_FALSE(within->TextLimitReached);
}

TEST(Evaluate, IdentifierCodesFollowTheirValues) {
  FieldMap names;
  names.fields["a"] = Value::Text("t");
  tParser p;
  p.Expression = "a";
  p.IdentifierHandler = &names;
  ASSERT_TRUE(p.Compile());
  ASSERT_TRUE(p.Evaluate());
  EXPECT_EQ(p.Result->Code, 249);
  names.fields["a"] = Value::Boolean(true);
  ASSERT_TRUE(p.Evaluate());
  EXPECT_EQ(p.Result->Code, 248);
}

}  // namespace
}  // namespace orvalis::test

namespace orvalis::test {
namespace {

// Random texts from the language's own pieces: compiling and evaluating
// either succeeds or reports an error, never more.
TEST(Evaluate, RandomTextsNeverCrash) {
  static const char* kPieces[] = {
      "(",     ")",      ",",        "'",     "\"",   "-",       "+",     "*",     "/",
      "%",     "&",      "~",        "<",     "=",    ">",       "!",     " not ", " and ",
      " or ",  "1",      "2.5",      "0",     "x",    "Missing", "upper", "pad",   "if",
      "match", "isnull", "datepart", "ascii", "true", " ",       "'[('",  "'abc'"};
  unsigned seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7fff;
  };
  FieldMap names;
  names.fields["x"] = Value::Number(3);
  tMyFunctionHandler functions(nullptr);
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    const unsigned n = 1 + next() % 12;
    for (unsigned k = 0; k < n; ++k) text += kPieces[next() % std::size(kPieces)];
    const auto parser = MakeParser(text, {}, names, functions);
    tParser& p = *parser;
    if (p.Compile()) {
      const bool ok = p.Evaluate();
      EXPECT_EQ(ok, p.Result != nullptr) << text;
      EXPECT_EQ(ok, p.ErrorText.empty()) << text;
    } else {
      EXPECT_FALSE(p.ErrorText.empty()) << text;
    }
  }
}

}  // namespace
}  // namespace orvalis::test
