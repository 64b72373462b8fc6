// Reading access to one photo file for the segment walk: the head of the file
// comes in with one buffered read of kHeadSize bytes, where the metadata of
// most photos ends; a segment reaching past it extends the block with one
// more read, and parts further on come in blocks of their own. The file is
// closed when the object goes.
#pragma once

#include <cstdint>
#include <cstddef>
#include <string>
#include <memory>

namespace orvalis {

// What the file system says about the open file, taken with one call.
struct tFileStatus {
  bool regular = false;
  std::uint64_t size = 0;
  bool hasBirthTime = false;  // not every file system keeps one
  std::int64_t birthSeconds = 0;
  std::uint32_t birthNanoseconds = 0;
  std::int64_t modifiedSeconds = 0;
  std::uint32_t modifiedNanoseconds = 0;
};

class tJpegFile {
 public:
  // Bytes fetched per read; a segment with its header always fits.
  static constexpr std::size_t kBlockSize = 64 * 1024;
  // Bytes fetched by the first read. Copying bytes that are never looked at
  // is a good part of the cost of a search over cached photos.
  static constexpr std::size_t kHeadSize = 16 * 1024;

  // Opens name, or with a folder (not -1) the last part of name relative to
  // it. Throws tMetadataError.
  explicit tJpegFile(const std::string& name, int folderFd = -1);
  ~tJpegFile();
  tJpegFile(const tJpegFile&) = delete;
  tJpegFile& operator=(const tJpegFile&) = delete;

  std::uint64_t Size() const { return status_.size; }
  const tFileStatus& Status() const { return status_; }

  // The length bytes at position; valid until the next call. Throws
  // tMetadataError when they run past the end of the file. length must not
  // exceed kBlockSize.
  const std::uint8_t* Read(std::uint64_t position, std::size_t length);

  // Up to length bytes at position, at least two (length must be at least
  // two and no more than kBlockSize): the buffered bytes when the block
  // holds two or more there, else a fresh block. The count comes back in
  // length. For scans, so that each read system call moves them on a block.
  const std::uint8_t* ReadBuffered(std::uint64_t position, std::size_t& length);

  // How many read system calls were made (for tests of the cost).
  int ReadCalls() const { return readCalls_; }

 private:
  int fd_ = -1;
  tFileStatus status_;
  std::unique_ptr<std::uint8_t[]> block_;
  std::uint64_t blockStart_ = 0;
  std::size_t blockLength_ = 0;
  int readCalls_ = 0;
};

}  // namespace orvalis
