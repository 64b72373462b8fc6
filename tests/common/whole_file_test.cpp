// Whole-file writes: what is written, what is replaced and what is refused.
#include "common/whole_file.h"

#include "support/scratch.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

struct tTargetCase {
  const char* Name;
  // What stands at "target" before: "" nothing, "file", "fifo", "folder", or
  // "-> X" a link to X (beside a regular file "real").
  std::string_view Before;
  tWholeWrite Outcome;
  const char* Written;  // the file that holds "new" afterwards, "" when none
};

void Prepare(const ScratchFolder& folder, std::string_view before) {
  const std::string target = folder.File("target");
  if (before == "file") folder.Write("target", "old");
  if (before == "fifo" && ::mkfifo(target.c_str(), 0600) != 0) ADD_FAILURE() << "no fifo";
  if (before == "folder") folder.MakeFolder("target");
  if (before.starts_with("-> ")) {
    folder.Write("real", "old");
    ASSERT_EQ(::symlink(std::string(before.substr(3)).c_str(), target.c_str()), 0);
  }
}

class WholeFileTarget : public ::testing::TestWithParam<tTargetCase> {};

TEST_P(WholeFileTarget, WritesOrRefuses) {
  ScratchFolder folder;
  Prepare(folder, GetParam().Before);
  struct stat before {};
  const bool existed = ::lstat(folder.File("target").c_str(), &before) == 0;

  const tWholeWriteResult result = WriteFileWhole(folder.File("target"), "new");
  EXPECT_EQ(result.Outcome, GetParam().Outcome);
  if (*GetParam().Written != '\0') {
    EXPECT_EQ(ReadFileBytes(folder.File(GetParam().Written)), "new");
    EXPECT_EQ(result.Target, folder.File(GetParam().Written));
  }
  // A link stays a link, and whatever was refused is still what it was.
  struct stat after {};
  if (existed && GetParam().Outcome != tWholeWrite::Written) {
    ASSERT_EQ(::lstat(folder.File("target").c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
  }
  if (existed && S_ISLNK(before.st_mode)) {
    ASSERT_EQ(::lstat(folder.File("target").c_str(), &after), 0);
    EXPECT_TRUE(S_ISLNK(after.st_mode));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, WholeFileTarget,
    // clang-format off
    ::testing::Values(tTargetCase{"Absent", "", tWholeWrite::Written, "target"},
                      tTargetCase{"Regular", "file", tWholeWrite::Written, "target"},
                      tTargetCase{"Fifo", "fifo", tWholeWrite::NotRegular, ""},
                      tTargetCase{"Folder", "folder", tWholeWrite::NotRegular, ""},
                      tTargetCase{"LinkToRegular", "-> real", tWholeWrite::Written, "real"},
                      tTargetCase{"LinkToNothing", "-> absent", tWholeWrite::Written, "absent"},
                      tTargetCase{"LinkToDevice", "-> /dev/null", tWholeWrite::NotRegular, ""},
                      tTargetCase{"LinkInACircle", "-> target", tWholeWrite::Failed, ""}),
    // clang-format on
    [](const ::testing::TestParamInfo<tTargetCase>& row) { return std::string(row.param.Name); });

TEST(WholeFile, ReplacingKeepsTheFilesPermissionsAndLeavesNoScratchFile) {
  ScratchFolder folder;
  const std::string target = folder.Write("target", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_EQ(WriteFileWhole(target, "new").Outcome, tWholeWrite::Written);
  struct stat status {};
  ASSERT_EQ(::stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFileBytes(target), "new");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(WholeFile, AFailedWriteSaysWhyAndLeavesNothing) {
  ScratchFolder folder;
  const tWholeWriteResult result = WriteFileWhole(folder.File("missing/target"), "new");
  EXPECT_EQ(result.Outcome, tWholeWrite::Failed);
  EXPECT_EQ(result.Error, ENOENT);
}

}  // namespace
}  // namespace orvalis::test
