// The table of the twelve built-in functions: names, argument counts,
// parameter and result type numbers. Shared by the function handler of a
// query run and by tools that only compile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvalis {

struct BuiltinFunction {
  const char* name;  // lower case
  int argCount;
  std::vector<std::uint16_t> paramTypes;
  std::uint16_t resultType;
};

// The row for a function name in any letter case, or nullptr.
const BuiltinFunction* FindBuiltinFunction(const std::string& name);
const std::vector<BuiltinFunction>& BuiltinFunctions();

}  // namespace orvalis
