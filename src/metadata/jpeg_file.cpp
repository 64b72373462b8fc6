#include "metadata/jpeg_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "metadata/byte_reader.h"

namespace orvalis {

namespace {

// The system's text for an error number; files are read on several threads
// at once, and strerror may share one buffer between them.
std::string ErrorText(int code) { return std::generic_category().message(code); }

}  // namespace

tJpegFile::tJpegFile(const std::string& name) {
  // Non-blocking, so that a named pipe that looks like a photo cannot stall
  // a search; regular files read the same either way.
  fd_ = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw tMetadataError("cannot open file: " + ErrorText(errno));
  bool ok = false;
#ifdef STATX_BTIME
  struct statx sx {};
  if (::statx(fd_, "", AT_EMPTY_PATH, STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &sx) == 0) {
    ok = true;
    status_.regular = S_ISREG(sx.stx_mode);
    status_.size = sx.stx_size;
    status_.hasBirthTime = (sx.stx_mask & STATX_BTIME) != 0;
    status_.birthSeconds = sx.stx_btime.tv_sec;
    status_.birthNanoseconds = sx.stx_btime.tv_nsec;
    status_.modifiedSeconds = sx.stx_mtime.tv_sec;
    status_.modifiedNanoseconds = sx.stx_mtime.tv_nsec;
  }
#endif
  if (!ok) {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
      const int err = errno;
      ::close(fd_);
      fd_ = -1;
      throw tMetadataError("cannot read file data: " + ErrorText(err));
    }
    status_.regular = S_ISREG(st.st_mode);
    status_.size = st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    status_.modifiedSeconds = st.st_mtim.tv_sec;
    status_.modifiedNanoseconds = static_cast<std::uint32_t>(st.st_mtim.tv_nsec);
  }
}

tJpegFile::~tJpegFile() {
  if (fd_ >= 0) ::close(fd_);
}

const std::uint8_t* tJpegFile::Read(std::uint64_t position, std::size_t length) {
  if (length > kBlockSize) throw tMetadataError("read request too large");
  if (position >= blockStart_ && position - blockStart_ <= blockLength_ &&
      length <= blockLength_ - (position - blockStart_))
    return block_.get() + (position - blockStart_);
  if (position > status_.size || length > status_.size - position)
    throw tMetadataError("read past the end of the file");
  // Not zeroed: only bytes read into it are ever looked at.
  if (!block_) block_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
  blockStart_ = position;
  blockLength_ = 0;
  while (blockLength_ < kBlockSize) {
    ++readCalls_;
    const ssize_t got = ::pread(fd_, block_.get() + blockLength_, kBlockSize - blockLength_,
                                static_cast<off_t>(position + blockLength_));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw tMetadataError("cannot read file: " + ErrorText(errno));
    }
    if (got == 0) break;
    blockLength_ += static_cast<std::size_t>(got);
    if (blockLength_ >= length) break;
  }
  if (length > blockLength_) throw tMetadataError("read past the end of the file");
  return block_.get();
}

const std::uint8_t* tJpegFile::ReadBuffered(std::uint64_t position, std::size_t& length) {
  if (position >= blockStart_ && position - blockStart_ < blockLength_) {
    const std::size_t buffered = blockLength_ - static_cast<std::size_t>(position - blockStart_);
    if (buffered >= 2) {
      if (buffered < length) length = buffered;
      return block_.get() + (position - blockStart_);
    }
  }
  return Read(position, length);
}

}  // namespace orvalis
