// The settings model: read and write orders, defaults, value checks, and the
// data folder rule.
#include "engine/data_folder.h"
#include "engine/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace orvalis::test {
namespace {

// Remembers every access in order; values are held as text.
class tRecordingStore : public tSettingsStore {
 public:
  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::string> reads;
  std::vector<std::string> writes;

  std::optional<std::string> ReadText(std::string_view name) override {
    reads.emplace_back(name);
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::int32_t> ReadInteger(std::string_view name) override {
    reads.emplace_back(name);
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return ParseInteger(it->second);
  }
  void WriteText(std::string_view name, const std::string& value) override {
    writes.emplace_back(name);
    values[std::string(name)] = value;
  }
  void WriteInteger(std::string_view name, std::int32_t value) override {
    writes.emplace_back(name);
    values[std::string(name)] = std::to_string(value);
  }
};

TEST(Settings, ReadsEveryValueInTableOrder) {
  tRecordingStore store;
  tSettings settings;
  settings.ReadFrom(store);
  const std::vector<std::string> expected = {
      "ResultViewerMode",   "ResultViewerAppname", "ResultViewerParams", "WindowTop",
      "WindowLeft",         "WindowWidth",         "WindowHeight",       "QueryHeight",
      "SidebarWidth",       "ShowSidebar",         "LastQuery",          "ThumbnailWidth",
      "ThumbnailHeight",    "GeneratePreview",     "UseNullText",        "StrDelimDoubleQuote",
      "NullText",           "DontAskOnExit",       "RefinementLimit",    "EnforceRefinement",
      "QueryFontFace",      "QueryFontSize",       "ResultFontFace",     "ResultFontSize",
      "RunWizardOnStartup", "ResultViewStyle",     "TurnByOrientation"};
  EXPECT_EQ(store.reads, expected);
}

TEST(Settings, WritesEveryValueInExitOrder) {
  tRecordingStore store;
  tSettings().WriteTo(store);
  const std::vector<std::string> expected = {
      "WindowWidth",         "WindowHeight",        "QueryHeight",      "SidebarWidth",
      "WindowTop",           "WindowLeft",          "ShowSidebar",      "ResultViewerMode",
      "ResultViewerAppname", "ResultViewerParams",  "LastQuery",        "ThumbnailWidth",
      "ThumbnailHeight",     "GeneratePreview",     "UseNullText",      "NullText",
      "DontAskOnExit",       "StrDelimDoubleQuote", "RefinementLimit",  "EnforceRefinement",
      "QueryFontFace",       "QueryFontSize",       "ResultFontFace",   "ResultFontSize",
      "RunWizardOnStartup",  "ResultViewStyle",     "TurnByOrientation"};
  EXPECT_EQ(store.writes, expected);
}

TEST(Settings, EmptyStoreLeavesDefaults) {
  tRecordingStore store;
  tSettings settings;
  settings.ReadFrom(store);
  EXPECT_EQ(settings.ResultViewerMode, "W");
  EXPECT_EQ(settings.WindowTop, -1);
  EXPECT_EQ(settings.QueryHeight, -1);
  EXPECT_FALSE(settings.ShowSidebar);
  EXPECT_EQ(settings.ThumbnailWidth, 160);
  EXPECT_EQ(settings.ThumbnailHeight, 120);
  EXPECT_TRUE(settings.UseNullText);
  EXPECT_TRUE(settings.TurnByOrientation);
  EXPECT_EQ(settings.NullText, "(Null)");
  EXPECT_TRUE(settings.DontAskOnExit);
  EXPECT_EQ(settings.RefinementLimit, 300);
  EXPECT_TRUE(settings.EnforceRefinement);
  EXPECT_EQ(settings.QueryFontFace, "Courier");
  EXPECT_EQ(settings.QueryFontSize, 12);
  EXPECT_EQ(settings.ResultFontFace, "MS Sans Serif");
  EXPECT_EQ(settings.ResultFontSize, 10);
  EXPECT_TRUE(settings.RunWizardOnStartup);
  EXPECT_EQ(settings.ResultViewStyle, tResultViewStyle::Preview);
}

TEST(Settings, WrittenValuesReadBack) {
  tSettings written;
  written.WindowWidth = 800;
  written.LastQuery = "SELECT Name\r\nFROM /tmp/*.jpg";
  written.ShowSidebar = true;
  written.UseNullText = false;
  written.ThumbnailWidth = 90;
  written.ThumbnailHeight = 66;
  written.RefinementLimit = 25;
  written.ResultViewStyle = tResultViewStyle::Detail;
  tRecordingStore store;
  written.WriteTo(store);
  EXPECT_EQ(store.values["ShowSidebar"], "1");
  EXPECT_EQ(store.values["UseNullText"], "0");
  EXPECT_EQ(store.values["ResultViewStyle"], "Detail");
  tSettings read;
  read.ReadFrom(store);
  EXPECT_EQ(read.WindowWidth, 800);
  EXPECT_EQ(read.LastQuery, written.LastQuery);
  EXPECT_TRUE(read.ShowSidebar);
  EXPECT_FALSE(read.UseNullText);
  EXPECT_EQ(read.ThumbnailWidth, 90);
  EXPECT_EQ(read.RefinementLimit, 25);
  EXPECT_EQ(read.ResultViewStyle, tResultViewStyle::Detail);
}

// A stored value that is unreadable or would break the program keeps its default.
TEST(Settings, UnusableStoredValuesKeepDefaults) {
  struct Case {
    const char* name;
    const char* stored;
    std::int32_t tSettings::*field;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"RefinementLimit", "0", &tSettings::RefinementLimit, 300},
      {"RefinementLimit", "-5", &tSettings::RefinementLimit, 300},
      {"RefinementLimit", "abc", &tSettings::RefinementLimit, 300},
      {"RefinementLimit", "1", &tSettings::RefinementLimit, 1},
      {"ThumbnailWidth", "100", &tSettings::ThumbnailWidth, 100},
      {"ThumbnailWidth", "0", &tSettings::ThumbnailWidth, 160},
      {"ThumbnailHeight", "100000", &tSettings::ThumbnailHeight, 120},
      {"QueryFontSize", "0", &tSettings::QueryFontSize, 12},
      {"WindowTop", "x", &tSettings::WindowTop, -1},
  };
  for (const Case& c : cases) {
    tRecordingStore store;
    store.values[c.name] = c.stored;
    tSettings settings;
    settings.ReadFrom(store);
    EXPECT_EQ(settings.*c.field, c.expected) << c.name << "=" << c.stored;
  }
}

TEST(Settings, ViewStyleIsReadWithoutRegardToCase) {
  const std::pair<const char*, tResultViewStyle> cases[] = {
      {"DETAIL", tResultViewStyle::Detail},   {"list", tResultViewStyle::List},
      {"Preview", tResultViewStyle::Preview}, {"", tResultViewStyle::Preview},
      {"table", tResultViewStyle::Preview},   {"details", tResultViewStyle::Preview},
  };
  for (const auto& [text, style] : cases) EXPECT_EQ(ParseResultViewStyle(text), style) << text;
}

TEST(Settings, FlagsAreTrueWhenNotZero) {
  tRecordingStore store;
  store.values["GeneratePreview"] = "7";
  store.values["DontAskOnExit"] = "0";
  tSettings settings;
  settings.ReadFrom(store);
  EXPECT_TRUE(settings.GeneratePreview);
  EXPECT_FALSE(settings.DontAskOnExit);
}

TEST(Settings, ViewerLetterComparedInUpperCase) {
  tSettings settings;
  settings.ResultViewerMode = "u";
  EXPECT_EQ(settings.ViewerModeLetter(), 'U');
}

TEST(Settings, ParseInteger) {
  // clang-format off
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"300", 300}, {" 42 ", 42}, {"-7", -7}, {"+8", 8}, {"0", 0},
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt},
      {"", std::nullopt}, {"-", std::nullopt}, {"12a", std::nullopt}, {"1.5", std::nullopt},
  };
  // clang-format on
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseInteger(text), value) << text;
}

TEST(Settings, HitLimitMustBePositive) {
  EXPECT_FALSE(IsValidHitLimit(0));
  EXPECT_FALSE(IsValidHitLimit(-1));
  EXPECT_TRUE(IsValidHitLimit(1));
  EXPECT_TRUE(IsValidHitLimit(2147483647));
}

TEST(DataFolder, FollowsTheEnvironmentRule) {
  struct Case {
    const char* appData;
    const char* xdg;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/a", "/x", "/h", "/a/Farrowlight/Orvalis/"},
      {"/a/", "/x", "/h", "/a/Farrowlight/Orvalis/"},
      {"", "/x", "/h", "/x/Farrowlight/Orvalis/"},
      {"", "", "/h", "/h/.local/share/Farrowlight/Orvalis/"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DataFolderFor(c.appData, c.xdg, c.home), c.expected) << c.appData << c.xdg;
  }
}

}  // namespace
}  // namespace orvalis::test
