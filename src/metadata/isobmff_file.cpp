#include "metadata/isobmff_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string_view>

#include "metadata/byte_reader.h"
#include "metadata/metadata_error.h"

namespace orvalis {

namespace {

constexpr std::uint32_t FourCc(const char (&s)[5]) {
  return std::uint32_t{static_cast<std::uint8_t>(s[0])} << 24 |
         std::uint32_t{static_cast<std::uint8_t>(s[1])} << 16 |
         std::uint32_t{static_cast<std::uint8_t>(s[2])} << 8 | static_cast<std::uint8_t>(s[3]);
}

std::uint32_t Be32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::uint64_t Be64(const std::uint8_t* p) { return std::uint64_t{Be32(p)} << 32 | Be32(p + 4); }

// A box type for a message: its four characters, '?' for any that is no
// printable ASCII.
std::string TypeName(std::uint32_t type) {
  std::string name = "'";
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<char>(type >> shift & 0xFF);
    name += c >= 0x20 && c < 0x7F ? c : '?';
  }
  return name + "'";
}

using tUuid = std::array<std::uint8_t, 16>;
// Canon's metadata box in a CR3's movie box (the TIFF structures, the thumbnail).
constexpr tUuid kCanonUuid = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                              0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};
// Canon's preview box at the top of a CR3.
constexpr tUuid kPreviewUuid = {0xea, 0xf4, 0x2b, 0x5e, 0x1c, 0x98, 0x4b, 0x88,
                                0xb9, 0xfb, 0xb7, 0xdc, 0x40, 0x6e, 0x4d, 0x16};
// The XMP packet at the top of a file.
constexpr tUuid kXmpUuid = {0xbe, 0x7a, 0xcf, 0xcb, 0x97, 0xa9, 0x42, 0xe8,
                            0x9c, 0x71, 0x99, 0x94, 0x91, 0xe3, 0xaf, 0xac};

using tProblems = std::vector<std::string>;

struct tBox {
  std::uint32_t type = 0;
  std::uint64_t start = 0;    // where its header begins
  std::uint64_t payload = 0;  // the first byte after the header (and uuid)
  std::uint64_t end = 0;
  tUuid uuid{};
  std::uint64_t PayloadSize() const { return end - payload; }
  std::string Name() const { return "box " + TypeName(type) + " at " + std::to_string(start); }
};

// The boxes side by side in [begin, end), read from the file or from bytes
// in memory (positions are then offsets into those bytes). Every box moves
// the cursor on by at least its header, and a box that claims more than its
// container holds is cut to it, so the walk ends.
class tBoxCursor {
 public:
  tBoxCursor(tJpegFile& file, std::uint64_t begin, std::uint64_t end, tProblems& problems)
      : file_(&file), pos_(begin), end_(end), problems_(problems) {}
  tBoxCursor(const std::uint8_t* bytes, std::uint64_t begin, std::uint64_t end, tProblems& problems)
      : bytes_(bytes), pos_(begin), end_(end), problems_(problems) {}

  bool Next(tBox& box) {
    if (pos_ >= end_) return false;
    const std::uint64_t left = end_ - pos_;
    if (left < 8)
      return Stop(std::to_string(left) + " bytes at " + std::to_string(pos_) +
                  " are too few for a box");
    if (++count_ > tIsoBmffLimits::kMaxItems)
      return Stop("more than " + std::to_string(tIsoBmffLimits::kMaxItems) +
                  " boxes side by side; those from " + std::to_string(pos_) + " on passed over");
    const auto have = static_cast<std::size_t>(std::min<std::uint64_t>(left, 32));
    const std::uint8_t* p = file_ != nullptr ? file_->Read(pos_, have) : bytes_ + pos_;
    box.type = Be32(p + 4);
    box.start = pos_;
    std::uint64_t size = Be32(p);
    std::size_t header = 8;
    if (size == 1) {
      header = 16;
      if (have >= header) size = Be64(p + 8);
    } else if (size == 0) {
      size = left;  // the box runs to the end of its container
    }
    if (box.type == FourCc("uuid")) {
      header += 16;
      if (have >= header) std::memcpy(box.uuid.data(), p + header - 16, 16);
    }
    if (have < header || size < header)
      return Stop(box.Name() + " gives the impossible size " + std::to_string(size) +
                  "; the boxes after it passed over");
    if (size > left) {
      problems_.push_back(box.Name() + " runs past its container; read up to the container's end");
      size = left;
    }
    box.payload = pos_ + header;
    box.end = pos_ + size;
    pos_ = box.end;
    return true;
  }

 private:
  bool Stop(std::string problem) {
    problems_.push_back(std::move(problem));
    pos_ = end_;
    return false;
  }

  tJpegFile* file_ = nullptr;
  const std::uint8_t* bytes_ = nullptr;
  std::uint64_t pos_;
  std::uint64_t end_;
  tProblems& problems_;
  std::size_t count_ = 0;
};

// The format the brands of an ftyp box name (bytes from the box's start), or
// empty. A Canon brand anywhere makes a CR3; else the major brand decides,
// then the compatible brands.
std::string FormatOfBrands(const std::uint8_t* head, std::size_t length) {
  if (length < 16 || Be32(head + 4) != FourCc("ftyp") || Be32(head) < 16) return {};
  const std::size_t limit = std::min<std::size_t>(length, Be32(head));
  const auto isHevc = [](std::uint32_t b) {
    return b == FourCc("heic") || b == FourCc("heix") || b == FourCc("hevc") ||
           b == FourCc("hevx") || b == FourCc("heim") || b == FourCc("heis");
  };
  const auto isAvif = [](std::uint32_t b) { return b == FourCc("avif") || b == FourCc("avis"); };
  const std::uint32_t major = Be32(head + 8);
  bool crx = major == FourCc("crx "), hevc = false, avif = false, heif = false;
  for (std::size_t at = 16; at + 4 <= limit; at += 4) {
    const std::uint32_t brand = Be32(head + at);
    crx |= brand == FourCc("crx ");
    hevc |= isHevc(brand);
    avif |= isAvif(brand);
    heif |= brand == FourCc("mif1") || brand == FourCc("msf1");
  }
  const bool heifMajor = major == FourCc("mif1") || major == FourCc("msf1");
  if (crx) return "CR3";
  if (isAvif(major)) return "AVIF";
  if (isHevc(major)) return "HEIC";
  // A file whose major brand is the general image brand is called HEIF
  // whatever coding its compatible brands name, as ExifTool calls it.
  if (heifMajor) return "HEIF";
  if (hevc) return "HEIC";
  if (avif) return "AVIF";
  if (heif) return "HEIF";
  return {};
}

bool IsTiffHeader(const std::uint8_t* p) {
  return (p[0] == 'I' && p[1] == 'I' && p[2] == 42 && p[3] == 0) ||
         (p[0] == 'M' && p[1] == 'M' && p[2] == 0 && p[3] == 42);
}

// A TIFF structure of length bytes at offset, when it starts with a TIFF
// header (or with "Exif\0\0" and one, as some writers put it).
void AddTiffBlock(tJpegFile& file, std::uint64_t offset, std::uint64_t length,
                  tIsoTiffBlock::tFirst first, const std::string& what,
                  tIsoBmffFindings& findings) {
  if (length >= 8) {
    const auto have = static_cast<std::size_t>(std::min<std::uint64_t>(length, 14));
    const std::uint8_t* p = file.Read(offset, have);
    if (IsTiffHeader(p)) {
      findings.tiffBlocks.push_back({offset, length, first});
      return;
    }
    if (have == 14 && std::memcmp(p, "Exif\0\0", 6) == 0 && IsTiffHeader(p + 6)) {
      findings.tiffBlocks.push_back({offset + 6, length - 6, first});
      return;
    }
  }
  findings.problems.push_back(what + " holds no TIFF header");
}

// A JPEG in one of Canon's picture boxes: its length stands at sizeOffset of
// the payload, the picture at 16.
void AddEmbeddedJpeg(tJpegFile& file, const tBox& box, std::size_t sizeOffset,
                     tIsoBmffFindings& findings) {
  constexpr std::size_t kJpegAt = 16;
  if (box.PayloadSize() >= kJpegAt + 2) {
    const std::uint8_t* p = file.Read(box.payload, kJpegAt + 2);
    const std::uint32_t length = Be32(p + sizeOffset);
    if (length > box.PayloadSize() - kJpegAt) {
      findings.problems.push_back("the JPEG in " + box.Name() + " runs past its box");
      return;
    }
    if (length >= 2 && p[kJpegAt] == 0xFF && p[kJpegAt + 1] == 0xD8) {
      findings.embeddedJpegs.push_back({box.payload + kJpegAt, length});
      return;
    }
  }
  findings.problems.push_back(box.Name() + " holds no JPEG");
}

// ---- HEIF: the meta box with its items ----

struct tItemInfo {
  std::uint32_t id = 0;
  bool xmp = false;  // else Exif
};

// Where the bytes of an item we read lie in the file (none when they
// cannot be read).
struct tItemPlace {
  std::uint32_t id = 0;
  bool wanted = false;  // until its first location is seen
  std::optional<tFileSpan> span;
};

class tHeifMeta {
 public:
  tHeifMeta(tJpegFile& file, const tBox& meta, tIsoBmffFindings& findings)
      : file_(file), findings_(findings), fileOffset_(meta.payload) {
    bytes_.resize(static_cast<std::size_t>(meta.PayloadSize()));
    for (std::size_t done = 0; done < bytes_.size();) {
      const std::size_t n = std::min(bytes_.size() - done, tJpegFile::kBlockSize);
      std::memcpy(bytes_.data() + done, file.Read(meta.payload + done, n), n);
      done += n;
    }
  }

  void Read() {
    // A full box: version and flags, then the boxes, in any order.
    tBoxCursor cursor(bytes_.data(), 4, bytes_.size(), findings_.problems);
    for (tBox box; cursor.Next(box);) {
      for (auto& [type, slot] : {std::pair{FourCc("pitm"), &pitm_},
                                 {FourCc("iinf"), &iinf_},
                                 {FourCc("iloc"), &iloc_},
                                 {FourCc("iref"), &iref_},
                                 {FourCc("iprp"), &iprp_},
                                 {FourCc("idat"), &idat_}})
        if (box.type == type && !*slot) *slot = box;
    }
    if (!pitm_) findings_.problems.push_back("the meta box names no primary item");
    Parse(pitm_, &tHeifMeta::ParsePrimary);
    Parse(iinf_, &tHeifMeta::ParseItemInfo);
    Parse(iref_, &tHeifMeta::ParseReferences);
    const tItemInfo* exif = Chosen(false);
    const tItemInfo* xmp = Chosen(true);
    if (exif != nullptr) places_.push_back({exif->id, true, {}});
    if (xmp != nullptr) places_.push_back({xmp->id, true, {}});
    if (primaryType_ == FourCc("grid")) places_.push_back({primary_, true, {}});
    if (!places_.empty()) {
      if (iloc_)
        Parse(iloc_, &tHeifMeta::ParseLocations);
      else
        findings_.problems.push_back("the meta box has no item locations (iloc)");
    }
    Parse(iprp_, &tHeifMeta::ParseProperties);
    if (findings_.width == 0 && primaryType_ == FourCc("grid")) GridSize();
    if (findings_.width == 0) findings_.problems.push_back("the primary item has no size (ispe)");
    if (exif != nullptr) ExifItem(Place(exif->id));
    if (xmp != nullptr)
      if (const std::optional<tFileSpan> span = Place(xmp->id)) findings_.xmp = span;
  }

 private:
  using tParser = void (tHeifMeta::*)(const tBox&, const tByteReader&);

  // Runs one box's parser over its payload; a box cut short is passed over.
  void Parse(const std::optional<tBox>& box, tParser parser) {
    if (box) Parse(*box, [&](const tBox& b, const tByteReader& r) { (this->*parser)(b, r); });
  }

  template <class Body>
  void Parse(const tBox& box, Body body) {
    tByteReader reader(bytes_.data() + box.payload, static_cast<std::size_t>(box.PayloadSize()));
    reader.SetMotorola(true);
    try {
      body(box, reader);
    } catch (const tMetadataError&) {
      findings_.problems.push_back("box " + TypeName(box.type) + " of the meta box is cut short");
    }
  }

  bool KnownVersion(const tBox& box, std::uint8_t version, std::uint8_t highest) {
    if (version <= highest) return true;
    findings_.problems.push_back("box " + TypeName(box.type) + " has the unknown version " +
                                 std::to_string(version));
    return false;
  }

  void ParsePrimary(const tBox& box, const tByteReader& r) {
    const std::uint8_t version = r.U8(0);
    if (!KnownVersion(box, version, 1)) return;
    primary_ = version == 0 ? r.U16(4) : r.U32(4);
  }

  void ParseItemInfo(const tBox& box, const tByteReader& r) {
    // Any version past 0 counts its entries in 32 bits (some writers put 2).
    const std::uint8_t version = r.U8(0);
    const std::uint64_t first = box.payload + (version == 0 ? 6 : 8);
    tBoxCursor cursor(bytes_.data(), std::min(first, box.end), box.end, findings_.problems);
    for (tBox entry; cursor.Next(entry);)
      if (entry.type == FourCc("infe"))
        Parse(entry, [&](const tBox& b, const tByteReader& e) { ItemEntry(b, e); });
  }

  // One item's entry: its id and type, and for a MIME item its content type.
  void ItemEntry(const tBox& box, const tByteReader& e) {
    const std::uint8_t version = e.U8(0);
    if (version < 2 || !KnownVersion(box, version, 3)) return;  // the old entries name no item type
    const std::uint32_t id = version == 2 ? e.U16(4) : e.U32(4);
    std::uint64_t at = version == 2 ? 8 : 10;  // past the protection index
    const std::uint32_t type = e.U32(at);
    at += 4;
    if (id == primary_) primaryType_ = type;
    if (type == FourCc("Exif")) {
      items_.push_back({id, false});
    } else if (type == FourCc("mime")) {
      const std::string_view rest = e.Rest(at);
      const std::size_t nameEnd = rest.find('\0');
      if (nameEnd == std::string_view::npos) return;
      const std::string_view contentType = rest.substr(nameEnd + 1);
      if (contentType.substr(0, contentType.find('\0')) == "application/rdf+xml")
        items_.push_back({id, true});
    }
  }

  void ParseReferences(const tBox& box, const tByteReader& r) {
    const std::uint8_t version = r.U8(0);
    if (!KnownVersion(box, version, 1)) return;
    const std::uint64_t idSize = version == 0 ? 2 : 4;
    tBoxCursor cursor(bytes_.data(), std::min<std::uint64_t>(box.payload + 4, box.end), box.end,
                      findings_.problems);
    for (tBox ref; cursor.Next(ref);) {
      if (ref.type != FourCc("cdsc")) continue;
      Parse(ref, [&](const tBox&, const tByteReader& e) {
        const auto id = [&](std::uint64_t at) { return idSize == 2 ? e.U16(at) : e.U32(at); };
        const std::uint32_t from = id(0);
        const std::uint16_t count = e.U16(idSize);
        for (std::uint64_t i = 0; i < count; ++i)
          if (id(idSize + 2 + i * idSize) == primary_) describesPrimary_.push_back(from);
      });
    }
  }

  // The Exif (or XMP) item that describes the primary item, else the first.
  const tItemInfo* Chosen(bool xmp) const {
    const tItemInfo* first = nullptr;
    for (const tItemInfo& item : items_) {
      if (item.xmp != xmp) continue;
      if (std::find(describesPrimary_.begin(), describesPrimary_.end(), item.id) !=
          describesPrimary_.end())
        return &item;
      if (first == nullptr) first = &item;
    }
    return first;
  }

  void ParseLocations(const tBox& box, const tByteReader& r) {
    const std::uint8_t version = r.U8(0);
    if (!KnownVersion(box, version, 2)) return;
    const unsigned offsetSize = r.U8(4) >> 4, lengthSize = r.U8(4) & 15, baseSize = r.U8(5) >> 4;
    const unsigned indexSize = version == 0 ? 0 : r.U8(5) & 15;
    for (const unsigned size : {offsetSize, lengthSize, baseSize, indexSize}) {
      if (size != 0 && size != 4 && size != 8) {
        findings_.problems.push_back("the item locations use a field size of " +
                                     std::to_string(size) + " bytes");
        return;
      }
    }
    const auto sized = [&](std::uint64_t& at, unsigned size) -> std::uint64_t {
      const std::uint64_t value = size == 0   ? 0
                                  : size == 4 ? r.U32(at)
                                              : (std::uint64_t{r.U32(at)} << 32 | r.U32(at + 4));
      at += size;
      return value;
    };
    std::uint64_t at = 6;
    std::uint64_t count = version < 2 ? r.U16(at) : r.U32(at);
    at += version < 2 ? 2 : 4;
    if (count > tIsoBmffLimits::kMaxItems) {
      findings_.problems.push_back("the item locations list " + std::to_string(count) +
                                   " items; only the first " +
                                   std::to_string(tIsoBmffLimits::kMaxItems) + " read");
      count = tIsoBmffLimits::kMaxItems;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint32_t id = version < 2 ? r.U16(at) : r.U32(at);
      at += version < 2 ? 2 : 4;
      std::uint16_t method = 0;
      if (version > 0) {
        method = r.U16(at) & 15;
        at += 2;
      }
      const std::uint16_t dataReference = r.U16(at);
      at += 2;
      const std::uint64_t base = sized(at, baseSize);
      const std::uint16_t extents = r.U16(at);
      at += 2;
      const std::uint64_t extentsAt = at;
      at += std::uint64_t{extents} * (indexSize + offsetSize + lengthSize);
      const auto place = std::find_if(places_.begin(), places_.end(),
                                      [&](const tItemPlace& p) { return p.id == id; });
      if (place == places_.end() || !place->wanted) continue;
      place->wanted = false;  // the first location of an item counts
      const std::string item = "item " + std::to_string(id);
      if (dataReference != 0) {
        findings_.problems.push_back(item + " lies in another file");
      } else if (method > 1) {
        findings_.problems.push_back(item + " is built by construction method " +
                                     std::to_string(method) + ", which is not read");
      } else if (extents == 0 || extents > tIsoBmffLimits::kMaxExtents) {
        findings_.problems.push_back(item + " has " + std::to_string(extents) + " extents");
      } else {
        std::uint64_t extentAt = extentsAt;
        place->span = Extents(item, method, base, extents, [&] {
          extentAt += indexSize;
          const std::uint64_t offset = sized(extentAt, offsetSize);
          return tFileSpan{offset, sized(extentAt, lengthSize)};
        });
      }
    }
  }

  // An item's extents joined into one span of the file: they must follow
  // each other. Method 1 counts from the start of the meta box's idat.
  template <class NextExtent>
  std::optional<tFileSpan> Extents(const std::string& item, std::uint16_t method,
                                   std::uint64_t base, std::uint16_t extents, NextExtent next) {
    std::uint64_t limit = file_.Size(), shift = 0;
    if (method == 1) {
      if (!idat_) {
        findings_.problems.push_back(item + " lies in the item data box, which is missing");
        return std::nullopt;
      }
      limit = idat_->PayloadSize();
      shift = fileOffset_ + idat_->payload;
    }
    tFileSpan span;
    for (std::uint16_t e = 0; e < extents; ++e) {
      tFileSpan extent = next();
      if (extent.offset > std::numeric_limits<std::uint64_t>::max() - base)
        extent.offset = limit + 1;
      else
        extent.offset += base;
      // A length of 0 reaches to the end of the data.
      if (extent.length == 0 && extents == 1 && extent.offset <= limit)
        extent.length = limit - extent.offset;
      if (extent.offset > limit || extent.length > limit - extent.offset) {
        findings_.problems.push_back(item + " lies past the end of " +
                                     (method == 1 ? "the item data" : "the file"));
        return std::nullopt;
      }
      if (e == 0) {
        span = extent;
      } else if (extent.offset == span.offset + span.length) {
        span.length += extent.length;
      } else {
        findings_.problems.push_back(item + " is split into extents that do not follow each other");
        return std::nullopt;
      }
    }
    span.offset += shift;
    return span;
  }

  std::optional<tFileSpan> Place(std::uint32_t id) const {
    for (const tItemPlace& place : places_)
      if (place.id == id) return place.span;
    return std::nullopt;
  }

  // The primary item's size: the first image spatial extent among its
  // properties.
  void ParseProperties(const tBox& box, const tByteReader&) {
    std::vector<std::uint16_t> indices;
    std::optional<tBox> container;
    tBoxCursor cursor(bytes_.data(), box.payload, box.end, findings_.problems);
    for (tBox child; cursor.Next(child);) {
      if (child.type == FourCc("ipco") && !container) container = child;
      if (child.type == FourCc("ipma"))
        Parse(child, [&](const tBox& b, const tByteReader& r) { Associations(b, r, indices); });
    }
    if (!container) return;
    tBoxCursor properties(bytes_.data(), container->payload, container->end, findings_.problems);
    std::uint16_t index = 0;
    for (tBox property; properties.Next(property);) {
      ++index;
      if (property.type != FourCc("ispe") ||
          std::find(indices.begin(), indices.end(), index) == indices.end())
        continue;
      if (property.PayloadSize() < 12) continue;
      const std::uint8_t* p = bytes_.data() + property.payload;
      findings_.width = Be32(p + 4);
      findings_.height = Be32(p + 8);
      return;
    }
  }

  // The property indices associated with the primary item.
  void Associations(const tBox& box, const tByteReader& r, std::vector<std::uint16_t>& indices) {
    const std::uint8_t version = r.U8(0);
    if (!KnownVersion(box, version, 1)) return;
    const bool wide = (r.U32(0) & 1) != 0;
    const std::uint64_t count = std::min<std::uint64_t>(r.U32(4), tIsoBmffLimits::kMaxItems);
    std::uint64_t at = 8;
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint32_t id = version == 0 ? r.U16(at) : r.U32(at);
      at += version == 0 ? 2 : 4;
      const std::uint8_t n = r.U8(at++);
      for (unsigned a = 0; a < n; ++a, at += wide ? 2 : 1)
        if (id == primary_) indices.push_back(wide ? r.U16(at) & 0x7FFF : r.U8(at) & 0x7F);
    }
  }

  // A grid without its own size: the output size from its description.
  void GridSize() {
    const std::optional<tFileSpan> span = Place(primary_);
    if (!span || span->length < 8) return;
    const std::uint8_t* p = file_.Read(
        span->offset, static_cast<std::size_t>(std::min<std::uint64_t>(span->length, 12)));
    if ((p[1] & 1) == 0) {
      findings_.width = static_cast<std::uint32_t>(p[4] << 8 | p[5]);
      findings_.height = static_cast<std::uint32_t>(p[6] << 8 | p[7]);
    } else if (span->length >= 12) {
      findings_.width = Be32(p + 4);
      findings_.height = Be32(p + 8);
    }
  }

  // The Exif item starts with the distance from its fifth byte to the TIFF
  // header.
  void ExifItem(const std::optional<tFileSpan>& span) {
    if (!span) return;
    if (span->length < 4) {
      findings_.problems.push_back("the Exif item is too short");
      return;
    }
    const std::uint32_t skip = Be32(file_.Read(span->offset, 4));
    if (skip > span->length - 4) {
      findings_.problems.push_back("the Exif item's TIFF header lies past its end");
      return;
    }
    AddTiffBlock(file_, span->offset + 4 + skip, span->length - 4 - skip,
                 tIsoTiffBlock::tFirst::Ifd0, "the Exif item", findings_);
  }

  tJpegFile& file_;
  tIsoBmffFindings& findings_;
  std::vector<std::uint8_t> bytes_;  // the meta box's payload
  std::uint64_t fileOffset_;         // where bytes_ start in the file
  std::optional<tBox> pitm_, iinf_, iloc_, iref_, iprp_, idat_;
  std::uint32_t primary_ = 0;
  std::uint32_t primaryType_ = 0;
  std::vector<tItemInfo> items_;
  std::vector<std::uint32_t> describesPrimary_;
  std::vector<tItemPlace> places_;
};

// ---- CR3: Canon's boxes ----

// The full-size image's size from the first track's header (16.16 fixed
// point numbers).
void TrackSize(tJpegFile& file, const tBox& track, tIsoBmffFindings& findings) {
  tBoxCursor cursor(file, track.payload, track.end, findings.problems);
  for (tBox box; cursor.Next(box);) {
    if (box.type != FourCc("tkhd") || box.PayloadSize() < 1) continue;
    const std::size_t sizeAt = *file.Read(box.payload, 1) == 0 ? 76 : 88;
    if (box.PayloadSize() < sizeAt + 8) break;
    const std::uint8_t* p = file.Read(box.payload + sizeAt, 8);
    findings.width = Be32(p) >> 16;
    findings.height = Be32(p + 4) >> 16;
    return;
  }
  findings.problems.push_back("the first track has no size");
}

void CanonMovie(tJpegFile& file, const tBox& movie, tIsoBmffFindings& findings) {
  tBoxCursor cursor(file, movie.payload, movie.end, findings.problems);
  bool trackSeen = false;
  for (tBox box; cursor.Next(box);) {
    if (box.type == FourCc("trak") && !trackSeen) {
      trackSeen = true;
      TrackSize(file, box, findings);
    }
    if (box.type != FourCc("uuid") || box.uuid != kCanonUuid) continue;
    tBoxCursor canon(file, box.payload, box.end, findings.problems);
    for (tBox part; canon.Next(part);) {
      using tFirst = tIsoTiffBlock::tFirst;
      for (const auto& [type, first] : {std::pair{FourCc("CMT1"), tFirst::Ifd0},
                                        {FourCc("CMT2"), tFirst::Exif},
                                        {FourCc("CMT4"), tFirst::Gps}})
        if (part.type == type)
          AddTiffBlock(file, part.payload, part.PayloadSize(), first, part.Name(), findings);
      if (part.type == FourCc("THMB")) AddEmbeddedJpeg(file, part, 8, findings);
    }
  }
}

// The preview box: eight bytes, then the PRVW box with its JPEG.
void CanonPreview(tJpegFile& file, const tBox& box, tIsoBmffFindings& findings) {
  tBoxCursor cursor(file, std::min(box.payload + 8, box.end), box.end, findings.problems);
  for (tBox part; cursor.Next(part);)
    if (part.type == FourCc("PRVW")) AddEmbeddedJpeg(file, part, 12, findings);
}

}  // namespace

bool IsIsoBmff(const std::uint8_t* head, std::size_t length) {
  return !FormatOfBrands(head, length).empty();
}

tIsoBmffFindings ReadIsoBmff(tJpegFile& file) {
  tIsoBmffFindings findings;
  const std::uint64_t size = file.Size();
  // The brands are looked for in the first kilobytes only.
  const auto headLength = static_cast<std::size_t>(std::min<std::uint64_t>(size, 4096));
  if (headLength >= 16) findings.format = FormatOfBrands(file.Read(0, headLength), headLength);
  if (findings.format.empty()) {
    findings.problems.push_back("the file starts with no ftyp box naming a brand that is read");
    return findings;
  }
  const bool cr3 = findings.format == "CR3";
  bool metaSeen = false, movieSeen = false;
  tBoxCursor cursor(file, 0, size, findings.problems);
  for (tBox box; cursor.Next(box);) {
    if (box.type == FourCc("meta") && !metaSeen && !cr3) {
      metaSeen = true;
      if (box.PayloadSize() > tIsoBmffLimits::kMaxMetaBox) {
        findings.problems.push_back(box.Name() + " is larger than " +
                                    std::to_string(tIsoBmffLimits::kMaxMetaBox) +
                                    " bytes and passed over");
      } else {
        tHeifMeta(file, box, findings).Read();
      }
      // What HEIF keeps is reached through the meta box: the rest of the
      // file is picture data.
      break;
    }
    if (box.type == FourCc("moov") && cr3 && !movieSeen) {
      movieSeen = true;
      CanonMovie(file, box, findings);
    }
    if (box.type == FourCc("uuid") && box.uuid == kXmpUuid && !findings.xmp &&
        box.PayloadSize() > 0)
      findings.xmp = tFileSpan{box.payload, box.PayloadSize()};
    if (box.type == FourCc("uuid") && box.uuid == kPreviewUuid && cr3)
      CanonPreview(file, box, findings);
  }
  if (!cr3 && !metaSeen) findings.problems.push_back("the file has no meta box");
  if (cr3 && !movieSeen) findings.problems.push_back("the file has no movie box");
  std::stable_sort(findings.embeddedJpegs.begin(), findings.embeddedJpegs.end(),
                   [](const tFileSpan& a, const tFileSpan& b) { return a.length > b.length; });
  return findings;
}

}  // namespace orvalis
