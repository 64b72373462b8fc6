// Keyword help targets from the statement keywords and the tag table.
#include "engine/keyword_help.h"

#include "common/ascii_case.h"
#include "metadata/meta_entry.h"
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
  // The field pages the help build writes, one per group; the JFIF header
  // is listed on the page of the file fields, the thumbnail on the EXIF page.
  const std::pair<std::uint8_t, std::string_view> pages[] = {
      {group::kIptc, "SyntaxHelp\\iptc.htm#"},      {group::kExif, "SyntaxHelp\\exif.htm#"},
      {group::kFile, "SyntaxHelp\\file.htm#"},      {group::kApp0, "SyntaxHelp\\file.htm#"},
      {group::kThumbnail, "SyntaxHelp\\exif.htm#"}, {group::kGps, "SyntaxHelp\\gps.htm#"},
      {group::kXmp, "SyntaxHelp\\xmp.htm#"},
  };
  for (const auto& [pageGroup, page] : pages) {
    if (IsTagOfGroup(lower, pageGroup)) targets.push_back({0, std::string(page) + lower});
  }
  return targets;
}

}  // namespace orvalis
