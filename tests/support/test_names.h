// Readable names for the rows of parametrized tests, so a listing shows what
// each row checks and a filter can pick one row by its name.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace orvalis::test {

// A test name made of letters, digits and '_' only, as GoogleTest requires:
// operators become words ("a + b" -> "a_plus_b"), other characters separate
// words, bytes outside ASCII are written in hex. Never empty.
std::string TestNameFromText(std::string_view text);

// TestNameFromText, made unique within one table: a name already given to an
// earlier row of the same table gets "_2", "_3", ... GoogleTest names the
// rows of a table in order, starting at index 0 for every table.
std::string UniqueTestName(std::size_t index, std::string_view text);

// A text as a C++ string literal, for the PrintTo of a table row: quotes,
// backslashes, control characters and bytes outside ASCII are escaped.
// A null pointer is written as nullptr.
std::string Quoted(std::string_view text);
std::string Quoted(const char* text);

// Name generator for INSTANTIATE_TEST_SUITE_P: names each row by the text
// that CaseText(row) gives; CaseText is declared beside the row's struct.
struct CaseNames {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return UniqueTestName(info.index, CaseText(info.param));
  }
};

}  // namespace orvalis::test
