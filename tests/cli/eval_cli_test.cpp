#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cli_spawn.h"

namespace orvalis::test {
namespace {

const std::string kCanon = std::string(ORVALIS_CORPUS_DIR) + "/exif-samples/Canon_40D.jpg";

struct EvalCliCase {
  std::vector<std::string> args;
  int exit;
  const char* out;
};

TEST(EvalCli, PrintsVarietyAndText) {
  const EvalCliCase cases[] = {
      {{"--eval", "datepart('year', '2004:07:15 10:20:30')"}, 0, "integer: 2004\n"},
      {{"--eval", "- -1"}, 1, "error: Stack underflow\n"},
      {{"--eval", "a = b"}, 1, "error: Invalid symbol: =\n"},
      {{"--eval", "   "}, 1, "error: Empty expression\n"},
      {{"--eval", "rownum"}, 0, "integer: 1\n"},
      {{"--eval", "Make"}, 0, "empty: \n"},
      {{"--eval", "1 < 2"}, 0, "boolean: -1\n"},
      {{"--eval", "'a' & ascii(9) & ascii(10) & '\\'"}, 0, "text: a\\t\\n\\\\\n"},
      {{"--eval", "--double-quote", "\"x\" & 1"}, 0, "text: x1\n"},
      {{"--eval", "--double-quote", "'x'"},
       1,
       "error: Could not read complete input, invalid char \"'\" at column 1\n"},
  };
  for (const EvalCliCase& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.exit, c.exit) << c.args.back();
    EXPECT_EQ(r.out, c.out) << c.args.back();
  }
}

TEST(EvalCli, EvaluatesAgainstAFile) {
  if (!std::filesystem::exists(kCanon)) GTEST_SKIP() << "corpus photo missing: " << kCanon;
  auto r = RunCli({"--eval", "Make ~ 'anon'", kCanon});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "boolean: -1\n");
  r = RunCli({"--eval", "hassegment('exif')", kCanon});
  EXPECT_EQ(r.out, "text: true\n");
}

TEST(EvalCli, UsageAndUnreadableFiles) {
  EXPECT_EQ(RunCli({"--eval"}).exit, 2);
  EXPECT_EQ(RunCli({"--eval", "1", "a.jpg", "b.jpg"}).exit, 2);
  const auto r = RunCli({"--eval", "Make", "/nonexistent/photo.jpg"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out.rfind("error: /nonexistent/photo.jpg: ", 0), 0u) << r.out;
}

}  // namespace
}  // namespace orvalis::test

namespace orvalis::test {
namespace {

// The command line takes the user's locale from the environment.
TEST(EvalCli, GermanLocaleFromEnvironment) {
  const char* old = std::getenv("LC_ALL");
  const std::string saved = old ? old : "";
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const auto number = RunCli({"--eval", "1.5"});
  const auto formatted = RunCli({"--eval", "numformat(1234.5, '#,##0.00')"});
  const auto converted = RunCli({"--eval", "'2,5' * 2"});
  if (old) {
    setenv("LC_ALL", saved.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  EXPECT_EQ(number.out, "number: 1,5\n");
  EXPECT_EQ(formatted.out, "text: 1.234,50\n");
  EXPECT_EQ(converted.out, "number: 5\n");
}

}  // namespace
}  // namespace orvalis::test
