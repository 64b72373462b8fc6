#include "test_names.h"

#include <set>

namespace orvalis::test {

namespace {

// Words for the characters that change what a row means.
const char* WordFor(char c) {
  switch (c) {
    case '+': return "plus";
    case '-': return "minus";
    case '*': return "star";
    case '/': return "slash";
    case '\\': return "backslash";
    case '<': return "lt";
    case '>': return "gt";
    case '=': return "eq";
    case '!': return "not";
    case '&': return "amp";
    case '|': return "bar";
    case '%': return "percent";
    case '~': return "tilde";
    case '.': return "dot";
    case ',': return "comma";
    case '#': return "hash";
    case '?': return "query";
    default: return nullptr;
  }
}

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr std::size_t kLongestName = 80;

}  // namespace

std::string TestNameFromText(std::string_view text) {
  std::string name;
  bool separate = false;  // a '_' is due before the next word
  const auto append = [&](std::string_view word) {
    if (separate && !name.empty()) name += '_';
    separate = false;
    name += word;
  };
  for (const char c : text) {
    if (IsAsciiAlnum(c)) {
      append(std::string_view(&c, 1));
    } else if (const char* word = WordFor(c)) {
      separate = true;
      append(word);
      separate = true;
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(c);
      const char hex[] = {'x', kHex[byte >> 4], kHex[byte & 0xF]};
      append(std::string_view(hex, 3));
    } else {
      separate = true;
    }
    if (name.size() >= kLongestName) break;
  }
  if (name.size() > kLongestName) name.resize(kLongestName);
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "empty" : name;
}

std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Quoted(const char* text) { return text ? Quoted(std::string_view(text)) : "nullptr"; }

std::string UniqueTestName(std::size_t index, std::string_view text) {
  // Names given so far in the current table.
  static std::set<std::string> given;
  if (index == 0) given.clear();
  const std::string base = TestNameFromText(text);
  std::string name = base;
  for (int n = 2; given.count(name) != 0; ++n) name = base + "_" + std::to_string(n);
  given.insert(name);
  return name;
}

}  // namespace orvalis::test
