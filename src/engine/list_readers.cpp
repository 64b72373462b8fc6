#include "engine/list_readers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "query/query_statement.h"

namespace orvalis {

tListRead ReadQueryFile(const std::string& path, std::string& text, std::string& error) {
  // The C library, not a stream: a stream reads a folder as an empty file.
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!in) {
    error = std::strerror(errno);
    return tListRead::Unreadable;
  }
  std::string data(kMaxQueryLength + 1, '\0');
  std::size_t got = 0;
  while (got < data.size()) {
    const std::size_t n = std::fread(data.data() + got, 1, data.size() - got, in.get());
    if (n == 0) break;
    got += n;
  }
  if (std::ferror(in.get())) {
    error = std::strerror(errno);
    return tListRead::Unreadable;
  }
  if (got > kMaxQueryLength) {
    error = "longer than " + std::to_string(kMaxQueryLength) + " bytes";
    return tListRead::TooLong;
  }
  data.resize(got);
  text = std::move(data);
  return tListRead::Read;
}

tListRead ReadPathList(std::istream& in, char separator, std::vector<std::string>& paths,
                       std::string& error) {
  std::vector<std::string> read;
  std::string item;
  std::size_t itemNumber = 1;
  std::size_t emptyItems = 0;
  // Ends one item; false when the list has grown past its limit.
  const auto finish = [&]() {
    if (separator == '\n' && !item.empty() && item.back() == '\r') item.pop_back();
    if (!item.empty()) {
      if (read.size() == kMaxResultPaths) {
        error = "more than " + std::to_string(kMaxResultPaths) + " paths";
        return false;
      }
      read.push_back(std::move(item));
    } else if (++emptyItems > kMaxResultPaths) {
      // Empty lines cost nothing to keep, but an endless run of them
      // (NULs from /dev/zero) must end too.
      error = "more than " + std::to_string(kMaxResultPaths) + " empty paths";
      return false;
    }
    item.clear();
    ++itemNumber;
    return true;
  };
  char buffer[64 * 1024];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const auto n = static_cast<std::size_t>(in.gcount());
    for (std::size_t i = 0; i < n; ++i) {
      if (buffer[i] == separator) {
        if (!finish()) return tListRead::TooLong;
        continue;
      }
      if (item.size() == kMaxResultPathLength) {
        error = "path " + std::to_string(itemNumber) + " is longer than " +
                std::to_string(kMaxResultPathLength) + " bytes";
        return tListRead::TooLong;
      }
      item += buffer[i];
    }
  }
  if (in.bad()) {
    error = "cannot read";
    return tListRead::Unreadable;
  }
  if (!finish()) return tListRead::TooLong;
  paths = std::move(read);
  return tListRead::Read;
}

}  // namespace orvalis
