// The floor for the search benchmark: opens every file below a folder, reads
// its first 64 KiB and closes it. Nothing a metadata search does can cost less
// than this, so the search's time is measured against it.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orvalis-bench-floor FOLDER\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  std::vector<char> buffer(64 * 1024);
  long files = 0;
  long long bytes = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1])) {
    if (!entry.is_regular_file()) continue;
    const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n > 0) bytes += n;
    ::close(fd);
    ++files;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld files, %lld bytes, %.3f s\n", files, bytes, seconds);
  return 0;
}
