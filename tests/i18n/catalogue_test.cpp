// The catalogue of user-visible texts: one entry per key, keys a language
// file can address, and both look-up forms over a loaded language.
#include "i18n/catalogue.h"
#include "i18n/messages.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace orvalis::test {
namespace {

class tFakeLanguage : public tMessageSource {
 public:
  std::map<std::string, std::string, std::less<>> texts;
  std::optional<std::string> Lookup(std::string_view key) const override {
    if (auto it = texts.find(key); it != texts.end()) return it->second;
    return std::nullopt;
  }
};

TEST(Catalogue, EveryKeyIsDeclaredOnceAndAddressable) {
  std::set<std::string_view> keys;
  for (const tTextEntry& entry : Catalogue()) {
    EXPECT_TRUE(keys.insert(entry.Key).second) << "twice: " << entry.Key;
    // A message key is one word; a control text names window, control and
    // property, which a language file splits into section and entry.
    const auto dots = std::count(entry.Key.begin(), entry.Key.end(), '.');
    EXPECT_TRUE(dots == 0 || dots == 2) << entry.Key;
    if (dots == 2) {
      const std::string_view property = entry.Key.substr(entry.Key.rfind('.') + 1);
      // A wizard page itself ("self") also has its header texts.
      const bool pageHeader = entry.Key.find(".self.") != std::string_view::npos &&
                              (property == "title" || property == "description");
      EXPECT_TRUE(property == "caption" || property == "hint" || pageHeader) << entry.Key;
    }
  }
}

TEST(Catalogue, EntriesKeepTheirKeyAndGermanText) {
  EXPECT_EQ(Entry(tText::ConfirmExit).Key, "ConfirmExit");
  EXPECT_EQ(Entry(tText::ConfirmExit).German, "Programm beenden?");
  EXPECT_EQ(Entry(tText::frmMain_actExecQuery_caption).Key, "frmMain.actExecQuery.caption");
  EXPECT_EQ(Entry(tText::frmSettings_self_caption).German, "Programmeinstellungen");
}

TEST(Catalogue, LookUpFormsOverALanguage) {
  EXPECT_EQ(Text(tText::NoResults), "Keine Ergebnisse vorhanden.");
  auto language = std::make_shared<tFakeLanguage>();
  language->texts["NoResults"] = "";
  language->texts["ConfirmExit"] = "Quit?";
  language->texts["frmMain.actExecQuery.caption"] = "&Run";
  SetMessageSource(language);
  // Form 1 falls back on an empty text, form 2 takes it.
  EXPECT_EQ(Text(tText::NoResults), "Keine Ergebnisse vorhanden.");
  EXPECT_EQ(TextIfPresent(tText::NoResults), "");
  EXPECT_EQ(Text(tText::ConfirmExit), "Quit?");
  EXPECT_EQ(Text(tText::frmMain_actExecQuery_caption), "&Run");
  EXPECT_EQ(TextIfPresent(tText::NoQueryText), "Kein Abfragetext vorhanden.");
  SetMessageSource(nullptr);
  EXPECT_EQ(Text(tText::ConfirmExit), "Programm beenden?");
}

}  // namespace
}  // namespace orvalis::test
