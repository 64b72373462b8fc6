#include "i18n/messages.h"

#include <utility>

namespace orvalis {

namespace {
std::shared_ptr<const tMessageSource>& Source() {
  static std::shared_ptr<const tMessageSource> source;
  return source;
}
}  // namespace

void SetMessageSource(std::shared_ptr<const tMessageSource> source) {
  Source() = std::move(source);
}

std::string Message(std::string_view key, std::string_view germanDefault) {
  if (const auto& s = Source()) {
    if (auto text = s->Lookup(key); text && !text->empty()) return *text;
  }
  return std::string(germanDefault);
}

std::string MessageIfPresent(std::string_view key, std::string_view germanDefault) {
  if (const auto& s = Source()) {
    if (auto text = s->Lookup(key)) return *text;
  }
  return std::string(germanDefault);
}

}  // namespace orvalis
