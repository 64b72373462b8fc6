#include "metadata/image_metadata.h"

#include <algorithm>
#include <cstdio>

#include "metadata/byte_reader.h"
#include "metadata/container.h"
#include "metadata/jpeg_file.h"
#include "metadata/xmp_packet.h"
#include "common/utf8.h"
#include "common/ascii_case.h"
#include "common/text.h"

namespace orvalis {

namespace {

constexpr std::uint16_t kMarkerApp0 = 0xFFE0;
constexpr std::uint16_t kMarkerApp1 = 0xFFE1;
constexpr std::uint16_t kMarkerApp13 = 0xFFED;
constexpr std::uint16_t kMarkerComment = 0xFFFE;
constexpr std::uint16_t kMarkerEndOfImage = 0xFFD9;
constexpr std::uint16_t kMarkerStartOfScan = 0xFFDA;
constexpr std::uint16_t kMarkerTemporary = 0xFF01;
constexpr std::uint16_t kMarkerRestart0 = 0xFFD0;
constexpr std::uint16_t kMarkerRestart7 = 0xFFD7;
// How far the walk looks for the next marker past bytes that are none.
constexpr std::uint64_t kMaxMarkerSearch = 1024 * 1024;

std::uint8_t PrefixGroup(std::string_view prefix) {
  if (prefix == "app0") return group::kApp0;
  if (prefix == "exif") return group::kExif;
  if (prefix == "file") return group::kFile;
  if (prefix == "iptc") return group::kIptc;
  if (prefix == "gps") return group::kGps;
  if (prefix == "xmp") return group::kXmp;
  return 0;
}

// Start-of-frame markers of every coding process (baseline, extended,
// progressive, lossless, hierarchical; Huffman or arithmetic). C4 (Huffman
// tables), C8 (reserved) and CC (arithmetic conditioning) share the range
// but carry no frame header.
bool IsFrameHeader(std::uint16_t marker) {
  return marker >= 0xFFC0 && marker <= 0xFFCF && marker != 0xFFC4 && marker != 0xFFC8 &&
         marker != 0xFFCC;
}

}  // namespace

void CutToEntryText(std::string& text) {
  if (text.size() <= kMaxEntryText) return;
  // A UTF-8 text is cut before the character that would not fit whole, so
  // it stays UTF-8; any other text is cut at the byte limit.
  std::size_t keep = kMaxEntryText;
  if (IsValidUtf8(text))
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80) --keep;
  text.resize(keep);
}

const std::string& WholeText(const tMetaEntry& entry) {
  // A cut Text is at least kMaxEntryText bytes less the part of a UTF-8
  // character left off, and the start of the longer text it was cut from.
  if (entry.Text.size() + 3 < kMaxEntryText || !entry.Value.IsText()) return entry.Text;
  const std::string& whole = entry.Value.AsText();
  if (whole.size() > entry.Text.size() && whole.starts_with(entry.Text)) return whole;
  return entry.Text;
}

tImageMetaData::tImageMetaData() { Clear(); }

tImageMetaData::~tImageMetaData() { Clear(); }

void tImageMetaData::Clear() {
  entries_.clear();
  format_.clear();
  embeddedJpegs_.clear();
  dropped_.clear();
  limitReached_.clear();
  cutShort_.clear();
  entryBytes_ = 0;
  exifSegment_.clear();
  iptcSegment_.clear();
  jfifSegment_.clear();
  commentSegment_.clear();
  tiffBase_ = kTiffBase;
  exifFlag_ = iptcFlag_ = commentFlag_ = jfifFlag_ = frameFlag_ = exifTried_ = false;
  gpsFlag_ = xmpFlag_ = xmpDecoded_ = false;
  xmpPacket_.clear();
  xmpError_.clear();
  thumbOffset_ = 0;
  thumbLength_ = 0;
  exifSize_ = 0;
  keywordAccumulator_.clear();
  categoryAccumulator_.clear();
  for (tIfdBlock& slot : slots_) slot.Reset();
  iterGroup_ = 0;
  iterIndex_ = -1;
}

void tImageMetaData::Drop(std::string reason) const {
  if (dropped_.size() < kMaxDropped)
    dropped_.push_back(std::move(reason));
  else if (dropped_.size() == kMaxDropped)
    dropped_.emplace_back("further reasons left out");
}

void tImageMetaData::ReachLimit(const std::string& what) {
  if (!limitReached_.empty()) return;
  limitReached_ = what;
  Drop("limit reached: " + what);
}

void tImageMetaData::Append(tMetaEntry&& entry) {
  // After a limit nothing more is kept, also no entry small enough to fit.
  if (!limitReached_.empty()) return;
  const std::size_t bytes =
      entry.Text.size() + (entry.Value.IsText() ? entry.Value.AsText().size() : 0);
  if (entries_.size() >= kMaxEntries) {
    ReachLimit("more than " + std::to_string(kMaxEntries) + " entries");
    return;
  }
  if (bytes > kMaxEntryBytes - entryBytes_) {
    ReachLimit("more than " + std::to_string(kMaxEntryBytes) + " bytes of entry texts");
    return;
  }
  entryBytes_ += bytes;
  entries_.push_back(std::move(entry));
}

std::optional<std::uint64_t> tImageMetaData::FindMarker(tJpegFile& file, std::uint64_t from) {
  // A marker is 0xFF followed by a byte that is neither 0 (a stuffed 0xFF)
  // nor 0xFF (a fill byte; the marker follows it). The search starts in the
  // buffered block and reads on block by block, each piece overlapping the
  // last by one byte; it gives up after kMaxMarkerSearch bytes.
  const std::uint64_t size = file.Size();
  const std::uint64_t end = size - from > kMaxMarkerSearch ? from + kMaxMarkerSearch : size;
  std::uint64_t at = from;
  while (at + 1 < end) {
    const std::uint64_t left = end - at;
    auto length =
        static_cast<std::size_t>(left < tJpegFile::kBlockSize ? left : tJpegFile::kBlockSize);
    const std::uint8_t* bytes = file.ReadBuffered(at, length);
    for (std::size_t i = 0; i + 1 < length; ++i)
      if (bytes[i] == 0xFF && bytes[i + 1] != 0x00 && bytes[i + 1] != 0xFF) return at + i;
    at += length - 1;
  }
  return std::nullopt;
}

void tImageMetaData::ReadJpegFile(const std::string& fileName, int folderFd) {
  fileName_ = fileName;
  format_.clear();
  embeddedJpegs_.clear();
  tJpegFile file(fileName, folderFd);  // closes the file on every way out of here
  // However the walk ends, the XMP entries read later find room without
  // moving the entries made now, so pointers handed out stay valid.
  struct XmpRoom {
    tImageMetaData& store;
    ~XmpRoom() {
      if (store.xmpFlag_ && !store.xmpDecoded_)
        store.entries_.reserve(store.entries_.size() + xmp::kFieldCount);
    }
  } room{*this};

  // A file of fewer than two bytes is refused by the read, as a JPEG cut
  // short is.
  const std::size_t headLength = std::max<std::size_t>(
      2, static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), kContainerHeadSize)));
  switch (RecogniseContainer(file.Read(0, headLength), headLength)) {
    case tContainer::Jpeg:
      BeginPhoto(file, "JPEG");
      ReadJpegSegments(file, 0);
      return;
    case tContainer::Tiff: ReadTiffFile(file, 0, file.Size(), ""); return;
    case tContainer::Raf: ReadRafFile(file); return;
    case tContainer::Mrw: ReadMrwFile(file); return;
    case tContainer::Png: ReadPngFile(file); return;
    case tContainer::WebP: ReadWebPFile(file); return;
    case tContainer::IsoBmff: ReadIsoBmffFile(file); return;
    case tContainer::X3f: ReadX3fFile(file); return;
    case tContainer::None: return;
  }
}

void tImageMetaData::ReadJpegSegments(tJpegFile& file, std::uint64_t start) {
  std::uint64_t position = start + 2;
  for (std::size_t steps = 0;; ++steps) {
    // Each step is a marker or a stretch of bytes that are none; a file of
    // nothing but markers must not keep the walk going for ever.
    if (steps == kMaxSegments) {
      ReachLimit("more than " + std::to_string(kMaxSegments) + " segments");
      break;
    }
    const std::uint8_t* head = file.Read(position, 2);
    if (head[0] != 0xFF || head[1] == 0x00 || head[1] == 0xFF) {
      // Not a marker: fill bytes, or bytes a writer left between two
      // segments. Go on at the next marker, as image decoders do.
      const std::optional<std::uint64_t> next = FindMarker(file, position);
      if (!next) {
        Drop("no marker after offset " + std::to_string(position));
        break;
      }
      if (head[0] != 0xFF || head[1] != 0xFF)
        Drop(std::to_string(*next - position) + " bytes that are no marker at offset " +
             std::to_string(position));
      position = *next;
      continue;
    }
    const auto marker = static_cast<std::uint16_t>(head[0] << 8 | head[1]);
    // End of image and start of scan end the walk before their length is
    // looked at: neither carries metadata, and a file may end right there.
    if (marker == kMarkerEndOfImage || marker == kMarkerStartOfScan) break;
    // Markers without a segment (TEM, restart markers) stand alone.
    if (marker == kMarkerTemporary || (marker >= kMarkerRestart0 && marker <= kMarkerRestart7)) {
      position += 2;
      continue;
    }
    head = file.Read(position + 2, 2);
    const auto length = static_cast<std::uint16_t>(head[0] << 8 | head[1]);
    const std::uint64_t payload = position + 4;
    // A length below 2 cannot count itself: the segment chain is broken
    // here, and the walk looks for the next marker after it.
    if (length < 2) {
      Drop("segment length " + std::to_string(length) + " at offset " + std::to_string(position));
      position += 4;
      continue;
    }

    const char* name = nullptr;
    tDecoder decode = nullptr;
    if (marker == kMarkerApp0 && !jfifFlag_) {
      name = "APP0";
      decode = &tImageMetaData::DecodeJfif;
    } else if (marker == kMarkerComment && !commentFlag_) {
      name = "COM";
      decode = &tImageMetaData::DecodeComment;
    } else if (marker == kMarkerApp1 && IsXmpSegment(file, payload, length)) {
      if (!xmpFlag_) {
        name = "XMP";
        decode = &tImageMetaData::DecodeXmp;
      }
    } else if (marker == kMarkerApp1 && !exifTried_) {
      name = "APP1";
      decode = &tImageMetaData::DecodeExif;
    } else if (marker == kMarkerApp13 && !iptcFlag_) {
      name = "APP13";
      decode = &tImageMetaData::DecodeIptc;
    } else if (IsFrameHeader(marker) && !frameFlag_) {
      frameFlag_ = true;
      name = "frame header";
      decode = &tImageMetaData::DecodeFrameHeader;
    }
    const std::uint64_t next = payload + length - 2;
    if (decode != nullptr && !(this->*decode)(file, payload, length)) {
      const std::string reason =
          std::string(name) + " segment at offset " + std::to_string(position) + ": " + failure_;
      Drop(reason);
      // A segment cut off by the end of the file: there is nothing after it
      // to walk to.
      if (next > file.Size()) {
        cutShort_ = reason;
        break;
      }
    }
    if (!limitReached_.empty()) break;
    position = next;
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
  const int row = FieldIndex(AsciiLower(Trim(fieldName)));
  if (row < 0) return nullptr;
  const tTagRow& r = TagTable[static_cast<std::size_t>(row)];
  if (r.Group == group::kXmp) DecodeXmpOnDemand();
  for (const tMetaEntry& e : entries_)
    if (e.Tag == r.Tag && e.Group == r.Group) return &e;
  return nullptr;
}

const tMetaEntry* tImageMetaData::FindFirstInGroup(std::uint8_t group) {
  iterIndex_ = -1;
  if (group == group::kXmp) DecodeXmpOnDemand();
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
  if (const tTagRow* row = FindTagRow(entry.Group, entry.Tag)) return std::string(row->Name);
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
