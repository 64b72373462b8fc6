#include "i18n/language_file.h"

#include "common/ascii_case.h"
#include "common/text.h"
#include "common/utf8.h"

#include <fstream>

namespace orvalis {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) { return Trim(text, kBlanks); }

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string LanguageFileText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16ToUtf8(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return Utf16ToUtf8(bytes.substr(2), true);
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return ToDisplayUtf8(bytes);
}

std::optional<tLanguageFile> tLanguageFile::Read(const std::string& path, std::string* failure) {
  auto fail = [&](const char* reason) -> std::optional<tLanguageFile> {
    if (failure) *failure = reason;
    return std::nullopt;
  };
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail("cannot be opened");
  // Read one byte past the cap, so a file that reports no size (a pipe, a
  // device) is still measured by what it gives.
  std::string bytes(kMaxFileBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return fail("cannot be read");
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got > kMaxFileBytes) return fail("is too large");
  bytes.resize(got);
  return Parse(bytes);
}

tLanguageFile tLanguageFile::Parse(std::string_view bytes) {
  const std::string text = LanguageFileText(bytes);
  tLanguageFile file;
  tLanguageSection* current = nullptr;  // null: before the first section, or a repeated one
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = TrimBlanks(std::string_view(text).substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    if (line.empty() || line.front() == ';' || line.find('\0') != std::string_view::npos) continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string_view name =
          TrimBlanks(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      // A section named twice is read where it first stands, as the
      // platform's INI routines do.
      current = nullptr;
      if (!name.empty() &&
          file.fSectionIndex.emplace(AsciiLower(name), file.fSections.size()).second) {
        file.fSections.push_back(tLanguageSection{std::string(name), {}, {}});
        current = &file.fSections.back();
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!current || equals == std::string_view::npos) continue;
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) continue;
    const std::string_view value = Unquoted(TrimBlanks(line.substr(equals + 1)));
    current->FirstOfKey.emplace(AsciiLower(key), current->Entries.size());
    current->Entries.push_back(
        tLanguageEntry{std::string(key), std::string(FirstUtf8Characters(value, kMaxValueChars))});
  }
  return file;
}

std::vector<std::string> tLanguageFile::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(fSections.size());
  for (const tLanguageSection& section : fSections) names.push_back(section.Name);
  return names;
}

const tLanguageSection* tLanguageFile::Section(std::string_view name) const {
  const auto it = fSectionIndex.find(AsciiLower(name));
  return it == fSectionIndex.end() ? nullptr : &fSections[it->second];
}

std::optional<std::string> tLanguageFile::Value(std::string_view section,
                                                std::string_view key) const {
  if (const tLanguageSection* found = Section(section)) {
    const auto it = found->FirstOfKey.find(AsciiLower(key));
    if (it != found->FirstOfKey.end()) return found->Entries[it->second].Value;
  }
  return std::nullopt;
}

std::optional<std::string> tLanguageFile::Lookup(std::string_view key) const {
  const std::size_t dot = key.find('.');
  if (dot == std::string_view::npos) return Value("Messages", key);
  const std::string_view section = key.substr(0, dot);
  std::optional<std::string> value = Value(section, key.substr(dot + 1));
  if (value && IsPageSection(section)) value = PageValue(*value);
  return value;
}

bool IsPageSection(std::string_view section) {
  return section.size() > 2 && section.starts_with("fr") && section[2] >= 'A' && section[2] <= 'Z';
}

std::string PageValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace orvalis
