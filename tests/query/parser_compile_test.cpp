#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "query/exceptions.h"
#include "support/test_names.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

struct CompileCase {
  const char* expression;
  const char* expected;  // postfix form, or "error: " + error text
};

std::string CaseText(const CompileCase& c) { return c.expression; }

void PrintTo(const CompileCase& c, std::ostream* os) {
  *os << Quoted(c.expression) << " -> " << Quoted(c.expected);
}

class Compiles : public ::testing::TestWithParam<CompileCase> {};

TEST_P(Compiles, ToPostfixOrError) {
  EXPECT_EQ(CompileToText(GetParam().expression), GetParam().expected) << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(
    Scanning, Compiles,
    ::testing::Values(
        CompileCase{"Make == 'Canon'", "Make 'Canon' =="},
        CompileCase{"MAKE==  'Canon'", "MAKE 'Canon' =="},
        CompileCase{"Date Time Original", "DateTimeOriginal"}, CompileCase{"1 000", "1000"},
        CompileCase{"\t1\t2 . 5 ", "12.5"}, CompileCase{"'a  b'", "'a  b'"},
        CompileCase{"''", "''"}, CompileCase{"Custom1", "error: Missing operator before \"1\""},
        CompileCase{"a (b)", "error: Unknown function: a"},
        CompileCase{"'abc", "error: Unterminated string literal"},
        CompileCase{"x + 'abc", "error: Unterminated string literal"}, CompileCase{"   ", ""},
        CompileCase{"", ""}, CompileCase{"_a_B_", "_a_B_"},
        // "#" ends a name: the field's stored number.
        CompileCase{"Orientation # == 6", "Orientation# 6 =="},
        CompileCase{"a#b", "error: Missing operator before \"b\""},
        // Operands side by side are refused, whatever their kind.
        CompileCase{"lowr(Make) ~ 'x'", "error: Unknown function: lowr"},
        CompileCase{"Make 'Canon'", "error: Missing operator before \"'Canon'\""},
        CompileCase{"1 (2)", "error: Missing operator before \"(\""},
        // A character beyond ASCII is named as typed, not by its first byte.
        CompileCase{"N\xC3\xA4me",
                    "error: Could not read complete input, invalid char \"\xC3\xA4\" at column 2"}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    WordOperators, Compiles,
    ::testing::Values(CompileCase{"a and b", "aandb"}, CompileCase{"'x' and b", "'x' b and"},
                      CompileCase{"(a) and b", "a b and"}, CompileCase{"1 AND 2", "1 2 and"},
                      CompileCase{"1 And 2 oR 3", "1 2 and 3 or"},
                      CompileCase{"TRUE == false", "TRUE false =="},
                      CompileCase{"not true", "true not"}, CompileCase{"NOT\ttrue", "true not"},
                      CompileCase{"not(a)", "a not"}, CompileCase{"nota", "nota"},
                      CompileCase{"not a == 1 and b == 2", "a 1 == b 2 == and not"},
                      CompileCase{"not not x", "not x not"},
                      CompileCase{"x == not 1", "x == 1 not"},
                      CompileCase{"1 not 2", "error: Missing operator before \"not\""},
                      CompileCase{"knot a", "knota"}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    OnePopRule, Compiles,
    ::testing::Values(
        CompileCase{"x - y - z", "x y - z -"}, CompileCase{"w - x * y - z", "w x y * z - -"},
        CompileCase{"x == 1 and y == 2 or z == 3", "x 1 == y 2 == z 3 == or and"},
        CompileCase{"1 + 2 * 3", "1 2 3 * +"}, CompileCase{"(1 + 2) * 3", "1 2 + 3 *"},
        CompileCase{"a & 'x' ~ b", "a 'x' & b ~"}, CompileCase{"5 % 3 / 2", "5 3 % 2 /"},
        CompileCase{"-1", "1 -UNARY"}, CompileCase{"- -1", "-UNARY 1 -UNARY"},
        CompileCase{"2 * -x", "2 x -UNARY *"}, CompileCase{"a <= b", "a b <="},
        CompileCase{"a >= b", "a b >="}, CompileCase{"a != b", "a b !="},
        CompileCase{"a < b", "a b <"}, CompileCase{"a > b", "a b >"}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    Functions, Compiles,
    ::testing::Values(CompileCase{"upper(Make)", "Make upper"},
                      CompileCase{"UPPER(Make) + 1", "Make UPPER 1 +"},
                      CompileCase{"pad(Size, 10)", "Size 10 pad"},
                      CompileCase{"if(a > 1, upper(b), lower(c))", "a 1 > b upper c lower if"},
                      CompileCase{"isnull(y, 0) == 2 or x == 1", "y 0 isnull 2 == x 1 == or"},
                      CompileCase{"datepart('year', DateTimeOriginal)",
                                  "'year' DateTimeOriginal datepart"},
                      CompileCase{"upper('a'), 'b'", "error: Unbalanced ()"},
                      CompileCase{"upper((a), b)", "a b upper"}, CompileCase{"upper()", "upper"},
                      CompileCase{"pad(Size, 10) , x", "error: Unbalanced ()"}),
    CaseNames());

INSTANTIATE_TEST_SUITE_P(
    Errors, Compiles,
    ::testing::Values(
        CompileCase{"EXIF.Make",
                    "error: Could not read complete input, invalid char \".\" at column 5"},
        CompileCase{"a = b", "error: Invalid symbol: ="},
        CompileCase{"a <> b", "error: Invalid symbol: <>"},
        CompileCase{"a ^ 2", "error: Invalid symbol: ^"},
        CompileCase{"1.2.3", "error: Invalid symbol: 1.2.3"},
        CompileCase{"1,5", "error: Could not read complete input, invalid char \",\" at column 2"},
        CompileCase{"(a == 1", "error: Unbalanced ()"},
        CompileCase{"a == 1)",
                    "error: Could not read complete input, invalid char \")\" at column 7"},
        CompileCase{"$x", "error: Could not read complete input, invalid char \"$\" at column 1"},
        CompileCase{"a  ! b",
                    "error: Could not read complete input, invalid char \"!\" at column 4"},
        CompileCase{"(a) b",
                    "error: Could not read complete input, invalid char \"b\" at column 5"},
        CompileCase{"1 ab", "error: Could not read complete input, invalid char \"a\" at column 3"},
        CompileCase{"\"x\"",
                    "error: Could not read complete input, invalid char \"\"\" at column 1"},
        CompileCase{".5", "error: Could not read complete input, invalid char \".\" at column 1"},
        CompileCase{"a + ((b)", "error: Unbalanced ()"}, CompileCase{"1 2", "12"}),
    CaseNames());

TEST(Compiles, DoubleQuoteDelimiterRejectsSingleQuotes) {
  EXPECT_EQ(CompileToText("\"Canon\" == Make", '"'), "\"Canon\" Make ==");
  EXPECT_EQ(CompileToText("'x'", '"'),
            "error: Could not read complete input, invalid char \"'\" at column 1");
}

TEST(Compiles, SeparatorAcceptedAnywhereOnceAFunctionWasSeen) {
  // The function depth only grows, so after upper(...) a bare separator is
  // accepted by the scanner; the compiler then finds no "(" for it.
  EXPECT_EQ(CompileToText("upper(a) + (1, 2)"), "a upper 1 2 +");
}

TEST(Classifier, GivesKindsCodesAndPriorities) {
  AnyName names;
  BuiltinNames functions;
  tParser p;
  p.Expression = "upper(Make) & 'x' + 1.5 - not true";
  p.IdentifierHandler = &names;
  p.FunctionHandler = &functions;
  ASSERT_TRUE(p.Compile()) << p.ErrorText;
  struct Expected {
    const char* text;
    int kind, code, priority;
  };
  const Expected expected[] = {
      {"upper", 7, 252, 50}, {"(", 6, 253, 1},   {"Make", 1, 247, 0}, {")", 8, 254, 1},
      {"&", 5, 18, 60},      {"'x'", 0, 249, 0}, {"+", 5, 1, 60},     {"1.5", 0, 250, 0},
      {"-", 5, 2, 60},       {"not", 3, 13, 30}, {"true", 0, 248, 0},
  };
  ASSERT_EQ(p.Tokens.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(p.Tokens[i]->Text, expected[i].text);
    EXPECT_EQ(p.Tokens[i]->Kind, expected[i].kind);
    EXPECT_EQ(p.Tokens[i]->Code, expected[i].code);
    EXPECT_EQ(p.Tokens[i]->Priority, expected[i].priority);
  }
  EXPECT_TRUE(p.Tokens[0]->IsFunctionToken);
  EXPECT_TRUE(p.Tokens[2]->IsIdentifierToken);
  EXPECT_EQ(p.Tokens[5]->Value, Value::Text("x"));
  EXPECT_EQ(p.Tokens[7]->Value, Value::Number(1.5));
  EXPECT_EQ(p.Tokens[10]->Value, Value::Boolean(true));
  EXPECT_EQ(p.Tokens[2]->Column, 7);
}

TEST(Classifier, UnaryMinusIsPrefixWithHighestPriority) {
  AnyName names;
  tParser p;
  p.Expression = "-x";
  p.IdentifierHandler = &names;
  ASSERT_TRUE(p.Compile());
  EXPECT_EQ(p.Tokens[0]->Kind, 3);
  EXPECT_EQ(p.Tokens[0]->Code, 14);
  EXPECT_EQ(p.Tokens[0]->Priority, 80);
  EXPECT_EQ(p.Tokens[0]->Text, "-");
}

TEST(Classifier, NamesNeedHandlers) {
  tParser p;
  p.Expression = "Make";
  EXPECT_FALSE(p.Compile());
  EXPECT_EQ(p.ErrorText, "Invalid symbol: Make");
  EXPECT_EQ(p.ErrorColumn, 5);

  BuiltinNames functions;
  tParser q;
  q.Expression = "upper(x)";
  q.FunctionHandler = &functions;
  EXPECT_FALSE(q.Compile());
  EXPECT_EQ(q.ErrorText, "Invalid symbol: x");
  // Without a function handler a function name is an ordinary name.
  AnyName names;
  tParser r;
  r.Expression = "upper";
  r.IdentifierHandler = &names;
  ASSERT_TRUE(r.Compile());
  EXPECT_TRUE(r.Tokens[0]->IsIdentifierToken);
}

TEST(Scanner, ErrorColumnCountsFromOne) {
  tParser p;
  p.Expression = "  $";
  EXPECT_FALSE(p.Compile());
  EXPECT_EQ(p.ErrorColumn, 3);
  EXPECT_EQ(p.ErrorChar, "$");
}

TEST(Scanner, LongTokensAreCutTo255Characters) {
  AnyName names;
  const std::string longName(1000, 'a');
  EXPECT_EQ(CompileToText(longName), std::string(255, 'a'));
  EXPECT_EQ(CompileToText(std::string(300, '7')), std::string(255, '7'));
  // A cut string literal loses its closing delimiter and the character
  // before it, as the token text keeps 255 characters.
  tParser p;
  p.Expression = "'" + std::string(400, 's') + "'";
  ASSERT_TRUE(p.Compile());
  ASSERT_EQ(p.Tokens.size(), 1u);
  EXPECT_EQ(p.Tokens[0]->Text.size(), 255u);
  EXPECT_EQ(p.Tokens[0]->Value, Value::Text(std::string(253, 's')));
}

TEST(Scanner, HostileTextsDoNotCrash) {
  EXPECT_EQ(CompileToText(std::string(20000, '(') + "1"), "error: Unbalanced ()");
  EXPECT_EQ(CompileToText(std::string(20000, '-') + "1").substr(0, 14), "-UNARY -UNARY ");
  EXPECT_EQ(CompileToText(std::string(40000, '1')), "error: Expression too long");
  std::string withNul = "a + ";
  withNul += '\0';
  EXPECT_EQ(CompileToText(withNul),
            "error: Could not read complete input, invalid char \"\" at column 5");
  std::string bytes;
  for (int c = 1; c < 256; ++c) bytes += static_cast<char>(c);
  EXPECT_EQ(CompileToText(bytes).substr(0, 7), "error: ");
}

}  // namespace
}  // namespace orvalis::test
