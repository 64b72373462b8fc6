// What a query says when it cannot mean what was typed: the compiler's
// refusals in the user's language, the SQL words the language does not have
// with its own way of saying them, and names that are no field, variable or
// function with the nearest known names. Shared by the query run and
// orvalis-cli --explain, so both say the same.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

class tParser;
struct tOrvalis;

// The message for a failed compile, with a hint where the text reads as SQL
// (LIKE, IN (...), BETWEEN, LIMIT, ORDER BY, IS NULL, "=" and "<>").
std::string CompileErrorMessage(const tParser& parser);

// A compiled expression that holds an SQL word the language lacks: blanks
// join words into one name, so "Make IS NOT NULL" compiles to the single
// unknown name MakeISNOTNULL. Returns the hint (empty when there is none)
// and sets column to where the name starts.
std::string SqlWordProblem(const tParser& parser, int& column);

// One notice per name that is no field, variable or function, in the order
// the names first appear over the parsers, letter case ignored:
// "Unbekannter Feldname: ISOSpeedRatings; gemeint ist vielleicht ISOSpeedRating".
std::vector<std::string> UnknownNameNotices(const std::vector<const tParser*>& parsers);

// A hint for the statement word at which splitting failed (ORDER, LIMIT), or
// empty.
std::string StatementErrorHint(const tOrvalis& statement, int position);

// Whether a name is a field of the tag table (also with the "#" of its
// stored number) or the variable rownum.
bool IsKnownName(std::string_view name);

// Up to three known names closest to name (letter case ignored, small edit
// distance): field and variable names, or with functions set the function
// names.
std::vector<std::string> NearestNames(std::string_view name, bool functions);

}  // namespace orvalis
