// Positions in the statement's work text mapped back to the query as typed.
#include "query/query_statement.h"
#include "query/statement_position.h"

#include <gtest/gtest.h>

#include <string>

namespace orvalis::test {
namespace {

TEST(StatementPosition, WorkTextPositionsMapBackToTheQueryText) {
  const struct Case {
    std::string query;
    int work;
    int expected;
  } cases[] = {
      {"SELECT a FROM x", 8, 8},
      {"  SELECT a FROM x", 1, 3},           // leading blanks trimmed
      {"-- c\r\nSELECT a FROM x", 1, 7},     // comment and its line break
      {"SELECT a\r\nFROM x", 10, 11},        // CR LF counted as one blank
      {"SELECT a -- 'x\r\nFROM x", 11, 17},  // a comment inside the text
      {"SELECT a FROM x", 99, 16},           // past the end: after the last character
      {"SELECT a FROM x  -- tail", 99, 16},
      {"SELECT a FROM x", 0, 1},
      {"", 5, 1},
      {"-- only a comment", 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QueryTextPosition(c.query, c.work), c.expected) << c.query << " @" << c.work;
  }
}

TEST(StatementPosition, PartStartsPointAtTheirFirstCharacter) {
  tOrvalis query;
  query.QueryText = "SELECT TOP 3  Name, 'a,b' , Make FROM x WHERE   Make == 1 WITH subdirs";
  ASSERT_EQ(ParseQueryStatement(query), 0);
  EXPECT_EQ(query.WorkText.substr(static_cast<std::size_t>(query.WhereStart - 1), 4), "Make");
  const std::vector<std::string> items = SplitFieldList(query.SelectText, ',', '\'');
  const std::vector<int> offsets = FieldItemOffsets(query.SelectText, items);
  ASSERT_EQ(offsets.size(), 3u);
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(query.WorkText.substr(static_cast<std::size_t>(query.SelectStart - 1 + offsets[i]),
                                    items[i].size()),
              items[i]);
  }
  tOrvalis noWhere;
  noWhere.QueryText = "SELECT a FROM x";
  ASSERT_EQ(ParseQueryStatement(noWhere), 0);
  EXPECT_EQ(noWhere.WhereStart, 0);
}

}  // namespace
}  // namespace orvalis::test
