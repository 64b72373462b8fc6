// Every user-visible message is fetched by a key with its German default.
// Until a language file is loaded every look-up yields the default; the
// translator plugs in through SetMessageSource.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvalis {

// Where translated texts come from (the loaded language file).
class tMessageSource {
 public:
  virtual ~tMessageSource() = default;
  // The key's text, or nothing when the language has no such key.
  virtual std::optional<std::string> Lookup(std::string_view key) const = 0;
};

// Installs the language; nullptr goes back to the built-in German texts.
void SetMessageSource(std::shared_ptr<const tMessageSource> source);

// Form 1: the key's text, or the default when the text is missing or empty.
std::string Message(std::string_view key, std::string_view germanDefault);
// Form 2: the key's text when the key is present (even if empty), else the default.
std::string MessageIfPresent(std::string_view key, std::string_view germanDefault);

}  // namespace orvalis
