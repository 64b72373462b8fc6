// Keyword help targets from the statement keywords and the tag table.
#include "engine/keyword_help.h"

#include "common/ascii_case.h"
#include "metadata/tag_table.h"

#include <cstdint>

namespace orvalis {

namespace {

struct tKeywordContext {
  std::string_view Word;
  int Context;
};
constexpr tKeywordContext kKeywordContexts[] = {
    {"select", 1000}, {"from", 2000}, {"where", 3000}, {"with", 4000}};

// Group codes of the tag table.
constexpr std::uint8_t kFileGroup = 2;
constexpr std::uint8_t kExifGroup = 3;
constexpr std::uint8_t kThumbnailGroup = 4;
constexpr std::uint8_t kIptcGroup = 5;
constexpr std::uint8_t kGpsGroup = 6;
constexpr std::uint8_t kXmpGroup = 7;

bool IsTagOfGroup(std::string_view word, std::uint8_t group) {
  for (const tTagRow& row : TagTable) {
    if (row.Group == group && EqualsNoCase(row.Name, word)) return true;
  }
  return false;
}

}  // namespace

std::vector<tHelpTarget> KeywordHelpTargets(std::string_view word) {
  const std::string lower = AsciiLower(word);
  std::vector<tHelpTarget> targets;
  if (lower.empty()) return targets;
  for (const tKeywordContext& keyword : kKeywordContexts) {
    if (lower == keyword.Word) {
      targets.push_back({keyword.Context, {}});
      return targets;
    }
  }
  // The header of JFIF (group 1) has no page.
  const std::pair<std::uint8_t, std::string_view> pages[] = {
      {kIptcGroup, "SyntaxHelp\\iptc.htm#"},
      {kExifGroup, "SyntaxHelp\\exif.htm#"},
      {kFileGroup, "SyntaxHelp\\file.htm#"},
      {kThumbnailGroup, "SyntaxHelp\\exif.htm#"},
      {kGpsGroup, "SyntaxHelp\\gps.htm#"},
      {kXmpGroup, "SyntaxHelp\\xmp.htm#"},
  };
  for (const auto& [group, page] : pages) {
    if (IsTagOfGroup(lower, group)) targets.push_back({0, std::string(page) + lower});
  }
  return targets;
}

}  // namespace orvalis
