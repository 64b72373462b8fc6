#include "i18n/catalogue.h"

#include "i18n/messages.h"

namespace orvalis {

namespace {

constexpr tTextEntry kEntries[] = {
#define ORVALIS_MESSAGE(key, german) {#key, german, false},
#define ORVALIS_MESSAGE_IF_PRESENT(key, german) {#key, german, true},
#define ORVALIS_CONTROL(window, control, property, german) \
  {#window "." #control "." #property, german, true},
#include "i18n/catalogue_entries.h"
#undef ORVALIS_MESSAGE
#undef ORVALIS_MESSAGE_IF_PRESENT
#undef ORVALIS_CONTROL
};

}  // namespace

std::span<const tTextEntry> Catalogue() { return kEntries; }

const tTextEntry& Entry(tText text) { return kEntries[static_cast<std::size_t>(text)]; }

std::string Text(tText text) {
  const tTextEntry& entry = Entry(text);
  return entry.EmptyTranslationCounts ? MessageIfPresent(entry.Key, entry.German)
                                      : Message(entry.Key, entry.German);
}

std::string TextWith(tText text, std::string_view fill) {
  std::string message = Text(text);
  std::size_t at = message.find("%s");
  if (at == std::string::npos) at = message.find("%d");
  if (at != std::string::npos) message.replace(at, 2, fill);
  return message;
}

std::string TextIfPresent(tText text) {
  const tTextEntry& entry = Entry(text);
  return MessageIfPresent(entry.Key, entry.German);
}

}  // namespace orvalis
