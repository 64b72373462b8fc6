// Conversion of Qt's date and time pattern syntax and separators for LocaleInfo.
#include "i18n/locale_pattern.h"

#include <cstddef>
#include <cstdint>

#include "common/ascii_case.h"
#include "common/utf8.h"

namespace orvalis {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsFieldLetter(char c) {
  switch (c) {
    case 'd':
    case 'M':
    case 'y':
    case 'h':
    case 'H':
    case 'm':
    case 's':
    case 'z':
    case 'a':
    case 'A':
    case 't': return true;
    default: return false;
  }
}

std::size_t RunLength(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && text[end] == text[pos]) ++end;
  return end - pos;
}

class QtPatternConverter {
 public:
  QtPatternConverter(std::string_view format, const QtPatternOptions& options)
      : format_(format), options_(options) {}

  std::string Convert() {
    std::size_t pos = 0;
    while (pos < format_.size()) {
      const char c = format_[pos];
      if (c == '\'') {
        pos = ReadQuoted(pos);
      } else if (IsFieldLetter(c)) {
        pos = ReadField(pos);
      } else {
        literal_ += c;
        ++pos;
      }
    }
    FlushLiteral();
    return out_;
  }

 private:
  // Qt: '' is one quote; '...' is copied with '' inside standing for one
  // quote; an unclosed quote runs to the end.
  std::size_t ReadQuoted(std::size_t pos) {
    if (pos + 1 < format_.size() && format_[pos + 1] == '\'') {
      literal_ += '\'';
      return pos + 2;
    }
    ++pos;
    while (pos < format_.size()) {
      if (format_[pos] == '\'') {
        if (pos + 1 < format_.size() && format_[pos + 1] == '\'') {
          literal_ += '\'';
          pos += 2;
          continue;
        }
        return pos + 1;
      }
      literal_ += format_[pos++];
    }
    return pos;
  }

  std::size_t ReadField(std::size_t pos) {
    const char c = format_[pos];
    const std::size_t run = RunLength(format_, pos);
    std::size_t used = 0;
    std::string field;
    switch (c) {
      case 'd':
      case 'M':
        used = run < 4 ? run : 4;
        field.assign(used, c == 'd' ? 'd' : 'm');
        break;
      case 'y':
        if (run >= 4) {
          used = 4;
          field = "yyyy";
        } else if (run >= 2) {
          used = 2;
          field = options_.fourDigitYears ? "yyyy" : "yy";
        } else {
          literal_ += 'y';  // a lone y is text in Qt
          return pos + 1;
        }
        break;
      case 'h':
      case 'H':
        // Our hour follows the twelve-hour clock whenever a marker is near;
        // Qt's H never does, which only differs in patterns mixing H and AP.
        used = run < 2 ? run : 2;
        field.assign(used, 'h');
        break;
      case 'm':
        used = run < 2 ? run : 2;
        field.assign(used, 'n');  // "n" is minutes wherever it stands
        break;
      case 's':
        used = run < 2 ? run : 2;
        field.assign(used, 's');
        break;
      case 'z':
        used = run >= 3 ? 3 : 1;
        field.assign(used, 'z');
        break;
      case 'a':
      case 'A':
        used = pos + 1 < format_.size() && (format_[pos + 1] == 'p' || format_[pos + 1] == 'P') ? 2
                                                                                                : 1;
        field = "ampm";
        break;
      case 't':
        DropTimeZone(pos, run < 4 ? run : 4);
        return pos + (run < 4 ? run : 4) + (skipClosingBracket_ ? 1 : 0);
      default: break;
    }
    FlushLiteral();
    // Qt's "ddddd" is a day name and a day; in our language a run of one
    // letter is one field, so two fields of the same letter are kept apart
    // by an empty quote.
    if (!out_.empty() && !field.empty() && AsciiLower(out_.back()) == AsciiLower(field[0])) {
      out_ += "''";
    }
    out_ += field;
    return pos + used;
  }

  // "HH:mm:ss t" and "H:mm:ss (t)" lose the zone together with the blank and
  // brackets around it.
  void DropTimeZone(std::size_t pos, std::size_t used) {
    skipClosingBracket_ = false;
    const std::size_t after = pos + used;
    if (!literal_.empty() && literal_.back() == '(' && after < format_.size() &&
        format_[after] == ')') {
      literal_.pop_back();
      skipClosingBracket_ = true;
    }
    while (!literal_.empty() && literal_.back() == ' ') literal_.pop_back();
  }

  bool NeedsQuotes(char c) const {
    return IsAsciiLetter(c) || c == '"' || (c == '/' && options_.dateSeparator != '/') ||
           (c == ':' && options_.timeSeparator != ':');
  }

  // Writes pending literal text so that it prints as itself: letters and
  // characters that the pattern language reads go into '...'; a single quote
  // itself goes into "...".
  void FlushLiteral() {
    bool open = false;
    for (const char c : literal_) {
      if (c == '\'') {
        if (open) out_ += '\'';
        open = false;
        out_ += "\"'\"";
      } else if (NeedsQuotes(c)) {
        if (!open) out_ += '\'';
        open = true;
        out_ += c;
      } else {
        if (open) out_ += '\'';
        open = false;
        out_ += c;
      }
    }
    if (open) out_ += '\'';
    literal_.clear();
  }

  std::string_view format_;
  const QtPatternOptions& options_;
  std::string out_;
  std::string literal_;
  bool skipClosingBracket_ = false;
};

// Decodes the first code point of UTF-8 text; -1 when it is not valid.
long FirstCodePoint(std::string_view utf8) {
  std::size_t i = 0;
  std::uint32_t cp = 0;
  return DecodeUtf8(utf8, i, cp) ? static_cast<long>(cp) : -1;
}

}  // namespace

std::string ConvertQtDateTimeFormat(std::string_view qtFormat, const QtPatternOptions& options) {
  return QtPatternConverter(qtFormat, options).Convert();
}

char SeparatorOfQtFormat(std::string_view qtFormat, char fallback) {
  std::size_t pos = 0;
  while (pos < qtFormat.size()) {
    const char c = qtFormat[pos];
    if (c == '\'') {
      // Quoted text is not a separator.
      const std::size_t close = qtFormat.find('\'', pos + 1);
      if (close == std::string_view::npos) break;
      pos = close + 1;
      continue;
    }
    const auto u = static_cast<unsigned char>(c);
    if (u > 0x20 && u < 0x7F && !IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '"') {
      return c;
    }
    ++pos;
  }
  return fallback;
}

char SingleByteSeparator(std::string_view utf8, char fallback) {
  const long cp = FirstCodePoint(utf8);
  if (cp > 0 && cp < 0x80) return static_cast<char>(cp);
  switch (cp) {
    case 0x00A0:  // no-break space
    case 0x2007:  // figure space
    case 0x2009:  // thin space
    case 0x202F:  // narrow no-break space
      return ' ';
    case 0x2019:  // right single quotation mark (Swiss grouping)
    case 0x02BC:  // modifier letter apostrophe
      return '\'';
    case 0x066B:  // Arabic decimal separator
      return '.';
    case 0x066C:  // Arabic thousands separator
      return ',';
    default: return fallback;
  }
}

}  // namespace orvalis
