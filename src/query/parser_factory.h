// One way to set up an expression compiler: the driver's columns and WHERE
// part, --explain, --eval and the tests all make their tParser here, and
// tools that only compile share one pair of compile-only handlers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "query/function_handler.h"
#include "query/handlers.h"
#include "common/locale_info.h"
#include "query/parser.h"

namespace orvalis {

struct tParserOptions {
  char stringDelimiter = '\'';  // '"' with the double-quote setting
  LocaleInfo locale = LocaleInfo::English();
};

// A parser for expression with the argument separator "," and the given
// handlers; the handlers must outlive it. Not compiled yet.
std::unique_ptr<tParser> MakeParser(const std::string& expression, const tParserOptions& options,
                                    tIdentifierClass& names, tFunctionClass& functions);

// Compiling only: every name is a field without a value.
class tAnyNameHandler : public tIdentifierClass {
 public:
  bool IsIdentifier(const std::string&) override { return true; }
  bool GetValue(const std::string&, Value&) override { return false; }
  std::uint16_t GetValueType(const std::string&) override { return 0; }
};

// Compiles expression with the compile-only handlers: its postfix form, or
// "error: " and the compiler's reason.
std::string CompiledText(const std::string& expression, char stringDelimiter = '\'');

}  // namespace orvalis
