// Number texts and rounding of derived values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "metadata/byte_reader.h"
#include "metadata/number_text.h"

namespace orvalis::test {
namespace {

TEST(NumberText, ShortestForm) {
  // clang-format off
  const std::pair<double, const char*> cases[] = {
      {0, "0"},           {2.8, "2.8"},          {72, "72"},          {-0.5, "-0.5"},
      {0.1 + 0.2, "0.3"}, {1e-6, "1E-6"},        {0.00001, "0.00001"}, {1.5e-7, "1.5E-7"},
      {1e15, "1E15"},     {123456789012345.0, "123456789012345"},   {4294967295.0, "4294967295"},
      {1.0 / 3, "0.333333333333333"},            {2.83, "2.83"},      {-1e20, "-1E20"},
  };
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << value;
}

TEST(NumberText, Rounding) {
  const std::tuple<double, int, double> cases[] = {
      {2.5, 0, 3},     {-2.5, 0, -3},   {-2.7, 0, -3},      {2.4, 0, 2},   {2.8, 1, 2.8},
      {2.83, 2, 2.83}, {-0.5, 2, -0.5}, {1.0 / 3, 2, 0.33}, {0.004, 0, 0},
  };
  for (const auto& [x, n, expected] : cases)
    EXPECT_EQ(RoundDecimals(x, n), expected) << x << " " << n;
  EXPECT_THROW(RoundDecimals(1e300, 0), tMetadataError);
  EXPECT_THROW(RoundDecimals(std::numeric_limits<double>::infinity(), 0), tMetadataError);
  EXPECT_THROW(RoundDecimals(std::nan(""), 1), tMetadataError);
}

}  // namespace
}  // namespace orvalis::test
