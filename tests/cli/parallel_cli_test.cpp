// orvalis-cli writes the same bytes with eight readers, and with the readers
// it chooses, as with one, in every output format, over the sample photos,
// the corpus and a tree of damaged, unreadable and failing files, with TOP
// and the hit limit. (What the chosen readers do over many small folders,
// with TOP, the hit limit and Stop: the engine's ParallelRun table.)
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../engine/engine_fixtures.h"
#include "cli_spawn.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

using Strings = std::vector<std::string>;
using test::CaseNames;
using test::Quoted;

struct CliCase {
  const char* name;
  Tree tree;
  Strings options;
  // "{}" stands for the tree's folder (with its final "/").
  const char* query;
  const char* jobs = "8";  // the readers compared with one; "": the default
};

std::string CaseText(const CliCase& c) { return c.name; }

void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name << ": " << Quoted(c.query); }

class ParallelCli : public TreeTest<CliCase> {
 protected:
  static CliRun Run(const CliCase& c, const std::string& jobs) {
    const std::string query = Query(c.tree, c.query);
    Strings args;
    if (!jobs.empty()) args = {"--jobs", jobs};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(query);
    SpawnOptions options;
    options.locale = "C";
    return RunCli(args, options);
  }
};

TEST_P(ParallelCli, ReadersWriteWhatOneWrites) {
  const CliCase& c = GetParam();
  if (c.tree == Tree::Corpus && !std::filesystem::is_directory(ORVALIS_CORPUS_DIR)) {
    GTEST_SKIP() << "no corpus at " << ORVALIS_CORPUS_DIR;
  }
  const CliRun one = Run(c, "1");
  const CliRun many = Run(c, c.jobs);
  EXPECT_EQ(one.exit, 0) << one.err;
  EXPECT_EQ(many.exit, one.exit);
  EXPECT_EQ(many.out, one.out);
  EXPECT_EQ(many.err, one.err);
}

const char* kSamples =
    "SELECT Name, Make, Model, FNumber, Caption, rownum FROM {}*.jpg WITH subdirs";
const char* kCorpus =
    "SELECT Name, Make, ExposureTime, GPSLatitude, Keywords FROM {}*.jpg WITH subdirs";
const char* kScratch = "SELECT Name, Make, Caption FROM {}*.jpg WHERE Make WITH subdirs";

INSTANTIATE_TEST_SUITE_P(
    Table, ParallelCli,
    // clang-format off
    ::testing::Values(
        CliCase{"samples rows", Tree::Samples, {}, kSamples},
        CliCase{"samples csv", Tree::Samples, {"--format", "csv"}, kSamples},
        CliCase{"samples json", Tree::Samples, {"--format", "json"}, kSamples},
        CliCase{"samples xml", Tree::Samples, {"--format", "xml"}, kSamples},
        CliCase{"samples paths", Tree::Samples, {"--paths"}, kSamples},
        CliCase{"corpus rows", Tree::Corpus, {"--no-limit"}, kCorpus},
        CliCase{"corpus csv", Tree::Corpus, {"--no-limit", "--format", "csv"}, kCorpus},
        CliCase{"corpus json", Tree::Corpus, {"--no-limit", "--format", "json"}, kCorpus},
        CliCase{"corpus xml", Tree::Corpus, {"--no-limit", "--format", "xml"}, kCorpus},
        CliCase{"corpus hit limit", Tree::Corpus, {"--limit", "10"}, kCorpus},
        CliCase{"corpus top", Tree::Corpus, {}, "SELECT TOP 5 Name, Model FROM {}*.jpg WITH subdirs"},
        CliCase{"damaged unreadable and failing rows", Tree::Scratch, {}, kScratch},
        CliCase{"damaged unreadable and failing csv", Tree::Scratch, {"--format", "csv"}, kScratch},
        CliCase{"damaged unreadable and failing json", Tree::Scratch, {"--format", "json"}, kScratch},
        CliCase{"damaged unreadable and failing xml", Tree::Scratch, {"--format", "xml"}, kScratch},
        CliCase{"folder errors", Tree::Scratch, {}, "SELECT Name FROM {}e/*.jpg WHERE Make WITH subdirs"},
        CliCase{"hit limit", Tree::Scratch, {"--limit", "25"},
                "SELECT Name FROM {}*.jpg WHERE Make == 'Canon' WITH subdirs"},
        CliCase{"top", Tree::Scratch, {"--format", "json"},
                "SELECT TOP 22 Name FROM {}*.jpg WHERE Make == 'Canon' WITH subdirs"},
        CliCase{"samples rows by default", Tree::Samples, {}, kSamples, ""},
        CliCase{"damaged unreadable and failing xml by default", Tree::Scratch, {"--format", "xml"}, kScratch, ""}),
    // clang-format on
    CaseNames());

}  // namespace
}  // namespace orvalis::test
