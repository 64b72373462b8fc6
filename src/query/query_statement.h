// The statement object of a query (SELECT ... FROM ... WHERE ... WITH ...)
// and the splitter that fills it from the query text, plus the helpers that
// prepare a query text and split the SELECT list into its items.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// Longest query text a run, a query file or the command line takes (bytes);
// no query is near it, and a file of any size is read only this far.
constexpr std::size_t kMaxQueryLength = 64 * 1024;

struct tOrvalis {
  std::string QueryText;  // the query as typed (line breaks already CR LF)
  std::string WorkText;   // comments removed, trimmed, line breaks as blanks
  std::string FromText;   // folder and mask, without enclosing quotes
  std::string WhereText = "true";
  std::string SelectText;  // the SELECT items as one text, untrimmed
  std::string WithText;    // lower case; empty when absent
  std::int32_t TopCount = -1;
  // Where the SELECT items and the WHERE expression start in WorkText
  // (1-based; 0 when there is no such part).
  std::int32_t SelectStart = 0;
  std::int32_t WhereStart = 0;
};

// Turns every line break of a query text (LF, CR or CR LF) into CR LF: the
// splitter ends comments at a carriage return and joins lines at CR LF pairs,
// so every query text, whatever its source, passes through here first.
std::string NormalizeLineBreaks(std::string_view text);

// Splits query.QueryText into the statement parts. Returns 0 on success,
// otherwise the position of the syntax error (1-based, see the cases in the
// implementation).
int ParseQueryStatement(tOrvalis& query);

// How a list ends: closed, or still inside a literal or parentheses.
enum class tListEnd { Closed, InQuotes, InParentheses };

// Splits a list at every separator that stands outside quotes and outside
// parentheses; each item is trimmed. Separators and parentheses inside a
// literal do not count. A list that ends open keeps its last item whole;
// *end (when given) says whether and how the list ends open.
std::vector<std::string> SplitFieldList(std::string_view text, char separator, char quote,
                                        tListEnd* end = nullptr);

}  // namespace orvalis
