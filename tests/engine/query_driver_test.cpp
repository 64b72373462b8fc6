// Query runs from the text to the recorded result list: limits, recursion,
// order, "#results", refusals, cell texts, Stop, status panels and errors.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/query_driver.h"
#include "engine_fixtures.h"

namespace orvalis::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kLimitMessage300 =
    "Die Abfrage lieferte mehr Treffer als der definierte Grenzwert von 300 Treffern.";

// Fixture photos shared by all driver tests (built once: 300 + 5 files).
class DriverTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new ScratchFolder();
    const ScratchFolder& s = *scratch_;
    const std::string canon = MiniJpeg({"Canon", std::nullopt, ""});
    char name[32];
    for (int i = 0; i < 300; ++i) {
      std::snprintf(name, sizeof name, "many/f%03d.jpg", i);
      s.Write(name, canon);
    }
    for (int i = 0; i < 5; ++i) {
      std::snprintf(name, sizeof name, "many/g%03d.jpg", i);
      s.Write(name, canon);
    }

    s.Write("tree/b.jpg", MiniJpeg({"Nikon", std::nullopt, ""}));
    s.Write("tree/A.jpg", MiniJpeg({"Canon", std::make_pair(3u, 2u), ""}));
    s.Write("tree/c.JPG", MiniJpeg({"Canon", std::nullopt, ""}));
    s.Write("tree/fake.jpg", "this is no picture, whatever its name says");
    s.Write("tree/notes.txt", canon);
    s.Write("tree/.hidden.jpg", canon);
    s.Write("tree/.dotdir/x.jpg", canon);
    s.Write("tree/Z/z1.jpg", canon);
    s.Write("tree/a/a1.jpg", canon);
    s.Write("tree/a/deep/d.jpg", canon);

    s.Write("cells/one.jpg",
            MiniJpeg({"Canon", std::make_pair(3u, 2u), "Hochzeit 1962\r\nKirche"}));
    s.Write("cells/two.jpg", MiniJpeg({"1", std::nullopt, ""}));

    // WHERE Make fails on "Canon" (no truth value) and holds for "1".
    s.Write("errors/a/x1.jpg", MiniJpeg({"Canon", std::nullopt, ""}));
    s.Write("errors/a/x2.jpg", MiniJpeg({"1", std::nullopt, ""}));
    s.Write("errors/a/sub/y.jpg", MiniJpeg({"1", std::nullopt, ""}));
    s.Write("errors/b/z.jpg", MiniJpeg({"1", std::nullopt, ""}));
  }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
  }

  void SetUp() override { host.driver = &driver; }

  static std::string Dir(const std::string& relative) { return scratch_->Path() + relative; }

  tRunOutcome Exec(const std::string& query, const tRunSettings& settings = {}) {
    return driver.actExecQueryExecute(query, settings);
  }

  static ScratchFolder* scratch_;
  RecordingHost host;
  tQueryDriver driver{host};
};

ScratchFolder* DriverTest::scratch_ = nullptr;

TEST_F(DriverTest, HitLimitStopsBeforeTheFirstFileAfterTheLimit) {
  struct Case {
    const char* mask;
    bool enforce;
    std::size_t rows;
    std::int64_t filesRead;
    bool message;
    const char* panel0;  // at the end of the run
  } cases[] = {
      // 305 hits possible: file 301 is never read
      {"*.jpg", true, 300, 300, true, "300 (HITLIMIT!)"},
      // exactly 300 hits and no further file
      {"f*.jpg", true, 300, 300, true, "300 hits"},
      {"f2*.jpg", true, 100, 100, false, "100 hits"},
      {"*.jpg", false, 305, 305, false, "305 hits"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    tRunSettings settings;
    settings.EnforceRefinement = c.enforce;
    ASSERT_EQ(Exec("SELECT Name FROM " + Dir("many/") + c.mask, settings), tRunOutcome::Completed);
    EXPECT_EQ(host.rows.size(), c.rows);
    EXPECT_EQ(driver.FilesRead(), c.filesRead);
    EXPECT_EQ(host.messages, c.message ? Strings{kLimitMessage300} : Strings{});
    EXPECT_EQ(driver.ResultSet().size(), c.rows);
    EXPECT_EQ(host.panels[0], c.panel0);
    host.messages.clear();
  }
}

TEST_F(DriverTest, TopCountEndsTheRun) {
  ASSERT_EQ(Exec("SELECT TOP 5 Name FROM " + Dir("many/*.jpg")), tRunOutcome::Completed);
  EXPECT_EQ(host.Column(0), (Strings{"f000.jpg", "f001.jpg", "f002.jpg", "f003.jpg", "f004.jpg"}));
  EXPECT_EQ(driver.FilesRead(), 5);
  EXPECT_TRUE(host.messages.empty());

  // TOP reached together with the limit: the limit message is shown.
  tRunSettings settings;
  settings.RefinementLimit = 5;
  Exec("SELECT TOP 5 Name FROM " + Dir("many/*.jpg"), settings);
  EXPECT_EQ(host.rows.size(), 5u);
  EXPECT_EQ(
      host.messages,
      Strings{"Die Abfrage lieferte mehr Treffer als der definierte Grenzwert von 5 Treffern."});
}

TEST_F(DriverTest, WalkOrderRecursionAndHiddenEntries) {
  const Strings flat{"A.jpg", "b.jpg", "c.JPG"};
  const Strings deep{"A.jpg", "b.jpg", "c.JPG", "a/a1.jpg", "a/deep/d.jpg", "Z/z1.jpg"};
  struct Case {
    const char* with;
    const Strings* expected;
    std::int64_t filesRead;  // fake.jpg is read and skipped
  } cases[] = {
      {"", &flat, 4},
      {" WITH subdirs", &deep, 7},
      {" with SUBDIRS", &deep, 7},
      {" WITH mysubdirs", &deep, 7},
      {" WITH subdir", &flat, 4},
      {" WITH recursive", &flat, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.with);
    ASSERT_EQ(Exec("SELECT Name FROM " + Dir("tree/*.jpg") + c.with), tRunOutcome::Completed);
    EXPECT_EQ(host.RelativePaths(Dir("tree/")), *c.expected);
    EXPECT_EQ(driver.FilesRead(), c.filesRead);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
  }
}

TEST_F(DriverTest, RelativeFromSearchesTheWorkingFolderAndGivesFullPaths) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(Dir("tree"));
  Exec("SELECT Name FROM *.JPG");
  std::filesystem::current_path(before);
  EXPECT_EQ(host.RelativePaths(Dir("tree/")), (Strings{"A.jpg", "b.jpg", "c.JPG"}));
}

TEST_F(DriverTest, ResultsRerunFollowsRowOrderAndSurvivesFailedRuns) {
  host.reverseRowOrder = true;  // the user sorted the list before the run ended
  Exec("SELECT Name FROM " + Dir("tree/*.jpg") + " WITH subdirs");
  host.reverseRowOrder = false;
  ASSERT_EQ(driver.ResultSet().size(), 6u);
  EXPECT_EQ(driver.ResultSet().front(), Dir("tree/Z/z1.jpg"));

  ASSERT_EQ(Exec("SELECT Name, Make FROM \"#RESULTS\" WHERE Make == 'Canon'"),
            tRunOutcome::Completed);
  const Strings canonHits{"Z/z1.jpg", "a/deep/d.jpg", "a/a1.jpg", "c.JPG", "A.jpg"};
  EXPECT_EQ(host.RelativePaths(Dir("tree/")), canonHits);
  EXPECT_EQ(driver.FilesRead(), 6);

  // WHERE does not compile: the list is emptied, the result set stays.
  EXPECT_EQ(Exec("SELECT Name FROM " + Dir("tree/*.jpg") + " WHERE (Size > 1"),
            tRunOutcome::Refused);
  EXPECT_TRUE(host.rows.empty());
  ASSERT_EQ(driver.ResultSet().size(), 5u);

  Exec("SELECT Name FROM #results");
  EXPECT_EQ(host.RelativePaths(Dir("tree/")), canonHits);
}

TEST_F(DriverTest, ResultsRerunReportsAVanishedFileAndGoesOn) {
  driver.SetResultSet({Dir("tree/A.jpg"), Dir("tree/gone.jpg"), Dir("tree/b.jpg")});
  ASSERT_EQ(Exec("SELECT Name FROM #results"), tRunOutcome::Completed);
  EXPECT_EQ(host.Column(0), (Strings{"A.jpg", "b.jpg"}));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(
      host.messages[0].rfind(Dir("tree/gone.jpg") + ": [DEBUG] Exception reading metadata: ", 0),
      0u)
      << host.messages[0];
}

TEST_F(DriverTest, RefusedQueries) {
  struct Case {
    std::string query;
    std::string message;  // exact, or a prefix when prefix is set
    bool prefix;
    bool listPrepared;
    Strings columns;
    int focus;
  } cases[] = {
      {"", "Kein Abfragetext vorhanden.", false, false, {}, 0},
      {" \r\n\t  \n", "Kein Abfragetext vorhanden.", false, false, {}, 0},
      {"SELEKT Name FROM x", "Syntaxfehler in der Abfrage (1)", false, true, {}, 1},
      {"SELECT Name FROM x ORDER BY Name",
       "Syntaxfehler in der Abfrage (26) ORDER BY gibt es hier nicht: im Fenster sortiert ein "
       "Klick auf einen Spaltenkopf, auf der Befehlszeile die Option --sort N[:desc].",
       false,
       true,
       {},
       1},
      {"SELECT FROM " + Dir("tree/*.jpg"),
       "Kann SELECT-Teil nicht analysieren: ",
       true,
       true,
       {},
       1},
      // A list ending inside a literal or parentheses is refused, not cut.
      {"SELECT Name, 'ab(c, Make FROM " + Dir("tree/*.jpg"),
       "Kann SELECT-Teil nicht analysieren: Unterminated string in the SELECT list",
       false,
       true,
       {},
       1},
      {"SELECT Name, upper(Make FROM " + Dir("tree/*.jpg"),
       "Kann SELECT-Teil nicht analysieren: Unbalanced () in the SELECT list",
       false,
       true,
       {},
       1},
      {"SELECT Name, Size = 1 FROM " + Dir("tree/*.jpg"),
       "Kann SELECT-Teil nicht analysieren: ",
       true,
       true,
       {"Name"},
       1},
      {"SELECT Size = 1, Name FROM " + Dir("tree/*.jpg"),
       "Kann SELECT-Teil nicht analysieren: ",
       true,
       true,
       {"Size = 1"},
       1},
      {"SELECT Name, Make FROM " + Dir("tree/*.jpg") + " WHERE (Size > 1",
       "Kann WHERE-Teil nicht analysieren: ",
       true,
       true,
       {"Name", "Make"},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    RecordingHost h;
    tQueryDriver d(h);
    d.actExecQueryExecute("SELECT Name FROM " + Dir("tree/*.jpg"), {});
    const Strings before = d.ResultSet();
    ASSERT_EQ(before.size(), 3u);
    h.messages.clear();

    EXPECT_EQ(d.actExecQueryExecute(c.query, {}), tRunOutcome::Refused);
    ASSERT_EQ(h.messages.size(), 1u);
    if (c.prefix) {
      EXPECT_EQ(h.messages[0].rfind(c.message, 0), 0u) << h.messages[0];
      EXPECT_GT(h.messages[0].size(), c.message.size()) << "no reason given";
    } else {
      EXPECT_EQ(h.messages[0], c.message);
    }
    EXPECT_EQ(h.prepareCalls, c.listPrepared ? 2 : 1);
    EXPECT_EQ(h.rows.size(), c.listPrepared ? 0u : 3u);
    if (c.listPrepared) {
      EXPECT_EQ(h.columns, c.columns);
    }
    EXPECT_EQ(h.focusCalls, c.focus);
    EXPECT_EQ(h.leaveCalls, 1);  // only the first run entered the running state
    EXPECT_EQ(d.ResultSet(), before);
    EXPECT_FALSE(d.Running());
  }
}

// A refused statement puts the editor's caret on the fault: the splitter's
// position, or the part's start plus the compiler's column inside the part,
// counted in the query text as typed (comments and line breaks included).
TEST_F(DriverTest, RefusedStatementsNameThePositionOfTheFault) {
  const struct Case {
    std::string query;
    int position;
    bool equalityHint;
  } cases[] = {
      {"SELEKT Name FROM x", 1, false},
      {"-- note\r\nSELECT Name FROM x ORDER BY Name", 35, false},
      {"SELECT Name FROM x\r\nWHERE Make = 'a'", 32, true},
      {"SELECT Name FROM x WHERE Make <> 'a' WITH subdirs", 31, true},
      {"SELECT Name FROM x WHERE (Make == 'a'", 26, false},
      {"SELECT Name, Size <> 1 FROM x", 19, true},
      {"SELECT Name,\r\n  -- size\r\n  12 # 1 FROM x", 31, false},
      {"SELECT FROM x", 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    RecordingHost h;
    tQueryDriver d(h);
    EXPECT_EQ(d.actExecQueryExecute(c.query, {}), tRunOutcome::Refused);
    ASSERT_EQ(h.focusPositions.size(), 1u);
    EXPECT_EQ(h.focusPositions[0], c.position);
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].find("==") != std::string::npos &&
                  h.messages[0].find("!=") != std::string::npos,
              c.equalityHint)
        << h.messages[0];
  }
}

TEST_F(DriverTest, CellTexts) {
  tRunSettings german;
  german.Locale = LocaleInfo::German();
  tRunSettings noNull;
  noNull.UseNullText = false;
  tRunSettings dash;
  dash.NullText = "-";
  struct Case {
    const char* what;
    std::string select;
    tRunSettings settings;
    Strings caption, second;  // column 0 and column 1 over both files
  } cases[] = {
      // Numbers keep their point under a decimal-comma locale.
      {"number", "Name, FNumber", german, {"one.jpg", "two.jpg"}, {"1.5", "(Null)"}},
      // Fails on "Canon" (no number): empty cell; the next column stays in place.
      {"failing column", "Make * 2, Name", {}, {"", "2"}, {"one.jpg", "two.jpg"}},
      {"null text off", "Name, Model", noNull, {"one.jpg", "two.jpg"}, {"", ""}},
      {"own null text", "Name, Model", dash, {"one.jpg", "two.jpg"}, {"-", "-"}},
      {"line breaks",
       "Caption, Caption",
       {},
       {"Hochzeit 1962\r\nKirche", "(Null)"},
       {"Hochzeit 1962[CR]Kirche", "(Null)"}},
      {"row numbers", "rownum, rownum * 10", {}, {"1", "2"}, {"10", "20"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Exec("SELECT " + c.select + " FROM " + Dir("cells/*.jpg"), c.settings),
              tRunOutcome::Completed);
    EXPECT_EQ(host.Column(0), c.caption);
    EXPECT_EQ(host.Column(1), c.second);
    for (const RecordingHost::Row& row : host.rows) EXPECT_EQ(row.cells.size(), 2u);
  }
}

// Parentheses and commas inside a literal belong to the literal: every column
// after it stays.
TEST_F(DriverTest, LiteralWithAParenthesisKeepsTheLaterColumns) {
  ASSERT_EQ(Exec("SELECT Name, 'ab(c', Make FROM " + Dir("cells/one.jpg")), tRunOutcome::Completed);
  EXPECT_EQ(host.columns, (Strings{"Name", "'ab(c'", "Make"}));
  ASSERT_EQ(host.rows.size(), 1u);
  EXPECT_EQ(host.rows[0].cells, (Strings{"one.jpg", "ab(c", "Canon"}));
}

// A column that grows past the text bound fails on every file, and the run
// says so once.
TEST_F(DriverTest, TextLimitIsReportedOncePerRun) {
  std::string column = "Name";
  for (int i = 0; i < 20; ++i) column += " & pad(Name, 60000)";
  ASSERT_EQ(Exec("SELECT Name, " + column + " FROM " + Dir("tree/*.jpg")), tRunOutcome::Completed);
  EXPECT_EQ(host.rows.size(), 3u);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(
      host.messages[0].find("Ein Ausdruck hat eine Grenze erreicht (Text zu lang, mehr als 1 MiB)"),
      std::string::npos)
      << host.messages[0];
}

TEST_F(DriverTest, RownumInWhereIsThePreviousHitCount) {
  ASSERT_EQ(Exec("SELECT rownum, Name FROM " + Dir("many/*.jpg") + " WHERE rownum < 3"),
            tRunOutcome::Completed);
  EXPECT_EQ(host.Column(0), (Strings{"1", "2", "3"}));
  EXPECT_EQ(host.Column(1), (Strings{"f000.jpg", "f001.jpg", "f002.jpg"}));
}

TEST_F(DriverTest, StopTakesEffectWhereEventsRun) {
  // Events run twice on entering the running state, then per file once after
  // WHERE and once before each column (one column here).
  struct Case {
    int stopAt;
    std::int64_t filesRead;
    std::size_t rows;
  } cases[] = {{1, 0, 0}, {2, 0, 0}, {3, 1, 1}, {4, 1, 1}, {5, 2, 2}, {10, 4, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stopAt);
    host.stopAtEvent = c.stopAt;
    host.eventCalls = 0;
    ASSERT_EQ(Exec("SELECT Name FROM " + Dir("many/*.jpg")), tRunOutcome::Completed);
    EXPECT_EQ(driver.FilesRead(), c.filesRead);
    ASSERT_EQ(host.rows.size(), c.rows);
    for (const RecordingHost::Row& row : host.rows) EXPECT_FALSE(row.cells[0].empty());
    EXPECT_EQ(host.panels[1], "Abbruch");
    EXPECT_EQ(host.runningDepth, 0);
    EXPECT_EQ(driver.ResultSet().size(), c.rows);
    EXPECT_FALSE(driver.Running());
  }
  // The next run starts with the stop request and panel 1 cleared.
  host.stopAtEvent = 0;
  Exec("SELECT Name FROM " + Dir("tree/*.jpg"));
  EXPECT_EQ(host.rows.size(), 3u);
  EXPECT_EQ(host.panels[1], "");
}

TEST_F(DriverTest, StatusPanels) {
  const std::string query = "SELECT Name FROM " + Dir("tree/*.jpg") + " WHERE Make == 'Nikon'";
  tRunSettings noLimit;
  noLimit.EnforceRefinement = false;
  struct Case {
    tRunSettings settings;
    Strings panel0;
  } cases[] = {
      // A.jpg, b.jpg (the hit), c.JPG, fake.jpg
      {{},
       {"0 hits", "0 (HITLIMIT!)", "0 (HITLIMIT!)", "1 hits", "1 (HITLIMIT!)", "1 (HITLIMIT!)"}},
      {noLimit, {"0 hits", "1 hits"}},
  };
  for (const Case& c : cases) {
    host.panelLog.clear();
    Exec(query, c.settings);
    EXPECT_EQ(host.Panel0Log(), c.panel0);
    using Entry = std::pair<int, std::string>;
    ASSERT_GE(host.panelLog.size(), 3u);
    EXPECT_EQ(host.panelLog[1], (Entry{1, ""}));
    EXPECT_EQ(host.panelLog[2], (Entry{3, ""}));
    Strings panel3;
    for (const auto& [panel, text] : host.panelLog) {
      if (panel == 3) panel3.push_back(text);
    }
    EXPECT_EQ(panel3, (Strings{"", Dir("tree/"), ""}));
  }
}

TEST_F(DriverTest, ErrorInOneFolderSkipsOnlyThatFolder) {
  ASSERT_EQ(Exec("SELECT Name FROM " + Dir("errors/*.jpg") + " WHERE Make WITH subdirs"),
            tRunOutcome::Completed);
  // The message names the file whose value failed.
  EXPECT_EQ(host.messages,
            Strings{Dir("errors/a/x1.jpg") +
                    ": Nicht behebbarer Fehler : 'Canon' is not a valid boolean value"});
  EXPECT_EQ(host.RelativePaths(Dir("errors/")), Strings{"b/z.jpg"});
}

TEST_F(DriverTest, UnreadableFolders) {
  ASSERT_EQ(Exec("SELECT Name FROM " + Dir("no-such-folder/*.jpg")), tRunOutcome::Completed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind(Dir("no-such-folder/") + ": Nicht behebbarer Fehler : ", 0), 0u)
      << host.messages[0];
  EXPECT_TRUE(host.rows.empty());

  if (::geteuid() == 0) return;  // permissions do not stop the superuser
  ScratchFolder s;
  s.Write("locked/x.jpg", MiniJpeg({"Canon", std::nullopt, ""}));
  s.Write("open/y.jpg", MiniJpeg({"Canon", std::nullopt, ""}));
  ASSERT_EQ(::chmod((s.Path() + "locked").c_str(), 0), 0);
  host.messages.clear();
  Exec("SELECT Name FROM " + s.Path() + "*.jpg WITH subdirs");
  EXPECT_EQ(host.RelativePaths(s.Path()), Strings{"open/y.jpg"});
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind(s.Path() + "locked/: Nicht behebbarer Fehler : ", 0), 0u)
      << host.messages[0];
}

TEST_F(DriverTest, LinksToFilesAreReadLinksToFoldersNotFollowed) {
  ScratchFolder s;
  s.Write("outside/o.jpg", MiniJpeg({"Canon", std::nullopt, ""}));
  s.Write("walk/w.jpg", MiniJpeg({"Canon", std::nullopt, ""}));
  namespace fs = std::filesystem;
  fs::create_symlink("../outside/o.jpg", s.Path() + "walk/link.jpg");
  fs::create_directory_symlink("../outside", s.Path() + "walk/folderlink");
  fs::create_directory_symlink(".", s.Path() + "walk/loop");
  fs::create_symlink("nowhere.jpg", s.Path() + "walk/broken.jpg");
  ASSERT_EQ(Exec("SELECT Name FROM " + s.Path() + "walk/*.jpg WITH subdirs"),
            tRunOutcome::Completed);
  EXPECT_EQ(host.RelativePaths(s.Path() + "walk/"), (Strings{"link.jpg", "w.jpg"}));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(DriverTest, FileThatCannotBeReadIsReportedAndSkipped) {
  ScratchFolder s;
  s.Write("a.jpg", MiniJpeg({"Canon", std::nullopt, ""}));
  s.Write("b.jpg", std::string("\xFF\xD8\xFF", 3));  // ends inside a marker
  s.Write("c.jpg", MiniJpeg({"", std::nullopt, ""}));
  ASSERT_EQ(Exec("SELECT Name, Make FROM " + s.Path() + "*.jpg"), tRunOutcome::Completed);
  EXPECT_EQ(host.messages,
            Strings{s.Path() +
                    "b.jpg: [DEBUG] Exception reading metadata: read past the end of the file"});
  // The file data read before the damage is still searched; nothing of one
  // file is seen with the next.
  EXPECT_EQ(host.Column(0), (Strings{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(host.Column(1), (Strings{"Canon", "(Null)", "(Null)"}));
}

// Photos with a segment the reader cannot use, bytes between two segments
// that are no marker, or damage after the metadata are found by what they
// hold.
TEST_F(DriverTest, DamagedPhotosAreFoundByTheirMetadata) {
  const auto segment = [](unsigned char marker, const std::string& payload) {
    const std::size_t length = payload.size() + 2;
    return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xFF)} +
           payload;
  };
  const std::string sony = MiniJpeg({"Sony", std::nullopt, "Strand"});
  const std::string afterSoi = sony.substr(2);
  const std::string withoutEoi = sony.substr(0, sony.size() - 2);
  const std::string xmp = segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0", 29) +
                                            "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"/>");
  struct Case {
    const char* what;
    std::string bytes;
    Strings messages;
  } cases[] = {
      {"XMP before Exif", "\xFF\xD8" + xmp + afterSoi, {}},
      {"junk between segments",
       "\xFF\xD8" + segment(0xFE, "c") + std::string("\x00\x12junk", 6) + afterSoi,
       {}},
      {"cut off after the metadata",
       withoutEoi + "\xFF\xDB\x00\x43\x00\x01",
       {": [DEBUG] Exception reading metadata: read past the end of the file"}},
      {"cut off inside the metadata",
       withoutEoi + "\xFF\xFE\x01\x00comment",
       {": [DEBUG] Exception reading metadata: COM segment at offset " +
        std::to_string(withoutEoi.size()) + ": read past the end of the file"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder s;
    s.Write("p.jpg", c.bytes);
    host = RecordingHost{};
    host.driver = &driver;
    ASSERT_EQ(Exec("SELECT Name, Caption FROM " + s.Path() + "*.jpg WHERE Make ~ 'on'"),
              tRunOutcome::Completed);
    EXPECT_EQ(host.rows.size(), 1u);
    EXPECT_EQ(host.Column(1), Strings{"Strand"});
    Strings expected;
    for (const std::string& m : c.messages) expected.push_back(s.Path() + "p.jpg" + m);
    EXPECT_EQ(host.messages, expected);
  }
}

// An XMP packet the parser drops is reported when a question reads it, once
// for the file, like any other damage. (Which packets are dropped, and why:
// the XMP reader's own table.)
TEST_F(DriverTest, DroppedXmpPacketIsReported) {
  const Bytes photo =
      JpegFile({Segment(0xE1, Text(std::string("http://ns.adobe.com/xap/1.0/\0<x>", 32)))});
  ScratchFolder s;
  s.Write("p.jpg", std::string(photo.begin(), photo.end()));
  ASSERT_EQ(
      Exec("SELECT Name, XmpRating FROM " + s.Path() + "*.jpg WHERE isnull(XmpRating, 0) == 0"),
      tRunOutcome::Completed);
  EXPECT_EQ(host.rows.size(), 1u);
  EXPECT_EQ(host.messages,
            Strings{s.Path() + "p.jpg: [DEBUG] Exception reading metadata: XMP packet: no "
                               "element found at line 1"});
}

TEST_F(DriverTest, RunStateAndThumbnailSize) {
  tRunSettings settings;
  settings.ThumbnailWidth = 90;
  settings.ThumbnailHeight = 66;
  Exec("SELECT Name, Make FROM " + Dir("tree/*.jpg"), settings);
  EXPECT_EQ(host.thumbnailSize, (std::array<int, 2>{90, 66}));
  EXPECT_EQ(host.columns, (Strings{"Name", "Make"}));
  EXPECT_EQ(host.runningDepth, 0);
  EXPECT_EQ(host.leaveCalls, 1);
  EXPECT_EQ(host.fitCalls, 1);
}

}  // namespace
}  // namespace orvalis::test
