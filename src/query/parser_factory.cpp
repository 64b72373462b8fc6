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

bool tCompileOnlyFunctionHandler::IsFunction(const std::string& name) {
  return FindBuiltinFunction(name) != nullptr;
}

std::uint16_t tCompileOnlyFunctionHandler::GetResultType(const std::string& name) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  return f ? f->resultType : type_number::kNoType;
}

int tCompileOnlyFunctionHandler::GetArgCount(const std::string& name) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  return f ? f->argCount : 255;
}

void tCompileOnlyFunctionHandler::GetParamTypes(const std::string& name,
                                                std::vector<std::uint16_t>& types) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  types = f ? f->paramTypes : std::vector<std::uint16_t>{};
}

void tCompileOnlyFunctionHandler::Execute(const std::string&, const std::vector<Value>&,
                                          Value& result) {
  result = Value();
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
