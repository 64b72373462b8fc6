// Command-line options of the desktop program and the split of the file
// version into its parts.
#include "i18n/program_args.h"
#include "i18n/version_info.h"
#include "support/test_names.h"

#include <gtest/gtest.h>

#include <optional>

namespace orvalis::test {
namespace {

struct OptionCase {
  const char* argument;
  bool found;
  const char* value;
  std::optional<long long> integer;
};
std::string CaseText(const OptionCase& c) { return c.argument; }
void PrintTo(const OptionCase& c, std::ostream* os) { *os << test::Quoted(c.argument); }

class ProgramArgsLcid : public ::testing::TestWithParam<OptionCase> {};

TEST_P(ProgramArgsLcid, FindsTheOptionByItsName) {
  const OptionCase& c = GetParam();
  const TArgsClass args({"/usr/bin/orvalis", "other", c.argument});
  const TArgsClass::tOption option = args.OptionText("LCID");
  EXPECT_EQ(option.found, c.found);
  EXPECT_EQ(option.value, c.value);
  EXPECT_EQ(args.OptionInteger("lcid"), c.integer);
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgramArgsLcid,
                         ::testing::Values(OptionCase{"/LCID:1033", true, "1033", 1033},
                                           OptionCase{"/lcid:1033", true, "1033", 1033},
                                           OptionCase{"/lcidx", false, "", std::nullopt},
                                           OptionCase{"/LCID:", true, "", std::nullopt},
                                           OptionCase{"/LCID", true, "", std::nullopt},
                                           OptionCase{"/LCID:12a", true, "12a", std::nullopt},
                                           OptionCase{"/LCID:1031\"rest", true, "1031", 1031},
                                           OptionCase{"x/LCID:1033", false, "", std::nullopt}),
                         test::CaseNames{});

TEST(ProgramArgs, TheFirstArgumentWithTheOptionCounts) {
  const TArgsClass args({"orvalis", "/LCID:1031", "/LCID:1033"});
  EXPECT_EQ(args.OptionInteger("LCID"), 1031);
}

TEST(ProgramArgs, DebugSwitchInAnyCaseWithSlashOrDash) {
  EXPECT_TRUE(TArgsClass({"orvalis", "-DEBUG"}).DebugRequested());
  EXPECT_TRUE(TArgsClass({"orvalis", "/Debug"}).DebugRequested());
  EXPECT_FALSE(TArgsClass({"orvalis", "/debugx", "debug"}).DebugRequested());
}

struct VersionCase {
  const char* version;
  const char* major;
  const char* minor;
  const char* release;
  const char* build;
};
std::string CaseText(const VersionCase& c) { return std::string("v") + c.version; }
void PrintTo(const VersionCase& c, std::ostream* os) { *os << test::Quoted(c.version); }

class VersionParts : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionParts, SplitAtPointsOrCommas) {
  const VersionCase& c = GetParam();
  TCEVersionInfo info;
  info.SetFileVersion(c.version);
  EXPECT_EQ(info.MajorVersion, c.major);
  EXPECT_EQ(info.MinorVersion, c.minor);
  EXPECT_EQ(info.Release, c.release);
  EXPECT_EQ(info.Build, c.build);
}

INSTANTIATE_TEST_SUITE_P(Rows, VersionParts,
                         ::testing::Values(VersionCase{"1.1.0.12", "1", "1", "0", "12"},
                                           VersionCase{"1,1,0,12", "1", "1", "0", "12"},
                                           VersionCase{"2.5", "2", "5", "", ""},
                                           VersionCase{"1.2.3.4.5", "1", "2", "3", "4.5"},
                                           VersionCase{"", kInfoNotAvailable, kInfoNotAvailable,
                                                       kInfoNotAvailable, kInfoNotAvailable},
                                           VersionCase{"7", kInfoNotAvailable, kInfoNotAvailable,
                                                       kInfoNotAvailable, kInfoNotAvailable}),
                         test::CaseNames{});

TEST(VersionInfo, ThisProgramCarriesTheBuildVersion) {
  const TCEVersionInfo info = TCEVersionInfo::ForThisProgram();
  EXPECT_EQ(info.FileVersion, std::string(ORVALIS_VERSION) + ".0");
  EXPECT_EQ(info.ProductName, "Orvalis");
  EXPECT_NE(info.MajorVersion, kInfoNotAvailable);
}

}  // namespace
}  // namespace orvalis::test
