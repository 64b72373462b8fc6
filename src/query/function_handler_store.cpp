// The built-in functions that ask the metadata store: hassegment and contains.
#include "metadata/image_metadata.h"
#include "common/ascii_case.h"
#include "query/builtin_functions.h"
#include "query/text_functions.h"

namespace orvalis {

std::string HasSegmentText(const tImageMetaData* store, const std::string& name) {
  if (store == nullptr) return "false";
  const std::string segment = AsciiLower(name);
  bool has = false;
  if (segment == "exif") {
    has = store->HasExif();
  } else if (segment == "iptc") {
    has = store->HasIptc();
  } else if (segment == "cmmt") {
    has = store->HasComment();
  } else if (segment == "thumb") {
    has = store->HasThumbnail();
  } else if (segment == "gps") {
    has = store->HasGps();
  } else if (segment == "xmp") {
    has = store->HasXmp();
  }
  return has ? "true" : "false";
}

std::string ContainsText(const tImageMetaData* store, const std::string& pattern) {
  std::string result;
  if (store == nullptr) return result;
  const ContainsPattern test(pattern);
  const int count = store->EntryCount();
  for (int i = 0; i < count; ++i) {
    const std::unique_ptr<tMetaEntry> entry = store->GetEntry(i);
    if (!entry || entry->Kind != kind::kString) continue;
    const std::string text = AsciiLower(WholeText(*entry));
    if (test.Matches(text)) result += tImageMetaData::TagName(*entry) + ":" + text + "|";
  }
  return result;
}

}  // namespace orvalis
