#include "engine_fixtures.h"

#include <sys/stat.h>

#include <algorithm>

#include "metadata/image_metadata.h"

namespace orvalis::test {

std::string TreeFolder(Tree tree, const ScratchFolder& scratch) {
  switch (tree) {
    case Tree::Samples: return std::string(ORVALIS_SOURCE_DIR) + "/samples/";
    case Tree::Corpus: return std::string(ORVALIS_CORPUS_DIR) + "/";
    case Tree::Scratch: break;
  }
  return scratch.Path();
}

void WriteMixedTree(const ScratchFolder& s) {
  const std::string canon = MiniJpeg({"Canon", std::make_pair(7u, 2u), "Strand\r\nMeer"});
  const std::string nikon = MiniJpeg({"Nikon", std::nullopt, ""});
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(100 + i);
    s.Write("a/p" + n + ".jpg", i % 3 == 0 ? nikon : canon);
    s.Write("b/deep/q" + n + ".jpg", i % 5 == 0 ? nikon : canon);
  }
  s.Write("a/cut.jpg", canon.substr(0, canon.size() / 2));
  s.Write("a/head.jpg", std::string("\xFF\xD8\xFF", 3));
  s.Write("a/text.jpg", "no picture");
  s.Write("a/empty.jpg", "");
  ::mkfifo((s.Path() + "a/pipe.jpg").c_str(), 0644);
  // Unreadable for all but the superuser.
  s.Write("a/locked.jpg", canon);
  ::chmod((s.Path() + "a/locked.jpg").c_str(), 0);
  s.Write("c/shut/x.jpg", canon);
  ::chmod((s.Path() + "c/shut").c_str(), 0);
  // WHERE Make fails on "Canon" (no truth value) and holds for "1".
  s.Write("e/one/x1.jpg", MiniJpeg({"1", std::nullopt, ""}));
  s.Write("e/one/x2.jpg", canon);
  s.Write("e/one/sub/y.jpg", MiniJpeg({"1", std::nullopt, ""}));
  s.Write("e/two/z.jpg", MiniJpeg({"1", std::nullopt, ""}));
  // More folders than are listed ahead, one of them with folders inside.
  for (int i = 0; i < 24; ++i) {
    const std::string folder = "m/f" + std::to_string(10 + i) + "/";
    s.Write(folder + "r1.jpg", i % 4 == 0 ? nikon : canon);
    s.Write(folder + "r2.jpg", canon);
    if (i == 3) {
      s.Write(folder + "in/r3.jpg", nikon);
      s.Write(folder + "in/deeper/r4.jpg", canon);
    }
  }
}

void RecordingHost::PrepareResultList(int thumbnailWidth, int thumbnailHeight) {
  ++prepareCalls;
  events.push_back("prepare " + std::to_string(thumbnailWidth) + "x" +
                   std::to_string(thumbnailHeight));
  thumbnailSize = {thumbnailWidth, thumbnailHeight};
  columns.clear();
  rows.clear();
}

int RecordingHost::AddRow(const std::string& path, tImageMetaData& store, bool generatePreview) {
  events.push_back("row " + path + " entries " + std::to_string(store.EntryCount()) +
                   (generatePreview ? " preview" : ""));
  rows.push_back({path, std::vector<std::string>(columns.size())});
  return static_cast<int>(rows.size()) - 1;
}

void RecordingHost::SetCell(int row, int column, const std::string& text) {
  events.push_back("cell " + std::to_string(row) + " " + std::to_string(column) + " " + text);
  Row& r = rows.at(static_cast<std::size_t>(row));
  if (static_cast<std::size_t>(column) >= r.cells.size())
    r.cells.resize(static_cast<std::size_t>(column) + 1u);
  r.cells[static_cast<std::size_t>(column)] = text;
}

std::vector<std::string> RecordingHost::RowPaths() const {
  std::vector<std::string> paths;
  for (const Row& r : rows) paths.push_back(r.path);
  if (reverseRowOrder) std::reverse(paths.begin(), paths.end());
  return paths;
}

void RecordingHost::EnterRunningState() {
  ++runningDepth;
  events.emplace_back("enter");
}

void RecordingHost::LeaveRunningState() {
  events.emplace_back("leave");
  --runningDepth;
  ++leaveCalls;
}

void RecordingHost::SetStatusPanel(int panel, const std::string& text) {
  events.push_back("panel " + std::to_string(panel) + " " + text);
  panels.at(static_cast<std::size_t>(panel)) = text;
  panelLog.emplace_back(panel, text);
}

void RecordingHost::ProcessEvents() {
  ++eventCalls;
  events.emplace_back("events");
  if (driver != nullptr && eventCalls == stopAtEvent) driver->Stop();
}

std::vector<std::string> RecordingHost::Column(std::size_t column) const {
  std::vector<std::string> out;
  for (const Row& r : rows) out.push_back(column < r.cells.size() ? r.cells[column] : "<none>");
  return out;
}

std::vector<std::string> RecordingHost::RelativePaths(const std::string& folder) const {
  std::vector<std::string> out;
  for (const Row& r : rows) {
    out.push_back(r.path.rfind(folder, 0) == 0 ? r.path.substr(folder.size()) : r.path);
  }
  return out;
}

std::vector<std::string> RecordingHost::Panel0Log() const {
  std::vector<std::string> out;
  for (const auto& [panel, text] : panelLog) {
    if (panel == 0) out.push_back(text);
  }
  return out;
}

}  // namespace orvalis::test
