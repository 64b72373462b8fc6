// Keyword help: which help pages belong to a word of the query text. The four
// statement keywords have help contexts of their own; a field name leads to
// the page of its group in the query syntax help, anchored at the name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// One page to show: a help context number, or (Context 0) a topic path
// inside the help such as "SyntaxHelp\exif.htm#make".
struct tHelpTarget {
  int Context = 0;
  std::string Topic;

  bool operator==(const tHelpTarget&) const = default;
};

// The pages for a word (ASCII letters, any case). A field name of several
// groups gives one page per group; a word that is nothing known gives none.
std::vector<tHelpTarget> KeywordHelpTargets(std::string_view word);

}  // namespace orvalis
