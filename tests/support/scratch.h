// Scratch folders and whole-file reads and writes for the tests.
#pragma once

#include <string>

namespace orvalis::test {

// A fresh folder of its own under base (the system's temporary folder when
// empty), removed with everything in it when the object goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& base = {});
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }  // ends with "/"
  // The full path of a name inside the folder; nothing is created.
  std::string File(const std::string& relative) const { return path_ + relative; }
  // Writes a file (creating its folders) and returns its full path.
  std::string Write(const std::string& relative, const std::string& bytes) const;
  std::string MakeFolder(const std::string& relative) const;

 private:
  std::string path_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces a file with bytes; throws when that fails.
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace orvalis::test
