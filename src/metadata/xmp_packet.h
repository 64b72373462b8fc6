// Reading an XMP packet: the RDF properties photo managers write (rating,
// label, title, keywords, places, dates, lens) as one text each, with an
// XML parser that expands no entities and loads nothing from outside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// Item numbers of the XMP group; the tag table names them.
namespace xmp {
constexpr std::uint16_t kRating = 1;
constexpr std::uint16_t kLabel = 2;
constexpr std::uint16_t kTitle = 3;
constexpr std::uint16_t kDescription = 4;
constexpr std::uint16_t kCreator = 5;
constexpr std::uint16_t kSubject = 6;
constexpr std::uint16_t kHierarchicalSubject = 7;
constexpr std::uint16_t kRights = 8;
constexpr std::uint16_t kHeadline = 9;
constexpr std::uint16_t kCreateDate = 10;
constexpr std::uint16_t kModifyDate = 11;
constexpr std::uint16_t kDateCreated = 12;
constexpr std::uint16_t kCity = 13;
constexpr std::uint16_t kState = 14;
constexpr std::uint16_t kCountry = 15;
constexpr std::uint16_t kLocation = 16;
constexpr std::uint16_t kPersonInImage = 17;
constexpr std::uint16_t kLens = 18;
constexpr std::size_t kFieldCount = 18;
}  // namespace xmp

// The largest packet read: what one APP1 segment can hold after the XMP
// header. Anything longer is refused unread.
constexpr std::size_t kMaxXmpPacket = 65535;
// Elements nested deeper than this end the reading.
constexpr std::size_t kMaxXmpDepth = 100;

struct tXmpField {
  std::uint16_t Tag = 0;
  std::string Text;  // UTF-8; lists joined with ";", dates in the EXIF form
};

struct tXmpReading {
  std::vector<tXmpField> Fields;  // in item-number order, each item once
  std::string Error;              // empty when the packet was read whole
};

// Reads the packet. A packet that is not well-formed XML, declares a
// document type, nests too deep or is too long gives no fields and says why.
tXmpReading ReadXmpPacket(std::string_view packet);

// An XMP date (2023-07-15T10:20:30+02:00, 2023-07-15, 2023) in the form
// EXIF dates have (2023:07:15 10:20:30, 2023:07:15, 2023), so both compare as
// text; the zone and fractions of a second are left out. Anything else is
// returned unchanged.
std::string XmpDateAsExif(std::string_view date);

}  // namespace orvalis
