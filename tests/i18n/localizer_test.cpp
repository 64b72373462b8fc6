// The translator: the language table's look-ups, picking the file for a
// locale, reading hostile language files, window and page entries, both
// message forms, listing and switching languages, and the shipped English
// file against the catalogue.
#include "i18n/catalogue.h"
#include "i18n/language_table.h"
#include "i18n/localizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/test_names.h"

namespace orvalis::test {
namespace {

namespace fs = std::filesystem;

// A fresh language folder per test, removed afterwards.
class LanguageFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              ("orvalis-lang-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    SetMessageSource(nullptr);
    fs::remove_all(folder_);
  }
  void Write(const std::string& name, std::string_view bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string Folder() const { return folder_.string() + "/"; }
  std::string FileName(const TLocalizerClass& localizer) const {
    return localizer.LanguageFile().empty()
               ? ""
               : fs::path(localizer.LanguageFile()).filename().string();
  }

  fs::path folder_;
};

// ---- Language table ------------------------------------------------------------

TEST(LanguageTable, HasEveryRow) { EXPECT_EQ(LanguageTable().size(), 133u); }

TEST(LanguageTable, LooksUpByLocaleCodeAndName) {
  EXPECT_EQ(CodeForLocale(3079), "de-at");
  EXPECT_EQ(CodeForLocale(3079, false), "German-Austria");
  EXPECT_EQ(PrimaryCodeForLocale(3079), "de");
  EXPECT_EQ(PrimaryCodeForLocale(1032), "el");
  EXPECT_EQ(CodeForLocale(999), "???");
  EXPECT_EQ(PrimaryCodeForLocale(999), "???");
  EXPECT_EQ(NameForCode("EN-US"), "English-United States");
  EXPECT_EQ(NameForCode("xx"), "???");
  EXPECT_EQ(CodeForName("german-switzerland"), "de-ch");
  EXPECT_EQ(CodeForName("Klingon"), "???");
}

TEST(LanguageTable, FirstRowOfARepeatedCodeWins) {
  EXPECT_EQ(NameForCode("az-az"), "Azeri-Latin");
  EXPECT_EQ(NameForCode("no-no"), "Norwegian-Bokm\u00D5l");
  EXPECT_EQ(LocaleForCode("uz-uz"), 2115);
  EXPECT_EQ(CodeForName("Norwegian-Nynorsk"), "no-no");
}

TEST(LanguageTable, SystemLocaleNamesBecomeCodes) {
  EXPECT_EQ(CodeForSystemLocale("de_AT"), "de-at");
  EXPECT_EQ(CodeForSystemLocale("en_US.UTF-8"), "en-us");
  EXPECT_EQ(CodeForSystemLocale("sr_RS@latin"), "sr-rs");
  EXPECT_EQ(CodeForSystemLocale("C"), "");
  EXPECT_EQ(CodeForSystemLocale("C.UTF-8"), "");
}

TEST(LocaleOption, NeedsAnInteger) {
  EXPECT_EQ(LocaleOption({"/LCID:3079"}), 3079);
  // The first argument that names the option counts, even when its value is
  // no number.
  EXPECT_EQ(LocaleOption({"/lcid:1033", "/LCID:x"}), 1033);
  EXPECT_EQ(LocaleOption({"/LCID:x", "/lcid:1033"}), std::nullopt);
  EXPECT_EQ(LocaleOption({"LCID:1033", "/LCID", "/LCID:", "/LCID:12 "}), std::nullopt);
}

// ---- Picking the file for a locale ----------------------------------------------

TEST_F(LanguageFolder, AustrianLocaleTakesItsOwnFileFirst) {
  Write("de-at.lng", "[Messages]\nConfirmExit=Servus?\n");
  Write("de.lng", "[Messages]\nConfirmExit=Beenden?\n");
  EXPECT_EQ(FileName(TLocalizerClass(Folder(), 3079)), "de-at.lng");
}

TEST_F(LanguageFolder, AustrianLocaleFallsBackOnThePrimaryCode) {
  Write("de.lng", "[Messages]\nConfirmExit=Beenden?\n");
  const TLocalizerClass localizer(Folder(), 3079);
  EXPECT_EQ(FileName(localizer), "de.lng");
  EXPECT_EQ(localizer.Message("ConfirmExit"), "Beenden?");
}

TEST_F(LanguageFolder, LocaleOutsideTheTableLoadsNothing) {
  Write("de.lng", "[Messages]\nConfirmExit=Beenden?\n");
  const TLocalizerClass localizer(Folder(), 12345);
  EXPECT_EQ(localizer.LanguageFile(), "");
  EXPECT_EQ(localizer.Message("ConfirmExit"), "");
  EXPECT_EQ(localizer.MessageOrDefault("ConfirmExit", "Programm beenden?"), "Programm beenden?");
}

TEST_F(LanguageFolder, OversizedFileIsRefused) {
  Write("en.lng",
        "[Messages]\nConfirmExit=Quit?\n" + std::string(tLanguageFile::kMaxFileBytes, ';'));
  std::vector<std::string> debug;
  const TLocalizerClass localizer(Folder(), 1033,
                                  [&](std::string_view text) { debug.emplace_back(text); });
  EXPECT_EQ(localizer.LanguageFile(), "");
  ASSERT_EQ(debug.size(), 1u);
  EXPECT_NE(debug[0].find("too large"), std::string::npos);
}

TEST_F(LanguageFolder, FolderThatIsMissingLeavesTheGermanTexts) {
  const TLocalizerClass localizer(Folder() + "missing/", 1033);
  EXPECT_EQ(localizer.LanguageFile(), "");
}

// ---- Reading a language file ----------------------------------------------------

struct IniCase {
  const char* name;
  std::string bytes;
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

std::string CaseText(const IniCase& c) { return c.name; }

void PrintTo(const IniCase& c, std::ostream* os) {
  *os << c.name << ": " << Quoted(c.bytes) << " [" << c.section << "] " << c.key;
}

class IniReading : public ::testing::TestWithParam<IniCase> {};

TEST_P(IniReading, Value) {
  const IniCase& c = GetParam();
  EXPECT_EQ(tLanguageFile::Parse(c.bytes).Value(c.section, c.key), c.value);
}

const std::string kLongValue(3000, 'x');

// A literal's bytes, NUL bytes included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

INSTANTIATE_TEST_SUITE_P(
    LanguageFile, IniReading,
    // clang-format off
    ::testing::Values(
        IniCase{"blanks around key and value", "[M]\n  a b \t=  x y  \n", "M", "a b", "x y"},
        IniCase{"section and key without letter case", "[Messages]\nConfirmExit=Quit?\n", "MESSAGES", "confirmexit", "Quit?"},
        IniCase{"double quotes removed", "[M]\na=\" x \"\n", "M", "a", " x "},
        IniCase{"single quotes removed", "[M]\na='x'\n", "M", "a", "x"},
        IniCase{"unbalanced quote kept", "[M]\na=\"x\n", "M", "a", "\"x"},
        IniCase{"lone quote kept", "[M]\na=\"\n", "M", "a", "\""},
        IniCase{"first of a repeated key", "[M]\na=1\nA=2\n", "M", "a", "1"},
        IniCase{"first of a repeated section", "[M]\na=1\n[m]\na=2\nb=3\n", "M", "b", std::nullopt},
        IniCase{"empty value present", "[M]\na=\n", "M", "a", ""},
        IniCase{"value up to 2047 characters", "[M]\na=" + kLongValue + "\n", "M", "a", kLongValue.substr(0, 2047)},
        IniCase{"line without equals ignored", "[M]\njunk\na=1\n", "M", "junk", std::nullopt},
        IniCase{"entries before any section ignored", "a=1\n[M]\n", "M", "a", std::nullopt},
        IniCase{"comment line", "[M]\n;a=1\n", "M", ";a", std::nullopt},
        IniCase{"CR line ends", "[M]\ra=1\rb=2", "M", "b", "2"},
        IniCase{"CR LF line ends", "[M]\r\na=1\r\n", "M", "a", "1"},
        IniCase{"unclosed section name", "[M\na=1\n", "M", "a", "1"},
        IniCase{"line with NUL byte skipped", Bytes("[M]\na=1\0x\n"), "M", "a", std::nullopt},
        IniCase{"UTF-8 byte order mark", "\xEF\xBB\xBF[M]\na=\xC3\xA4\n", "M", "a", "\xC3\xA4"},
        IniCase{"Windows-1252 bytes", "[M]\na=\xE4\x80\n", "M", "a", "\xC3\xA4\xE2\x82\xAC"},
        IniCase{"UTF-16 little endian", Bytes("\xFF\xFE[\0M\0]\0\n\0a\0=\0\xE4\0\n\0"), "M", "a", "\xC3\xA4"},
        IniCase{"UTF-16 big endian", Bytes("\xFE\xFF\0[\0M\0]\0\n\0a\0=\0\xE4"), "M", "a", "\xC3\xA4"},
        IniCase{"UTF-16 lone surrogate and odd byte", Bytes("\xFF\xFE[\0M\0]\0\n\0a\0=\0\x00\xD8x"), "M", "a", "\xEF\xBF\xBD"},
        IniCase{"value truncated on a character boundary", "[M]\na=" + std::string(2046, 'x') + "\xC3\xA4\xC3\xA4\n", "M", "a", std::string(2046, 'x') + "\xC3\xA4"}),
    // clang-format on
    CaseNames());

TEST(LanguageFileSize, ManySectionsAndKeysAreReadInOnePass) {
  std::string text;
  for (int i = 0; i < 150000; ++i)
    text += "[s" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  text += "[many]\n";
  for (int i = 0; i < 150000; ++i) text += "k" + std::to_string(i) + "=v\n";
  ASSERT_LT(text.size(), tLanguageFile::kMaxFileBytes);
  const tLanguageFile file = tLanguageFile::Parse(text);
  EXPECT_EQ(file.Value("S149999", "K"), "149999");
  EXPECT_EQ(file.Value("many", "K149999"), "v");
}

// ---- Window and page entries -----------------------------------------------------

TEST_F(LanguageFolder, WindowEntriesSkipKeysWithoutDot) {
  Write(
      "en.lng",
      "[frmExport]\nbtnOK=x\nbtnOK.caption=Okay\nbtnOK.top=abc\nBTNOK.CAPTION=again\nself.Width=500\nlbl.colour=red\n");
  std::vector<std::string> debug;
  const TLocalizerClass localizer(Folder(), 1033,
                                  [&](std::string_view text) { debug.emplace_back(text); });
  const std::vector<tComponentEntry> entries = localizer.WindowEntries("FRMEXPORT");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(debug, std::vector<std::string>{"Component name not in Comp.Prop syntax!"});
  EXPECT_EQ(entries[0].Component, "btnOK");
  EXPECT_EQ(entries[0].Property, tComponentProperty::Caption);
  EXPECT_EQ(entries[0].Value, "Okay");
  EXPECT_EQ(entries[1].Property, tComponentProperty::Top);
  EXPECT_EQ(GeometryNumber(entries[1].Value), std::nullopt);
  EXPECT_EQ(entries[2].Component, "self");
  EXPECT_EQ(entries[2].Property, tComponentProperty::Width);
  EXPECT_EQ(entries[3].Property, tComponentProperty::Other);
}

TEST_F(LanguageFolder, BackslashNBecomesALineBreakInPagesOnly) {
  Write(
      "en.lng",
      "[frWelcome]\nmemoInfo.caption=one\\ntwo\n[frmMain]\nlblQuery.caption=one\\ntwo\n[Messages]\nA=one\\ntwo\n");
  const TLocalizerClass localizer(Folder(), 1033);
  EXPECT_EQ(localizer.PageEntries("frWelcome").at(0).Value, "one\r\ntwo");
  EXPECT_EQ(localizer.WindowEntries("frmMain").at(0).Value, "one\\ntwo");
  EXPECT_EQ(localizer.Message("A"), "one\\ntwo");
  // The same through the catalogue's look-up by key.
  EXPECT_EQ(localizer.Messages()->Lookup("frWelcome.memoInfo.caption"), "one\r\ntwo");
  EXPECT_EQ(localizer.Messages()->Lookup("frmMain.lblQuery.caption"), "one\\ntwo");
}

struct GeometryCase {
  const char* text;
  std::optional<int> number;
};
std::string CaseText(const GeometryCase& c) { return c.text; }
void PrintTo(const GeometryCase& c, std::ostream* os) { *os << Quoted(c.text); }

class Geometry : public ::testing::TestWithParam<GeometryCase> {};
TEST_P(Geometry, Number) { EXPECT_EQ(GeometryNumber(GetParam().text), GetParam().number); }
INSTANTIATE_TEST_SUITE_P(LanguageFile, Geometry,
                         ::testing::Values(GeometryCase{"120", 120}, GeometryCase{"-8", -8},
                                           GeometryCase{"+8", 8}, GeometryCase{"", std::nullopt},
                                           GeometryCase{"12px", std::nullopt},
                                           GeometryCase{"0x10", std::nullopt},
                                           GeometryCase{"99999999999", std::nullopt},
                                           GeometryCase{"+", std::nullopt}),
                         CaseNames());

// ---- Messages through the catalogue -------------------------------------------------

TEST_F(LanguageFolder, EmptyTranslationsFollowTheFormOfTheirKey) {
  Write("en.lng", "[Messages]\nFinishWizard=\nPageFooter=\n");
  const TLocalizerClass localizer(Folder(), 1033);
  SetMessageSource(localizer.Messages());
  EXPECT_EQ(Text(tText::FinishWizard), "Fertigstellen");
  EXPECT_EQ(Text(tText::PageFooter), "");
}

TEST_F(LanguageFolder, ControlTextsComeFromTheWindowSection) {
  Write("en.lng", "[frmMain]\nactExecQuery.caption=&Run\nSELF.CAPTION=Finder\n");
  const TLocalizerClass localizer(Folder(), 1033);
  SetMessageSource(localizer.Messages());
  EXPECT_EQ(Text(tText::frmMain_actExecQuery_caption), "&Run");
  EXPECT_EQ(Text(tText::frmMain_self_caption), "Finder");
  EXPECT_EQ(Text(tText::frmMain_actStopQuery_caption), "Stop");
}

// ---- Listing and switching -----------------------------------------------------------

TEST_F(LanguageFolder, ListsFilesByTheirLanguageName) {
  Write("xx.lng", "");
  Write("en-us.LNG", "");
  Write("notes.txt", "");
  fs::create_directory(folder_ / "fr.lng");
  TLocalizerClass localizer(Folder(), 0);
  std::vector<std::string> names = localizer.ListLanguages();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"English-United States", "xx"}));
}

TEST_F(LanguageFolder, SwitchesToAListedLanguage) {
  Write("xx.lng", "[Messages]\nConfirmExit=xx?\n");
  Write("en-us.LNG", "[Messages]\nConfirmExit=Quit?\n");
  TLocalizerClass localizer(Folder(), 0);
  localizer.ListLanguages();
  ASSERT_TRUE(localizer.SwitchLanguage("xx"));
  EXPECT_EQ(localizer.Message("ConfirmExit"), "xx?");
  ASSERT_TRUE(localizer.SwitchLanguage("English-United States"));
  EXPECT_EQ(localizer.Message("ConfirmExit"), "Quit?");
}

TEST_F(LanguageFolder, SwitchToAMissingFileLeavesNoFileOpen) {
  Write("de.lng", "[Messages]\nConfirmExit=Beenden?\n");
  TLocalizerClass localizer(Folder(), 3079);
  ASSERT_FALSE(localizer.LanguageFile().empty());
  EXPECT_FALSE(localizer.SwitchLanguage("French-France"));
  EXPECT_EQ(localizer.LanguageFile(), "");
  EXPECT_EQ(localizer.Message("ConfirmExit"), "");
}

// ---- The shipped English file ------------------------------------------------------------

TEST(ShippedEnglish, TranslatesEveryCatalogueText) {
  std::string failure;
  const std::optional<tLanguageFile> english =
      tLanguageFile::Read(std::string(ORVALIS_SOURCE_DIR) + "/lang/en.lng", &failure);
  ASSERT_TRUE(english) << failure;
  for (const tTextEntry& entry : Catalogue()) {
    const std::optional<std::string> text = english->Lookup(entry.Key);
    EXPECT_TRUE(text) << "missing: " << entry.Key;
    // A message of several lines (the command line's usage text) cannot be
    // written in a message entry; its built-in text stands.
    if (text && !entry.German.empty() && entry.German.find('\n') == std::string_view::npos) {
      EXPECT_FALSE(text->empty()) << "empty: " << entry.Key;
    }
  }
}

}  // namespace
}  // namespace orvalis::test
