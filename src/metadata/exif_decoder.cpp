// The EXIF decoder: Exif header, TIFF header, the first directory, the
// thumbnail directory, the Exif sub-directory and the GPS directory, each
// entry converted by the generic rule of its field type.
#include <charconv>
#include <cstdio>
#include <string>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"
#include "metadata/tiff_directory.h"
#include "common/ascii_case.h"

namespace orvalis {

namespace {

constexpr std::uint16_t kTagExifPointer = 34665;
constexpr std::uint16_t kTagMakerNote = 37500;
constexpr std::uint16_t kTagInteropPointer = 40965;
constexpr std::uint16_t kTagGpsPointer = 34853;

// Tags of a TIFF file's first directory that hold a structure of their own
// (XMP packet, IPTC, Photoshop resources, colour profile, sub-directories,
// where the image data lie): their contents are read by their own decoders
// or not at all, never shown as one number.
bool IsStructureTag(std::uint16_t tag) {
  switch (tag) {
    case 273:
    case 279:
    case 324:
    case 325:
    case 330:
    case 700:
    case 33723:
    case 34377:
    case 34675: return true;
    default: return false;
  }
}

using namespace fieldtype;

// Bytes of an UNDEFINED value shown in the dump; more could never reach the
// 255 characters an entry's text keeps.
constexpr std::uint32_t kMaxDumpedBytes = (kMaxEntryText + 2) / 3;

// The value bytes of an ASCII or UNDEFINED entry: inside the value field when
// they fit, else count bytes at the offset the field holds.
std::string_view ValueBytes(const tByteReader& tiff, const tIfdEntry& in, std::uint32_t count) {
  if (count <= 4) return {reinterpret_cast<const char*>(in.ValueBytes), count};
  return tiff.Bytes(in.ValueField, count);
}

}  // namespace

void tImageMetaData::ReadDirectory(const tByteReader& tiff, std::uint32_t offset,
                                   tIfdBlock& block) const {
  // A directory that lies outside the segment counts as empty, and only the
  // entries that lie wholly inside it are taken; the rest of the segment
  // still decodes.
  block.Offset = offset;
  block.Count = 0;
  block.Entries.clear();
  block.NextOffset = 0;
  if (!tiff.Has(offset, 2)) return;
  const std::uint32_t declared = tiff.U16(offset);
  const std::uint64_t first = std::uint64_t{offset} + 2;
  const std::uint64_t fitting = (tiff.Size() - first) / 12;
  const auto count = static_cast<std::uint32_t>(declared < fitting ? declared : fitting);
  block.Entries.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t at = first + 12ull * i;
    tIfdEntry& e = block.Entries[i];
    e.Tag = tiff.U16(at);
    e.Type = tiff.U16(at + 2);
    e.Count = tiff.U32(at + 4);
    e.ValueField = tiff.U32(at + 8);
    const std::string_view raw = tiff.Bytes(at + 8, 4);
    for (int b = 0; b < 4; ++b)
      e.ValueBytes[b] = static_cast<std::uint8_t>(raw[static_cast<std::size_t>(b)]);
  }
  block.Count = count;
  const std::uint64_t next = first + 12ull * declared;
  if (count == declared && tiff.Has(next, 4)) block.NextOffset = tiff.U32(next);
}

bool tImageMetaData::DecodeExif(tJpegFile& file, std::uint64_t position, std::uint16_t length) {
  try {
    const std::size_t size = length - 2u;
    const std::uint8_t* bytes = file.Read(position, size);
    {
      const tByteReader candidate(bytes, size);
      if (!candidate.Has(0, 6) || !EqualsNoCase(candidate.Bytes(0, 4), "EXIF") ||
          candidate.U8(4) != 0 || candidate.U8(5) != 0)
        return Fail("not an Exif segment");
      // From here on the segment counts as the file's Exif segment, decoded
      // or not; a later APP1 (XMP) is no longer offered to this decoder.
      exifTried_ = true;
      if (!candidate.Has(0, 14)) return Fail("Exif segment too short");
    }
    return DecodeTiffBlock(bytes, size, kTiffBase, tTiffFirst::Ifd0);
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

bool tImageMetaData::DecodeTiffBlock(const std::uint8_t* bytes, std::size_t size,
                                     std::uint32_t tiffBase, tTiffFirst first) {
  try {
    if (size < tiffBase || size - tiffBase < 8) return Fail("TIFF structure too short");
    // Only a TIFF structure in a buffer of its own replaces the kept buffer:
    // the thumbnail location of an earlier one must not end up pointing into
    // other bytes. A new buffer starts without a thumbnail. Without a kept
    // thumbnail the entries are decoded from the caller's bytes, which stay
    // valid while they are decoded.
    const std::uint8_t* data = bytes;
    if (KeepThumbnail) {
      exifSegment_.assign(bytes, bytes + size);
      data = exifSegment_.data();
    } else {
      exifSegment_.clear();
    }
    thumbOffset_ = 0;
    thumbLength_ = 0;
    exifSize_ = static_cast<std::uint32_t>(size);
    tiffBase_ = tiffBase;
    const tByteReader block(data, size);
    motorola_ = block.Bytes(tiffBase, 2) == "MM";
    tByteReader tiff(data + tiffBase, size - tiffBase);
    tiff.SetMotorola(motorola_);
    DecodeTiffDirectories(tiff, tiff.U32(4), first, false);
    return true;
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

void tImageMetaData::DecodeTiffDirectories(const tByteReader& tiff, std::uint32_t firstOffset,
                                           tTiffFirst first, bool wholeFile) {
  for (tIfdBlock& slot : slots_) slot.Reset();
  if (first == tTiffFirst::Exif) {
    // A structure that holds only an Exif or only a GPS directory (a CR3
    // keeps each in one of its own).
    exifFlag_ = true;
    slots_[2].Kind = ifd::kExif;
    ReadDirectory(tiff, firstOffset, slots_[2]);
  } else if (first == tTiffFirst::Gps) {
    slots_[kGpsSlot].Kind = ifd::kGps;
    ReadDirectory(tiff, firstOffset, slots_[kGpsSlot]);
  } else {
    slots_[0].Kind = ifd::kFirst;
    ReadDirectory(tiff, firstOffset, slots_[0]);
    // Each directory is read once: a pointer back to one already read would
    // only repeat its entries.
    const std::uint32_t thumbDir = slots_[0].NextOffset;
    if (thumbDir != 0 && thumbDir != firstOffset) {
      slots_[1].Kind = ifd::kThumbnail;
      ReadDirectory(tiff, thumbDir, slots_[1]);
      // The chain of directories ends here: what a file links after the
      // thumbnail directory is not read, however long the chain.
      if (slots_[1].NextOffset != 0 && !wholeFile)
        Drop("directories after the thumbnail directory are not read");
    }
    for (const tIfdEntry& e : slots_[0].Entries) {
      if (e.Tag != kTagExifPointer) continue;
      exifFlag_ = true;
      if (e.ValueField != firstOffset && (thumbDir == 0 || e.ValueField != thumbDir)) {
        slots_[2].Kind = ifd::kExif;
        ReadDirectory(tiff, e.ValueField, slots_[2]);
      }
      break;
    }
    // The GPS directory goes to a slot of its own, unless its pointer leads
    // back to a directory already read.
    for (const tIfdEntry& e : slots_[0].Entries) {
      if (e.Tag != kTagGpsPointer) continue;
      if (e.ValueField != firstOffset && e.ValueField != thumbDir &&
          e.ValueField != slots_[2].Offset) {
        slots_[kGpsSlot].Kind = ifd::kGps;
        ReadDirectory(tiff, e.ValueField, slots_[kGpsSlot]);
      }
      break;
    }
  }

  bool latitude = false, longitude = false;
  for (const tIfdBlock& slot : slots_) {
    for (const tIfdEntry& in : slot.Entries) {
      // Past a limit no entry is kept, so none is made: thousands of
      // entries may share one long text, each a copy of it.
      if (!limitReached_.empty()) break;
      tMetaEntry out;
      if (!ConvertIfdEntry(tiff, in, slot.Kind, out)) continue;
      if (out.Group == group::kGps && out.Kind == kind::kNumber) {
        latitude = latitude || out.Tag == gps::kLatitude;
        longitude = longitude || out.Tag == gps::kLongitude;
      }
      Append(std::move(out));
    }
  }
  gpsFlag_ = gpsFlag_ || (latitude && longitude);
}

bool tImageMetaData::ConvertIfdEntry(const tByteReader& tiff, const tIfdEntry& in,
                                     std::uint8_t dirKind, tMetaEntry& out) {
  if (dirKind == ifd::kFirst && (in.Tag == kTagExifPointer || IsStructureTag(in.Tag))) return false;
  if (dirKind == ifd::kExif &&
      (in.Tag == kTagMakerNote || in.Tag == kTagInteropPointer || in.Tag == kTagGpsPointer))
    return false;
  // out is a fresh entry.
  try {
    out.Group = dirKind == ifd::kThumbnail ? group::kThumbnail
                : dirKind == ifd::kGps     ? group::kGps
                                           : group::kExif;
    out.Tag = in.Tag;
    out.Kind = kind::kOther;
    tByteReader field(in.ValueBytes, 4);
    field.SetMotorola(motorola_);
    std::string text;
    switch (in.Type) {
      case kByte:
      case kShort:
      case kLong: {
        const std::uint32_t v = in.Type == kByte    ? field.U8(0)
                                : in.Type == kShort ? field.U16(0)
                                                    : field.U32(0);
        out.Kind = kind::kNumber;
        out.Value = Value::Integer(v);
        text = std::to_string(v);
        break;
      }
      case kAscii: {
        // The text ends at its first zero byte; what follows is not part of it.
        std::string_view bytes = ValueBytes(tiff, in, in.Count <= 4 ? 4 : in.Count);
        bytes = bytes.substr(0, bytes.find('\0'));
        std::string s(bytes);
        out.Kind = kind::kString;
        out.Value = Value::Text(s);
        text = std::move(s);
        break;
      }
      case kUndefined: {
        // The whole value must lie in the segment; only its start is shown.
        const std::string_view bytes = ValueBytes(tiff, in, in.Count);
        static const char* kHex = "0123456789ABCDEF";
        const std::size_t shown = bytes.size() < kMaxDumpedBytes ? bytes.size() : kMaxDumpedBytes;
        text.resize(3 + (shown > 0 ? 3 * shown - 1 : 0));
        text[0] = text[1] = motorola_ ? 'M' : 'I';
        text[2] = ' ';
        for (std::size_t i = 0; i < shown; ++i) {
          const auto b = static_cast<unsigned char>(bytes[i]);
          char* at = text.data() + 3 + 3 * i;
          if (i > 0) at[-1] = ' ';
          at[0] = kHex[b >> 4];
          at[1] = kHex[b & 15];
        }
        break;
      }
      case kSShort:
      case kSLong: {
        if (in.Count != 1) throw tMetadataError("no data/invalid compcount");
        const std::int64_t v = in.Type == kSShort
                                   ? std::int64_t{static_cast<std::int16_t>(field.U16(0))}
                                   : std::int64_t{static_cast<std::int32_t>(field.U32(0))};
        out.Kind = kind::kNumber;
        out.Value = Value::Integer(v);
        text = std::to_string(v);
        break;
      }
      case kRational:
      case kSRational: {
        const std::uint32_t n = tiff.U32(in.ValueField);
        const std::uint32_t d = tiff.U32(std::uint64_t{in.ValueField} + 4);
        // Unsigned fractions stay unsigned; only SRATIONAL carries a sign.
        char buf[24];
        char* end = buf + sizeof buf;
        char* at = in.Type == kSRational ? std::to_chars(buf, end, static_cast<std::int32_t>(n)).ptr
                                         : std::to_chars(buf, end, n).ptr;
        *at++ = '/';
        at = in.Type == kSRational ? std::to_chars(at, end, static_cast<std::int32_t>(d)).ptr
                                   : std::to_chars(at, end, d).ptr;
        text.assign(buf, at);
        out.Kind = kind::kFraction;
        out.Value = Value::Text(text);
        break;
      }
      default: break;
    }
    CutToEntryText(text);
    out.Text = std::move(text);
    ApplyTagRule(tiff, in, dirKind, out);
    return true;
  } catch (const tMetadataError& e) {
    // One entry that cannot be read costs only itself.
    Drop("EXIF entry " + TagName(out) + " (" + std::to_string(in.Tag) + "): " + e.what());
    return false;
  }
}

}  // namespace orvalis
