#include <cstdio>
#include <iostream>

#include "cli/commands.h"

namespace orvalis::cli {

namespace {
constexpr const char* kUsage =
    "Usage:\n"
    "  orvalis-cli [options] QUERY            run QUERY\n"
    "  orvalis-cli [options] -f FILE          run the query held in a query file\n"
    "  orvalis-cli --explain QUERY            show how QUERY is split and compiled\n"
    "  orvalis-cli --dump [--merged] FILE...  list every metadata entry of each file\n"
    "  orvalis-cli --eval EXPR [FILE]         evaluate one expression\n"
    "  orvalis-cli --help                     show this text\n"
    "\n"
    "Run options:\n"
    "  --format rows|csv|json|xml   output format (default rows)\n"
    "  -o FILE                      write the output to FILE\n"
    "  --limit N | --no-limit       hit limit (default 300)\n"
    "  --null-text TEXT | --no-null-text\n"
    "                               cell text for an empty value (default \"(Null)\")\n"
    "  --double-quote               strings are delimited by \" instead of '\n"
    "  --progress                   show progress on standard error\n"
    "  --paths                      print the full paths of the hits, one per line\n"
    "  --results FILE               the result set for FROM \"#results\"\n"
    "  --jobs N                     files read in parallel (1: one after the other;\n"
    "                               default: chosen for the machine)\n"
    "  /LCID:n                      language of the messages\n"
    "  /debug                       write the help log\n"
    "  --                           the next argument is the query, even when it\n"
    "                               starts with \"-\" (an argument with a blank or a\n"
    "                               line break is always taken as the query)\n";
}  // namespace

void PrintUsage(bool toStdout) { std::fputs(kUsage, toStdout ? stdout : stderr); }

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
