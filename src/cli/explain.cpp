// orvalis-cli --explain: prints the statement parts of a query and the
// postfix form of every SELECT item and of the WHERE text, running nothing.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/text.h"
#include "engine/query_diagnostics.h"
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
    const std::string hint = StatementErrorHint(query, errorAt);
    PrintLine("error: " + Text(tText::QuerySyntaxError) + " (" + std::to_string(errorAt) + ")" +
              (hint.empty() ? "" : " " + hint));
    return kExitRefused;
  }

  PrintLine("select: " + query.SelectText);
  PrintLine("from: " + query.FromText);
  PrintLine("where: " + query.WhereText);
  PrintLine("with: " + query.WithText);
  PrintLine("top: " + std::to_string(query.TopCount));

  tAnyNameHandler names;
  tCompileOnlyFunctionHandler functions;
  const tParserOptions options{delimiter, LocaleInfo::English()};
  std::vector<std::unique_ptr<tParser>> parsers;
  bool allCompiled = true;
  // The postfix form, or "error: " and what a run would say.
  const auto explain = [&](const std::string& expression) {
    parsers.push_back(MakeParser(expression, options, names, functions));
    tParser& parser = *parsers.back();
    int sqlColumn = 0;
    std::string error =
        parser.Compile() ? SqlWordProblem(parser, sqlColumn) : CompileErrorMessage(parser);
    if (error.empty()) return parser.PostfixText();
    allCompiled = false;
    return "error: " + error;
  };

  int column = 0;
  tListEnd selectEnd = tListEnd::Closed;
  const std::vector<std::string> items =
      SplitFieldList(query.SelectText, ',', delimiter, &selectEnd);
  if (selectEnd != tListEnd::Closed) {
    // A run refuses a list that ends inside a literal or parentheses.
    PrintLine("error: " + Text(selectEnd == tListEnd::InQuotes ? tText::SelectListOpenString
                                                               : tText::SelectListOpenParenthesis));
    allCompiled = false;
  }
  for (const std::string& item : items) {
    PrintLine("column " + std::to_string(++column) + ": " + item + " => " + explain(item));
  }
  PrintLine("where => " + explain(query.WhereText));
  std::vector<const tParser*> compiled;
  for (const auto& parser : parsers) compiled.push_back(parser.get());
  for (const std::string& notice : UnknownNameNotices(compiled)) PrintLine("notice: " + notice);
  // A query that a run would refuse ends with the refusal status.
  return allCompiled ? kExitOk : kExitRefused;
}

}  // namespace orvalis::cli
