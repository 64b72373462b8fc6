// The fixed table of languages a language file can be named after: Windows
// locale identifier, language code ("de", "de-at") and English display name
// ("German-Austria"), with the look-ups between them.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace orvalis {

struct tLanguageRow {
  int LocaleId;
  std::string_view Code;
  std::string_view Name;
};

// Every row in table order; several codes occur twice, and the first row of a
// code wins every look-up by code.
std::span<const tLanguageRow> LanguageTable();

// The answer of a look-up that finds no row.
inline constexpr std::string_view kUnknownLanguage = "???";

// The code of the first row with this identifier (its display name when
// full is false), or "???".
std::string CodeForLocale(int localeId, bool full = true);
// The code for the identifier without its region ("de-at" -> "de"); "???" as above.
std::string PrimaryCodeForLocale(int localeId);
// The display name of the first row with this code (letter case ignored), or "???".
std::string NameForCode(std::string_view code);
// The code of the first row with this display name (letter case ignored), or "???".
std::string CodeForName(std::string_view name);
// The identifier of the first row with this code, or 0 when none has it.
int LocaleForCode(std::string_view code);
// A system locale name ("de_AT", "de_AT.UTF-8", "en_US@euro") as a language
// code ("de-at"); empty for names that carry no language ("C", "POSIX").
std::string CodeForSystemLocale(std::string_view localeName);

}  // namespace orvalis
