// UTF-8 encoding and validation shared by the metadata reader (which turns
// UCS-2 and code page text into UTF-8) and the display layer.
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

}  // namespace orvalis
