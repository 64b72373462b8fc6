#include "common/rounding.h"
#include "common/text.h"
#include "common/utf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orvalis::test {

TEST(Trim, OnlyTheGivenBlanksGo) {
  EXPECT_EQ(Trim(" \tkey \t", " \t"), "key");
  EXPECT_EQ(Trim("\t key ", " "), "\t key");
  EXPECT_EQ(Trim("   ", " "), "");
  EXPECT_EQ(Trim("", " "), "");
}

TEST(Utf16ToUtf8, DecodesBothByteOrders) {
  struct Case {
    const char* what;
    std::string bytes;
    bool bigEndian;
    std::string utf8;
  } cases[] = {
      {"little endian", std::string("G\0\xFC\0", 4), false, "G\xC3\xBC"},
      {"big endian", std::string("\0G\0\xFC", 4), true, "G\xC3\xBC"},
      {"surrogate pair", std::string("\x3D\xD8\x00\xDE", 4), false, "\xF0\x9F\x98\x80"},
      {"lone high surrogate",
       std::string("\x3D\xD8"
                   "a\0",
                   4),
       false,
       "\xEF\xBF\xBD"
       "a"},
      {"lone low surrogate", std::string("\x00\xDE", 2), false, "\xEF\xBF\xBD"},
      {"zero unit kept", std::string("a\0\0\0b\0", 6), false, std::string("a\0b", 3)},
      {"odd last byte dropped", std::string("a\0b", 3), false, "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Utf16ToUtf8(c.bytes, c.bigEndian), c.utf8);
  }
}

TEST(FirstUtf8Characters, CutsBetweenCharacters) {
  EXPECT_EQ(FirstUtf8Characters("\xC3\xA4\xC3\xB6\xC3\xBC", 2), "\xC3\xA4\xC3\xB6");
  EXPECT_EQ(FirstUtf8Characters("ab", 5), "ab");
  EXPECT_EQ(FirstUtf8Characters("ab", 0), "");
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
}

TEST(RoundHalfEven, NothingWhereNoIntegerHoldsTheValue) {
  EXPECT_FALSE(RoundHalfEven(1e19).has_value());
  EXPECT_FALSE(RoundHalfEven(-1e19).has_value());
  EXPECT_FALSE(RoundHalfEven(std::nan("")).has_value());
}

}  // namespace orvalis::test
