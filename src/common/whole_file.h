// Files the program writes for the user (query files, lists, settings-like
// files) are written whole into a fresh file beside the target and renamed
// into place, so a failed write leaves the old file as it was. Only a regular
// file is ever replaced: a device, a pipe or a folder of the name is refused,
// and a symbolic link has the file it points to written.
#pragma once

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

}  // namespace orvalis
