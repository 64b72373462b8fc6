// Where the program keeps its list files (query buffer, user actions, field
// sidebar): the per-user data folder.
#pragma once

#include <string>
#include <string_view>

namespace orvalis {

// $APPDATA when set and not empty, else $XDG_DATA_HOME when set and not
// empty, else $HOME/.local/share; then "Farrowlight/Orvalis/". The result
// always ends with "/". Empty when none of the three is usable.
std::string DataFolderFor(std::string_view appData, std::string_view xdgDataHome,
                          std::string_view home);

// The same, taken from this process's environment.
std::string DataFolder();

}  // namespace orvalis
