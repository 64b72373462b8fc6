// The vocabulary of the metadata reader: every known (group, tag) pair with
// the field name users write in queries.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvalis {

struct tTagRow {
  std::uint16_t Tag;
  std::string_view Name;
  std::uint8_t Group;
};

constexpr std::size_t kTagTableSize = 245;

extern const std::array<tTagRow, kTagTableSize> TagTable;

}  // namespace orvalis
