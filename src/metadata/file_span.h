// A run of bytes in a photo file, by its file offset and length: what a
// container walker hands on for a decoder to read.
#pragma once

#include <cstdint>

namespace orvalis {

struct tFileSpan {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  friend bool operator==(const tFileSpan&, const tFileSpan&) = default;
};

}  // namespace orvalis
