// Command templates, the viewer's stepping and the user action file.
#include "engine/result_actions.h"
#include "engine/shell_command.h"
#include "engine/viewer_navigation.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <sys/wait.h>

namespace orvalis::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// ---- Shell command of "Befehl ausführen" -----------------------------------

struct tShellCase {
  const char* command;
  const char* path;
  const char* expected;
};

class ShellCommandFor_ : public ::testing::TestWithParam<tShellCase> {};

TEST_P(ShellCommandFor_, QuotesThePathForItsPlace) {
  EXPECT_EQ(ShellCommandFor(GetParam().command, GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ShellCommandFor_,
    ::testing::Values(tShellCase{"cp $filename /bak", "/a b.jpg", "cp '/a b.jpg' /bak"},
                      tShellCase{"cp '$filename' /bak", "/it's.jpg", "cp '/it'\\''s.jpg' /bak"},
                      tShellCase{"cp \"$filename\" /bak", "/$(x)`y`\"z\\.jpg",
                                 "cp \"/\\$(x)\\`y\\`\\\"z\\\\.jpg\" /bak"},
                      tShellCase{"echo \\\"$filename", "/a", "echo \\\"'/a'"},
                      tShellCase{"echo $FILENAME $filename", "/a", "echo $FILENAME '/a'"},
                      tShellCase{"echo \"x'\" $filename", "/a", "echo \"x'\" '/a'"}));

// What the shell really makes of a hostile name in each place: the name
// arrives as written and nothing else runs.
TEST(ShellCommand, HostileNamesReachTheShellAsData) {
  const ScratchFolder scratch;
  const fs::path folder = scratch.Path();
  const std::string name =
      scratch.File("a b; rm -rf ~ $(touch pwned) `touch pwned2` 'q' \"d\"\nline.jpg");
  for (const char* command : {"printf %s $filename > out", "printf %s '$filename' > out",
                              "printf %s \"$filename\" > out"}) {
    const std::string line = "cd '" + folder.string() + "' && " + ShellCommandFor(command, name);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_EQ(ReadFileBytes(scratch.File("out")), name) << command;
    EXPECT_FALSE(fs::exists(folder / "pwned")) << command;
    EXPECT_FALSE(fs::exists(folder / "pwned2")) << command;
  }
}

// ---- Parameters of actions and of the user viewer --------------------------

struct tArgumentCase {
  const char* cmdLine;
  Args expected;
};

class ActionArguments_ : public ::testing::TestWithParam<tArgumentCase> {};

TEST_P(ActionArguments_, SplitsThenReplaces) {
  const Args hits = {"/p/a.jpg", "/p/b b.jpg", "/p/d.jpg"};
  EXPECT_EQ(ActionArguments(GetParam().cmdLine, "/p/b b.jpg", hits), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, ActionArguments_,
    ::testing::Values(tArgumentCase{"-x $filename -y", {"-x", "/p/b b.jpg", "-y"}},
                      tArgumentCase{"-x $FileName", {"-x", "/p/b b.jpg"}},
                      tArgumentCase{"--in=$FILENAME", {"--in=/p/b b.jpg"}},
                      tArgumentCase{"$FILELIST", {"/p/a.jpg", "/p/b b.jpg", "/p/d.jpg"}},
                      tArgumentCase{"--all=$filelist",
                                    {"--all=\"/p/a.jpg\", \"/p/b b.jpg\", \"/p/d.jpg\""}},
                      tArgumentCase{"\"a b\" 'c d'  e", {"a b", "c d", "e"}},
                      tArgumentCase{"no placeholder", {"no", "placeholder"}},
                      tArgumentCase{"", {}}));

TEST(ActionArguments, InsertedTextIsNotSearchedAgain) {
  EXPECT_EQ(ActionArguments("$FILENAME", "/x/$FILELIST.jpg", {"/y.jpg"}),
            (Args{"/x/$FILELIST.jpg"}));
}

TEST(ViewerArguments, LowerCasesTheTemplateNotTheName) {
  EXPECT_EQ(ViewerArguments("/SLIDE $FileName", "/P/A.JPG"), (Args{"/slide", "/P/A.JPG"}));
}

struct tShortcutCase {
  int key;
  bool shift, ctrl, alt;
  const char* expected;  // nullptr: the field keeps its text
};

class ShortcutCapture : public ::testing::TestWithParam<tShortcutCase> {};

TEST_P(ShortcutCapture, Text) {
  const auto& c = GetParam();
  const std::optional<std::string> text = ShortcutCaptureText(c.key, c.shift, c.ctrl, c.alt);
  if (c.expected == nullptr) {
    EXPECT_FALSE(text.has_value());
  } else {
    EXPECT_EQ(text.value_or("(none)"), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, ShortcutCapture,
                         ::testing::Values(tShortcutCase{'1', true, true, false, "SHIFT+CTRL+1"},
                                           tShortcutCase{'E', false, true, false, "CTRL+E"},
                                           tShortcutCase{'E', false, false, false, "E"},
                                           tShortcutCase{'Z', true, true, true, "SHIFT+CTRL+ALT+Z"},
                                           tShortcutCase{0x2F, false, true, false, nullptr},
                                           tShortcutCase{0x01000030, false, true, false, nullptr}));

// ---- Viewer stepping -------------------------------------------------------

struct tStepCase {
  std::vector<int> selected;  // of ten items
  int from;
  bool next;
  int expected;
};

class ViewerStep : public ::testing::TestWithParam<tStepCase> {};

TEST_P(ViewerStep, Index) {
  std::vector<bool> flags(10, false);
  for (int index : GetParam().selected) flags[static_cast<std::size_t>(index)] = true;
  const int got = GetParam().next ? NextViewerIndex(GetParam().from, flags)
                                  : PreviousViewerIndex(GetParam().from, flags);
  EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, ViewerStep,
                         ::testing::Values(tStepCase{{2, 5, 9}, 5, true, 9},
                                           tStepCase{{2, 5, 9}, 9, true, 2},
                                           tStepCase{{2, 5, 9}, 2, false, 9},
                                           tStepCase{{2, 5, 9}, 9, false, 5},
                                           tStepCase{{0}, 0, false, 0}, tStepCase{{9}, 9, true, 9},
                                           tStepCase{{}, 9, true, 0}, tStepCase{{}, 0, false, 9},
                                           tStepCase{{}, 4, true, 5}));

// ---- The action file -------------------------------------------------------

class ActionFile : public ::testing::Test {
 protected:
  void Write(const std::string& text) { WriteFileBytes(file, text); }
  std::string Read() const { return ReadFileBytes(file); }
  static bool Exists(const std::string& program) { return program == "/bin/prog"; }

  ScratchFolder folder;
  const std::string file = folder.File("ResultActions.ini");
  std::string error;
};

TEST_F(ActionFile, LoadsKeysWithoutCaseAndDropsUnusableSections) {
  Write(
      "[Viewer]\r\nmenu=&Zeigen\r\nPROGRAM=/bin/prog\r\ncmdline=$FILENAME\r\nShortCut=CTRL+E\r\n"
      "[Missing]\nMenu=Weg\nProgram=/no/such\n"
      "[Blank]\nMenu=  \nProgram=/bin/prog\n"
      "[Second]\nProgram=/bin/prog\nMenu=Zwei\n");
  TResultActions actions;
  EXPECT_EQ(actions.LoadFromFile(file, Exists, error), 4);
  ASSERT_EQ(actions.Count(), 2);
  const TResultAction& first = actions.Items(0);
  EXPECT_EQ(first.Name, "Viewer");
  EXPECT_EQ(first.Menu, "&Zeigen");
  EXPECT_EQ(first.Program, "/bin/prog");
  EXPECT_EQ(first.CmdLine, "$FILENAME");
  EXPECT_EQ(first.Shortcut, "CTRL+E");
  EXPECT_EQ(actions.Items(1).Menu, "Zwei");
  EXPECT_EQ(actions.Items(1).CmdLine, "");
}

TEST_F(ActionFile, SavingRenamesSectionsInListOrder) {
  Write("[Viewer]\nMenu=A\nProgram=/bin/prog\n[Other]\nMenu=B\nProgram=/bin/prog\nCmdLine=-x\n");
  TResultActions actions;
  actions.LoadFromFile(file, Exists, error);
  ASSERT_TRUE(actions.SaveToFile(file, error)) << error;
  EXPECT_EQ(Read(),
            "[Action0]\nMenu=A\nProgram=/bin/prog\nCmdLine=\nShortcut=\n"
            "[Action1]\nMenu=B\nProgram=/bin/prog\nCmdLine=-x\nShortcut=\n");
  EXPECT_EQ(actions.Items(1).Name, "Action1");
  EXPECT_FALSE(fs::exists(file + ".tmp"));
}

TEST_F(ActionFile, ALineBreakInAValueCannotForgeASection) {
  TResultActions actions;
  actions.Add({"", "Menu\n[Action9]\nProgram=/bin/evil", "/bin/prog", "", ""});
  ASSERT_TRUE(actions.SaveToFile(file, error));
  TResultActions again;
  EXPECT_EQ(again.LoadFromFile(file, Exists, error), 1);
}

TEST_F(ActionFile, AFailedSaveLeavesTheOldFile) {
  Write("[Action0]\nMenu=A\nProgram=/bin/prog\n");
  TResultActions actions;
  EXPECT_FALSE(actions.SaveToFile(folder.File("no-folder/ResultActions.ini"), error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Read(), "[Action0]\nMenu=A\nProgram=/bin/prog\n");
}

TEST_F(ActionFile, AMissingFileIsAnError) {
  TResultActions actions;
  EXPECT_EQ(actions.LoadFromFile(file, Exists, error), -1);
  EXPECT_EQ(actions.Count(), 0);
}

TEST(ResultActions, ItemsOutsideTheListThrow) {
  TResultActions actions;
  actions.Add({});
  for (int index : {-1, 1}) {
    try {
      actions.Items(index);
      ADD_FAILURE() << index;
    } catch (const std::out_of_range& e) {
      EXPECT_STREQ(e.what(), "Invalid action index");
    }
  }
}

}  // namespace
}  // namespace orvalis::test
