// One decoded metadata item of a photo (tMetaEntry) with its calendar-time
// record, and the group and kind codes that say how to read it.
#pragma once

#include <cstdint>
#include <string>

#include "common/value.h"

namespace orvalis {

// Calendar time as the file-date entries carry it; all zero otherwise.
struct tDateTimeRecord {
  std::uint16_t Year = 0;
  std::uint16_t Month = 0;
  std::uint16_t DayOfWeek = 0;  // 0 = Sunday
  std::uint16_t Day = 0;
  std::uint16_t Hour = 0;
  std::uint16_t Minute = 0;
  std::uint16_t Second = 0;
  std::uint16_t Millisecond = 0;

  bool operator==(const tDateTimeRecord&) const = default;
};

// Group codes of the entries.
namespace group {
constexpr std::uint8_t kApp0 = 1;
constexpr std::uint8_t kFile = 2;
constexpr std::uint8_t kExif = 3;
constexpr std::uint8_t kThumbnail = 4;
constexpr std::uint8_t kIptc = 5;
constexpr std::uint8_t kGps = 6;
constexpr std::uint8_t kXmp = 7;
}  // namespace group

// Tags of the GPS directory that other parts of the reader look for.
namespace gps {
constexpr std::uint16_t kLatitude = 2;
constexpr std::uint16_t kLongitude = 4;
}  // namespace gps

// Kind codes: how Value and Text are to be read.
namespace kind {
constexpr std::uint8_t kOther = 0;
constexpr std::uint8_t kNumber = 1;
constexpr std::uint8_t kString = 2;
constexpr std::uint8_t kDateTime = 3;
constexpr std::uint8_t kFraction = 4;
}  // namespace kind

// Longest Text an entry keeps; Value keeps the full string.
constexpr std::size_t kMaxEntryText = 255;

struct tMetaEntry {
  tDateTimeRecord DateTime;
  ::orvalis::Value Value;
  std::string Text;  // cut to kMaxEntryText bytes (some UTF-8 texts: characters)
  std::uint8_t Group = 0;
  std::uint16_t Tag = 0;
  std::uint8_t Kind = kind::kOther;
};

// The entry's whole text, for binding, searching and export: Text, or the
// string in Value that a long Text was cut from (a caption, a comment, a
// description). Text itself stays short for lists and dumps.
const std::string& WholeText(const tMetaEntry& entry);

// Cuts a text to the length an entry's Text keeps; a UTF-8 text only
// between two characters.
void CutToEntryText(std::string& text);
inline std::string CutEntryText(std::string text) {
  CutToEntryText(text);
  return text;
}

}  // namespace orvalis
