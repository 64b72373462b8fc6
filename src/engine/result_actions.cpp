// Reading and writing the action file.
#include "engine/result_actions.h"

#include "common/ascii_case.h"
#include "common/text.h"
#include "common/whole_file.h"
#include "i18n/file_messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvalis {

namespace {

// A line break inside a value would start a new line of the file and could
// forge a section; it is written as a blank.
std::string OneLine(const std::string& value) {
  std::string out = value;
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

std::string tIniSection::Value(std::string_view key) const {
  for (const auto& [name, value] : Values) {
    if (EqualsNoCase(name, key)) return value;
  }
  return {};
}

std::vector<tIniSection> ParseIni(std::string_view text) {
  std::vector<tIniSection> sections;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']' && trimmed.size() >= 2) {
      sections.push_back({std::string(trimmed.substr(1, trimmed.size() - 2)), {}});
      continue;
    }
    const auto equals = line.find('=');
    if (sections.empty() || equals == std::string_view::npos) continue;
    sections.back().Values.emplace_back(std::string(Trim(line.substr(0, equals))),
                                        std::string(line.substr(equals + 1)));
  }
  return sections;
}

TResultAction& TResultActions::Items(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("Invalid action index");
  return fItems[static_cast<std::size_t>(index)];
}

const TResultAction& TResultActions::Items(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("Invalid action index");
  return fItems[static_cast<std::size_t>(index)];
}

int TResultActions::LoadFromFile(const std::string& path,
                                 const std::function<bool(const std::string&)>& programExists,
                                 std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": " + std::strerror(errno);
    return -1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    error = path + ": read error";
    return -1;
  }
  int counter = 0;
  for (const tIniSection& section : ParseIni(text.str())) {
    TResultAction action{section.Name, section.Value("Menu"), section.Value("Program"),
                         section.Value("CmdLine"), section.Value("ShortCut")};
    if (programExists(action.Program) && !Trim(action.Menu).empty()) Add(std::move(action));
    ++counter;
  }
  return counter;
}

std::string TResultActions::IniText() const {
  std::string text;
  for (std::size_t i = 0; i < fItems.size(); ++i) {
    const TResultAction& action = fItems[i];
    text += "[Action" + std::to_string(i) + "]\n";
    text += "Menu=" + OneLine(action.Menu) + "\n";
    text += "Program=" + OneLine(action.Program) + "\n";
    text += "CmdLine=" + OneLine(action.CmdLine) + "\n";
    text += "Shortcut=" + OneLine(action.Shortcut) + "\n";
  }
  return text;
}

bool TResultActions::SaveToFile(const std::string& path, std::string& error) {
  for (std::size_t i = 0; i < fItems.size(); ++i) fItems[i].Name = "Action" + std::to_string(i);
  const tWholeWriteResult written = WriteFileWhole(path, IniText());
  if (written.Outcome == tWholeWrite::Written) return true;
  error = WriteFailureMessage(written);
  return false;
}

}  // namespace orvalis
