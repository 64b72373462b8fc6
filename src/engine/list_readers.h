// Readers for the texts a user hands in from outside: query files and the
// result lists of FROM "#results". Each reads only as far as its limit, so a
// file of any size (or /dev/zero) costs no more than the limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

enum class tListRead {
  Read,        // the whole input was taken
  Unreadable,  // the file cannot be opened or read (error: the system's words)
  TooLong,     // the input is longer than its limit (error says which limit)
  Invalid,     // the input holds what it may not (error says where)
};

// Paths kept compactly: their bytes one after another in blocks of 1 MiB and
// 8 bytes of place per path, where a vector of strings costs 32 bytes a path
// and a heap block each. A million short paths cost little more than their
// bytes, and growing never copies the bytes held.
class tPathList {
 public:
  tPathList() = default;
  explicit tPathList(const std::vector<std::string>& paths);

  void Add(std::string_view path);
  std::size_t Size() const { return places_.size(); }
  // The bytes of all paths together.
  std::size_t Bytes() const { return bytes_; }
  std::string_view operator[](std::size_t i) const;
  std::vector<std::string> ToVector() const;

 private:
  struct tPlace {
    std::uint32_t block;
    std::uint32_t offset;
  };
  static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
  std::vector<std::vector<char>> blocks_;
  std::vector<tPlace> places_;
  std::size_t bytes_ = 0;
};

// A query file: its bytes as they are, at most kMaxQueryLength of them; one
// byte more is read to tell that the file is longer.
tListRead ReadQueryFile(const std::string& path, std::string& text, std::string& error);

// Limits of a result list: paths, bytes per path (the longest path the
// system takes) and bytes of all paths together (a million paths of 67 bytes
// on average), so the longest list costs well under 128 MB.
constexpr std::size_t kMaxResultPaths = 1000000;
constexpr std::size_t kMaxResultPathLength = 4096;
constexpr std::size_t kMaxResultListBytes = std::size_t{64} << 20;

// A result list: one path per line (LF or CR LF; empty lines are passed
// over; a NUL byte in a line refuses the list), or, with separator '\0',
// NUL-separated paths as find -print0 writes them (taken as they are, line
// breaks included). Read piece by piece; reading stops at a limit, and then
// nothing is kept.
tListRead ReadPathList(std::istream& in, char separator, tPathList& paths, std::string& error);

}  // namespace orvalis
