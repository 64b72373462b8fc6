#include "metadata/image_metadata.h"

#include <algorithm>
#include <cstdio>

#include "metadata/byte_reader.h"
#include "metadata/jpeg_file.h"
#include "output/display_text.h"
#include "query/ascii_case.h"

namespace orvalis {

namespace {

constexpr std::uint16_t kMarkerApp0 = 0xFFE0;
constexpr std::uint16_t kMarkerApp1 = 0xFFE1;
constexpr std::uint16_t kMarkerApp13 = 0xFFED;
constexpr std::uint16_t kMarkerComment = 0xFFFE;
constexpr std::uint16_t kMarkerBaselineFrame = 0xFFC0;
constexpr std::uint16_t kMarkerEndOfImage = 0xFFD9;
constexpr std::uint16_t kMarkerStartOfScan = 0xFFDA;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

std::uint8_t PrefixGroup(std::string_view prefix) {
  if (prefix == "app0") return group::kApp0;
  if (prefix == "exif") return group::kExif;
  if (prefix == "file") return group::kFile;
  if (prefix == "iptc") return group::kIptc;
  if (prefix == "gps") return group::kGps;
  return 0;
}

}  // namespace

std::string CutEntryText(std::string text) {
  if (text.size() <= kMaxEntryText) return text;
  // A UTF-8 text is cut before the character that would not fit whole, so
  // it stays UTF-8; any other text is cut at the byte limit.
  std::size_t keep = kMaxEntryText;
  if (IsValidUtf8(text))
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80) --keep;
  text.resize(keep);
  return text;
}

tImageMetaData::tImageMetaData() { Clear(); }

tImageMetaData::~tImageMetaData() { Clear(); }

void tImageMetaData::Clear() {
  entries_.clear();
  exifSegment_.clear();
  iptcSegment_.clear();
  jfifSegment_.clear();
  commentSegment_.clear();
  exifFlag_ = iptcFlag_ = commentFlag_ = jfifFlag_ = false;
  thumbOffset_ = 0;
  thumbLength_ = 0;
  keywordAccumulator_.clear();
  categoryAccumulator_.clear();
  for (tIfdBlock& slot : slots_) slot = tIfdBlock{};
  iterGroup_ = 0;
  iterIndex_ = -1;
}

void tImageMetaData::ReadJpegFile(const std::string& fileName) {
  fileName_ = fileName;
  isJpeg_ = false;
  tJpegFile file(fileName);  // closes the file on every way out of here

  const std::uint8_t* start = file.Read(0, 2);
  isJpeg_ = start[0] == 0xFF && start[1] == 0xD8;
  if (!isJpeg_) return;

  bool ok = ReadFileData(file);
  std::uint64_t position = 2;
  while (ok) {
    const std::uint8_t* head = file.Read(position, 2);
    const auto marker = static_cast<std::uint16_t>(head[0] << 8 | head[1]);
    // End of image and start of scan end the walk before their length is
    // looked at: neither carries metadata, and a file may end right there.
    if (marker == kMarkerEndOfImage || marker == kMarkerStartOfScan) break;
    head = file.Read(position + 2, 2);
    const auto length = static_cast<std::uint16_t>(head[0] << 8 | head[1]);
    const std::uint64_t payload = position + 4;
    // A length below 2 cannot count itself; the segment chain is broken and
    // nothing after it can be found, so the walk ends as after a failed
    // decoder.
    if (length < 2) break;

    if (marker == kMarkerApp0 && !jfifFlag_)
      ok = DecodeJfif(file, payload, length);
    else if (marker == kMarkerComment && !commentFlag_)
      ok = DecodeComment(file, payload, length);
    else if (marker == kMarkerApp1 && !exifFlag_)
      ok = DecodeExif(file, payload, length);
    else if (marker == kMarkerApp13 && !iptcFlag_)
      ok = DecodeIptc(file, payload, length);
    else if (marker == kMarkerBaselineFrame)
      ok = DecodeFrameHeader(file, payload, length);

    position = payload + length - 2;
  }
}

std::unique_ptr<tMetaEntry> tImageMetaData::GetEntry(int index) const {
  if (index < 0 || index >= EntryCount()) return nullptr;
  return std::make_unique<tMetaEntry>(entries_[static_cast<std::size_t>(index)]);
}

int tImageMetaData::FieldIndex(std::string_view fieldName) {
  const std::string name = AsciiLower(fieldName);
  std::string_view tagName = name;
  bool hasPrefix = false;
  std::uint8_t prefixGroup = 0;
  if (const auto dot = name.find('.'); dot != std::string::npos) {
    hasPrefix = true;
    prefixGroup = PrefixGroup(std::string_view(name).substr(0, dot));
    tagName = std::string_view(name).substr(dot + 1);
  }
  for (std::size_t i = 0; i < TagTable.size(); ++i) {
    const tTagRow& row = TagTable[i];
    if (!EqualsNoCase(row.Name, tagName)) continue;
    if (hasPrefix && row.Group != prefixGroup) continue;
    return static_cast<int>(i);
  }
  return -1;
}

const tMetaEntry* tImageMetaData::FindEntry(std::string_view fieldName) const {
  const int row = FieldIndex(AsciiLower(TrimBlanks(fieldName)));
  if (row < 0) return nullptr;
  const tTagRow& r = TagTable[static_cast<std::size_t>(row)];
  for (const tMetaEntry& e : entries_)
    if (e.Tag == r.Tag && e.Group == r.Group) return &e;
  return nullptr;
}

const tMetaEntry* tImageMetaData::FindFirstInGroup(std::uint8_t group) {
  iterIndex_ = -1;
  if (entries_.empty()) return nullptr;
  iterGroup_ = group;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].Group == group) {
      iterIndex_ = static_cast<std::int32_t>(i);
      return &entries_[i];
    }
  }
  return nullptr;
}

const tMetaEntry* tImageMetaData::FindNextInGroup() {
  if (entries_.empty() || iterIndex_ < 0) return nullptr;
  while (iterIndex_ < EntryCount() - 1) {
    ++iterIndex_;
    const tMetaEntry& e = entries_[static_cast<std::size_t>(iterIndex_)];
    if (e.Group == iterGroup_) return &e;
  }
  iterIndex_ = -1;
  return nullptr;
}

std::string tImageMetaData::TagName(const tMetaEntry& entry) {
  for (const tTagRow& row : TagTable)
    if (row.Group == entry.Group && row.Tag == entry.Tag) return std::string(row.Name);
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(entry.Tag));
  return buf;
}

std::vector<std::string> tImageMetaData::GetTagNames(std::uint8_t group) {
  std::vector<std::string> names;
  for (const tTagRow& row : TagTable)
    if (group == 0 || row.Group == group) names.emplace_back(row.Name);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return AsciiLower(a) < AsciiLower(b);
  });
  return names;
}

}  // namespace orvalis
