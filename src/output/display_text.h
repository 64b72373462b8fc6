// The one place where a core byte string becomes text for the outside world
// (windows, XML, JSON, terminal): valid UTF-8 stays as it is, anything else is
// read byte by byte as Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace orvalis {

bool IsValidUtf8(std::string_view bytes);
std::string ToDisplayUtf8(std::string_view bytes);

}  // namespace orvalis
