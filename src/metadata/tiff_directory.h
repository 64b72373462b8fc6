// The working structures of the EXIF decoder: one 12-byte TIFF directory
// entry and one directory as read.
#pragma once

#include <cstdint>
#include <vector>

namespace orvalis {

struct tIfdEntry {
  std::uint16_t Tag = 0;
  std::uint16_t Type = 0;
  std::uint32_t Count = 0;
  std::uint32_t ValueField = 0;       // in the file's byte order
  std::uint8_t ValueBytes[4] = {};    // the value field as it stands in the file
};

using tIfdEntryArray = std::vector<tIfdEntry>;

// Directory kinds as the slots record them.
namespace ifd {
constexpr std::uint8_t kFirst = 0;
constexpr std::uint8_t kExif = 1;
constexpr std::uint8_t kThumbnail = 4;
constexpr std::uint8_t kGps = 6;
}  // namespace ifd

struct tIfdBlock {
  std::uint8_t Kind = ifd::kFirst;
  std::uint32_t Offset = 0;
  std::uint32_t Count = 0;
  tIfdEntryArray Entries;
  std::uint32_t NextOffset = 0;
};

}  // namespace orvalis
