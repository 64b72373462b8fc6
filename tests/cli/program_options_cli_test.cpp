// The desktop program's options on the command line: /LCID:n and /debug
// stand anywhere, before or after a mode, and /debug writes the help log.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "cli_spawn.h"
#include "support/scratch.h"

namespace orvalis::test {
namespace {

struct tOptionCase {
  const char* Name;
  Strings Args;
  int Exit;
};

class ProgramOptions : public ::testing::TestWithParam<tOptionCase> {};

TEST_P(ProgramOptions, CombineWithEveryMode) {
  SpawnOptions options;
  options.locale = "C";
  const CliRun run = RunCli(GetParam().Args, options);
  EXPECT_EQ(run.exit, GetParam().Exit) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ProgramOptions,
    ::testing::Values(
        tOptionCase{"LcidBeforeHelp", {"/LCID:1033", "--help"}, 0},
        tOptionCase{"DebugBeforeHelp", {"-debug", "--help"}, 0},
        tOptionCase{"LcidBeforeEval", {"/LCID:1033", "--eval", "1+2"}, 0},
        tOptionCase{"LcidAfterEval", {"--eval", "/lcid:1033", "1+2"}, 0},
        tOptionCase{"LcidBeforeExplain", {"/LCID:1033", "--explain", "SELECT Name FROM *.jpg"}, 0},
        tOptionCase{"DebugBeforeDump", {"/debug", "--dump", "/dev/null/none.jpg"}, 1},
        tOptionCase{"OnlyOptions", {"/LCID:1033", "/debug"}, 2}),
    [](const ::testing::TestParamInfo<tOptionCase>& row) { return std::string(row.param.Name); });

TEST(HelpLog, DebugWritesTheLogBesideTheProgram) {
  const std::filesystem::path log =
      std::filesystem::path(ORVALIS_CLI_PATH).parent_path() / "HHDebug.txt";
  std::filesystem::remove(log);
  const CliRun run = RunCli({"--help", "/debug"});
  EXPECT_EQ(run.exit, 0) << run.err;
  const std::string text = ReadFileBytes(log.string());
  std::filesystem::remove(log);
  EXPECT_NE(text.find("--help /debug"), std::string::npos) << text;
}

}  // namespace
}  // namespace orvalis::test
