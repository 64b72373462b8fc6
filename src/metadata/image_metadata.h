// tImageMetaData: reads one photo file (JPEG, TIFF and the raw formats built
// on it, HEIF/HEIC/AVIF, CR3, PNG, WebP; container.h tells them apart) and
// keeps everything decoded as an ordered list of tMetaEntry, answering lookups by field name,
// iteration by group, segment questions and thumbnail requests.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/file_span.h"
#include "metadata/meta_entry.h"
#include "metadata/metadata_error.h"
#include "metadata/rgb_bitmap.h"
#include "metadata/tag_table.h"
#include "metadata/tiff_directory.h"

namespace orvalis {

class tByteReader;
class tJpegFile;

class tImageMetaData {
 public:
  tImageMetaData();
  ~tImageMetaData();
  tImageMetaData(const tImageMetaData&) = delete;
  tImageMetaData& operator=(const tImageMetaData&) = delete;
  // A store filled on one thread is handed whole to another (std::swap).
  tImageMetaData(tImageMetaData&&) noexcept = default;
  tImageMetaData& operator=(tImageMetaData&&) noexcept = default;

  // Reads the file and appends its entries (the store is not cleared first).
  // The container is recognised by the file's first bytes, whatever its
  // name; a file in none of them gets no entries and an empty Format().
  // A segment (box, chunk, directory) that cannot be decoded, or bytes that are no marker, are
  // passed over and noted in Dropped. Errors outside the segments (file cannot be opened, the file
  // ends inside a marker header) are thrown as tMetadataError; entries made before stay. folderFd,
  // when not -1, is the open folder that holds the file: the file is then opened by the last part
  // of its name relative to it, which spares the system walking the whole path again for every
  // file.
  void ReadJpegFile(const std::string& fileName, int folderFd = -1);
  void Clear();

  bool IsJpeg() const { return format_ == "JPEG"; }
  // The file is a photo in one of the containers the reader knows.
  bool IsPhoto() const { return !format_.empty(); }
  // The container's name ("JPEG", "HEIC", "CR2", "PNG" ...); empty for a
  // file that is no photo.
  std::string_view Format() const { return format_; }
  // The JPEG previews a raw file embeds, found during the walk, by their
  // place in the file, largest first; empty for other files.
  const std::vector<tFileSpan>& EmbeddedJpegs() const { return embeddedJpegs_; }
  int EntryCount() const {
    DecodeXmpOnDemand();
    return static_cast<int>(entries_.size());
  }
  // An independent copy of entry index, or null outside 0..count-1.
  std::unique_ptr<tMetaEntry> GetEntry(int index) const;
  // The stored entry for a field name ("Make", "exif.make"), or null. Valid
  // until the store changes.
  const tMetaEntry* FindEntry(std::string_view fieldName) const;
  // The TagTable row for a field name, or -1.
  static int FieldIndex(std::string_view fieldName);
  const tMetaEntry* FindFirstInGroup(std::uint8_t group);
  const tMetaEntry* FindNextInGroup();
  // The TagTable name of the entry's (group, tag), or "0x" and four hex digits.
  static std::string TagName(const tMetaEntry& entry);
  static tDateTimeRecord EntryDateTime(const tMetaEntry& entry) { return entry.DateTime; }
  // The EXIF thumbnail, or with ThumbFromImage the whole image reduced by the
  // codec; null when there is neither. Codec errors are thrown as
  // tMetadataError.
  std::unique_ptr<RgbBitmap> GetThumbnail() const;

  bool HasExif() const { return exifFlag_; }
  bool HasIptc() const { return iptcFlag_; }
  bool HasComment() const { return commentFlag_; }
  // An EXIF thumbnail that can be read: it has bytes, and they start inside
  // the Exif segment (a length that reaches past its end is cut there).
  bool HasThumbnail() const {
    return thumbOffset_ != 0 && thumbLength_ != 0 && thumbOffset_ < exifSize_;
  }
  // Both coordinates of the GPS directory were read.
  bool HasGps() const { return gpsFlag_; }
  // The file holds an XMP packet (whether or not it could be read).
  bool HasXmp() const { return xmpFlag_; }
  // Parses the kept XMP packet now, as the first question for an XMP field
  // would: a search whose questions need the packets has them parsed on the
  // reader threads. The entries come after all others either way.
  void ReadXmpEntries() const { DecodeXmpOnDemand(); }
  // The packet was parsed (the file holds one, and it was asked for).
  bool XmpEntriesRead() const { return xmpDecoded_; }
  // Why the parsed packet was dropped whole or in part (a document type
  // declaration, elements nested too deep, a packet too long, XML that is
  // not well-formed); empty when it was read whole or not yet parsed.
  const std::string& XmpError() const { return xmpError_; }

  // Names of the TagTable rows of a group (all rows for group 0), sorted
  // without regard to case.
  static std::vector<std::string> GetTagNames(std::uint8_t group);

  const std::string& FileName() const { return fileName_; }
  // All entries, the XMP ones included.
  const std::vector<tMetaEntry>& Entries() const {
    DecodeXmpOnDemand();
    return entries_;
  }
  // Why segments, entries or bytes of the file were passed over, in the
  // order met (at most kMaxDropped, then one line saying more were left out).
  const std::vector<std::string>& Dropped() const { return dropped_; }
  static constexpr std::size_t kMaxDropped = 50;

  // What one file can make the store hold or do, whatever the file holds:
  // markers and segments the walk looks at, entries kept, and bytes the
  // entries' texts and values hold together. Entries beyond a limit are
  // dropped, the walk ends after the segment that reached it, and
  // LimitReached says which one.
  static constexpr std::size_t kMaxSegments = 10000;
  static constexpr std::size_t kMaxEntries = 20000;
  static constexpr std::size_t kMaxEntryBytes = 4u * 1024u * 1024u;
  // The first limit the last file reached, in words ("more than 10000
  // segments"); empty when it reached none.
  const std::string& LimitReached() const { return limitReached_; }
  // Why the last file ended inside its metadata (a segment that runs past
  // its end), in words; empty when it did not. The entries read before
  // stay, as after damage behind the metadata.
  const std::string& CutShort() const { return cutShort_; }
  bool Motorola() const { return motorola_; }

  // Settings; they keep their values across Clear.
  bool ThumbFromImage = false;
  // Whether GetThumbnail can give the EXIF thumbnail later: the Exif segment
  // is then kept, a copy of often tens of KiB per file. A search's stores do
  // without; pictures for its results are read anew.
  bool KeepThumbnail = true;
  std::uint8_t MergeIptcLists = 0;  // 1: Keywords and SupplementalCategory merged
  // Current hit number, set by the query driver for the variable rownum.
  std::int32_t RowNumber = 0;

 private:
  using tDecoder = bool (tImageMetaData::*)(tJpegFile&, std::uint64_t, std::uint16_t);
  // The walks of the containers, one per file of this module (jpeg segments
  // here, tiff_file.cpp, raw_files.cpp, png_file.cpp, webp_file.cpp,
  // isobmff_photo.cpp). Each appends what it finds; errors of the file
  // itself are thrown as tMetadataError.
  // Names the container and appends the FILE group's entries.
  void BeginPhoto(tJpegFile& file, std::string format);
  void ReadJpegSegments(tJpegFile& file, std::uint64_t start);
  void ReadTiffFile(tJpegFile& file, std::uint64_t start, std::uint64_t length, std::string format);
  void ReadRafFile(tJpegFile& file);
  void ReadMrwFile(tJpegFile& file);
  void ReadX3fFile(tJpegFile& file);
  void ReadPngFile(tJpegFile& file);
  void ReadWebPFile(tJpegFile& file);
  void ReadIsoBmffFile(tJpegFile& file);
  // Decodes one TIFF structure held in memory: bytes[tiffBase] is its
  // header, first says which directory its first offset leads to. The
  // decoder of Exif segments, PNG eXIf and WebP EXIF chunks, HEIF Exif items
  // and CR3 boxes alike.
  bool DecodeTiffBlock(const std::uint8_t* bytes, std::size_t size, std::uint32_t tiffBase,
                       tTiffFirst first);
  // The directories of a TIFF structure whose header lies before tiff's
  // bytes start or inside them; offsets count from the header. wholeFile:
  // the structure is a TIFF file, whose further directories its own walk
  // looks at, so a chain after the thumbnail directory is no news.
  void DecodeTiffDirectories(const tByteReader& tiff, std::uint32_t firstOffset, tTiffFirst first,
                             bool wholeFile);
  // IPTC datasets in any payload (an APP13 segment, TIFF tag 33723,
  // Photoshop resources); an XMP packet found anywhere.
  void DecodeIptcBytes(const std::uint8_t* bytes, std::size_t size);
  void KeepXmpPacket(std::string_view packet);
  // The FILE group's PixelsX and PixelsY from the container (none when
  // either is unknown, 0).
  void AppendPixelSize(std::uint32_t width, std::uint32_t height);

  // Segment decoders: each reports success or failure and catches the
  // reader's errors; on failure Failure() says why. Entries made before the
  // failure stay.
  bool ReadFileData(tJpegFile& file);
  bool DecodeJfif(tJpegFile& file, std::uint64_t position, std::uint16_t length);
  bool DecodeComment(tJpegFile& file, std::uint64_t position, std::uint16_t length);
  bool DecodeFrameHeader(tJpegFile& file, std::uint64_t position, std::uint16_t length);
  bool DecodeExif(tJpegFile& file, std::uint64_t position, std::uint16_t length);
  bool DecodeIptc(tJpegFile& file, std::uint64_t position, std::uint16_t length);
  // XMP: the walk only keeps the packet; the first question that needs its
  // entries reads it and appends them after all others.
  static bool IsXmpSegment(tJpegFile& file, std::uint64_t position, std::uint16_t length);
  bool DecodeXmp(tJpegFile& file, std::uint64_t position, std::uint16_t length);
  void DecodeXmpOnDemand() const;
  // Notes why the running decoder failed; returns false for it to report.
  bool Fail(std::string reason) {
    failure_ = std::move(reason);
    return false;
  }
  // The walk's way past bytes that are no marker: the position of the next
  // marker at or after from, or none.
  static std::optional<std::uint64_t> FindMarker(tJpegFile& file, std::uint64_t from);

  // EXIF helpers.
  void ReadDirectory(const tByteReader& tiff, std::uint32_t offset, tIfdBlock& block) const;
  bool ConvertIfdEntry(const tByteReader& tiff, const tIfdEntry& in, std::uint8_t dirKind,
                       tMetaEntry& out);
  // The value rule of the entry's row in the tag table (tag_rules.h).
  void ApplyTagRule(const tByteReader& tiff, const tIfdEntry& in, std::uint8_t dirKind,
                    tMetaEntry& entry);
  void AppendIptcEntry(std::uint16_t tag, std::string text);

  // Keeps the entry unless the entry limits are reached.
  void Append(tMetaEntry&& entry);
  void Drop(std::string reason) const;
  // Notes the first limit reached (once per file) and the reason.
  void ReachLimit(const std::string& what);

  bool motorola_ = false;
  std::string fileName_;
  static constexpr std::uint32_t kTiffBase = 6;
  // Where the TIFF header stands in the kept buffer, for the thumbnail.
  std::uint32_t tiffBase_ = kTiffBase;
  // The directories of a TIFF file as read, reused from file to file.
  std::vector<std::uint8_t> tiffWindow_;
  // Mutable for the XMP entries, which come in when first asked for.
  mutable std::vector<tMetaEntry> entries_;
  mutable std::vector<std::string> dropped_;
  std::string limitReached_;
  std::string cutShort_;
  std::size_t entryBytes_ = 0;
  std::string failure_;
  std::string format_;
  std::vector<tFileSpan> embeddedJpegs_;
  bool exifFlag_ = false;
  bool iptcFlag_ = false;
  bool commentFlag_ = false;
  bool jfifFlag_ = false;
  bool gpsFlag_ = false;
  bool xmpFlag_ = false;
  mutable bool xmpDecoded_ = false;
  std::string xmpPacket_;
  mutable std::string xmpError_;
  // One frame header and one Exif APP1 segment are decoded per file: later
  // ones could only repeat or pile up entries.
  bool frameFlag_ = false;
  bool exifTried_ = false;
  std::vector<std::uint8_t> exifSegment_;
  std::vector<std::uint8_t> iptcSegment_;
  std::vector<std::uint8_t> jfifSegment_;
  std::vector<std::uint8_t> commentSegment_;
  std::array<tIfdBlock, 8> slots_{};
  static constexpr std::size_t kGpsSlot = 3;
  std::string keywordAccumulator_;
  std::string categoryAccumulator_;
  std::uint32_t thumbOffset_ = 0;
  std::uint32_t thumbLength_ = 0;
  // Bytes of the Exif segment the thumbnail offset counts in, kept or not.
  std::uint32_t exifSize_ = 0;
  std::uint8_t iterGroup_ = 0;
  std::int32_t iterIndex_ = -1;
};

}  // namespace orvalis
