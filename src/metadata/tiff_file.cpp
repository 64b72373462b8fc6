// A TIFF file and the raw formats built on it (CR2, NEF, ARW, DNG, PEF, SRW,
// IIQ, ORF, RW2, and the TIFF inside an MRW): the directories may lie
// anywhere in a file of many megabytes, so they are found with small reads at
// their offsets. The image directories (IFD0, the chain after it, the
// SubIFDs) give the name of the raw format, the size of the full image and
// the places of the embedded JPEG previews; IFD0, the thumbnail directory
// after it, the Exif and the GPS directory are then read in one window of the
// file and decoded as an Exif segment's are.
#include <algorithm>
#include <string>
#include <string_view>

#include "metadata/byte_reader.h"
#include "metadata/container.h"
#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"
#include "metadata/tiff_directory.h"
#include "metadata/xmp_packet.h"

namespace orvalis {

namespace {

// What one file can make the walk read or look at.
constexpr std::size_t kMaxIfdEntries = 4096;  // entries of one directory (12 bytes each: one read)
constexpr std::size_t kMaxImageDirectories = 32;  // directories looked at for size and previews
constexpr std::size_t kMaxSubIfds = 8;            // SubIFDs followed per directory
constexpr std::uint64_t kMaxValueInWindow = 256 * 1024;  // a longer value is left out of the window
constexpr std::uint64_t kMaxTiffWindow = 1024 * 1024;    // bytes read for the EXIF directories
constexpr std::uint64_t kMaxIptcBytes = 1024 * 1024;
// Header bytes before the first directory are read with the window when
// they are this close: a thumbnail offset then counts in the window.
constexpr std::uint64_t kHeaderReach = 64 * 1024;

namespace tag {
constexpr std::uint16_t kNewSubfileType = 254;
constexpr std::uint16_t kImageWidth = 256;
constexpr std::uint16_t kImageLength = 257;
constexpr std::uint16_t kCompression = 259;
constexpr std::uint16_t kPhotometric = 262;
constexpr std::uint16_t kMake = 271;
constexpr std::uint16_t kStripOffsets = 273;
constexpr std::uint16_t kStripByteCounts = 279;
constexpr std::uint16_t kSubIfds = 330;
constexpr std::uint16_t kJpegOffset = 513;
constexpr std::uint16_t kJpegLength = 514;
constexpr std::uint16_t kXmp = 700;
constexpr std::uint16_t kIptc = 33723;
constexpr std::uint16_t kPhotoshop = 34377;
constexpr std::uint16_t kExifPointer = 34665;
constexpr std::uint16_t kGpsPointer = 34853;
constexpr std::uint16_t kMakerNote = 37500;
constexpr std::uint16_t kExifImageWidth = 40962;
constexpr std::uint16_t kExifImageHeight = 40963;
constexpr std::uint16_t kDngVersion = 50706;
// Panasonic RW2: the sensor's borders in IFD0.
constexpr std::uint16_t kSensorTop = 4;
constexpr std::uint16_t kSensorLeft = 5;
constexpr std::uint16_t kSensorBottom = 6;
constexpr std::uint16_t kSensorRight = 7;
}  // namespace tag

constexpr std::uint16_t kPhotometricCfa = 32803;

std::uint64_t TypeSize(std::uint16_t type) {
  switch (type) {
    case 3:
    case 8: return 2;
    case 4:
    case 9:
    case 11:
    case 13: return 4;
    case 5:
    case 10:
    case 12: return 8;
    default: return 1;
  }
}

std::uint64_t ValueLength(const tIfdEntry& e) { return TypeSize(e.Type) * e.Count; }

// The TIFF structure in the file: offsets count from its header.
class tTiffInFile {
 public:
  tTiffInFile(tJpegFile& file, std::uint64_t start, std::uint64_t length, bool motorola)
      : file_(file), start_(start), length_(length), motorola_(motorola) {}

  bool Motorola() const { return motorola_; }
  std::uint64_t Length() const { return length_; }
  std::uint64_t FileOffset(std::uint64_t offset) const { return start_ + offset; }

  tByteReader At(std::uint64_t offset, std::size_t n) const {
    if (offset > length_ || n > length_ - offset)
      throw tMetadataError("offset " + std::to_string(offset) + " outside the TIFF structure");
    tByteReader r(file_.Read(start_ + offset, n), n);
    r.SetMotorola(motorola_);
    return r;
  }

  // One directory; entries past the end of the structure are left off.
  void ReadIfd(std::uint32_t offset, tIfdBlock& block) const {
    block.Offset = offset;
    block.Entries.clear();
    block.NextOffset = 0;
    const std::uint32_t declared = At(offset, 2).U16(0);
    const std::uint64_t room = (length_ - offset - 2) / 12;
    const auto count =
        static_cast<std::uint32_t>(std::min<std::uint64_t>({declared, room, kMaxIfdEntries}));
    block.Count = count;
    if (count == 0) return;
    const tByteReader entries = At(std::uint64_t{offset} + 2, 12u * count);
    block.Entries.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      tIfdEntry& e = block.Entries[i];
      e.Tag = entries.U16(12u * i);
      e.Type = entries.U16(12u * i + 2);
      e.Count = entries.U32(12u * i + 4);
      e.ValueField = entries.U32(12u * i + 8);
      const std::string_view raw = entries.Bytes(12u * i + 8, 4);
      std::copy(raw.begin(), raw.end(), e.ValueBytes);
    }
    const std::uint64_t next = std::uint64_t{offset} + 2 + 12ull * declared;
    if (count == declared && next + 4 <= length_) block.NextOffset = At(next, 4).U32(0);
  }

  // A SHORT or LONG value of one entry, when it has one.
  std::optional<std::uint32_t> Number(const tIfdEntry& e) const {
    if (e.Count < 1) return std::nullopt;
    tByteReader field(e.ValueBytes, 4);
    field.SetMotorola(motorola_);
    if (e.Type == 3) return field.U16(0);
    if (e.Type == 4) return field.U32(0);
    return std::nullopt;
  }

  // The bytes of an entry's value, at most cap of them.
  std::vector<std::uint8_t> Value(const tIfdEntry& e, std::uint64_t cap) const {
    const std::uint64_t length = std::min(ValueLength(e), cap);
    if (ValueLength(e) <= 4) return {e.ValueBytes, e.ValueBytes + length};
    if (e.ValueField > length_ || length > length_ - e.ValueField)
      throw tMetadataError("value outside the TIFF structure");
    std::vector<std::uint8_t> out;
    ReadFileSpan(file_, start_ + e.ValueField, static_cast<std::size_t>(length), out);
    return out;
  }

 private:
  tJpegFile& file_;
  std::uint64_t start_;
  std::uint64_t length_;
  bool motorola_;
};

const tIfdEntry* FindTag(const tIfdBlock& block, std::uint16_t tag) {
  for (const tIfdEntry& e : block.Entries)
    if (e.Tag == tag) return &e;
  return nullptr;
}

// What the image directories tell.
struct tImageScan {
  std::uint32_t width = 0, height = 0;
  bool cfa = false;  // a directory holds raw sensor data
  std::vector<tFileSpan> previews;
};

void ScanImageDirectory(const tTiffInFile& tiff, const tIfdBlock& dir, tImageScan& scan,
                        std::vector<std::uint32_t>& toVisit) {
  std::uint32_t width = 0, height = 0, compression = 0, subfileType = 0;
  std::optional<std::uint32_t> stripOffset, stripLength, jpegOffset, jpegLength;
  for (const tIfdEntry& e : dir.Entries) {
    const std::optional<std::uint32_t> n = tiff.Number(e);
    switch (e.Tag) {
      case tag::kImageWidth: width = n.value_or(0); break;
      case tag::kImageLength: height = n.value_or(0); break;
      case tag::kCompression: compression = n.value_or(0); break;
      case tag::kNewSubfileType: subfileType = n.value_or(0); break;
      case tag::kPhotometric: scan.cfa = scan.cfa || n == kPhotometricCfa; break;
      case tag::kStripOffsets:
        if (e.Count == 1) stripOffset = n;
        break;
      case tag::kStripByteCounts:
        if (e.Count == 1) stripLength = n;
        break;
      case tag::kJpegOffset: jpegOffset = n; break;
      case tag::kJpegLength: jpegLength = n; break;
      case tag::kSubIfds: {
        const std::uint32_t count = std::min<std::uint32_t>(e.Count, kMaxSubIfds);
        if (count == 1 && n) toVisit.push_back(*n);
        if (count > 1 && e.Type == 4) {
          const tByteReader offsets = tiff.At(e.ValueField, 4u * count);
          for (std::uint32_t i = 0; i < count; ++i) toVisit.push_back(offsets.U32(4u * i));
        }
        break;
      }
      default: break;
    }
  }
  if (std::uint64_t{width} * height > std::uint64_t{scan.width} * scan.height) {
    scan.width = width;
    scan.height = height;
  }
  // A JPEG preview: the old JPEG interchange format's place, or a single
  // strip of JPEG data of a reduced image (compression 7 of a full-size
  // image is lossless raw data, which no picture decoder shows).
  std::optional<tFileSpan> preview;
  if (jpegOffset && jpegLength && *jpegLength > 0)
    preview = tFileSpan{*jpegOffset, *jpegLength};
  else if (stripOffset && stripLength && *stripLength > 0 && width > 0 && height > 0 &&
           (compression == 6 || (compression == 7 && subfileType == 1)))
    preview = tFileSpan{*stripOffset, *stripLength};
  if (preview && preview->offset <= tiff.Length() &&
      preview->length <= tiff.Length() - preview->offset)
    scan.previews.push_back({tiff.FileOffset(preview->offset), preview->length});
}

std::string MakeOf(const tTiffInFile& tiff, const tIfdBlock& ifd0) {
  const tIfdEntry* make = FindTag(ifd0, tag::kMake);
  if (make == nullptr || make->Type != 2) return {};
  const std::vector<std::uint8_t> bytes = tiff.Value(*make, 64);
  std::string text(bytes.begin(), bytes.end());
  return text.substr(0, text.find('\0'));
}

// The raw format a TIFF file is, by its header and its directories.
std::string RawFormatName(std::string_view header, std::uint16_t magic, const tIfdBlock& ifd0,
                          const std::string& make, bool cfa) {
  const auto makeIs = [&make](std::string_view prefix) {
    return make.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), make.begin(),
                      [](char a, char b) { return (a | 0x20) == (b | 0x20); });
  };
  if (magic == 0x4F52 || magic == 0x5352) return "ORF";
  if (magic == 0x55) return makeIs("LEICA") ? "RWL" : "RW2";
  if (FindTag(ifd0, tag::kDngVersion) != nullptr) return "DNG";
  if (header.size() >= 10 && header.substr(8, 2) == "CR") return "CR2";
  if (header.size() >= 12 && (header.substr(8, 4) == "IIII" || header.substr(8, 4) == "MMMM"))
    return "IIQ";
  if (!cfa) return "TIFF";
  if (makeIs("NIKON")) return "NEF";
  if (makeIs("SONY")) return "ARW";
  if (makeIs("PENTAX") || makeIs("RICOH") || makeIs("ASAHI")) return "PEF";
  if (makeIs("SAMSUNG")) return "SRW";
  if (makeIs("LEAF") || makeIs("PHASE ONE")) return "IIQ";
  if (makeIs("CANON")) return "CR2";
  return "TIFF";
}

}  // namespace

void tImageMetaData::ReadTiffFile(tJpegFile& file, std::uint64_t start, std::uint64_t length,
                                  std::string format) {
  const bool topLevel = format.empty();
  if (length < 8) throw tMetadataError("TIFF header cut short");
  const std::size_t headerLength = static_cast<std::size_t>(std::min<std::uint64_t>(length, 16));
  const std::string header(reinterpret_cast<const char*>(file.Read(start, headerLength)),
                           headerLength);
  const bool motorola = header[0] == 'M';
  const tTiffInFile tiff(file, start, length, motorola);
  const tByteReader head = tiff.At(0, 8);
  const std::uint16_t magic = head.U16(2);
  if (magic == 43) {
    // BigTIFF counts in 64-bit offsets and 20-byte entries, which the
    // directory decoder does not read; the file is named and sized only.
    if (topLevel) {
      BeginPhoto(file, "TIFF");
    }
    Drop("BigTIFF: its directories are not read");
    return;
  }
  const std::uint32_t firstOffset = head.U32(4);

  // The image directories: IFD0 and the chain after it, and their SubIFDs.
  tImageScan scan;
  tIfdBlock ifd0, ifd1, dir;
  std::vector<std::uint32_t> toVisit{firstOffset}, visited;
  while (!toVisit.empty() && visited.size() < kMaxImageDirectories) {
    const std::uint32_t offset = toVisit.front();
    toVisit.erase(toVisit.begin());
    if (offset == 0 || std::find(visited.begin(), visited.end(), offset) != visited.end()) continue;
    visited.push_back(offset);
    try {
      tiff.ReadIfd(offset, dir);
    } catch (const tMetadataError& e) {
      Drop("TIFF directory at offset " + std::to_string(offset) + ": " + e.what());
      continue;
    }
    if (visited.size() == 1) ifd0 = dir;
    if (visited.size() == 2 && offset == ifd0.NextOffset) ifd1 = dir;
    try {
      ScanImageDirectory(tiff, dir, scan, toVisit);
    } catch (const tMetadataError& e) {
      Drop("TIFF directory at offset " + std::to_string(offset) + ": " + e.what());
    }
    // The chain goes first; sub-directories follow it.
    if (dir.NextOffset != 0) toVisit.insert(toVisit.begin(), dir.NextOffset);
  }
  if (!toVisit.empty())
    Drop("more than " + std::to_string(kMaxImageDirectories) +
         " TIFF directories: the rest are not read");

  // The Exif and the GPS directory: the window must hold them, and the Exif
  // directory may know a larger image than the others (CR2, IIQ).
  tIfdBlock exif, gps;
  for (const auto& [pointer, block] :
       {std::pair{tag::kExifPointer, &exif}, std::pair{tag::kGpsPointer, &gps}}) {
    const tIfdEntry* e = FindTag(ifd0, pointer);
    if (e == nullptr) continue;
    try {
      tiff.ReadIfd(e->ValueField, *block);
    } catch (const tMetadataError& error) {
      Drop(std::string(pointer == tag::kExifPointer ? "Exif" : "GPS") +
           " directory: " + error.what());
    }
  }
  {
    const tIfdEntry* w = FindTag(exif, tag::kExifImageWidth);
    const tIfdEntry* h = FindTag(exif, tag::kExifImageHeight);
    const std::uint32_t width = w ? tiff.Number(*w).value_or(0) : 0,
                        height = h ? tiff.Number(*h).value_or(0) : 0;
    if (std::uint64_t{width} * height > std::uint64_t{scan.width} * scan.height) {
      scan.width = width;
      scan.height = height;
    }
  }

  std::string make;
  try {
    make = MakeOf(tiff, ifd0);
  } catch (const tMetadataError&) {
    // No make: the format is told without it.
  }
  if (topLevel) {
    BeginPhoto(file, RawFormatName(header, magic, ifd0, make, scan.cfa));
  }
  if (magic == 0x55) {
    // RW2 keeps the image size as the sensor's borders.
    const auto border = [&](std::uint16_t t) {
      const tIfdEntry* e = FindTag(ifd0, t);
      return e ? tiff.Number(*e).value_or(0) : 0;
    };
    const std::uint32_t top = border(tag::kSensorTop), left = border(tag::kSensorLeft);
    const std::uint32_t bottom = border(tag::kSensorBottom), right = border(tag::kSensorRight);
    if (right > left && bottom > top) {
      scan.width = right - left;
      scan.height = bottom - top;
    }
  }
  AppendPixelSize(scan.width, scan.height);
  std::stable_sort(scan.previews.begin(), scan.previews.end(),
                   [](const tFileSpan& a, const tFileSpan& b) { return a.length > b.length; });
  embeddedJpegs_ = std::move(scan.previews);

  // One window over the four directories and their values.
  if (ifd0.Entries.empty()) return;
  std::uint64_t lo = ifd0.Offset, hi = 0;
  for (const tIfdBlock* block : {&ifd0, &ifd1, &exif, &gps}) {
    if (block->Entries.empty()) continue;
    lo = std::min<std::uint64_t>(lo, block->Offset);
    hi = std::max<std::uint64_t>(hi, std::uint64_t{block->Offset} + 2 + 12ull * block->Count + 4);
    for (const tIfdEntry& e : block->Entries) {
      const std::uint64_t n = ValueLength(e);
      if (n <= 4 || n > kMaxValueInWindow || e.Tag == tag::kMakerNote || e.Tag == tag::kXmp ||
          e.Tag == tag::kIptc || e.Tag == tag::kPhotoshop || e.Type == 3 || e.Type == 4)
        continue;
      lo = std::min<std::uint64_t>(lo, e.ValueField);
      hi = std::max<std::uint64_t>(hi, e.ValueField + n);
    }
  }
  if (lo <= kHeaderReach) lo = 0;
  hi = std::min({hi, length, lo + kMaxTiffWindow});
  if (hi > lo) {
    try {
      const bool keep = lo == 0 && KeepThumbnail;
      std::vector<std::uint8_t>& window = keep ? exifSegment_ : tiffWindow_;
      ReadFileSpan(file, start + lo, static_cast<std::size_t>(hi - lo), window);
      if (!keep) exifSegment_.clear();
      exifSize_ = keep ? static_cast<std::uint32_t>(window.size()) : 0;
      tiffBase_ = 0;
      thumbOffset_ = thumbLength_ = 0;
      motorola_ = motorola;
      tByteReader bytes(window.data(), window.size(), lo);
      bytes.SetMotorola(motorola);
      DecodeTiffDirectories(bytes, firstOffset, tTiffFirst::Ifd0, true);
    } catch (const tMetadataError& e) {
      Drop(std::string("TIFF directories: ") + e.what());
    }
  }

  // IPTC (its own tag, else inside the Photoshop resources) and XMP.
  try {
    if (const tIfdEntry* e = FindTag(ifd0, tag::kIptc) ? FindTag(ifd0, tag::kIptc)
                                                       : FindTag(ifd0, tag::kPhotoshop)) {
      const std::vector<std::uint8_t> bytes = tiff.Value(*e, kMaxIptcBytes);
      DecodeIptcBytes(bytes.data(), bytes.size());
    }
  } catch (const tMetadataError& e) {
    Drop(std::string("IPTC in the TIFF directory: ") + e.what());
  }
  try {
    if (const tIfdEntry* e = FindTag(ifd0, tag::kXmp)) {
      // One byte more than a packet may hold, so that the XMP reader can
      // refuse a longer one as too long.
      const std::vector<std::uint8_t> bytes = tiff.Value(*e, kMaxXmpPacket + 1);
      KeepXmpPacket({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    }
  } catch (const tMetadataError& e) {
    Drop(std::string("XMP in the TIFF directory: ") + e.what());
  }
}

}  // namespace orvalis
