// Handlers and helpers shared by the query tests: every name is a field, the
// twelve built-in names are functions.
#pragma once

#include <string>

#include "query/builtin_functions.h"
#include "query/parser.h"

namespace orvalis::testing {

class AnyName : public tIdentifierClass {
 public:
  bool IsIdentifier(const std::string&) override { return true; }
  bool GetValue(const std::string&, Value&) override { return false; }
  std::uint16_t GetValueType(const std::string&) override { return 0; }
};

class BuiltinNames : public tFunctionClass {
 public:
  bool IsFunction(const std::string& name) override { return FindBuiltinFunction(name); }
  std::uint16_t GetResultType(const std::string&) override { return 13; }
  int GetArgCount(const std::string& name) override {
    const BuiltinFunction* f = FindBuiltinFunction(name);
    return f ? f->argCount : 255;
  }
  void GetParamTypes(const std::string& name, std::vector<std::uint16_t>& types) override {
    const BuiltinFunction* f = FindBuiltinFunction(name);
    types = f ? f->paramTypes : std::vector<std::uint16_t>{};
  }
  void Execute(const std::string&, const std::vector<Value>&, Value& result) override {
    result = Value();
  }
};

// Compiles text; returns the postfix form or "error: " + the error text.
inline std::string CompileToText(const std::string& text, char delimiter = '\'') {
  AnyName names;
  BuiltinNames functions;
  tParser parser;
  parser.Expression = text;
  parser.StringDelimiter = delimiter;
  parser.IdentifierHandler = &names;
  parser.FunctionHandler = &functions;
  if (!parser.Compile()) return "error: " + parser.ErrorText;
  return parser.PostfixText();
}

}  // namespace orvalis::testing
