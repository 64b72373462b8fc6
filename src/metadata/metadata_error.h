// The error of the metadata reader: the segment walk catches it per segment
// and the EXIF decoder per entry, each keeping the reason; errors outside
// the segments reach the caller of ReadJpegFile, and GetThumbnail's too.
#pragma once

#include <stdexcept>

namespace orvalis {

class tMetadataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orvalis
