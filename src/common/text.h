// Trimming and whole-number parsing for the texts users type and files hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvalis {

// The text without the blanks and control characters (bytes up to 0x20) at
// either end.
std::string_view Trim(std::string_view text);
// The text without the characters of blanks at either end (a file format's
// own blanks: " " for a field list, " \t" for a language file ...).
std::string_view Trim(std::string_view text, std::string_view blanks);

// A whole number with an optional sign ("+8", "-7"), blanks around it allowed,
// in the range of a 32-bit integer; nothing when the text is anything else.
std::optional<std::int32_t> ParseInteger(std::string_view text);

}  // namespace orvalis
