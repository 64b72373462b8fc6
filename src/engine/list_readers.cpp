#include "engine/list_readers.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "query/query_statement.h"

namespace orvalis {

tListRead ReadQueryFile(const std::string& path, std::string& text, std::string& error) {
  // The C library, not a stream: a stream reads a folder as an empty file.
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"),
                                                           &std::fclose);
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

tPathList::tPathList(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) Add(path);
}

void tPathList::Add(std::string_view path) {
  // A path never spans two blocks; one longer than a block gets its own.
  if (blocks_.empty() || blocks_.back().size() + path.size() > blocks_.back().capacity()) {
    blocks_.emplace_back().reserve(std::max(kBlockBytes, path.size()));
  }
  std::vector<char>& block = blocks_.back();
  places_.push_back(tPlace{static_cast<std::uint32_t>(blocks_.size() - 1),
                           static_cast<std::uint32_t>(block.size())});
  block.insert(block.end(), path.begin(), path.end());
  bytes_ += path.size();
}

std::string_view tPathList::operator[](std::size_t i) const {
  const tPlace place = places_[i];
  const std::vector<char>& block = blocks_[place.block];
  // A path ends where the next one in its block begins, else at the block's end.
  const std::size_t end = i + 1 < places_.size() && places_[i + 1].block == place.block
                              ? places_[i + 1].offset
                              : block.size();
  return {block.data() + place.offset, end - place.offset};
}

std::vector<std::string> tPathList::ToVector() const {
  std::vector<std::string> paths;
  paths.reserve(Size());
  for (std::size_t i = 0; i < Size(); ++i) paths.emplace_back((*this)[i]);
  return paths;
}

tListRead ReadPathList(std::istream& in, char separator, tPathList& paths, std::string& error) {
  tPathList read;
  std::string item;
  std::size_t itemNumber = 1;
  std::size_t emptyItems = 0;
  // Ends one item; false when the list has grown past its limit.
  const auto finish = [&]() {
    if (separator == '\n' && !item.empty() && item.back() == '\r') item.pop_back();
    if (!item.empty()) {
      if (read.Size() == kMaxResultPaths) {
        error = "more than " + std::to_string(kMaxResultPaths) + " paths";
        return false;
      }
      if (read.Bytes() + item.size() > kMaxResultListBytes) {
        error = "more than " + std::to_string(kMaxResultListBytes) + " bytes of paths";
        return false;
      }
      read.Add(item);
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
      // No path holds a NUL byte: the file opened would be the part before
      // it, shown under the whole line's name.
      if (buffer[i] == '\0') {
        error = "line " + std::to_string(itemNumber) + " holds a NUL byte";
        return tListRead::Invalid;
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
