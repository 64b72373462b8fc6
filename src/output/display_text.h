// The one place where a core byte string becomes text for the outside world
// (windows, XML, JSON, terminal): valid UTF-8 stays as it is, anything else is
// read byte by byte as Windows-1252.
#pragma once

#include "common/utf8.h"

#include <string>
#include <string_view>

namespace orvalis {

std::string ToDisplayUtf8(std::string_view bytes);

}  // namespace orvalis
