#include "engine/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>

#include "common/ascii_case.h"

namespace orvalis {

namespace {

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

tOpenFolder::~tOpenFolder() { ::close(fd_); }

bool MatchesWildcard(std::string_view name, std::string_view mask) {
  // Iterative matcher with one backtrack point for the last "*": linear in
  // practice and without recursion, whatever the mask.
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || AsciiLower(mask[m]) == AsciiLower(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  if (m == mask.size()) return true;
  // "name.*" also matches "name" without extension, as on the platform the
  // masks come from ("*.*" lists every file).
  return mask.substr(m) == ".*";
}

bool NameLess(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char x = AsciiLower(a[i]), y = AsciiLower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

FolderListing ListFolder(const std::string& folder, std::string_view mask, bool wantSubfolders) {
  FolderListing out;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) throw std::system_error(errno, std::generic_category(), folder);
  errno = 0;
  while (const dirent* e = ::readdir(dir.get())) {
    ++out.entriesRead;
    const std::string_view name = e->d_name;
    if (name.empty() || name[0] == '.') continue;  // hidden, and "." and ".."
    unsigned char type = e->d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
      struct stat st {};
      const std::string path = folder + std::string(name);
      if (type == DT_LNK) {
        // Links to files are read as the file; links to folders are not walked.
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        type = DT_REG;
      } else {
        // File systems without entry types: a link found this way is treated
        // like one reported as DT_LNK.
        if (::lstat(path.c_str(), &st) != 0) continue;
        if (S_ISLNK(st.st_mode) && (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))) {
          continue;
        }
        type = S_ISREG(st.st_mode) ? DT_REG : S_ISDIR(st.st_mode) ? DT_DIR : DT_UNKNOWN;
      }
    }
    if (type == DT_REG) {
      if (MatchesWildcard(name, mask)) out.files.emplace_back(name);
    } else if (type == DT_DIR && wantSubfolders) {
      out.subfolders.emplace_back(name);
    }
  }
  if (!out.files.empty()) {
    const int fd = ::fcntl(::dirfd(dir.get()), F_DUPFD_CLOEXEC, 0);
    if (fd >= 0) out.folder = std::make_shared<const tOpenFolder>(fd);
  }
  std::sort(out.files.begin(), out.files.end(), NameLess);
  std::sort(out.subfolders.begin(), out.subfolders.end(), NameLess);
  return out;
}

}  // namespace orvalis
