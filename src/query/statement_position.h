// Positions reported against the statement's work text (comments removed,
// trimmed, line breaks as blanks) mapped back into the query text as typed,
// so an editor can put its caret on the faulty character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// The 1-based position in queryText (line breaks CR LF) of the character at
// workPosition (1-based) of the work text ParseQueryStatement makes from it.
// A position past the end of the work text maps to just past its last
// character; 0 and below map to 1.
int QueryTextPosition(std::string_view queryText, int workPosition);

// The 0-based offset of each item of SplitFieldList(list, ...) inside list.
std::vector<int> FieldItemOffsets(std::string_view list, const std::vector<std::string>& items);

}  // namespace orvalis
