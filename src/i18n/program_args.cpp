#include "i18n/program_args.h"

#include <charconv>

#include "common/ascii_case.h"

namespace orvalis {

TArgsClass::TArgsClass(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

TArgsClass::tOption TArgsClass::OptionText(const std::string& name) const {
  const std::string wanted = "/" + AsciiLower(name) + ":";
  for (const std::string& argument : arguments_) {
    // With ":" appended, "/name" alone and "/name:value" both start with
    // "/name:", while "/namex" does not.
    const std::string lowered = AsciiLower(argument) + ":";
    if (lowered.compare(0, wanted.size(), wanted) != 0) continue;
    tOption option{true, {}};
    if (argument.size() > wanted.size()) {
      const std::string rest = argument.substr(wanted.size());
      option.value = rest.substr(0, rest.find('"'));
    }
    return option;
  }
  return {};
}

std::optional<long long> TArgsClass::OptionInteger(const std::string& name) const {
  const tOption option = OptionText(name);
  if (!option.found) return std::nullopt;
  long long number = 0;
  const char* first = option.value.data();
  const char* last = first + option.value.size();
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last || option.value.empty()) return std::nullopt;
  return number;
}

bool TArgsClass::DebugRequested() const {
  for (const std::string& argument : arguments_) {
    const std::string lowered = AsciiLower(argument);
    if (lowered == "/debug" || lowered == "-debug") return true;
  }
  return false;
}

}  // namespace orvalis
