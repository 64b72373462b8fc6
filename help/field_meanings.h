// What every field of the reader's tag table means and what its values look
// like, in German and English, for the field pages of the help.
#pragma once

#include <span>
#include <string_view>

namespace orvalis::help {

// What a query sees of a field's value.
enum class tValueForm : unsigned char {
  kText,      // a text
  kList,      // a text; several values joined by ";"
  kNumber,    // a number
  kFraction,  // a fraction text such as 72/1
  kDate,      // a date text YYYY:MM:DD hh:mm:ss
  kCodes,     // a text for each code, from the reader's code tables
  kBytes,     // the first bytes in hexadecimal after the byte order (II or MM)
  kNoEntry,   // the reader follows or skips it and makes no entry
};

struct tFieldMeaning {
  std::string_view Name;  // as the tag table spells it
  tValueForm Form;
  const char* De;
  const char* En;
  const char* FormDe = "";  // what the form alone does not tell: unit, rounding, codes, example
  const char* FormEn = "";
};

std::span<const tFieldMeaning> FieldMeanings();

}  // namespace orvalis::help
