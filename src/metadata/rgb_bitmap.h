// The picture that GetThumbnail hands out: a plain owned 24-bit RGB bitmap,
// rows top to bottom, three bytes per pixel (R, G, B), no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvalis {

struct RgbBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // Height rows of Width * 3 bytes

  std::size_t RowBytes() const { return static_cast<std::size_t>(Width) * 3; }
  const std::uint8_t* Row(int y) const {
    return Pixels.data() + RowBytes() * static_cast<std::size_t>(y);
  }
};

}  // namespace orvalis
