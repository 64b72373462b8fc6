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
  std::uint32_t ValueField = 0;     // in the file's byte order
  std::uint8_t ValueBytes[4] = {};  // the value field as it stands in the file
};

using tIfdEntryArray = std::vector<tIfdEntry>;

// The field types an entry's Type names.
namespace fieldtype {
constexpr std::uint16_t kByte = 1;
constexpr std::uint16_t kAscii = 2;
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 4;
constexpr std::uint16_t kRational = 5;
constexpr std::uint16_t kUndefined = 7;
constexpr std::uint16_t kSShort = 8;
constexpr std::uint16_t kSLong = 9;
constexpr std::uint16_t kSRational = 10;
}  // namespace fieldtype

// Directory kinds as the slots record them.
namespace ifd {
constexpr std::uint8_t kFirst = 0;
constexpr std::uint8_t kExif = 1;
constexpr std::uint8_t kThumbnail = 4;
constexpr std::uint8_t kGps = 6;
}  // namespace ifd

// The directory a TIFF structure's header leads to first: IFD0 with its
// chain and sub-directories, or (as a CR3 keeps them) an Exif or a GPS
// directory standing alone.
enum class tTiffFirst : std::uint8_t { Ifd0, Exif, Gps };

struct tIfdBlock {
  std::uint8_t Kind = ifd::kFirst;
  std::uint32_t Offset = 0;
  std::uint32_t Count = 0;
  tIfdEntryArray Entries;
  std::uint32_t NextOffset = 0;

  // Empty again; the entry array keeps its room for the next file.
  void Reset() {
    Kind = ifd::kFirst;
    Offset = Count = NextOffset = 0;
    Entries.clear();
  }
};

}  // namespace orvalis
