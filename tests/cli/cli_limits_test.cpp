// orvalis-cli against hostile input and output: query files and result lists
// read only as far as their limits, NUL-separated paths, control characters
// escaped on a terminal only, and a runaway match() reported once.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/scratch.h"
#include "cli_spawn.h"
#include "engine/list_readers.h"
#include "query/query_statement.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

using Strings = std::vector<std::string>;

CliRun Cli(const Strings& args, const std::string& stdinFile = "/dev/null") {
  SpawnOptions options;
  options.locale = "C";
  options.stdinFile = stdinFile;
  return RunCli(args, options);
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class CliLimitsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new ScratchFolder();
    scratch_->Write("photos/aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa1.jpg", MiniJpeg({"Canon", {}, ""}));
    scratch_->Write("photos/aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa2.jpg", MiniJpeg({"Canon", {}, ""}));
    scratch_->Write("photos/b\x1b]0;title\x07\x1b[31mred.jpg", MiniJpeg({"Nikon\x1b[2J", {}, ""}));
    scratch_->Write("photos/c.jpg", MiniJpeg({"Fuji\xC2\x9B"
                                              "1m\r",
                                              {},
                                              ""}));
    scratch_->Write("lines/a\nb.jpg", MiniJpeg({"Sony", {}, ""}));
  }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
  }
  static std::string Path(const std::string& relative) { return scratch_->Path() + relative; }
  static ScratchFolder* scratch_;
};

ScratchFolder* CliLimitsTest::scratch_ = nullptr;

struct InputCase {
  const char* what;
  Strings args;      // "@" stands for the scratch folder
  std::string file;  // written to the scratch folder as "input" when not empty
  int exit;
  const char* err;  // part of standard error
};
std::string CaseText(const InputCase& c) { return c.what; }
void PrintTo(const InputCase& c, std::ostream* os) { *os << c.what; }

// A valid query file of exactly n bytes: the query, then a comment filling it.
std::string QueryFileOf(std::size_t n) {
  std::string text = "SELECT Name FROM /nonexistent/*.jpg\r\n-- ";
  text.resize(n, 'x');
  return text;
}

class Inputs : public CliLimitsTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(Inputs, AreReadOnlyToTheirLimit) {
  const InputCase& c = GetParam();
  if (!c.file.empty()) scratch_->Write("input", c.file);
  Strings args;
  for (const std::string& a : c.args) args.push_back(a == "@" ? Path("input") : a);
  const CliRun run = Cli(args);
  EXPECT_EQ(run.exit, c.exit) << run.err;
  EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
}

const std::string kResultsQuery = "SELECT Name FROM \"#results\"";

INSTANTIATE_TEST_SUITE_P(
    Files, Inputs,
    // clang-format off
    ::testing::Values(
        InputCase{"query file at the limit", {"-f", "@"}, QueryFileOf(kMaxQueryLength), 0, ""},
        InputCase{"query file one byte longer", {"-f", "@"}, QueryFileOf(kMaxQueryLength + 1), 2,
                  "longer than 65536 bytes"},
        InputCase{"endless query file", {"-f", "/dev/zero"}, "", 2, "longer than 65536 bytes"},
        InputCase{"query text too long", {"SELECT Name FROM x " + std::string(kMaxQueryLength, ' ')}, "",
                  1, "Der Abfragetext ist zu lang (mehr als 65536 Bytes)."},
        InputCase{"endless result list", {"--results", "/dev/zero", kResultsQuery}, "", 2,
                  "line 1 holds a NUL byte"},
        InputCase{"endless NUL-separated result list", {"-0", "--results", "/dev/zero", kResultsQuery},
                  "", 2, "more than 1000000 empty paths"},
        InputCase{"path too long", {"--results", "@", kResultsQuery},
                  "/a\n" + std::string(kMaxResultPathLength + 1, 'p') + "\n", 2,
                  "path 2 is longer than 4096 bytes"},
        InputCase{"too many paths", {"--results", "@", kResultsQuery},
                  [] {
                    std::string list;
                    for (std::size_t i = 0; i <= kMaxResultPaths; ++i) list += "/x\n";
                    return list;
                  }(),
                  2, "more than 1000000 paths"},
        InputCase{"NUL byte inside a line", {"--results", "@", kResultsQuery},
                  "/a.jpg\n/b.jpg\n/c.jpg" + std::string(1, '\0') + "x.jpg\n", 2,
                  "line 3 holds a NUL byte"},
        InputCase{"paths longer than the list's bytes", {"--results", "@", kResultsQuery},
                  [] {
                    const std::string line = std::string(kMaxResultPathLength, 'p') + "\n";
                    std::string list;
                    for (std::size_t n = 0; n <= kMaxResultListBytes; n += kMaxResultPathLength) list += line;
                    return list;
                  }(),
                  2, "more than 67108864 bytes of paths"}),
    // clang-format on
    test::CaseNames{});

TEST_F(CliLimitsTest, NulSeparatedPathsKeepLineBreaksInNames) {
  const std::string query = "SELECT Name FROM " + Path("lines/*.jpg");
  const CliRun paths = Cli({"--paths", "-0", query});
  ASSERT_EQ(paths.exit, 0) << paths.err;
  EXPECT_EQ(paths.out, Path("lines/a\nb.jpg") + std::string(1, '\0'));

  scratch_->Write("nul-list", paths.out);
  const CliRun chained = Cli({"--null", "SELECT Make FROM \"#results\""}, Path("nul-list"));
  EXPECT_EQ(chained.out, "Sony,\n") << chained.err;
  // Read line by line, the name falls apart into two paths that do not exist.
  EXPECT_EQ(Cli({"SELECT Make FROM \"#results\""}, Path("nul-list")).out, "");
}

TEST_F(CliLimitsTest, TerminalGetsControlCharactersEscaped) {
  const std::string query = "SELECT Name, Make FROM " + Path("photos/b*.jpg");
  const std::string raw = "b\x1b]0;title\x07\x1b[31mred.jpg,Nikon\x1b[2J\n";
  EXPECT_EQ(Cli({query}).out, raw) << "files and pipes get the bytes unchanged";
  EXPECT_EQ(RunOnTerminal({query}), "b\\x1B]0;title\\x07\\x1B[31mred.jpg,Nikon\\x1B[2J\n");
  EXPECT_EQ(RunOnTerminal({"--paths", query}),
            Path("photos/b\\x1B]0;title\\x07\\x1B[31mred.jpg") + "\n");
  EXPECT_EQ(RunOnTerminal({"SELECT Make FROM " + Path("photos/c*.jpg")}),
            "Fuji\\xC2\\x9B1m\\x0D,\n");
}

TEST_F(CliLimitsTest, FileLimitIsReportedWithItsPath) {
  std::string file = "\xFF\xD8";
  for (int i = 0; i <= 10000; ++i) file += std::string("\xFF\xE2\x00\x04\x01\x02", 6);
  const std::string path = scratch_->Write("many/segments.jpg", file + "\xFF\xD9");
  const CliRun run = Cli({"SELECT Name FROM " + Path("many/*.jpg")});
  EXPECT_EQ(run.out, "segments.jpg,\n");
  EXPECT_EQ(run.err, path + ": Nur teilweise gelesen, Grenze erreicht: more than 10000 segments\n");
}

TEST_F(CliLimitsTest, RunawayMatchIsReportedOnce) {
  const CliRun run =
      Cli({"SELECT Name FROM " + Path("photos/a*.jpg") + " WHERE match(Name, '^(a|aa)+$')"});
  EXPECT_EQ(run.exit, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Count(run.err, "match() hat eine Grenze erreicht"), 1u) << run.err;
  EXPECT_NE(run.err.find("aaaa1.jpg: "), std::string::npos) << "names the first file";
}

}  // namespace
}  // namespace orvalis::test
