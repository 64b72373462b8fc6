// The walk through an ISO base media file (HEIF/HEIC, AVIF, Canon CR3): it
// follows the boxes to the places where the metadata lies and says where
// they are; decoding them is left to the readers of TIFF blocks, XMP and
// JPEG. Only box headers and the small boxes that describe the file are
// read, so a HEIC whose Exif item sits at the end of the file costs two or
// three reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "metadata/file_span.h"
#include "metadata/jpeg_file.h"

namespace orvalis {

// A TIFF structure inside the file.
struct tIsoTiffBlock {
  std::uint64_t offset = 0;  // file offset of its TIFF header ("II*\0"/"MM\0*")
  std::uint64_t length = 0;
  // The directory the header's first offset leads to: a CR3 keeps IFD0, the
  // Exif and the GPS directory in TIFF structures of their own.
  enum class tFirst : std::uint8_t { Ifd0, Exif, Gps } firstDirectory = tFirst::Ifd0;
  friend bool operator==(const tIsoTiffBlock&, const tIsoTiffBlock&) = default;
};

struct tIsoBmffFindings {
  std::string format;  // "HEIC", "AVIF", "HEIF", "CR3"; empty when no brand we read
  // HEIF: the primary item's size (ispe, or a grid's output size); CR3: the
  // full-size image's, from its track header. 0 when not found.
  std::uint32_t width = 0, height = 0;
  std::vector<tIsoTiffBlock> tiffBlocks;
  std::optional<tFileSpan> xmp;          // the XMP packet's bytes
  std::vector<tFileSpan> embeddedJpegs;  // CR3: preview and thumbnail JPEGs, largest first
  std::vector<std::string> problems;     // why boxes were passed over, in words
};

// The limits of the walk: no file can make it hold or loop more.
struct tIsoBmffLimits {
  static constexpr std::size_t kMaxMetaBox = 1024 * 1024;  // a HEIF meta box is read whole
  static constexpr std::size_t kMaxItems = 4096;           // items, boxes side by side
  static constexpr std::size_t kMaxExtents = 256;          // extents of one item
};

// True when head (the first bytes of a file) starts with an ftyp box that
// names a brand we read.
bool IsIsoBmff(const std::uint8_t* head, std::size_t length);

// Walks the file. Throws only the tMetadataError of a file that cannot be
// read; everything the walk passes over is told in problems.
tIsoBmffFindings ReadIsoBmff(tJpegFile& file);

}  // namespace orvalis
