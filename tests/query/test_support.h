// Handlers and helpers shared by the query tests: every name is a field, the
// twelve built-in names are functions.
#pragma once

#include <string>

#include "query/parser_factory.h"

namespace orvalis::test {

// The compile-only handlers every compiling tool uses.
using AnyName = tAnyNameHandler;
using BuiltinNames = tCompileOnlyFunctionHandler;

// Compiles text; returns the postfix form or "error: " + the error text.
inline std::string CompileToText(const std::string& text, char delimiter = '\'') {
  return CompiledText(text, delimiter);
}

}  // namespace orvalis::test
