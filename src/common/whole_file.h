// Files the program writes for the user (query files, lists, settings-like
// files) are written whole into a fresh file beside the target and renamed
// into place, so a failed write leaves the old file as it was. Only a regular
// file is ever replaced: a device, a pipe or a folder of the name is refused,
// and a symbolic link has the file it points to written.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orvalis {

enum class tWholeWrite { Written, NotRegular, Failed };

struct tWholeWriteResult {
  tWholeWrite Outcome = tWholeWrite::Written;
  std::string Target;  // the file written or refused, symbolic links followed
  int Error = 0;       // the system's error number when Failed
};

// Where a write to path lands, with its links followed: Written when the file
// is absent or regular, NotRegular when something else has the name, Failed
// when the name cannot be looked at (or its links go round in circles).
tWholeWriteResult CheckWriteTarget(const std::string& path);

// Writes bytes as the whole new content of path (see above).
tWholeWriteResult WriteFileWhole(const std::string& path, std::string_view bytes);

// The reason of a write that was refused or failed, in the system's words
// ("not a regular file" for a device, pipe or folder of the name).
std::string WholeWriteError(const tWholeWriteResult& result);

// The same for content written piece by piece (exports): File() is a fresh
// file beside the target; Commit() puts it in place. Without a Commit, or
// when writing failed, the fresh file is removed and the target stays as it
// was.
class tWholeFileWriter {
 public:
  explicit tWholeFileWriter(const std::string& path);
  ~tWholeFileWriter();
  tWholeFileWriter(const tWholeFileWriter&) = delete;
  tWholeFileWriter& operator=(const tWholeFileWriter&) = delete;

  // Null when the target is no regular file or the fresh file could not be
  // made; Result() says which.
  std::FILE* File() const { return file_; }
  const tWholeWriteResult& Result() const { return result_; }
  // Flushes, closes and renames the fresh file over the target.
  const tWholeWriteResult& Commit();

 private:
  tWholeWriteResult result_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
};

}  // namespace orvalis
