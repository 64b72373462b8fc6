// The one place where a core byte string becomes text for the outside world
// (windows, XML, JSON, terminal): valid UTF-8 stays as it is, anything else is
// read byte by byte as Windows-1252.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvalis {

bool IsValidUtf8(std::string_view bytes);
std::string ToDisplayUtf8(std::string_view bytes);

// Appends the UTF-8 form (1 to 4 bytes) of the code point cp (at most 0x10FFFF).
void AppendUtf8(std::string& out, std::uint32_t cp);

}  // namespace orvalis
