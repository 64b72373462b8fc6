#include "query/parser_factory.h"

#include "query/builtin_functions.h"

namespace orvalis {

std::unique_ptr<tParser> MakeParser(const std::string& expression, const tParserOptions& options,
                                    tIdentifierClass& names, tFunctionClass& functions) {
  auto parser = std::make_unique<tParser>();
  parser->Expression = expression;
  parser->StringDelimiter = options.stringDelimiter;
  parser->ArgumentSeparator = ',';
  parser->IdentifierHandler = &names;
  parser->FunctionHandler = &functions;
  parser->Locale = options.locale;
  return parser;
}

std::string CompiledText(const std::string& expression, char stringDelimiter) {
  tAnyNameHandler names;
  tCompileOnlyFunctionHandler functions;
  tParserOptions options;
  options.stringDelimiter = stringDelimiter;
  const std::unique_ptr<tParser> parser = MakeParser(expression, options, names, functions);
  if (!parser->Compile()) return "error: " + parser->ErrorText;
  return parser->PostfixText();
}

}  // namespace orvalis
