// The built-in function table: every row can be compiled against and run.
#include <gtest/gtest.h>

#include "query/builtin_functions.h"

namespace orvalis::test {
namespace {

// A row without its implementation or with a signature of the wrong length
// would crash or misread arguments in a run.
TEST(BuiltinFunctionTable, EveryRowIsComplete) {
  for (const BuiltinFunction& f : BuiltinFunctions()) {
    SCOPED_TRACE(f.name);
    EXPECT_NE(f.run, nullptr);
    EXPECT_EQ(f.paramTypes.size(), static_cast<std::size_t>(f.argCount));
    EXPECT_EQ(FindBuiltinFunction(f.name), &f);
  }
}

}  // namespace
}  // namespace orvalis::test
