// Keyword help: the help pages a word of the query text leads to.
#include "engine/keyword_help.h"

#include "support/test_names.h"

#include <gtest/gtest.h>

namespace orvalis {

// Found by the failure messages next to tHelpTarget.
void PrintTo(const tHelpTarget& t, std::ostream* os) {
  *os << t.Context << ' ' << test::Quoted(t.Topic);
}

namespace {

struct tHelpCase {
  const char* Word;
  std::vector<tHelpTarget> Targets;
};
std::string CaseText(const tHelpCase& c) { return c.Word[0] ? c.Word : "empty"; }
void PrintTo(const tHelpCase& c, std::ostream* os) { *os << test::Quoted(c.Word); }

class KeywordHelp : public ::testing::TestWithParam<tHelpCase> {};

TEST_P(KeywordHelp, LeadsToItsPages) {
  EXPECT_EQ(KeywordHelpTargets(GetParam().Word), GetParam().Targets);
}

INSTANTIATE_TEST_SUITE_P(
    Words, KeywordHelp,
    ::testing::Values(tHelpCase{"SELECT", {{1000, ""}}}, tHelpCase{"from", {{2000, ""}}},
                      tHelpCase{"Where", {{3000, ""}}}, tHelpCase{"with", {{4000, ""}}},
                      tHelpCase{"Make", {{0, "SyntaxHelp\\exif.htm#make"}}},
                      tHelpCase{"keywords", {{0, "SyntaxHelp\\iptc.htm#keywords"}}},
                      tHelpCase{"Size", {{0, "SyntaxHelp\\file.htm#size"}}},
                      tHelpCase{"PreviewImageWidth",
                                {{0, "SyntaxHelp\\exif.htm#previewimagewidth"}}},
                      tHelpCase{"XDensity", {{0, "SyntaxHelp\\file.htm#xdensity"}}},
                      tHelpCase{"GPSLatitude", {{0, "SyntaxHelp\\gps.htm#gpslatitude"}}},
                      tHelpCase{"XmpRating", {{0, "SyntaxHelp\\xmp.htm#xmprating"}}},
                      // Functions and unknown words have no page.
                      tHelpCase{"upper", {}}, tHelpCase{"Mak", {}}, tHelpCase{"", {}}),
    test::CaseNames());

}  // namespace
}  // namespace orvalis
