// The per-user data folder from the environment.
#include "engine/data_folder.h"

#include <cstdlib>

namespace orvalis {

namespace {

std::string WithSlash(std::string_view folder) {
  std::string result(folder);
  if (result.back() != '/') result += '/';
  return result;
}

std::string_view Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

}  // namespace

std::string DataFolderFor(std::string_view appData, std::string_view xdgDataHome,
                          std::string_view home) {
  std::string base;
  if (!appData.empty()) {
    base = WithSlash(appData);
  } else if (!xdgDataHome.empty()) {
    base = WithSlash(xdgDataHome);
  } else if (!home.empty()) {
    base = WithSlash(home) + ".local/share/";
  } else {
    return {};
  }
  return base + "Farrowlight/Orvalis/";
}

std::string DataFolder() {
  return DataFolderFor(Env("APPDATA"), Env("XDG_DATA_HOME"), Env("HOME"));
}

}  // namespace orvalis
