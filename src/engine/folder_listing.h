// The folder listing of a query run: the files of one folder that match a
// wildcard mask and the subfolders to descend into, both sorted by name
// without regard to case so that runs repeat exactly.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// A folder kept open while its files are read: opening a file relative to it
// spares the system walking the whole path for each one.
class tOpenFolder {
 public:
  explicit tOpenFolder(int fd) : fd_(fd) {}
  ~tOpenFolder();
  tOpenFolder(const tOpenFolder&) = delete;
  tOpenFolder& operator=(const tOpenFolder&) = delete;
  int Fd() const { return fd_; }

 private:
  int fd_;
};

struct FolderListing {
  std::vector<std::string> files;       // ordinary, not hidden, matching the mask
  std::vector<std::string> subfolders;  // not hidden (no leading "."), no links
  // The folder, open, for reading its files; null when no descriptor was left.
  std::shared_ptr<const tOpenFolder> folder;
  std::size_t entriesRead = 0;  // all the folder held, hidden ones too
};

// "*" any run of characters, "?" one character, letters compared without
// regard to ASCII case.
bool MatchesWildcard(std::string_view name, std::string_view mask);

// Lists folder (which ends with "/"). A link to a file counts as the file; a
// link to a folder is never listed as a subfolder, so a walk cannot loop.
// Throws std::system_error when the folder cannot be opened.
FolderListing ListFolder(const std::string& folder, std::string_view mask, bool wantSubfolders);

// Case-insensitive (ASCII) ordering used by the listing; ties by bytes.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace orvalis
