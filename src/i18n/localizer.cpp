#include "i18n/localizer.h"

#include <limits>

#include "i18n/program_args.h"

#include "common/ascii_case.h"
#include "common/utf8.h"
#include "i18n/language_table.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <set>
#include <system_error>

namespace orvalis {

namespace {

namespace fs = std::filesystem;

// A folder with more files than this is not listed further.
constexpr std::size_t kMaxListedFiles = 10000;

bool IsFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(fs::path(path), error);
}

tComponentProperty PropertyNamed(std::string_view name) {
  struct tNamed {
    std::string_view Name;
    tComponentProperty Property;
  };
  static constexpr tNamed kNames[] = {
      {"caption", tComponentProperty::Caption}, {"hint", tComponentProperty::Hint},
      {"top", tComponentProperty::Top},         {"left", tComponentProperty::Left},
      {"width", tComponentProperty::Width},     {"height", tComponentProperty::Height},
      {"title", tComponentProperty::Title},     {"description", tComponentProperty::Description},
  };
  for (const tNamed& named : kNames) {
    if (EqualsNoCase(named.Name, name)) return named.Property;
  }
  return tComponentProperty::Other;
}

}  // namespace

std::optional<int> GeometryNumber(std::string_view value) {
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  int number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size())
    return std::nullopt;
  return number;
}

std::optional<int> LocaleOption(const std::vector<std::string>& arguments) {
  const std::optional<long long> id = TArgsClass(arguments).OptionInteger("LCID");
  if (!id || *id < std::numeric_limits<int>::min() || *id > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(*id);
}

TLocalizerClass::TLocalizerClass(std::string languageFolder, int localeId,
                                 std::function<void(std::string_view)> debugOutput)
    : fFolder(std::move(languageFolder)), fDebugOutput(std::move(debugOutput)) {
  if (!fDebugOutput) {
    fDebugOutput = [](std::string_view text) { std::cerr << text << '\n'; };
  }
  std::string path = fFolder + CodeForLocale(localeId, true) + ".lng";
  if (!IsFile(path)) path = fFolder + PrimaryCodeForLocale(localeId) + ".lng";
  if (IsFile(path)) Open(path);
}

bool TLocalizerClass::Open(const std::string& path) {
  std::string failure;
  std::optional<tLanguageFile> file = tLanguageFile::Read(path, &failure);
  if (!file) {
    fDebugOutput("Language file " + path + " " + failure);
    return false;
  }
  fFile = std::make_shared<const tLanguageFile>(std::move(*file));
  fPath = path;
  return true;
}

std::vector<std::string> TLocalizerClass::SectionNames() const {
  return fFile ? fFile->SectionNames() : std::vector<std::string>{};
}

std::string TLocalizerClass::Message(std::string_view key) const {
  if (!fFile) return {};
  return fFile->Value("Messages", key).value_or(std::string());
}

std::string TLocalizerClass::MessageOrDefault(std::string_view key,
                                              std::string_view germanDefault) const {
  if (fFile) {
    if (std::optional<std::string> text = fFile->Value("Messages", key)) return *text;
  }
  return std::string(germanDefault);
}

std::vector<tComponentEntry> TLocalizerClass::WindowEntries(std::string_view window) const {
  return Entries(window, false);
}

std::vector<tComponentEntry> TLocalizerClass::PageEntries(std::string_view page) const {
  return Entries(page, true);
}

std::vector<tComponentEntry> TLocalizerClass::Entries(std::string_view sectionName,
                                                      bool page) const {
  std::vector<tComponentEntry> entries;
  const tLanguageSection* section = fFile ? fFile->Section(sectionName) : nullptr;
  if (!section) return entries;
  std::set<std::string> seen;  // keys in lower case: a repeated key keeps its first value
  for (const tLanguageEntry& entry : section->Entries) {
    const std::size_t dot = entry.Key.find('.');
    if (dot == std::string::npos) {
      fDebugOutput(kBadKeyText);
      continue;
    }
    if (!seen.insert(AsciiLower(entry.Key)).second) continue;
    entries.push_back(tComponentEntry{entry.Key.substr(0, dot),
                                      PropertyNamed(std::string_view(entry.Key).substr(dot + 1)),
                                      page ? PageValue(entry.Value) : entry.Value});
  }
  return entries;
}

const std::vector<std::string>& TLocalizerClass::ListLanguages() {
  fDisplayNames.clear();
  fListedFiles.clear();
  std::error_code error;
  fs::directory_iterator it(fs::path(fFolder.empty() ? "." : fFolder), error);
  std::size_t seen = 0;
  for (; !error && it != fs::directory_iterator() && seen < kMaxListedFiles;
       it.increment(error), ++seen) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const std::string fileName = it->path().filename().string();
    if (fileName.size() < 4 ||
        !EqualsNoCase(std::string_view(fileName).substr(fileName.size() - 4), ".lng")) {
      continue;
    }
    const std::string base = fileName.substr(0, fileName.find('.'));
    if (base.empty()) continue;
    std::string name = NameForCode(base);
    if (name == kUnknownLanguage) name = ToDisplayUtf8(base);
    if (std::find(fDisplayNames.begin(), fDisplayNames.end(), name) == fDisplayNames.end()) {
      fDisplayNames.push_back(name);
      fListedFiles.emplace_back(std::move(name), it->path().string());
    }
  }
  return fDisplayNames;
}

std::string TLocalizerClass::CurrentDisplayName() const {
  if (fPath.empty()) return {};
  const std::string fileName = fs::path(fPath).filename().string();
  const std::string base = fileName.substr(0, fileName.find('.'));
  const std::string name = NameForCode(base);
  return name == kUnknownLanguage ? ToDisplayUtf8(base) : name;
}

bool TLocalizerClass::SwitchLanguage(std::string_view displayName) {
  fFile.reset();
  fPath.clear();
  const std::string code = CodeForName(displayName);
  std::string path = fFolder + code + ".lng";
  if (code == kUnknownLanguage || !IsFile(path)) {
    // A file listed under its own base name (no code of the table, or a
    // primary code such as "de"), or a code written in capitals, is opened
    // as it was listed.
    path.clear();
    for (const auto& [name, file] : fListedFiles) {
      if (name == displayName) path = file;
    }
  }
  if (path.empty() || !IsFile(path)) return false;
  return Open(path);
}

}  // namespace orvalis
