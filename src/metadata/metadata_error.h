// The error of the metadata reader: decoders catch it per segment or per
// entry and the store keeps the reason (Dropped); errors outside the
// segments reach the caller of ReadJpegFile, and GetThumbnail's too.
#pragma once

#include <stdexcept>

namespace orvalis {

class tMetadataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orvalis
