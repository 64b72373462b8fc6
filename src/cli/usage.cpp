#include <cstdio>
#include <iostream>

#include "cli/commands.h"
#include "i18n/catalogue.h"

namespace orvalis::cli {

void PrintUsage(bool toStdout) {
  std::fputs(Text(tText::CliUsage).c_str(), toStdout ? stdout : stderr);
}

int UsageError(const std::string& why) {
  if (!why.empty()) std::cerr << "orvalis-cli: " << why << "\n";
  PrintUsage(false);
  return kExitUsage;
}

std::string EscapeField(const std::string& text) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default:
        if (c < 32 || c == 127) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  return out;
}

}  // namespace orvalis::cli
