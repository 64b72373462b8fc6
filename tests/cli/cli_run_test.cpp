// orvalis-cli query runs as a process: exit statuses, output formats, -o
// files, the --paths | #results chain, run options and where messages go.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/scratch.h"
#include "support/json_reader.h"
#include "cli_spawn.h"
#include "output/text_export.h"
#include "output/xml_export.h"

namespace orvalis::test {
namespace {

using Strings = std::vector<std::string>;

class CliRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new ScratchFolder();
    scratch_->Write("photos/one.jpg",
                    MiniJpeg({"Canon", std::make_pair(3u, 2u), "Hochzeit 1962\r\nKirche"}));
    scratch_->Write("photos/two.jpg", MiniJpeg({"Ni\"kon, Inc", std::make_pair(28u, 10u), ""}));
    scratch_->Write("photos/three.jpg", MiniJpeg({"Sony", std::make_pair(8u, 1u), ""}));
    scratch_->Write("photos/fake.jpg", "no picture");
  }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
  }

  static std::string Photos(const std::string& mask = "*.jpg") {
    return scratch_->Path() + "photos/" + mask;
  }
  // Runs orvalis-cli under a fixed locale, standard input from a file.
  static CliRun Cli(const Strings& args, const std::string& locale = "C",
                    const std::string& stdinFile = "/dev/null") {
    SpawnOptions options;
    options.locale = locale;
    options.stdinFile = stdinFile;
    return RunCli(args, options);
  }

  static ScratchFolder* scratch_;
};

ScratchFolder* CliRunTest::scratch_ = nullptr;

const char* kSelect = "SELECT Name, Make, FNumber, Caption FROM ";

// The cells of kSelect over the photos, in walk order.
const std::vector<Strings> kCells{
    {"one.jpg", "Canon", "1.5", "Hochzeit 1962[CR]Kirche"},
    {"three.jpg", "Sony", "8", "(Null)"},
    {"two.jpg", "Ni\"kon, Inc", "2.8", "(Null)"},
};

TEST_F(CliRunTest, ExitStatuses) {
  scratch_->Write("good.qry", "-- a query file\r\nSELECT Name\nFROM " + Photos("o*.jpg") + "\r\n");
  struct Case {
    Strings args;
    int exit;
    std::string err;  // part of standard error
  } cases[] = {
      {{"SELECT Name FROM " + Photos()}, 0, ""},
      {{"SELECT Name FROM " + Photos("none*.jpg")}, 0, ""},
      {{"-f", scratch_->Path() + "good.qry"}, 0, ""},
      {{""}, 1, "Kein Abfragetext vorhanden."},
      {{" \n "}, 1, "Kein Abfragetext vorhanden."},
      {{"/LCID:1033", ""}, 1, "There is no query text."},
      {{"/LCID:99999", ""}, 1, "Kein Abfragetext vorhanden."},
      {{"SELEKT Name FROM x"}, 1, "Syntaxfehler in der Abfrage (1)"},
      {{"SELECT Size = 1 FROM " + Photos()}, 1, "Kann SELECT-Teil nicht analysieren: "},
      {{"SELECT Name FROM " + Photos() + " WHERE (Size > 1"},
       1,
       "Kann WHERE-Teil nicht analysieren: "},
      {{"-f", scratch_->Path() + "missing.qry"}, 2, "missing.qry"},
      {{"-f", scratch_->Path() + "photos"}, 2, "photos"},  // a folder
      {{"-f", scratch_->Path() + "good.qry", "SELECT Name FROM x"}, 2, ""},
      {{"--bogus", "SELECT Name FROM " + Photos()}, 2, "--bogus"},
      {{"--format", "yaml", "SELECT Name FROM " + Photos()}, 2, "yaml"},
      {{"--limit", "0", "SELECT Name FROM " + Photos()}, 2, "--limit"},
      {{"--limit", "many", "SELECT Name FROM " + Photos()}, 2, "--limit"},
      {{"--jobs", "0", "SELECT Name FROM " + Photos()}, 2, "--jobs"},
      {{"--jobs", "257", "SELECT Name FROM " + Photos()}, 2, "--jobs"},
      {{"--jobs", "2", "SELECT Name FROM " + Photos()}, 0, ""},
      {{"--sort", "5", kSelect + Photos()}, 2, "--sort: the query has no column 5"},
      {{"--sort"}, 2, "--sort"},
      {{"SELECT Name FROM x", "SELECT Name FROM y"}, 2, ""},
      {{"-o"}, 2, ""},
      {{}, 2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.exit, c.exit) << run.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    if (c.exit == 0) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_EQ(run.out, "") << "messages belong on standard error";
    }
  }
  EXPECT_EQ(Cli({"-f", scratch_->Path() + "good.qry"}).out, "one.jpg,\n");
}

TEST_F(CliRunTest, Formats) {
  TextExportOptions lf;
  lf.lineEnd = "\n";
  const CliRun rows = Cli({kSelect + Photos()});
  ASSERT_EQ(rows.exit, 0) << rows.err;
  EXPECT_EQ(rows.out, TextExportToString(kCells, lf));
  EXPECT_NE(rows.out.find("one.jpg,Canon,1.5,Hochzeit 1962[CR]Kirche\n"), std::string::npos);

  const CliRun csv = Cli({"--format", "csv", kSelect + Photos()});
  EXPECT_EQ(csv.out,
            "Name,Make,FNumber,Caption\n"
            "one.jpg,Canon,1.5,Hochzeit 1962[CR]Kirche\n"
            "three.jpg,Sony,8,(Null)\n"
            "two.jpg,\"Ni\"\"kon, Inc\",2.8,(Null)\n");

  const CliRun json = Cli({"--format", "json", kSelect + Photos()});
  ASSERT_EQ(json.exit, 0) << json.err;
  const JsonValue doc = JsonReader(json.out).Parse();
  ASSERT_NE(doc.Member("columns"), nullptr);
  Strings captions;
  for (const JsonValue& v : doc.Member("columns")->items) captions.push_back(v.text);
  EXPECT_EQ(captions, (Strings{"Name", "Make", "FNumber", "Caption"}));
  ASSERT_NE(doc.Member("rows"), nullptr);
  const auto& jsonRows = doc.Member("rows")->items;
  ASSERT_EQ(jsonRows.size(), kCells.size());
  for (std::size_t i = 0; i < jsonRows.size(); ++i) {
    EXPECT_EQ(jsonRows[i].Member("path")->text, Photos(kCells[i][0]));
    // Numbers are JSON numbers, an empty value null.
    Strings cells;
    std::vector<JsonValue::Type> types;
    for (const JsonValue& v : jsonRows[i].Member("cells")->items) {
      cells.push_back(v.type == JsonValue::Type::Null ? "(Null)" : v.text);
      types.push_back(v.type);
    }
    EXPECT_EQ(cells, kCells[i]);
    EXPECT_EQ(types[2], JsonValue::Type::Number);
    EXPECT_EQ(types[3], kCells[i][3] == "(Null)" ? JsonValue::Type::Null : JsonValue::Type::String);
  }
  // No hits: still a whole document.
  const CliRun empty = Cli({"--format", "json", "SELECT Name FROM " + Photos("none*")});
  EXPECT_EQ(JsonReader(empty.out).Parse().Member("rows")->items.size(), 0u);

  const CliRun paths = Cli({"--paths", kSelect + Photos()});
  EXPECT_EQ(paths.out,
            Photos("one.jpg") + "\n" + Photos("three.jpg") + "\n" + Photos("two.jpg") + "\n");
}

TEST_F(CliRunTest, OutputFileIsTheExportFile) {
  const std::string file = scratch_->Path() + "export.txt";
  const CliRun run = Cli({"-o", file, kSelect + Photos()});
  ASSERT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadFileBytes(file), TextExportToString(kCells, TextExportOptions{}));
  EXPECT_NE(ReadFileBytes(file).find("Kirche\r\nthree.jpg"), std::string::npos);

  // A refused query leaves the file as it was, and creates none.
  const CliRun refused = Cli({"-o", file, "SELECT Size = 1 FROM " + Photos()});
  EXPECT_EQ(refused.exit, 1);
  EXPECT_EQ(ReadFileBytes(file), TextExportToString(kCells, TextExportOptions{}));
  const std::string fresh = scratch_->Path() + "fresh.txt";
  EXPECT_EQ(Cli({"-o", fresh, "SELEKT"}).exit, 1);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  // No hits: an empty file.
  EXPECT_EQ(Cli({"-o", file, "SELECT Name FROM " + Photos("none*")}).exit, 0);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(ReadFileBytes(file), "");

  // A file that cannot be created is refused before anything runs.
  const CliRun bad = Cli({"-o", scratch_->Path() + "no/such/folder/x.txt", kSelect + Photos()});
  EXPECT_EQ(bad.exit, 2);
  EXPECT_EQ(bad.out, "");
}

// Installed, the language files lie in ../share/orvalis/lang, not beside
// the program.
TEST_F(CliRunTest, InstalledProgramFindsItsLanguageFiles) {
  const std::string prefix = scratch_->Path() + "prefix/";
  std::filesystem::create_directories(prefix + "bin");
  std::filesystem::create_directories(prefix + "share/orvalis/lang");
  std::filesystem::copy_file(ORVALIS_CLI_PATH, prefix + "bin/orvalis-cli");
  std::filesystem::copy_file(ORVALIS_SOURCE_DIR "/lang/en.lng",
                             prefix + "share/orvalis/lang/en.lng");
  SpawnOptions options;
  options.locale = "C";
  EXPECT_EQ(Spawn({prefix + "bin/orvalis-cli", "/LCID:1033", ""}, options).err,
            "There is no query text.\n");
}

// A photo damaged after its metadata is a hit, and so an element of the XML,
// which is the window's export byte for byte.
TEST_F(CliRunTest, EveryHitIsAnElementOfTheXml) {
  const std::string whole = MiniJpeg({"Canon", std::nullopt, ""});
  scratch_->Write("cut/a.jpg", whole);
  scratch_->Write("cut/b.jpg", whole.substr(0, whole.size() - 1));
  const std::string query = "SELECT Name FROM " + scratch_->Path() + "cut/*.jpg";
  const std::string file = scratch_->Path() + "cut.xml";
  const CliRun xml = Cli({"--format", "xml", "-o", file, query});
  ASSERT_EQ(xml.exit, 0) << xml.err;
  const std::string reference = scratch_->Path() + "reference.xml";
  const XmlExportResult result = WriteXmlExportFile(
      reference, {scratch_->Path() + "cut/a.jpg", scratch_->Path() + "cut/b.jpg"},
      XmlExportOptions{});
  EXPECT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.fileCount, 2u);
  EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(reference));
}

// A query may start with "-": after "--", or when the argument holds a blank
// or a line break (no option does).
TEST_F(CliRunTest, QueryStartingWithADash) {
  const std::string commented = "-- c\nSELECT Name FROM " + Photos("o*.jpg");
  const std::string oneLine = "--c\nSELECT Name FROM " + Photos("o*.jpg");
  struct Case {
    Strings args;
    int exit;
    std::string out;
  } cases[] = {
      {{commented}, 0, "one.jpg,\n"},
      {{"--", oneLine}, 0, "one.jpg,\n"},
      {{"--format", "csv", "--", commented}, 0, "Name\none.jpg\n"},
      {{"--", "--format"}, 1, ""},  // the query "--format": only a comment
      {{"--"}, 2, ""},
      {{"--", commented, "SELECT Name FROM x"}, 2, ""},
      {{"--bogus"}, 2, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.exit, c.exit) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
}

// A write that fails after the file was opened is a bad output file, as one
// that cannot be opened.
TEST_F(CliRunTest, FailedWriteIsAnOutputFileError) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const CliRun run = Cli({"-o", "/dev/full", kSelect + Photos()});
  EXPECT_EQ(run.exit, 2);
  EXPECT_NE(run.err.find("/dev/full"), std::string::npos) << run.err;
}

TEST_F(CliRunTest, PathsChainIntoResults) {
  const std::string first = "SELECT Name FROM " + Photos() + " WHERE FNumber > 2";
  const std::string second = "SELECT Name, FNumber FROM #results WHERE FNumber < 4";
  SpawnOptions shell;
  shell.locale = "C";
  shell.extraEnv = {std::string("CLI=") + ORVALIS_CLI_PATH, "Q1=" + first, "Q2=" + second};
  const CliRun chain =
      Spawn({"/bin/sh", "-c", "\"$CLI\" --paths \"$Q1\" | \"$CLI\" \"$Q2\""}, shell);
  EXPECT_EQ(chain.exit, 0) << chain.err;
  EXPECT_EQ(chain.out, "two.jpg,2.8\n");
  EXPECT_EQ(chain.err, "");

  // The same list from a file (as -o --paths writes it, CR LF) and from standard input.
  const std::string list = scratch_->Path() + "list.txt";
  ASSERT_EQ(Cli({"--paths", "-o", list, first}).exit, 0);
  EXPECT_EQ(ReadFileBytes(list), Photos("three.jpg") + "\r\n" + Photos("two.jpg") + "\r\n");
  EXPECT_EQ(Cli({"--results", list, second}).out, "two.jpg,2.8\n");
  EXPECT_EQ(Cli({second}, "C", list).out, "two.jpg,2.8\n");
  // Without a list the re-run has nothing to search.
  EXPECT_EQ(Cli({second}).out, "");

  const CliRun missing = Cli({"--results", scratch_->Path() + "nolist.txt", second});
  EXPECT_EQ(missing.exit, 2);
}

TEST_F(CliRunTest, RunOptions) {
  const std::string names = "SELECT Name FROM " + Photos();
  const CliRun limited = Cli({"--limit", "2", names});
  EXPECT_EQ(limited.exit, 0);
  EXPECT_EQ(limited.out, "one.jpg,\nthree.jpg,\n");
  EXPECT_EQ(limited.err,
            "Die Abfrage lieferte mehr Treffer als der definierte Grenzwert von 2 Treffern.\n");

  const CliRun unlimited = Cli({"--limit", "2", "--no-limit", names});
  EXPECT_EQ(unlimited.out, "one.jpg,\nthree.jpg,\ntwo.jpg,\n");
  EXPECT_EQ(unlimited.err, "");

  // Progress goes to standard error only.
  const CliRun progress = Cli({"--progress", "--no-limit", names});
  EXPECT_EQ(progress.out, unlimited.out);
  EXPECT_NE(progress.err.find("hits"), std::string::npos);

  const std::string caption = "SELECT Name, Caption FROM " + Photos("t*.jpg");
  EXPECT_EQ(Cli({caption}).out, "three.jpg,(Null)\ntwo.jpg,(Null)\n");
  EXPECT_EQ(Cli({"--null-text", "-", caption}).out, "three.jpg,-\ntwo.jpg,-\n");
  EXPECT_EQ(Cli({"--no-null-text", caption}).out, "three.jpg,\ntwo.jpg,\n");

  const std::string quoted = "SELECT Name FROM " + Photos() + " WHERE Make == \"Sony\"";
  EXPECT_EQ(Cli({"--double-quote", quoted}).out, "three.jpg,\n");
  EXPECT_EQ(Cli({"--double-quote", "SELECT Name FROM " + Photos() + " WHERE Make == 'Sony'"}).exit,
            1);
}

// --sort writes the hits sorted (numbers as numbers, empty last in either
// direction), after TOP and the hit limit picked them in the order found.
TEST_F(CliRunTest, SortedOutput) {
  struct Case {
    Strings args;
    std::string out;
  } cases[] = {
      {{"--sort", "3", kSelect + Photos()}, "one.jpg\ntwo.jpg\nthree.jpg\n"},
      {{"--sort", "FNumber:desc", kSelect + Photos()}, "three.jpg\ntwo.jpg\none.jpg\n"},
      {{"--sort", "4:desc", "--sort", "2", kSelect + Photos()}, "one.jpg\ntwo.jpg\nthree.jpg\n"},
      {{"--sort", "2:desc", "--limit", "2", kSelect + Photos()}, "three.jpg\none.jpg\n"},
  };
  for (const Case& c : cases) {
    Strings args = c.args;
    args.insert(args.begin(), "--paths");
    const CliRun run = Cli(args);
    std::string names;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
      names += line.substr(line.rfind('/') + 1) + "\n";
    EXPECT_EQ(names, c.out) << c.args[1];
  }
}

// A name that is no field is run as one that every file lacks, and said.
TEST_F(CliRunTest, UnknownNamesAreSaidOnStandardError) {
  const CliRun run = Cli({"SELECT Name FROM " + Photos() + " WHERE ISOSpeedRatings > 100"});
  EXPECT_EQ(run.exit, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "Unbekannter Feldname: ISOSpeedRatings; gemeint ist vielleicht ISOSpeedRating\n");
}

TEST_F(CliRunTest, RunMessagesGoToStandardError) {
  // "Canon" has no truth value: the folder's handler reports it.
  const CliRun run = Cli({"SELECT Name FROM " + Photos() + " WHERE Make"});
  EXPECT_EQ(run.exit, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, Photos("one.jpg") +
                         ": Nicht behebbarer Fehler : 'Canon' is not a valid boolean value\n");
}

// Output on a terminal that also shows the progress line: each row, the CSV
// header and the XML declaration start a line of its own instead of
// continuing the progress text.
TEST_F(CliRunTest, OutputOnATerminalDoesNotContinueTheProgressLine) {
  const struct {
    const char* format;
    Strings lineStarts;
  } cases[] = {
      {"rows", {"one.jpg,", "three.jpg,", "two.jpg,"}},
      {"csv", {"Name\n", "one.jpg\n"}},
      {"xml", {"<?xml "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    int exit = -1;
    const std::string screen = RunOnTerminal(
        {"--progress", "--format", c.format, "SELECT Name FROM " + Photos()}, true, &exit);
    EXPECT_EQ(exit, 0) << screen;
    for (const std::string& start : c.lineStarts) {
      const std::size_t at = screen.find(start);
      ASSERT_NE(at, std::string::npos) << screen;
      const std::string before = screen.substr(0, at);
      EXPECT_TRUE(before.empty() || before.back() == '\n' ||
                  (before.size() >= 3 && before.substr(before.size() - 3) == "\033[K"))
          << start << " follows: " << before;
    }
  }
}

TEST_F(CliRunTest, GermanLocaleKeepsThePointInCells) {
  const CliRun run = Cli({"SELECT Name, FNumber FROM " + Photos("one.jpg")}, "de_DE.UTF-8");
  EXPECT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "one.jpg,1.5\n");
  // The locale is in effect: a number text with a decimal comma converts.
  EXPECT_EQ(
      Cli({"SELECT Name FROM " + Photos("one.jpg") + " WHERE FNumber == '1,5'"}, "de_DE.UTF-8").out,
      "one.jpg,\n");
}

}  // namespace
}  // namespace orvalis::test
