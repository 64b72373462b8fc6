// HEIF/HEIC, AVIF and CR3 photos: the ISO base media walk
// (isobmff_file.h) says where the TIFF structures, the XMP packet and the
// previews lie; they are read here with one bounded read each and decoded
// as the other containers' are.
#include <algorithm>
#include <string>

#include "metadata/container.h"
#include "metadata/image_metadata.h"
#include "metadata/isobmff_file.h"
#include "metadata/jpeg_file.h"
#include "metadata/xmp_packet.h"

namespace orvalis {

namespace {

constexpr std::uint64_t kMaxIsoTiffBlock = 1024 * 1024;

tTiffFirst FirstDirectory(tIsoTiffBlock::tFirst first) {
  switch (first) {
    case tIsoTiffBlock::tFirst::Exif: return tTiffFirst::Exif;
    case tIsoTiffBlock::tFirst::Gps: return tTiffFirst::Gps;
    case tIsoTiffBlock::tFirst::Ifd0: break;
  }
  return tTiffFirst::Ifd0;
}

}  // namespace

void tImageMetaData::ReadIsoBmffFile(tJpegFile& file) {
  const tIsoBmffFindings found = ReadIsoBmff(file);
  if (found.format.empty()) return;
  BeginPhoto(file, found.format);
  AppendPixelSize(found.width, found.height);
  for (const std::string& problem : found.problems) Drop(problem);
  std::vector<std::uint8_t> bytes;
  for (const tIsoTiffBlock& block : found.tiffBlocks) {
    try {
      if (block.length > kMaxIsoTiffBlock)
        Drop("TIFF structure longer than " + std::to_string(kMaxIsoTiffBlock) + " bytes is cut");
      ReadFileSpan(file, block.offset,
                   static_cast<std::size_t>(std::min(block.length, kMaxIsoTiffBlock)), bytes);
      if (!DecodeTiffBlock(bytes.data(), bytes.size(), 0, FirstDirectory(block.firstDirectory)))
        Drop("TIFF structure at offset " + std::to_string(block.offset) + ": " + failure_);
    } catch (const tMetadataError& e) {
      Drop("TIFF structure at offset " + std::to_string(block.offset) + ": " + e.what());
    }
    if (!limitReached_.empty()) return;
  }
  if (found.xmp) {
    try {
      ReadFileSpan(
          file, found.xmp->offset,
          static_cast<std::size_t>(std::min<std::uint64_t>(found.xmp->length, kMaxXmpPacket + 1)),
          bytes);
      KeepXmpPacket({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    } catch (const tMetadataError& e) {
      Drop(std::string("XMP packet: ") + e.what());
    }
  }
  embeddedJpegs_ = found.embeddedJpegs;
}

}  // namespace orvalis
