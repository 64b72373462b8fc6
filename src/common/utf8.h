// UTF-8 encoding, decoding and validation shared by the metadata reader
// (which turns UCS-2 and code page text into UTF-8), the locale patterns, the
// language files and the display and export layers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvalis {

// True when bytes are well-formed UTF-8: no overlong forms, no surrogates,
// nothing past U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Decodes the code point that starts at text[i] into cp and moves i past it.
// False, with i and cp unchanged, when the bytes there are no well-formed
// UTF-8 (as IsValidUtf8 judges them) or i is at the end.
bool DecodeUtf8(std::string_view text, std::size_t& i, std::uint32_t& cp);

// Appends the UTF-8 form (1 to 4 bytes) of the code point cp (at most 0x10FFFF).
void AppendUtf8(std::string& out, std::uint32_t cp);

// UTF-16 text (without its byte order mark) to UTF-8. A surrogate without its
// partner becomes U+FFFD; an odd last byte is dropped; a zero unit is kept
// (a format whose texts end at one cuts them before).
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// The first count characters of UTF-8 text (the whole text when it has fewer);
// never cut inside a character.
std::string_view FirstUtf8Characters(std::string_view text, std::size_t count);

// The one place where a core byte string becomes text for the outside world
// (windows, XML, JSON, terminal, language files): valid UTF-8 stays as it is,
// anything else is read byte by byte as Windows-1252.
std::string ToDisplayUtf8(std::string_view bytes);

}  // namespace orvalis
