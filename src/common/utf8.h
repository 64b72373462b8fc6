// UTF-8 encoding and validation shared by the metadata reader (which turns
// UCS-2 and code page text into UTF-8), the language files and the display layer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvalis {

// True when bytes are well-formed UTF-8: no overlong forms, no surrogates,
// nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 form (1 to 4 bytes) of the code point cp (at most 0x10FFFF).
void AppendUtf8(std::string& out, std::uint32_t cp);

// The one place where a core byte string becomes text for the outside world
// (windows, XML, JSON, terminal, language files): valid UTF-8 stays as it is,
// anything else is read byte by byte as Windows-1252.
std::string ToDisplayUtf8(std::string_view bytes);

}  // namespace orvalis
