#include "common/whole_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalis {

namespace {

constexpr int kMaxLinks = 40;

tWholeWriteResult Failure(std::string target, int error) {
  return {tWholeWrite::Failed, std::move(target), error};
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

std::string WholeWriteError(const tWholeWriteResult& result) {
  if (result.Outcome == tWholeWrite::NotRegular) return "not a regular file";
  return std::strerror(result.Error != 0 ? result.Error : EIO);
}

tWholeFileWriter::tWholeFileWriter(const std::string& path) : result_(CheckWriteTarget(path)) {
  if (result_.Outcome != tWholeWrite::Written) return;
  // A fresh name beside the target, so the rename stays on its file system.
  static std::atomic<unsigned> counter{0};
  temporary_ = result_.Target + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(counter.fetch_add(1));
  const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    result_ = Failure(result_.Target, errno);
    temporary_.clear();
    return;
  }
  struct stat old {};
  if (::stat(result_.Target.c_str(), &old) == 0) (void)::fchmod(fd, old.st_mode & 07777);
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    result_ = Failure(result_.Target, errno);
    ::close(fd);
  }
}

tWholeFileWriter::~tWholeFileWriter() {
  if (file_ != nullptr) std::fclose(file_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

const tWholeWriteResult& tWholeFileWriter::Commit() {
  if (file_ == nullptr) return result_;
  bool good = std::fflush(file_) == 0 && !std::ferror(file_) && ::fsync(::fileno(file_)) == 0;
  int error = good ? 0 : errno;
  if (std::fclose(file_) != 0 && good) {
    good = false;
    error = errno;
  }
  file_ = nullptr;
  if (good && ::rename(temporary_.c_str(), result_.Target.c_str()) != 0) {
    good = false;
    error = errno;
  }
  if (good) {
    temporary_.clear();
  } else {
    result_ = Failure(result_.Target, error == 0 ? EIO : error);
  }
  return result_;
}

tWholeWriteResult WriteFileWhole(const std::string& path, std::string_view bytes) {
  tWholeFileWriter writer(path);
  if (writer.File() == nullptr) return writer.Result();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), writer.File()) != bytes.size()) {
    return Failure(writer.Result().Target, errno);
  }
  return writer.Commit();
}

}  // namespace orvalis
