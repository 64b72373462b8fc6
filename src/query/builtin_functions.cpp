// The table of the built-in functions.
#include "query/builtin_functions.h"

#include "common/ascii_case.h"
#include "query/handlers.h"

namespace orvalis {

const std::vector<BuiltinFunction>& BuiltinFunctions() {
  using namespace type_number;
  static const std::vector<BuiltinFunction> table = {
      {"upper", 1, {kText}, kText},
      {"lower", 1, {kText}, kText},
      {"datepart", 2, {kText, kText}, kInteger},
      {"pad", 2, {kText, kFloat}, kText},
      {"isnull", 2, {kAny, kAny}, kAny},
      {"if", 3, {kBoolean, kAny, kAny}, kAny},
      {"ascii", 1, {kFloat}, kText},
      {"match", 2, {kText, kText}, kBoolean},
      {"hassegment", 1, {kText}, kBoolean},
      {"contains", 1, {kText}, kText},
      {"dateformat", 2, {kText, kText}, kText},
      {"numformat", 2, {kAny, kText}, kText},
  };
  return table;
}

const BuiltinFunction* FindBuiltinFunction(const std::string& name) {
  for (const BuiltinFunction& f : BuiltinFunctions()) {
    if (EqualsNoCase(name, f.name)) return &f;
  }
  return nullptr;
}

}  // namespace orvalis
