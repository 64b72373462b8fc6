// orvalis-cli --explain: prints the statement parts of a query and the
// postfix form of every SELECT item and of the WHERE text, running nothing.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/text.h"
#include "i18n/catalogue.h"
#include "output/display_text.h"
#include "query/parser_factory.h"
#include "query/query_statement.h"

namespace orvalis::cli {

namespace {

void PrintLine(const std::string& line) { std::cout << ToDisplayUtf8(line) << '\n'; }

}  // namespace

int RunExplain(const Arguments& args) {
  char delimiter = '\'';
  const std::string* queryArg = nullptr;
  for (const std::string& arg : args) {
    if (arg == "--double-quote") {
      delimiter = '"';
    } else if (queryArg == nullptr) {
      queryArg = &arg;
    } else {
      return UsageError("--explain takes one query text");
    }
  }
  if (queryArg == nullptr) return UsageError("--explain needs a query text");

  tOrvalis query;
  query.QueryText = NormalizeLineBreaks(*queryArg);
  if (Trim(query.QueryText).empty()) {
    PrintLine("error: " + Text(tText::NoQueryText));
    return kExitRefused;
  }
  const int errorAt = ParseQueryStatement(query);
  if (errorAt != 0) {
    PrintLine("error: " + Text(tText::QuerySyntaxError) + " (" +
              std::to_string(errorAt) + ")");
    return kExitRefused;
  }

  PrintLine("select: " + query.SelectText);
  PrintLine("from: " + query.FromText);
  PrintLine("where: " + query.WhereText);
  PrintLine("with: " + query.WithText);
  PrintLine("top: " + std::to_string(query.TopCount));

  bool allCompiled = true;
  int column = 0;
  tListEnd selectEnd = tListEnd::Closed;
  const std::vector<std::string> items = SplitFieldList(query.SelectText, ',', delimiter, &selectEnd);
  if (selectEnd != tListEnd::Closed) {
    // A run refuses a list that ends inside a literal or parentheses.
    PrintLine("error: " + Text(selectEnd == tListEnd::InQuotes ? tText::SelectListOpenString
                                                               : tText::SelectListOpenParenthesis));
    allCompiled = false;
  }
  for (const std::string& item : items) {
    const std::string compiled = CompiledText(item, delimiter);
    allCompiled = allCompiled && compiled.rfind("error: ", 0) != 0;
    PrintLine("column " + std::to_string(++column) + ": " + item + " => " + compiled);
  }
  const std::string where = CompiledText(query.WhereText, delimiter);
  allCompiled = allCompiled && where.rfind("error: ", 0) != 0;
  PrintLine("where => " + where);
  // A query that a run would refuse ends with the refusal status.
  return allCompiled ? kExitOk : kExitRefused;
}

}  // namespace orvalis::cli
