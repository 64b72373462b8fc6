// Bounds-checked access to the bytes of one segment: every decoder reads its
// payload through this, so no offset taken from a file can reach outside it.
// A reader may hold a window of a larger structure: its bytes then stand at
// offsets base to base + size, as the structure counts them (a TIFF file's
// directories, read without the image data around them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "metadata/metadata_error.h"

namespace orvalis {

class tByteReader {
 public:
  tByteReader() = default;
  tByteReader(const std::uint8_t* data, std::size_t size, std::uint64_t base = 0)
      : data_(data), size_(size), base_(base) {}

  // Motorola (big-endian) or Intel (little-endian) order for U16/U32.
  void SetMotorola(bool motorola) { motorola_ = motorola; }
  bool Motorola() const { return motorola_; }

  // One past the last offset the reader holds (its size without a base).
  std::uint64_t Size() const { return base_ + size_; }

  // True when [offset, offset + length) lies inside the bytes; no overflow
  // whatever the two numbers are.
  bool Has(std::uint64_t offset, std::uint64_t length) const {
    return offset >= base_ && offset - base_ <= size_ && length <= size_ - (offset - base_);
  }

  void Require(std::uint64_t offset, std::uint64_t length) const {
    if (!Has(offset, length)) throw tMetadataError("read outside the segment");
  }

  std::uint8_t U8(std::uint64_t offset) const {
    Require(offset, 1);
    return data_[offset - base_];
  }

  std::uint16_t U16(std::uint64_t offset) const {
    Require(offset, 2);
    const std::uint8_t* p = data_ + (offset - base_);
    return motorola_ ? static_cast<std::uint16_t>(p[0] << 8 | p[1])
                     : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
  }

  std::uint32_t U32(std::uint64_t offset) const {
    Require(offset, 4);
    const std::uint8_t* p = data_ + (offset - base_);
    if (motorola_)
      return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
             p[3];
    return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
  }

  std::uint16_t U16BigEndian(std::uint64_t offset) const {
    Require(offset, 2);
    const std::uint8_t* p = data_ + (offset - base_);
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
  }

  std::string_view Bytes(std::uint64_t offset, std::uint64_t length) const {
    Require(offset, length);
    return {reinterpret_cast<const char*>(data_) + (offset - base_),
            static_cast<std::size_t>(length)};
  }

  // The bytes from offset to the end (empty when offset is outside them).
  std::string_view Rest(std::uint64_t offset) const {
    if (offset < base_ || offset - base_ >= size_) return {};
    return {reinterpret_cast<const char*>(data_) + (offset - base_),
            static_cast<std::size_t>(size_ - (offset - base_))};
  }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::uint64_t base_ = 0;
  bool motorola_ = false;
};

}  // namespace orvalis
