#include "engine_fixtures.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "metadata/image_metadata.h"

namespace orvalis::enginetest {

namespace {

void U16(std::string& out, std::uint32_t v) {
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

void U32(std::string& out, std::uint32_t v) {
  U16(out, v >> 16);
  U16(out, v & 0xFFFF);
}

std::string Segment(unsigned char marker, const std::string& payload) {
  std::string out("\xFF", 1);
  out += static_cast<char>(marker);
  U16(out, static_cast<std::uint32_t>(payload.size() + 2));
  return out + payload;
}

struct Entry {
  std::uint16_t tag, type;
  std::uint32_t count;
  std::string data;  // more than 4 bytes go to the data area
};

// One directory at `at`, its out-of-line data at `dataAt`.
std::string Directory(const std::vector<Entry>& entries, std::uint32_t dataAt, std::string& data) {
  std::string dir;
  U16(dir, static_cast<std::uint32_t>(entries.size()));
  for (const Entry& e : entries) {
    U16(dir, e.tag);
    U16(dir, e.type);
    U32(dir, e.count);
    if (e.data.size() <= 4) {
      std::string field = e.data;
      field.resize(4, '\0');
      dir += field;
    } else {
      U32(dir, dataAt + static_cast<std::uint32_t>(data.size()));
      data += e.data;
    }
  }
  U32(dir, 0);
  return dir;
}

std::uint32_t DirectorySize(std::size_t n) { return static_cast<std::uint32_t>(2 + 12 * n + 4); }

}  // namespace

std::string MiniJpeg(const Photo& photo) {
  std::vector<Entry> first, exif;
  if (!photo.make.empty()) {
    first.push_back({271, 2, static_cast<std::uint32_t>(photo.make.size() + 1),
                     photo.make + std::string(1, '\0')});
  }
  if (photo.fnumber) {
    std::string rational;
    U32(rational, photo.fnumber->first);
    U32(rational, photo.fnumber->second);
    exif.push_back({33437, 5, 1, rational});
  }
  const std::uint32_t firstAt = 8;
  const std::uint32_t exifAt = firstAt + DirectorySize(first.size() + (exif.empty() ? 0 : 1));
  if (!exif.empty()) {
    std::string pointer;
    U32(pointer, exifAt);
    first.push_back({34665, 4, 1, pointer});
  }
  const std::uint32_t dataAt = exifAt + (exif.empty() ? 0 : DirectorySize(exif.size()));
  std::string data;
  std::string tiff("MM\x00\x2A", 4);
  U32(tiff, firstAt);
  tiff += Directory(first, dataAt, data);
  if (!exif.empty()) tiff += Directory(exif, dataAt, data);
  tiff += data;

  std::string jpeg("\xFF\xD8", 2);
  jpeg += Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
  if (!photo.caption.empty()) {
    std::string iptc("\x1C\x02\x78", 3);
    U16(iptc, static_cast<std::uint32_t>(photo.caption.size()));
    iptc += photo.caption;
    if (iptc.size() % 2 != 0) iptc += '\0';
    std::string resource = std::string("Photoshop 3.0\0", 14) + "8BIM" + std::string("\x04\x04\0\0", 4);
    U32(resource, static_cast<std::uint32_t>(iptc.size()));
    jpeg += Segment(0xED, resource + iptc);
  }
  return jpeg + std::string("\xFF\xD9", 2);
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvalis-engine-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  // Folders a test made unreadable must be readable again to be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(
           path_, std::filesystem::directory_options::skip_permission_denied, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path full = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + full.string());
  return full.string();
}

std::string ScratchFolder::MakeFolder(const std::string& relative) const {
  const std::filesystem::path full = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(full);
  return full.string() + "/";
}

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
}

void RecordingHost::PrepareResultList(int thumbnailWidth, int thumbnailHeight) {
  ++prepareCalls;
  events.push_back("prepare " + std::to_string(thumbnailWidth) + "x" + std::to_string(thumbnailHeight));
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
  if (static_cast<std::size_t>(column) >= r.cells.size()) r.cells.resize(column + 1u);
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

}  // namespace orvalis::enginetest
