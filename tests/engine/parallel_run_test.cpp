// A run with readers in parallel (eight, or as many as the run chooses) does
// exactly what a run one file after the other does: the same host calls with
// the same texts in the same order, the same files read, the same result
// set; over the sample photos, the corpus, damaged and unreadable files,
// folders with errors, many small folders listed ahead, TOP, the hit limit
// and Stop.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/query_driver.h"
#include "engine_fixtures.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

using test::CaseNames;
using test::Quoted;

struct ParallelCase {
  const char* name;
  Tree tree;
  // "{}" stands for the tree's folder (with its final "/").
  const char* query;
  int limit = 300;           // 0: hit limit off
  int stopAt = 0;            // Stop pressed at this call of ProcessEvents; 0: never
  bool fromResults = false;  // the result set is every file of the first run
  int jobs = 8;              // the readers compared with one; 0: the default
};

std::string CaseText(const ParallelCase& c) { return c.name; }

void PrintTo(const ParallelCase& c, std::ostream* os) {
  *os << c.name << ": " << Quoted(c.query) << " limit " << c.limit << " stop at " << c.stopAt
      << " jobs " << c.jobs;
}

// Damaged photos, files that cannot be read, a folder that cannot be listed
// and WHERE values that fail in one folder, beside good photos.
class ParallelRun : public TreeTest<ParallelCase> {
 protected:
  struct Outcome {
    std::vector<std::string> events;
    std::int64_t filesRead = 0;
    std::vector<std::string> resultSet;
  };

  static Outcome Run(const ParallelCase& c, int jobs) {
    const std::string query = Query(c.tree, c.query);
    tRunSettings settings;
    settings.Jobs = jobs;
    settings.EnforceRefinement = c.limit > 0;
    if (c.limit > 0) settings.RefinementLimit = c.limit;
    RecordingHost host;
    tQueryDriver driver(host);
    host.driver = &driver;
    if (c.fromResults) {
      tRunSettings all = settings;
      all.EnforceRefinement = false;
      driver.actExecQueryExecute("SELECT Name FROM " + Folder(c.tree) + "*.jpg WITH subdirs", all);
      std::vector<std::string> files = driver.ResultSet();
      files.insert(files.begin() + static_cast<long>(files.size() / 2),
                   Folder(c.tree) + "gone.jpg");
      driver.SetResultSet(files);
      host = RecordingHost{};
      host.driver = &driver;
    }
    host.stopAtEvent = c.stopAt;
    EXPECT_EQ(driver.actExecQueryExecute(query, settings), tRunOutcome::Completed);
    return {host.events, driver.FilesRead(), driver.ResultSet()};
  }
};

TEST_P(ParallelRun, ReadersDoWhatOneDoes) {
  const ParallelCase& c = GetParam();
  if (c.tree == Tree::Corpus && !std::filesystem::is_directory(ORVALIS_CORPUS_DIR)) {
    GTEST_SKIP() << "no corpus at " << ORVALIS_CORPUS_DIR;
  }
  const Outcome one = Run(c, 1);
  const Outcome many = Run(c, c.jobs);
  EXPECT_EQ(many.filesRead, one.filesRead);
  EXPECT_EQ(many.resultSet, one.resultSet);
  ASSERT_EQ(many.events.size(), one.events.size());
  for (std::size_t i = 0; i < one.events.size(); ++i) {
    ASSERT_EQ(many.events[i], one.events[i]) << "call " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParallelRun,
    // clang-format off
    ::testing::Values(
        ParallelCase{"samples", Tree::Samples,
                     "SELECT Name, Make, Model, DateTimeOriginal, Keywords, rownum FROM {}*.jpg "
                     "WITH subdirs"},
        ParallelCase{"samples canon", Tree::Samples,
                     "SELECT Name, FNumber FROM {}*.JPG WHERE Make ~ 'Canon' WITH subdirs"},
        ParallelCase{"corpus", Tree::Corpus,
                     "SELECT Name, Make, Model, ExposureTime, GPSLatitude, Orientation FROM {}*.* "
                     "WITH subdirs", 0},
        ParallelCase{"corpus xmp", Tree::Corpus,
                     "SELECT Name, Subject, Title FROM {}*.jpg WHERE XmpRating >= 0 or Make ~ 'o' WITH subdirs", 0},
        ParallelCase{"corpus top", Tree::Corpus,
                     "SELECT TOP 7 Name, Make FROM {}*.jpg WHERE Make ~ 'o' WITH subdirs"},
        ParallelCase{"corpus hit limit", Tree::Corpus,
                     "SELECT Name FROM {}*.jpg WITH subdirs", 9},
        ParallelCase{"damaged and unreadable", Tree::Scratch,
                     "SELECT Name, Make, Caption FROM {}a/*.jpg"},
        ParallelCase{"whole tree", Tree::Scratch,
                     "SELECT Name, Make, Caption, rownum FROM {}*.jpg WITH subdirs", 0},
        ParallelCase{"folder that cannot be listed", Tree::Scratch, "SELECT Name FROM {}none/*.jpg"},
        ParallelCase{"folder errors", Tree::Scratch,
                     "SELECT Name FROM {}e/*.jpg WHERE Make WITH subdirs"},
        ParallelCase{"folder errors in the tree", Tree::Scratch,
                     "SELECT Name, Make FROM {}*.jpg WHERE Make WITH subdirs"},
        ParallelCase{"top", Tree::Scratch,
                     "SELECT TOP 12 Name FROM {}*.jpg WHERE Make == 'Canon' WITH subdirs"},
        ParallelCase{"top across folders", Tree::Scratch,
                     "SELECT TOP 30 Name FROM {}*.jpg WHERE Make == 'Canon' WITH subdirs"},
        ParallelCase{"hit limit", Tree::Scratch,
                     "SELECT Name, Make FROM {}*.jpg WHERE Make == 'Canon' WITH subdirs", 20},
        ParallelCase{"hit limit on the last hit", Tree::Scratch,
                     "SELECT Name FROM {}b/*.jpg WHERE Make == 'Canon' WITH subdirs", 32},
        ParallelCase{"stop before the walk", Tree::Scratch,
                     "SELECT Name FROM {}*.jpg WITH subdirs", 300, 2},
        ParallelCase{"stop after a file", Tree::Scratch,
                     "SELECT Name FROM {}*.jpg WHERE Make == 'Nikon' WITH subdirs", 300, 5},
        ParallelCase{"stop before a cell", Tree::Scratch,
                     "SELECT Name, Make FROM {}*.jpg WITH subdirs", 300, 40},
        ParallelCase{"stop in the next folder", Tree::Scratch,
                     "SELECT Name FROM {}*.jpg WHERE Make == 'Nikon' WITH subdirs", 300, 60},
        ParallelCase{"result set", Tree::Scratch,
                     "SELECT Name, Make FROM #results WHERE Make == 'Canon'", 0, 0, true},
        ParallelCase{"result set with stop", Tree::Scratch,
                     "SELECT Name FROM #results", 0, 30, true},
        ParallelCase{"result set with errors", Tree::Scratch,
                     "SELECT Name FROM #results WHERE Make", 0, 0, true},
        ParallelCase{"many folders", Tree::Scratch, "SELECT Name, Make FROM {}m/*.jpg WITH subdirs", 0},
        ParallelCase{"many folders by default", Tree::Scratch,
                     "SELECT Name, Make, rownum FROM {}m/*.jpg WITH subdirs", 0, 0, false, 0},
        ParallelCase{"folder errors in the tree by default", Tree::Scratch,
                     "SELECT Name, Make FROM {}*.jpg WHERE Make WITH subdirs", 300, 0, false, 0},
        ParallelCase{"top in many folders by default", Tree::Scratch,
                     "SELECT TOP 9 Name FROM {}m/*.jpg WHERE Make == 'Canon' WITH subdirs", 300, 0, false, 0},
        ParallelCase{"hit limit in many folders by default", Tree::Scratch,
                     "SELECT Name FROM {}m/*.jpg WHERE Make == 'Canon' WITH subdirs", 13, 0, false, 0},
        ParallelCase{"stop in many folders by default", Tree::Scratch,
                     "SELECT Name FROM {}m/*.jpg WHERE Make == 'Nikon' WITH subdirs", 300, 12, false, 0},
        ParallelCase{"result set by default", Tree::Scratch,
                     "SELECT Name, Make FROM #results WHERE Make == 'Canon'", 0, 0, true, 0},
        ParallelCase{"corpus by default", Tree::Corpus,
                     "SELECT Name, Make, Model, ExposureTime, GPSLatitude, Orientation FROM {}*.* "
                     "WITH subdirs", 0, 0, false, 0}),
    // clang-format on
    CaseNames());

}  // namespace
}  // namespace orvalis::test
