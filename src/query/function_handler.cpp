// The built-in functions of the query language, run through their rows in
// the built-in function table.
#include "query/function_handler.h"

#include "query/builtin_functions.h"
#include "query/exceptions.h"

namespace orvalis {

tMyFunctionHandler::tMyFunctionHandler(tImageMetaData* store, LocaleInfo locale)
    : store_(store), locale_(std::move(locale)) {}

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

void tMyFunctionHandler::Execute(const std::string& name, const std::vector<Value>& args,
                                 Value& result) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  result = Value();
  if (f == nullptr || args.size() < static_cast<size_t>(f->argCount)) return;
  try {
    result = f->run(tFunctionCall{args, locale_, store_});
  } catch (const ELimitException& e) {
    if (limitReached_.empty()) limitReached_ = e.what();
    throw;
  }
}

}  // namespace orvalis
