#include "engine_fixtures.h"

#include <algorithm>

namespace orvalis::test {

void RecordingHost::PrepareResultList(int thumbnailWidth, int thumbnailHeight) {
  ++prepareCalls;
  thumbnailSize = {thumbnailWidth, thumbnailHeight};
  columns.clear();
  rows.clear();
}

int RecordingHost::AddRow(const std::string& path, tImageMetaData&, bool) {
  rows.push_back({path, std::vector<std::string>(columns.size())});
  return static_cast<int>(rows.size()) - 1;
}

void RecordingHost::SetCell(int row, int column, const std::string& text) {
  Row& r = rows.at(static_cast<std::size_t>(row));
  if (static_cast<std::size_t>(column) >= r.cells.size()) r.cells.resize(static_cast<std::size_t>(column) + 1u);
  r.cells[static_cast<std::size_t>(column)] = text;
}

std::vector<std::string> RecordingHost::RowPaths() const {
  std::vector<std::string> paths;
  for (const Row& r : rows) paths.push_back(r.path);
  if (reverseRowOrder) std::reverse(paths.begin(), paths.end());
  return paths;
}

void RecordingHost::EnterRunningState() { ++runningDepth; }

void RecordingHost::LeaveRunningState() {
  --runningDepth;
  ++leaveCalls;
}

void RecordingHost::SetStatusPanel(int panel, const std::string& text) {
  panels.at(static_cast<std::size_t>(panel)) = text;
  panelLog.emplace_back(panel, text);
}

void RecordingHost::ProcessEvents() {
  ++eventCalls;
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
