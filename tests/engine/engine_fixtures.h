// A host that records everything a run does, for the engine tests; the
// photos and scratch folders they use come from the shared test support.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/query_driver.h"
#include "engine/run_host.h"
#include "support/fixtures.h"
#include "support/scratch.h"

namespace orvalis::test {

// The photo trees over which runs with one and with several readers are
// compared.
enum class Tree { Samples, Corpus, Scratch };
// Its folder, ending with "/"; Scratch is the given scratch folder.
std::string TreeFolder(Tree tree, const ScratchFolder& scratch);
// Fills scratch with a tree of good photos in several folders beside
// damaged and unreadable files, a folder that cannot be listed, a folder
// (e/) whose Make values fail as truth values and one (m/) of many small
// folders.
void WriteMixedTree(const ScratchFolder& scratch);

// Parametrized tests over the trees, the mixed tree written once per suite.
template <class Case>
class TreeTest : public ::testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new ScratchFolder();
    WriteMixedTree(*scratch_);
  }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
  }
  static std::string Folder(Tree tree) { return TreeFolder(tree, *scratch_); }
  // The query with its "{}" standing for the tree's folder.
  static std::string Query(Tree tree, std::string query) {
    if (const std::size_t at = query.find("{}"); at != std::string::npos) {
      query.replace(at, 2, Folder(tree));
    }
    return query;
  }

  static inline ScratchFolder* scratch_ = nullptr;
};

// Records the run as the window would show it. Can press Stop at the k-th
// time the run lets events run, and can hand the rows back in another order
// (as after the user sorted the list).
class RecordingHost : public tRunHost {
 public:
  struct Row {
    std::string path;
    std::vector<std::string> cells;
  };

  void PrepareResultList(int thumbnailWidth, int thumbnailHeight) override;
  void AddColumn(const std::string& caption) override {
    columns.push_back(caption);
    events.push_back("column " + caption);
  }
  int AddRow(const std::string& path, tImageMetaData& store, bool generatePreview) override;
  void SetCell(int row, int column, const std::string& text) override;
  std::vector<std::string> RowPaths() const override;
  void FitColumnsToCaptions() override {
    ++fitCalls;
    events.emplace_back("fit");
  }
  void EnterRunningState() override;
  void LeaveRunningState() override;
  void FocusQueryText(int position) override {
    ++focusCalls;
    focusPositions.push_back(position);
    events.push_back("focus " + std::to_string(position));
  }
  void SetStatusPanel(int panel, const std::string& text) override;
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    events.push_back("message " + text);
  }
  void ShowNotice(const std::string& text) override {
    notices.push_back(text);
    events.push_back("notice " + text);
  }
  void ProcessEvents() override;

  // Texts of one column over all rows.
  std::vector<std::string> Column(std::size_t column) const;
  // Row paths relative to a folder.
  std::vector<std::string> RelativePaths(const std::string& folder) const;
  // The texts written into panel 0, in order.
  std::vector<std::string> Panel0Log() const;

  tQueryDriver* driver = nullptr;
  int stopAtEvent = 0;  // 0: never
  bool reverseRowOrder = false;

  int prepareCalls = 0;
  int fitCalls = 0;
  int focusCalls = 0;
  std::vector<int> focusPositions;
  int eventCalls = 0;
  int runningDepth = 0;  // 1 between EnterRunningState and LeaveRunningState
  int leaveCalls = 0;
  std::array<int, 2> thumbnailSize{};
  std::vector<std::string> columns;
  std::vector<Row> rows;
  std::vector<std::string> messages;
  std::vector<std::string> notices;
  std::array<std::string, 4> panels;
  std::vector<std::pair<int, std::string>> panelLog;
  // Every call of the run, in order, with its arguments.
  std::vector<std::string> events;
};

}  // namespace orvalis::test
