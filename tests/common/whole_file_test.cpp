// Whole-file writes: what is written, what is replaced and what is refused.
#include "common/whole_file.h"

#include "support/scratch.h"

#include <cerrno>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

struct tTargetCase {
  const char* Name;
  // Puts something of the name "target" into the folder (or nothing).
  void (*Prepare)(const ScratchFolder& folder);
  tWholeWrite Outcome;
  const char* Written;  // the file that holds "new" afterwards, "" when none
};

void Nothing(const ScratchFolder&) {}
void Regular(const ScratchFolder& folder) { folder.Write("target", "old"); }
void Fifo(const ScratchFolder& folder) {
  ASSERT_EQ(::mkfifo(folder.File("target").c_str(), 0600), 0);
}
void Folder(const ScratchFolder& folder) { folder.MakeFolder("target"); }
void LinkToRegular(const ScratchFolder& folder) {
  folder.Write("real", "old");
  ASSERT_EQ(::symlink("real", folder.File("target").c_str()), 0);
}
void LinkToNothing(const ScratchFolder& folder) {
  ASSERT_EQ(::symlink("absent", folder.File("target").c_str()), 0);
}
void LinkToDevice(const ScratchFolder& folder) {
  ASSERT_EQ(::symlink("/dev/null", folder.File("target").c_str()), 0);
}
void LinkToItself(const ScratchFolder& folder) {
  ASSERT_EQ(::symlink("target", folder.File("target").c_str()), 0);
}

class WholeFileTarget : public ::testing::TestWithParam<tTargetCase> {};

TEST_P(WholeFileTarget, WritesOrRefuses) {
  ScratchFolder folder;
  GetParam().Prepare(folder);
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
    ::testing::Values(tTargetCase{"Absent", &Nothing, tWholeWrite::Written, "target"},
                      tTargetCase{"Regular", &Regular, tWholeWrite::Written, "target"},
                      tTargetCase{"Fifo", &Fifo, tWholeWrite::NotRegular, ""},
                      tTargetCase{"Folder", &Folder, tWholeWrite::NotRegular, ""},
                      tTargetCase{"LinkToRegular", &LinkToRegular, tWholeWrite::Written, "real"},
                      tTargetCase{"LinkToNothing", &LinkToNothing, tWholeWrite::Written, "absent"},
                      tTargetCase{"LinkToDevice", &LinkToDevice, tWholeWrite::NotRegular, ""},
                      tTargetCase{"LinkInACircle", &LinkToItself, tWholeWrite::Failed, ""}),
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
