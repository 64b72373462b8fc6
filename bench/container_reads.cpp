// What reading one photo costs, by container: the bytes the reader fetches
// from the file (the read calls' total, from /proc/self/io) and the time per
// file on warm cache, averaged over the given files of each kind.
// Usage: orvalis-bench-container-reads FILE...
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "metadata/image_metadata.h"

namespace {

// Bytes this process has read through read system calls so far.
long long ReadBytes() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value)
    if (key == "rchar:") return value;
  return 0;
}

struct tKind {
  int files = 0;
  long long bytes = 0;
  double seconds = 0;
};

}  // namespace

int main(int argc, char** argv) {
  constexpr int kRounds = 200;
  // Reading /proc/self/io counts itself; that part is taken off.
  const long long a = ReadBytes(), b = ReadBytes();
  const long long overhead = b - a;
  std::map<std::string, tKind> kinds;
  orvalis::tImageMetaData store;
  store.KeepThumbnail = false;
  for (int i = 1; i < argc; ++i) {
    store.Clear();
    const long long before = ReadBytes();
    try {
      store.ReadJpegFile(argv[i]);
    } catch (const std::exception&) {
    }
    const long long bytes = ReadBytes() - before - overhead;
    const std::string kind = store.IsPhoto() ? std::string(store.Format()) : "(no photo)";
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < kRounds; ++r) {
      store.Clear();
      try {
        store.ReadJpegFile(argv[i]);
        (void)store.FindEntry("Make");
      } catch (const std::exception&) {
      }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    tKind& k = kinds[kind];
    ++k.files;
    k.bytes += bytes;
    k.seconds += took.count() / kRounds;
  }
  std::printf("| kind | files | bytes read per file | µs per file |\n|---|---|---|---|\n");
  for (const auto& [name, k] : kinds)
    std::printf("| %s | %d | %lld | %.1f |\n", name.c_str(), k.files, k.bytes / k.files,
                1e6 * k.seconds / k.files);
  return 0;
}
