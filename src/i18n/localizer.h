// The translator: one for the whole program run, made before any window. It
// picks the language file from the locale, answers message look-ups by key,
// hands each window and wizard page the entries of its section, lists the
// languages of the language folder and switches to another on request.
// Without a language file every look-up gives the built-in German text.
#pragma once

#include "i18n/language_file.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvalis {

// The properties a window or page entry can set ("btnOK.caption").
enum class tComponentProperty {
  Caption,
  Hint,
  Top,
  Left,
  Width,
  Height,
  Title,
  Description,
  Other
};

// One entry of a window's or page's section, split at its first ".".
struct tComponentEntry {
  std::string Component;  // "self" names the window or page itself
  tComponentProperty Property;
  std::string Value;
};

// The component name that stands for the window or page itself.
inline constexpr std::string_view kSelfComponent = "self";

// The value of the command-line option /LCID:n (name in any letter case);
// nullopt when the option is missing or its value is no integer.
std::optional<int> LocaleOption(const std::vector<std::string>& arguments);

// A decimal integer for top, left, width and height; nullopt for anything else.
std::optional<int> GeometryNumber(std::string_view value);

class TLocalizerClass {
 public:
  // The debug text for an entry whose key has no ".".
  static constexpr std::string_view kBadKeyText = "Component name not in Comp.Prop syntax!";

  // Picks folder + code + ".lng" for the locale, else folder + primary code
  // + ".lng"; without either file the built-in texts stay. The folder ends
  // with "/" or is empty.
  TLocalizerClass(std::string languageFolder, int localeId,
                  std::function<void(std::string_view)> debugOutput = {});

  const std::string& LanguageFolder() const { return fFolder; }
  // The path of the open language file; empty when none is open.
  const std::string& LanguageFile() const { return fPath; }
  // The open file as the source of every catalogue look-up; null when none is open.
  std::shared_ptr<const tLanguageFile> Messages() const { return fFile; }
  std::vector<std::string> SectionNames() const;

  // Form 1 base: the key's text in "Messages"; empty when missing or no file is open.
  std::string Message(std::string_view key) const;
  // Form 2: the key's text when present (even empty), else the default.
  std::string MessageOrDefault(std::string_view key, std::string_view germanDefault) const;

  // The entries of a window's section in file order, each key once with its
  // first value; keys without "." are skipped and reported.
  std::vector<tComponentEntry> WindowEntries(std::string_view window) const;
  // As WindowEntries for a wizard page, with "\n" in values turned into CR LF.
  std::vector<tComponentEntry> PageEntries(std::string_view page) const;

  // The display names of the language folder's *.lng files: the table's name
  // for the file's code, or the code itself when the table has none.
  const std::vector<std::string>& ListLanguages();
  const std::vector<std::string>& DisplayNames() const { return fDisplayNames; }
  // The display name under which the open file is listed; empty when none is open.
  std::string CurrentDisplayName() const;

  // Closes the open file and opens the one for a listed display name. False
  // (and no file open) when there is no such file.
  bool SwitchLanguage(std::string_view displayName);

 private:
  bool Open(const std::string& path);
  std::vector<tComponentEntry> Entries(std::string_view section, bool page) const;

  std::string fFolder;
  std::string fPath;
  std::shared_ptr<const tLanguageFile> fFile;
  std::vector<std::string> fDisplayNames;
  std::vector<std::pair<std::string, std::string>> fListedFiles;  // display name, path
  std::function<void(std::string_view)> fDebugOutput;
};

}  // namespace orvalis
