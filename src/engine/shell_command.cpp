// Shell quoting, parameter splitting and placeholder replacement.
#include "engine/shell_command.h"

#include "common/ascii_case.h"

namespace orvalis {

namespace {

constexpr std::string_view kShellPlaceholder = "$filename";

// The path as one single-quoted shell word: a quote inside ends the quoted
// part, adds an escaped quote and opens a new one.
std::string SingleQuoted(std::string_view path) {
  std::string out = "'";
  for (char c : path) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  out += '\'';
  return out;
}

// The path inside an open '...': the same, without the outer quotes.
std::string InsideSingleQuotes(std::string_view path) {
  const std::string quoted = SingleQuoted(path);
  return quoted.substr(1, quoted.size() - 2);
}

// The path inside an open "...": the characters the shell still reads there
// get a backslash.
std::string InsideDoubleQuotes(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '$' || c == '`' || c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string ShellCommandFor(std::string_view command, std::string_view path) {
  enum class tQuote { None, Single, Double };
  tQuote quote = tQuote::None;
  std::string out;
  std::size_t i = 0;
  while (i < command.size()) {
    if (command.substr(i, kShellPlaceholder.size()) == kShellPlaceholder) {
      switch (quote) {
        case tQuote::None: out += SingleQuoted(path); break;
        case tQuote::Single: out += InsideSingleQuotes(path); break;
        case tQuote::Double: out += InsideDoubleQuotes(path); break;
      }
      i += kShellPlaceholder.size();
      continue;
    }
    const char c = command[i];
    out += c;
    ++i;
    switch (quote) {
      case tQuote::None:
        if (c == '\'') quote = tQuote::Single;
        if (c == '"') quote = tQuote::Double;
        // An escaped character is taken as it is, so \" opens nothing.
        if (c == '\\' && i < command.size()) out += command[i++];
        break;
      case tQuote::Single:
        if (c == '\'') quote = tQuote::None;
        break;
      case tQuote::Double:
        if (c == '"') quote = tQuote::None;
        if (c == '\\' && i < command.size()) out += command[i++];
        break;
    }
  }
  return out;
}

std::vector<std::string> SplitParameters(std::string_view text) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  char quote = '\0';
  for (char c : text) {
    if (quote != '\0') {
      if (c == quote) {
        quote = '\0';
      } else {
        current += c;
      }
      continue;
    }
    if (c == ' ' || c == '\t') {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
      continue;
    }
    inArgument = true;
    if (c == '"' || c == '\'') {
      quote = c;
    } else {
      current += c;
    }
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

std::string ReplaceIgnoringCase(std::string_view text, std::string_view placeholder,
                                std::string_view replacement) {
  if (placeholder.empty()) return std::string(text);
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (EqualsNoCase(text.substr(i, placeholder.size()), placeholder)) {
      out += replacement;
      i += placeholder.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::vector<std::string> ActionArguments(std::string_view cmdLine, const std::string& fileName,
                                         const std::vector<std::string>& resultSet) {
  std::string list;
  for (const std::string& hit : resultSet) {
    if (!list.empty()) list += ", ";
    list += '"' + hit + '"';
  }
  std::vector<std::string> arguments;
  for (const std::string& argument : SplitParameters(cmdLine)) {
    if (EqualsNoCase(argument, "$FILELIST")) {
      arguments.insert(arguments.end(), resultSet.begin(), resultSet.end());
      continue;
    }
    // Both placeholders in one pass, so neither is found inside the other's text.
    std::string out;
    std::size_t i = 0;
    while (i < argument.size()) {
      if (EqualsNoCase(std::string_view(argument).substr(i, 9), "$FILENAME")) {
        out += fileName;
        i += 9;
      } else if (EqualsNoCase(std::string_view(argument).substr(i, 9), "$FILELIST")) {
        out += list;
        i += 9;
      } else {
        out += argument[i++];
      }
    }
    arguments.push_back(std::move(out));
  }
  return arguments;
}

std::vector<std::string> ViewerArguments(std::string_view paramTemplate,
                                         const std::string& fileName) {
  std::vector<std::string> arguments;
  for (const std::string& argument : SplitParameters(AsciiLower(paramTemplate))) {
    std::string out;
    std::size_t i = 0;
    while (i < argument.size()) {
      if (std::string_view(argument).substr(i, kShellPlaceholder.size()) == kShellPlaceholder) {
        out += fileName;
        i += kShellPlaceholder.size();
      } else {
        out += argument[i++];
      }
    }
    arguments.push_back(std::move(out));
  }
  return arguments;
}

std::optional<std::string> ShortcutCaptureText(int keyCode, bool shift, bool ctrl, bool alt) {
  const bool counts = (keyCode >= 0x30 && keyCode <= 0x3B) ||
                      (keyCode >= 0x41 && keyCode <= 0x5A) || (keyCode >= 0x61 && keyCode <= 0x7A);
  if (!counts) return std::nullopt;
  std::string text;
  const std::pair<bool, const char*> modifiers[] = {{shift, "SHIFT"}, {ctrl, "CTRL"}, {alt, "ALT"}};
  for (const auto& [held, word] : modifiers) {
    if (!held) continue;
    if (!text.empty()) text += '+';
    text += word;
  }
  if (!text.empty()) text += '+';
  text += static_cast<char>(keyCode);
  return text;
}

}  // namespace orvalis
