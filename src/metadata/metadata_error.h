// The error of the metadata reader: decoders catch it per segment or per
// entry; ReadJpegFile and GetThumbnail let it reach their caller.
#pragma once

#include <stdexcept>

namespace orvalis {

class tMetadataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orvalis
