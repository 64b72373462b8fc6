#include "common/utf8.h"

#include <cstring>

namespace orvalis {

namespace {

// Windows-1252 code points for bytes 0x80..0x9F; 0 where the code page has no
// character (those bytes are shown as the C1 control of the same number).
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;
  const auto unit = [&](std::size_t i) -> std::uint32_t {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return bigEndian ? (std::uint32_t{first} << 8) | second : (std::uint32_t{second} << 8) | first;
  };
  const auto isHigh = [](std::uint32_t u) { return u >= 0xD800 && u < 0xDC00; };
  const auto isLow = [](std::uint32_t u) { return u >= 0xDC00 && u < 0xE000; };
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t u = unit(i);
    if (isHigh(u) && i + 1 < units && isLow(unit(i + 1))) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else if (isHigh(u) || isLow(u)) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

std::string_view FirstUtf8Characters(std::string_view text, std::size_t count) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars == count) return text.substr(0, i);
    ++chars;
  }
  return text;
}

std::string ToDisplayUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80 && c <= 0x9F && kCp1252High[c - 0x80] != 0) {
      AppendUtf8(out, kCp1252High[c - 0x80]);
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool DecodeUtf8(std::string_view s, std::size_t& i, std::uint32_t& cp) {
  if (i >= s.size()) return false;
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    cp = c;
    ++i;
    return true;
  }
  std::size_t len;
  std::uint32_t decoded;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    decoded = c & 0x1Fu;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    decoded = c & 0x0Fu;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    decoded = c & 0x07u;
  } else {
    return false;
  }
  if (s.size() - i < len) return false;
  for (std::size_t k = 1; k < len; ++k) {
    const auto cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) return false;
    decoded = (decoded << 6) | (cc & 0x3Fu);
  }
  // Overlong forms, surrogates and code points past U+10FFFF.
  if ((len == 3 && decoded < 0x800) || (len == 4 && (decoded < 0x10000 || decoded > 0x10FFFF)) ||
      (decoded >= 0xD800 && decoded <= 0xDFFF)) {
    return false;
  }
  cp = decoded;
  i += len;
  return true;
}

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  std::uint32_t cp = 0;
  while (i < s.size()) {
    // Runs of ASCII, the bulk of most texts, are passed over eight bytes at
    // a time: every entry's text is checked, and texts may be long.
    while (s.size() - i >= 8) {
      std::uint64_t word;
      std::memcpy(&word, s.data() + i, sizeof word);
      if ((word & 0x8080808080808080u) != 0) break;
      i += 8;
    }
    if (i < s.size() && !DecodeUtf8(s, i, cp)) return false;
  }
  return true;
}

}  // namespace orvalis
