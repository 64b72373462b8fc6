#include "i18n/file_messages.h"

#include "i18n/catalogue.h"

#include <cstring>

namespace orvalis {

namespace {

std::string Naming(tText text, const std::string& file) {
  std::string message = Text(text);
  const std::size_t place = message.find("%s");
  if (place != std::string::npos) message.replace(place, 2, file);
  return message;
}

}  // namespace

std::string WriteFailureMessage(const tWholeWriteResult& result) {
  switch (result.Outcome) {
    case tWholeWrite::Written: return {};
    case tWholeWrite::NotRegular: return Naming(tText::NotARegularFile, result.Target);
    case tWholeWrite::Failed: break;
  }
  return WriteFailureMessage(result.Target, std::strerror(result.Error));
}

std::string ReadFailureMessage(const std::string& file, const std::string& why) {
  return Naming(tText::FileReadFailed, file) + why;
}

std::string WriteFailureMessage(const std::string& file, const std::string& why) {
  return Naming(tText::FileWriteFailed, file) + why;
}

}  // namespace orvalis
