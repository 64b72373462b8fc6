// Readers for the texts a user hands in from outside: query files and the
// result lists of FROM "#results". Each reads only as far as its limit, so a
// file of any size (or /dev/zero) costs no more than the limit.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace orvalis {

enum class tListRead {
  Read,        // the whole input was taken
  Unreadable,  // the file cannot be opened or read (error: the system's words)
  TooLong,     // the input is longer than its limit (error says which limit)
};

// A query file: its bytes as they are, at most kMaxQueryLength of them; one
// byte more is read to tell that the file is longer.
tListRead ReadQueryFile(const std::string& path, std::string& text, std::string& error);

// Limits of a result list: paths and bytes per path (the longest path the
// system takes).
constexpr std::size_t kMaxResultPaths = 1000000;
constexpr std::size_t kMaxResultPathLength = 4096;

// A result list: one path per line (LF or CR LF; empty lines are passed
// over), or, with separator '\0', NUL-separated paths as find -print0
// writes them (taken as they are, line breaks included). Read piece by
// piece; nothing is kept when a limit is reached.
tListRead ReadPathList(std::istream& in, char separator, std::vector<std::string>& paths,
                       std::string& error);

}  // namespace orvalis
