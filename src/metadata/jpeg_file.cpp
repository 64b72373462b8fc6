#include "metadata/jpeg_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "metadata/byte_reader.h"

namespace orvalis {

namespace {

// One spare block per thread: a search reads thousands of files one after
// the other on each thread, and a fresh 64 KiB block for each would make the
// allocator tidy up its small free chunks every time.
thread_local std::unique_ptr<std::uint8_t[]> spareBlock;

// The system's text for an error number; files are read on several threads
// at once, and strerror may share one buffer between them.
std::string ErrorText(int code) { return std::generic_category().message(code); }

}  // namespace

tJpegFile::tJpegFile(const std::string& name, int folderFd) {
  // Non-blocking, so that a named pipe that looks like a photo cannot stall
  // a search; regular files read the same either way.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  if (folderFd >= 0) {
    const std::size_t slash = name.rfind('/');
    fd_ = ::openat(folderFd, name.c_str() + (slash == std::string::npos ? 0 : slash + 1), kFlags);
  } else {
    fd_ = ::open(name.c_str(), kFlags);
  }
  if (fd_ < 0) throw tMetadataError("cannot open file: " + ErrorText(errno));
  bool ok = false;
#ifdef STATX_BTIME
  struct statx sx {};
  if (::statx(fd_, "", AT_EMPTY_PATH, STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &sx) ==
      0) {
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
  if (block_ && !spareBlock) spareBlock = std::move(block_);
}

const std::uint8_t* tJpegFile::Read(std::uint64_t position, std::size_t length) {
  if (length > kBlockSize) throw tMetadataError("read request too large");
  if (position >= blockStart_ && position - blockStart_ <= blockLength_ &&
      length <= blockLength_ - (position - blockStart_))
    return block_.get() + (position - blockStart_);
  if (position > status_.size || length > status_.size - position)
    throw tMetadataError("read past the end of the file");
  const bool first = !block_;
  // Not zeroed: only bytes read into it are ever looked at.
  if (first)
    block_ = spareBlock ? std::move(spareBlock)
                        : std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize);
  // A block is extended when the bytes asked for begin in it and fit in a
  // full block from its start; otherwise a block starts at position.
  std::size_t want = kBlockSize;
  if (first) {
    blockStart_ = position;
    blockLength_ = 0;
    want = std::max(length, kHeadSize);
  } else if (!(position >= blockStart_ && position - blockStart_ <= blockLength_ &&
               position - blockStart_ + length <= kBlockSize)) {
    blockStart_ = position;
    blockLength_ = 0;
  }
  const std::uint64_t offset = position - blockStart_;
  while (blockLength_ < want) {
    ++readCalls_;
    const ssize_t got = ::pread(fd_, block_.get() + blockLength_, want - blockLength_,
                                static_cast<off_t>(blockStart_ + blockLength_));
    if (got < 0) {
      if (errno == EINTR) continue;
      throw tMetadataError("cannot read file: " + ErrorText(errno));
    }
    if (got == 0) break;
    blockLength_ += static_cast<std::size_t>(got);
    if (blockLength_ >= offset + length) break;
  }
  if (offset + length > blockLength_) throw tMetadataError("read past the end of the file");
  return block_.get() + offset;
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
