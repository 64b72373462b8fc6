// The texts that coded fields show instead of their numbers, one table for
// the reader and for the help pages that list them.
#pragma once

#include <cstdint>
#include <span>

namespace orvalis {

struct tCodeTexts {
  std::int64_t First;                  // the code Texts[0] stands for
  std::span<const char* const> Texts;  // the texts of the codes First, First + 1, ...
  const char* Other;                   // the text of any other code; nullptr: its decimal text
};

// The code texts of a field of the JFIF header, the EXIF or thumbnail
// directories or the GPS directory; nullptr when its numbers stay numbers.
const tCodeTexts* CodeTextsOf(std::uint8_t group, std::uint16_t tag);

}  // namespace orvalis
