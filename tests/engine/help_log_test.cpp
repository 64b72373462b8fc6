// The help log's line rules and its header.
#include "engine/help_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvalis::test {
namespace {

TEST(HelpLog, LineRules) {
  EXPECT_EQ(THelpLog::FormatLine("-", "12:00:00"), std::string(80, '-'));
  EXPECT_EQ(THelpLog::FormatLine("=", "12:00:00"), std::string(80, '='));
  EXPECT_EQ(THelpLog::FormatLine("!Date: x", "12:00:00"), "Date: x");
  EXPECT_EQ(THelpLog::FormatLine("-- a", "12:00:00"), "- a");
  EXPECT_EQ(THelpLog::FormatLine("HelpContext 100", "12:00:00"), "HelpContext 100   12:00:00");
}

TEST(HelpLog, StartReplacesAnOldLogWithTheHeaderAndWritesOnlyWhenOn) {
  const auto folder = std::filesystem::temp_directory_path() / "orvalis-help-log-test";
  std::filesystem::create_directories(folder);
  const auto path = folder / kHelpLogName;
  std::ofstream(path) << "old\n";

  THelpLog log;
  log.Write("ignored while off");
  EXPECT_FALSE(log.Enabled());
  log.Start(folder.string(), {{"Filename:", "HHDebug.txt"}, {"EXE Path =", "/x/orvalis"}}, 1);
  log.Write("!done");

  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "Filename: HHDebug.txt\n" + std::string(80, '-') + "\nEXE Path = /x/orvalis\ndone\n");
  std::filesystem::remove_all(folder);
}

TEST(HelpLog, FallsBackToTheTemporaryFolderWhenTheProgramFolderIsNotWritable) {
  EXPECT_EQ(THelpLog::ChooseFolder("/proc"), std::filesystem::temp_directory_path().string());
}

}  // namespace
}  // namespace orvalis::test
