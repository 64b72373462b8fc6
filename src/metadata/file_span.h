// A stretch of bytes inside a photo file, by its place in the file: where a
// container walk found something (an embedded preview, an XMP packet) that
// is read later or by someone else.
#pragma once

#include <cstdint>

namespace orvalis {

struct tFileSpan {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

}  // namespace orvalis
