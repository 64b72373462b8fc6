// The folder listing of a query run: the files of one folder that match a
// wildcard mask and the subfolders to descend into, both sorted by name
// without regard to case so that runs repeat exactly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

struct FolderListing {
  std::vector<std::string> files;       // ordinary, not hidden, matching the mask
  std::vector<std::string> subfolders;  // not hidden (no leading "."), no links
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
