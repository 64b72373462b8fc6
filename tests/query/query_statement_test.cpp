#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "query/query_statement.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

struct SplitCase {
  const char* query;
  int result;
  const char* select;
  const char* from;
  const char* where;
  const char* with;
  int top;
};

std::string CaseText(const SplitCase& c) { return c.query; }

void PrintTo(const SplitCase& c, std::ostream* os) {
  *os << Quoted(c.query) << " -> ";
  if (c.result != 0) {
    *os << "error " << c.result;
    return;
  }
  *os << "select " << Quoted(c.select) << ", from " << Quoted(c.from) << ", where "
      << Quoted(c.where) << ", with " << Quoted(c.with) << ", top " << c.top;
}

class StatementSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StatementSplit, SplitsIntoParts) {
  const SplitCase& c = GetParam();
  tOrvalis q;
  q.QueryText = NormalizeLineBreaks(c.query);
  ASSERT_EQ(ParseQueryStatement(q), c.result) << c.query;
  if (c.result != 0) return;
  EXPECT_EQ(q.SelectText, c.select);
  EXPECT_EQ(q.FromText, c.from);
  EXPECT_EQ(q.WhereText, c.where);
  EXPECT_EQ(q.WithText, c.with);
  EXPECT_EQ(q.TopCount, c.top);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, StatementSplit,
    // clang-format off
    ::testing::Values(
        SplitCase{"select name from \"D:\\Bilder\\*.jpg\"", 0, " name", "D:\\Bilder\\*.jpg", "true", "", -1},
        SplitCase{"SELECT TOP 10 Name, Size FROM x WHERE Size > 1000 WITH subdirs", 0, "Name, Size", "x", "Size > 1000", "subdirs", 10},
        SplitCase{"SeLeCt\tTop\t3\tName FrOm x wItH SubDirs", 0, "Name", "x", "true", "subdirs", 3},
        SplitCase{"SELECT Name FROM x WITH subdirs WHERE a == 1", 0, " Name", "x", "a == 1", "subdirs", -1},
        SplitCase{"SELECT Name FROM \"/my photos/*.jpg\" WHERE Make ~ 'x'", 0, " Name", "/my photos/*.jpg", "Make ~ 'x'", "", -1},
        SplitCase{"SELECT Name FROM \"/unterminated/*.jpg", 0, " Name", "/unterminated/*.jpg", "true", "", -1},
        SplitCase{"SELECT Name FROM #results WHERE Size > 1", 0, " Name", "#results", "Size > 1", "", -1},
        // " with " inside a string literal still ends the WHERE text.
        SplitCase{"SELECT Name FROM x WHERE Name ~ ' with ' WITH subdirs", 0, " Name", "x", "Name ~ '", "subdirs", -1},
        // Comments: own line, end of line, inside quotes; LF, CR and CR LF line ends.
        SplitCase{"-- my query\nSELECT Name -- the name\nFROM x", 0, " Name ", "x", "true", "", -1},
        SplitCase{"SELECT Name\rFROM x\r\nWHERE Make == 'a--b'", 0, " Name", "x", "Make == 'a", "", -1},
        SplitCase{"SELECT a,\n b\nFROM x\nWHERE a\n == 1", 0, " a,  b", "x", "a  == 1", "", -1},
        // Errors and their positions.
        SplitCase{"SELEC Name FROM x", 1, "", "", "", "", 0},
        SplitCase{"  -- only a comment", 1, "", "", "", "", 0},
        SplitCase{"SELECT TOP 0 Name FROM x", 12, "", "", "", "", 0},
        SplitCase{"SELECT TOP ten Name FROM x", 12, "", "", "", "", 0},
        SplitCase{"SELECT TOP -5 Name FROM x", 12, "", "", "", "", 0},
        SplitCase{"SELECT TOP 99999999999 Name FROM x", 12, "", "", "", "", 0},
        SplitCase{"SELECT Name FROM x ORDER BY Name", 26, "", "", "", "", 0},
        SplitCase{"SELECT Name FROM", 16, "", "", "", "", 0},
        SplitCase{"SELECT Name", 11, "", "", "", "", 0},
        SplitCase{"SELECT Name FROM x y", 21, "", "", "", "", 0}),
    // clang-format on
    CaseNames());

TEST(StatementSplit, NoFromReportsLengthOfUnnormalizedText) {
  tOrvalis q;
  q.QueryText = "SELECT Name   -- no from here";
  EXPECT_EQ(ParseQueryStatement(q), 29);
}

TEST(StatementSplit, WorkTextHasCommentsRemovedAndLinesJoined) {
  tOrvalis q;
  q.QueryText = NormalizeLineBreaks("  SELECT a -- x\nFROM b  \n");
  ASSERT_EQ(ParseQueryStatement(q), 0);
  EXPECT_EQ(q.WorkText, "SELECT a  FROM b");
}

TEST(LineBreaks, BecomeCrLf) {
  EXPECT_EQ(NormalizeLineBreaks("a\nb\rc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
  EXPECT_EQ(NormalizeLineBreaks("a\r\n"), "a\r\n");
  EXPECT_EQ(NormalizeLineBreaks(NormalizeLineBreaks("x\ny\r")), "x\r\ny\r\n");
}

struct FieldListCase {
  const char* text;
  char quote;
  std::vector<std::string> items;
  tListEnd end = tListEnd::Closed;
};

std::string CaseText(const FieldListCase& c) {
  return std::string(c.text) + (c.quote == '\'' ? "" : std::string(" quote ") + c.quote);
}

void PrintTo(const FieldListCase& c, std::ostream* os) {
  *os << Quoted(c.text) << " with quote " << c.quote << " -> {";
  for (std::size_t i = 0; i < c.items.size(); ++i) *os << (i ? ", " : "") << Quoted(c.items[i]);
  *os << "}";
}

class FieldList : public ::testing::TestWithParam<FieldListCase> {};

TEST_P(FieldList, Splits) {
  const FieldListCase& c = GetParam();
  tListEnd end = tListEnd::Closed;
  EXPECT_EQ(SplitFieldList(c.text, ',', c.quote, &end), c.items) << c.text;
  EXPECT_EQ(end, c.end) << c.text;
}

// A list that ends open keeps its last item whole and says so; parentheses
// and separators inside a literal do not count.
INSTANTIATE_TEST_SUITE_P(
    Lists, FieldList,
    ::testing::Values(
        FieldListCase{"Name, pad(Size, 10), 'a,b'", '\'', {"Name", "pad(Size, 10)", "'a,b'"}},
        FieldListCase{"a,,b", '\'', {"a", "", "b"}},
        FieldListCase{"'a(b', c", '\'', {"'a(b'", "c"}},
        FieldListCase{"Name, 'ab(c', Make", '\'', {"Name", "'ab(c'", "Make"}},
        FieldListCase{"'x)', y", '\'', {"'x)'", "y"}},
        FieldListCase{"'it''s, ok', y", '\'', {"'it''s, ok'", "y"}},
        FieldListCase{"a), b", '\'', {"a)", "b"}}, FieldListCase{"", '\'', {}},
        FieldListCase{" single ", '\'', {"single"}},
        FieldListCase{"a, (b", '\'', {"a", "(b"}, tListEnd::InParentheses},
        FieldListCase{"a, f(')', b", '\'', {"a", "f(')', b"}, tListEnd::InParentheses},
        FieldListCase{"a, 'b", '\'', {"a", "'b"}, tListEnd::InQuotes},
        FieldListCase{"a, '(b, c", '\'', {"a", "'(b, c"}, tListEnd::InQuotes},
        FieldListCase{"\"x,y\", 'p,q'", '"', {"\"x,y\"", "'p", "q'"}},
        FieldListCase{"a,", '\'', {"a", ""}},
        FieldListCase{"f(a,(b,c)),d", '\'', {"f(a,(b,c))", "d"}}),
    CaseNames());

}  // namespace
}  // namespace orvalis::test

namespace orvalis::test {
namespace {

TEST(StatementSplit, LargeHostileTextsSplitInLinearTime) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "-- comment\nx\n";
  tOrvalis q;
  q.QueryText =
      NormalizeLineBreaks("SELECT a\n" + text + "FROM b WHERE " + std::string(100000, 'w'));
  EXPECT_EQ(ParseQueryStatement(q), 0);
  EXPECT_EQ(q.WhereText.size(), 100000u);
}

}  // namespace
}  // namespace orvalis::test
