#include "support/scratch.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orvalis::test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& base) {
  std::string pattern =
      ((base.empty() ? fs::temp_directory_path() : fs::path(base)) / "orvalis-test-XXXXXX")
          .string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed in " + pattern);
  path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  // Folders a test made unreadable must be readable again to be removed.
  for (auto it = fs::recursive_directory_iterator(
           path_, fs::directory_options::skip_permission_denied, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
  const fs::path full = fs::path(path_) / relative;
  fs::create_directories(full.parent_path());
  WriteFileBytes(full.string(), bytes);
  return full.string();
}

std::string ScratchFolder::MakeFolder(const std::string& relative) const {
  const fs::path full = fs::path(path_) / relative;
  fs::create_directories(full);
  return full.string() + "/";
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace orvalis::test
