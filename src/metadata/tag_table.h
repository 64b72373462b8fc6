// The vocabulary of the metadata reader: every known (group, tag) pair with
// the field name users write in queries and the rule that gives its value.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orvalis {

struct tCodeTexts;
struct tMetaEntry;
struct tTagRuleInput;

// What the EXIF reader does to an entry of the tag beyond the conversion
// every entry gets (metadata/tag_rules.h).
using tTagRule = void (*)(const tTagRuleInput& input, tMetaEntry& entry);

struct tTagRow {
  std::uint16_t Tag;
  std::string_view Name;
  std::uint8_t Group;  // group::k...
  // A code that becomes a text (metadata/tag_codes.h), or a rule of its own;
  // neither: the value stays as read. The thumbnail directory's tags take
  // the codes and rule of the EXIF row with the same tag.
  const tCodeTexts* Codes = nullptr;
  tTagRule Rule = nullptr;
};

// Every row; a new tag is one row of tag_table.cpp.
extern const std::span<const tTagRow> TagTable;

// The first row of (group, tag), or nullptr.
const tTagRow* FindTagRow(std::uint8_t group, std::uint16_t tag);

}  // namespace orvalis
