// Options on the desktop program's command line: "/name:value" or "/name",
// names compared without regard to case, and the switch that turns on the
// help log ("/debug" or "-debug").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvalis {

class TArgsClass {
 public:
  // The arguments as the program received them, its own path first.
  explicit TArgsClass(std::vector<std::string> arguments);

  struct tOption {
    bool found = false;
    std::string value;
  };

  // The first argument that starts with "/" name ":" (or is just "/" name);
  // the value ends before the first double quote.
  tOption OptionText(const std::string& name) const;
  // The option's value when it is present and a decimal integer.
  std::optional<long long> OptionInteger(const std::string& name) const;
  // True when an argument is "/debug" or "-debug" in any case.
  bool DebugRequested() const;

  const std::vector<std::string>& Arguments() const { return arguments_; }

 private:
  std::vector<std::string> arguments_;
};

}  // namespace orvalis
