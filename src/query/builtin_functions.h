// The table of the built-in functions: names, argument counts,
// parameter and result type numbers and each one's implementation. Shared by
// the function handler of a query run and by tools that only compile. A new
// function is one row here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/locale_info.h"
#include "common/value.h"

namespace orvalis {

class tImageMetaData;

// What a function sees when it runs: its arguments (as many as the row
// says), the user's locale and the store of the current file (null when
// no file is involved).
struct tFunctionCall {
  const std::vector<Value>& args;
  const LocaleInfo& locale;
  const tImageMetaData* store;

  // Argument i as text, converted in the user's locale.
  std::string Text(std::size_t i) const;
};

struct BuiltinFunction {
  const char* name;  // lower case
  int argCount;
  std::vector<std::uint16_t> paramTypes;
  std::uint16_t resultType;
  Value (*run)(const tFunctionCall& call);
};

// hassegment and contains: they ask the store of the current file.
std::string HasSegmentText(const tImageMetaData* store, const std::string& segment);
std::string ContainsText(const tImageMetaData* store, const std::string& pattern);

// The row for a function name in any letter case, or nullptr.
const BuiltinFunction* FindBuiltinFunction(const std::string& name);
const std::vector<BuiltinFunction>& BuiltinFunctions();

}  // namespace orvalis
