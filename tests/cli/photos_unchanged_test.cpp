// Photos are only ever read: every sample and corpus file keeps its bytes,
// size, modification and change times and mode across a run of every reading
// command of orvalis-cli (query in each format, export files, --paths and
// "#results", --dump, --eval). The access time is left out: reading a file
// may update it, by the file system's choice, not ours.
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "support/scratch.h"
#include "cli_spawn.h"

namespace orvalis::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

struct FileState {
  std::uint64_t hash = 0;  // FNV-1a over the bytes
  std::uint64_t size = 0;
  std::int64_t modified = 0, changed = 0;  // nanoseconds
  unsigned mode = 0;
  bool operator==(const FileState&) const = default;
};

FileState StateOf(const fs::path& file) {
  FileState s;
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return s;
  s.size = static_cast<std::uint64_t>(st.st_size);
  s.modified = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  s.changed = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
  s.mode = st.st_mode;
  std::ifstream in(file, std::ios::binary);
  std::uint64_t h = 1469598103934665603ULL;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    for (std::streamsize i = 0; i < in.gcount(); ++i)
      h = (h ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ULL;
  s.hash = h;
  return s;
}

std::map<std::string, FileState> States(const std::vector<fs::path>& roots) {
  std::map<std::string, FileState> states;
  for (const fs::path& root : roots) {
    if (!fs::is_directory(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root))
      if (entry.is_regular_file()) states[entry.path().string()] = StateOf(entry.path());
  }
  return states;
}

TEST(PhotosUnchanged, ByEveryReadingCommand) {
  const fs::path samples = fs::path(ORVALIS_SOURCE_DIR) / "samples";
  const fs::path corpus = ORVALIS_CORPUS_DIR;
  const std::vector<fs::path> roots{samples, corpus};
  const std::map<std::string, FileState> before = States(roots);
  ASSERT_GT(before.size(), 10u);

  ScratchFolder scratch;
  Strings photos;
  for (const auto& [path, state] : before)
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0) photos.push_back(path);
  const std::string select =
      "SELECT Name, Make, DateTimeOriginal, Keywords, contains('*e*'), hassegment('thumb'), "
      "match(Caption, '(a+)+$'), numformat(FNumber, '0.0'), PixelsX FROM ";
  Strings queries;
  for (const fs::path& root : roots)
    if (fs::is_directory(root)) queries.push_back(select + root.string() + "/*.jp*g WITH subdirs");

  std::vector<Strings> runs;
  for (const std::string& query : queries) {
    for (const char* format : {"rows", "csv", "json", "xml"})
      runs.push_back({"--no-limit", "--format", format, query});
    runs.push_back({"--no-limit", "-o", scratch.Path() + "export.txt", query});
    runs.push_back({"--no-limit", "--format", "xml", "-o", scratch.Path() + "export.xml", query});
    runs.push_back({"--no-limit", "--paths", "-o", scratch.Path() + "paths.txt", query});
    runs.push_back(
        {"--results", scratch.Path() + "paths.txt", "SELECT Name, Size FROM \"#results\""});
  }
  Strings dump{"--dump"}, merged{"--dump", "--merged"};
  dump.insert(dump.end(), photos.begin(), photos.end());
  merged.insert(merged.end(), photos.begin(), photos.end());
  runs.push_back(dump);
  runs.push_back(merged);
  runs.push_back({"--eval", "Make + contains('*')", photos.front()});

  SpawnOptions options;
  options.locale = "C";
  for (const Strings& args : runs) {
    const CliRun run = RunCli(args, options);
    EXPECT_NE(run.exit, -1) << args.front() << " " << args.back();
  }

  const std::map<std::string, FileState> after = States(roots);
  ASSERT_EQ(after.size(), before.size()) << "no file comes or goes";
  for (const auto& [path, state] : before) EXPECT_EQ(after.at(path), state) << path;
}

}  // namespace
}  // namespace orvalis::test
