#include <gtest/gtest.h>

#include "cli_spawn.h"

namespace orvalis::test {
namespace {

TEST(ExplainCli, ShowsPartsAndPostfixForms) {
  const auto r = RunCli(
      {"--explain", "SELECT TOP 10 Name, w - x * y - z FROM x WHERE Size > 1000 WITH subdirs"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out,
            "select: Name, w - x * y - z\n"
            "from: x\n"
            "where: Size > 1000\n"
            "with: subdirs\n"
            "top: 10\n"
            "column 1: Name => Name\n"
            "column 2: w - x * y - z => w x y * z - -\n"
            "where => Size 1000 >\n"
            "notice: Unbekannter Feldname: w\n"
            "notice: Unbekannter Feldname: x\n"
            "notice: Unbekannter Feldname: y\n"
            "notice: Unbekannter Feldname: z\n");
}

TEST(ExplainCli, ShowsStringsWithDelimitersAndUnaryMinus) {
  const auto r = RunCli({"--explain", "select -Size, upper('x')\nfrom y\nwhere a ~ 'b'"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_NE(r.out.find("column 1: -Size => Size -UNARY\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("column 2: upper('x') => 'x' upper\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("where => a 'b' ~\n"), std::string::npos) << r.out;
}

TEST(ExplainCli, CompileErrorsShowInlineAndRefuse) {
  const auto r = RunCli({"--explain", "SELECT a = b FROM x WHERE (a == 1"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_NE(r.out.find("column 1: a = b => error: Invalid symbol: = (Gleichheit wird mit == "
                       "geprüft, Ungleichheit mit !=.)\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("where => error: Unbalanced ()\n"), std::string::npos);
}

// As in a run: a literal keeps its parenthesis, an open list is refused.
TEST(ExplainCli, OpenSelectListIsRefused) {
  auto r = RunCli({"--explain", "SELECT Name, 'ab(c', Make FROM x"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_NE(r.out.find("column 3: Make => Make\n"), std::string::npos) << r.out;
  r = RunCli({"--explain", "SELECT Name, 'ab(c, Make FROM x"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_NE(r.out.find("error: Unterminated string in the SELECT list\n"), std::string::npos)
      << r.out;
}

TEST(ExplainCli, DoubleQuoteOption) {
  const auto r = RunCli({"--explain", "--double-quote", "SELECT \"a,b\" FROM x"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_NE(r.out.find("column 1: \"a,b\" => \"a,b\"\n"), std::string::npos) << r.out;
}

TEST(ExplainCli, StatementErrorsAndUsage) {
  auto r = RunCli({"--explain", "SELECT TOP ten Name FROM x"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out, "error: Syntaxfehler in der Abfrage (12)\n");
  r = RunCli({"--explain", " \n "});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out, "error: Kein Abfragetext vorhanden.\n");
  EXPECT_EQ(RunCli({"--explain"}).exit, 2);
  EXPECT_EQ(RunCli({"--explain", "a", "b"}).exit, 2);
}

}  // namespace
}  // namespace orvalis::test
