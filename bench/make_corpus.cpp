// Builds a benchmark corpus: N JPEG files in nested folders (50 files a
// folder unless --per-folder says otherwise, 20 folders a parent), hard links
// to the given source photos, copies where a link is not possible.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  long perFolder = 50;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--per-folder") {
    perFolder = std::strtol(argv[2], nullptr, 10);
    first = 3;
  }
  if (argc < first + 3 || perFolder <= 0) {
    std::fprintf(stderr, "usage: orvalis-make-corpus [--per-folder K] N DIR SOURCE_FOLDER...\n");
    return 2;
  }
  const long n = std::strtol(argv[first], nullptr, 10);
  const fs::path dir = argv[first + 1];
  std::vector<fs::path> sources;
  for (int i = first + 2; i < argc; ++i) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(argv[i], ec), end; !ec && it != end; it.increment(ec)) {
      std::string ext = it->path().extension().string();
      std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
      if (it->is_regular_file() && ext == ".jpg") sources.push_back(it->path());
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
    const fs::path sub = dir / ("d" + std::to_string(folder / 20)) / ("d" + std::to_string(folder % 20));
    if (i % perFolder == 0) fs::create_directories(sub);
    char name[32];
    std::snprintf(name, sizeof name, "f%06ld.jpg", i);
    const fs::path& src = sources[static_cast<std::size_t>(i) % sources.size()];
    std::error_code ec;
    fs::create_hard_link(src, sub / name, ec);
    if (ec) fs::copy_file(src, sub / name, fs::copy_options::overwrite_existing);
  }
  std::printf("%ld files in %s from %zu photos\n", n, dir.c_str(), sources.size());
  return 0;
}
