// The built-in functions that ask the metadata store: hassegment and contains.
#include "metadata/image_metadata.h"
#include "common/ascii_case.h"
#include "query/function_handler.h"
#include "query/text_functions.h"

namespace orvalis {

std::string tMyFunctionHandler::HasSegment(const std::string& name) const {
  if (store_ == nullptr) return "false";
  const std::string segment = AsciiLower(name);
  bool has = false;
  if (segment == "exif") {
    has = store_->HasExif();
  } else if (segment == "iptc") {
    has = store_->HasIptc();
  } else if (segment == "cmmt") {
    has = store_->HasComment();
  } else if (segment == "thumb") {
    has = store_->HasThumbnail();
  }
  return has ? "true" : "false";
}

std::string tMyFunctionHandler::Contains(const std::string& pattern) const {
  std::string result;
  if (store_ == nullptr) return result;
  const ContainsPattern test(pattern);
  const int count = store_->EntryCount();
  for (int i = 0; i < count; ++i) {
    const std::unique_ptr<tMetaEntry> entry = store_->GetEntry(i);
    if (!entry || entry->Kind != kind::kString) continue;
    const std::string text = AsciiLower(entry->Text);
    if (test.Matches(text)) result += tImageMetaData::TagName(*entry) + ":" + text + "|";
  }
  return result;
}

}  // namespace orvalis
