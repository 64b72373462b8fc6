#include "output/display_text.h"

#include <gtest/gtest.h>

namespace orvalis::test {

TEST(DisplayText, ValidUtf8StaysAsItIs) {
  EXPECT_EQ(ToDisplayUtf8("M\xC3\xBCnchen"), "M\xC3\xBCnchen");
  EXPECT_EQ(ToDisplayUtf8(""), "");
  EXPECT_EQ(ToDisplayUtf8("\xF0\x9F\x93\xB7"), "\xF0\x9F\x93\xB7");
}

TEST(DisplayText, OtherBytesAreReadAsWindows1252) {
  EXPECT_EQ(ToDisplayUtf8("M\xFCnchen"), "M\xC3\xBCnchen");
  EXPECT_EQ(ToDisplayUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(ToDisplayUtf8("\x81"), "\xC2\x81");      // unassigned: kept as C1
}

TEST(DisplayText, RejectsBrokenUtf8Forms) {
  EXPECT_FALSE(IsValidUtf8("\xC3"));              // cut short
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_TRUE(IsValidUtf8("plain"));
}

}  // namespace orvalis::test
