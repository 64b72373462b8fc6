// Builds a benchmark corpus: N photo files in nested folders (50 files a
// folder unless --per-folder says otherwise, 20 folders a parent), hard links to the given source
// photos, copies where a link is not possible. The sources are the JPEG files below the source
// folders, or with --any every file but JSON, text and dumps (a mixed tree of raws, HEIC, PNG ...);
// each link keeps its source's extension.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  bool any = false;
  long perFolder = 50;
  int first = 1;
  for (;;) {
    if (argc > first && std::string(argv[first]) == "--any") {
      any = true;
      first += 1;
    } else if (argc > first + 1 && std::string(argv[first]) == "--per-folder") {
      perFolder = std::strtol(argv[first + 1], nullptr, 10);
      first += 2;
    } else {
      break;
    }
  }
  if (argc < first + 3 || perFolder <= 0) {
    std::fprintf(stderr,
                 "usage: orvalis-make-corpus [--any] [--per-folder K] N DIR SOURCE_FOLDER...\n");
    return 2;
  }
  const long n = std::strtol(argv[first], nullptr, 10);
  const fs::path dir = argv[first + 1];
  std::vector<fs::path> sources;
  for (int i = first + 2; i < argc; ++i) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(argv[i], ec), end; !ec && it != end;
         it.increment(ec)) {
      std::string ext = it->path().extension().string();
      std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
      const bool wanted =
          any ? ext != ".json" && ext != ".md" && ext != ".sh" && ext != ".txt" && ext != ".dump"
              : ext == ".jpg";
      if (it->is_regular_file() && wanted) sources.push_back(it->path());
    }
  }
  std::sort(sources.begin(), sources.end());
  if (sources.empty() || n <= 0) {
    std::fprintf(stderr, "nothing to do: %zu source photos, N = %ld\n", sources.size(), n);
    return 1;
  }
  fs::remove_all(dir);
  for (long i = 0; i < n; ++i) {
    const long folder = i / perFolder;
    const fs::path sub =
        dir / ("d" + std::to_string(folder / 20)) / ("d" + std::to_string(folder % 20));
    if (i % perFolder == 0) fs::create_directories(sub);
    const fs::path& src = sources[static_cast<std::size_t>(i) % sources.size()];
    char name[32];
    std::snprintf(name, sizeof name, "f%06ld", i);
    std::string ext = src.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
    std::error_code ec;
    fs::create_hard_link(src, sub / (name + ext), ec);
    if (ec) fs::copy_file(src, sub / (name + ext), fs::copy_options::overwrite_existing);
  }
  std::printf("%ld files in %s from %zu photos\n", n, dir.c_str(), sources.size());
  return 0;
}
