#include "common/whole_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalis {

namespace {

constexpr int kMaxLinks = 40;

tWholeWriteResult Failure(std::string target, int error) {
  return {tWholeWrite::Failed, std::move(target), error};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

tWholeWriteResult CheckWriteTarget(const std::string& path) {
  std::string target = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
      if (errno == ENOENT) return {tWholeWrite::Written, target, 0};
      return Failure(target, errno);
    }
    if (!S_ISLNK(status.st_mode)) {
      if (S_ISREG(status.st_mode)) return {tWholeWrite::Written, target, 0};
      return {tWholeWrite::NotRegular, target, 0};
    }
    std::string link(4096, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length < 0) return Failure(target, errno);
    if (static_cast<std::size_t>(length) >= link.size()) return Failure(target, ENAMETOOLONG);
    link.resize(static_cast<std::size_t>(length));
    if (link.empty() || link.front() != '/') {
      const std::size_t slash = target.rfind('/');
      link = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + link;
    }
    target = std::move(link);
  }
  return Failure(path, ELOOP);
}

tWholeWriteResult WriteFileWhole(const std::string& path, std::string_view bytes) {
  tWholeWriteResult result = CheckWriteTarget(path);
  if (result.Outcome != tWholeWrite::Written) return result;
  const std::string& target = result.Target;

  // A fresh name beside the target, so the rename stays on its file system.
  static std::atomic<unsigned> counter{0};
  const std::string temporary = target + ".tmp" + std::to_string(::getpid()) + "-" +
                                std::to_string(counter.fetch_add(1));
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return Failure(target, errno);
  struct stat old {};
  bool good = true;
  if (::stat(target.c_str(), &old) == 0) good = ::fchmod(fd, old.st_mode & 07777) == 0;
  good = good && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int error = good ? 0 : errno;
  if (::close(fd) != 0 && good) {
    good = false;
    error = errno;
  }
  if (good && ::rename(temporary.c_str(), target.c_str()) != 0) {
    good = false;
    error = errno;
  }
  if (!good) {
    ::unlink(temporary.c_str());
    return Failure(target, error);
  }
  return result;
}

}  // namespace orvalis
