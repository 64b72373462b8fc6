// A language file as read from disk: INI sections of key=value entries, read
// the way the platform's INI routines read them. The file comes from outside
// and is read defensively: a size cap, any of UTF-8, UTF-16 (with its byte
// order mark) or Windows-1252, every text turned into UTF-8.
#pragma once

#include "i18n/messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvalis {

struct tLanguageEntry {
  std::string Key;
  std::string Value;
};

struct tLanguageSection {
  std::string Name;
  std::vector<tLanguageEntry> Entries;  // in file order
  // The first entry of each key, by the key in lower case.
  std::unordered_map<std::string, std::size_t> FirstOfKey;
};

class tLanguageFile : public tMessageSource {
 public:
  // Larger files are refused rather than read.
  static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
  // A value is read up to this many characters.
  static constexpr std::size_t kMaxValueChars = 2047;

  // The file's sections; nullopt with the reason in failure when the file
  // cannot be read or is too large.
  static std::optional<tLanguageFile> Read(const std::string& path, std::string* failure = nullptr);
  // The sections of a file's bytes.
  static tLanguageFile Parse(std::string_view bytes);

  std::vector<std::string> SectionNames() const;
  // The first section of that name (letter case ignored), or null.
  const tLanguageSection* Section(std::string_view name) const;
  // The value of the first entry with that key (letter case ignored).
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // A message key ("ConfirmExit") is looked up in the section "Messages"; a
  // control key ("frmMain.actPrint.caption") in the window's section
  // ("frmMain") under the rest of the key ("actPrint.caption"). In the
  // section of a wizard page ("frWelcome") "\n" becomes CR LF.
  std::optional<std::string> Lookup(std::string_view key) const override;

 private:
  std::vector<tLanguageSection> fSections;
  // Each section by its name in lower case; files hold hundreds of thousands
  // of names when they are hostile.
  std::unordered_map<std::string, std::size_t> fSectionIndex;
};

// The bytes of a language file as UTF-8: a UTF-16 or UTF-8 byte order mark
// says how they are written; without one, valid UTF-8 stays and anything else
// is read as Windows-1252.
std::string LanguageFileText(std::string_view bytes);

// Wizard pages are named "fr" and a capital ("frWelcome"), windows "frm...".
bool IsPageSection(std::string_view section);
// A page entry's value: each backslash followed by n becomes CR LF.
std::string PageValue(std::string_view value);

}  // namespace orvalis
