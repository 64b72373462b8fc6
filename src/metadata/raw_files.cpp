// Raw formats with a header of their own around the usual structures:
// Fujifilm RAF (its EXIF lies in the embedded JPEG preview, its image size
// in the header's tag records) and Minolta MRW (a TIFF structure in its TTW
// block). ORF and RW2 are TIFF files with another magic number
// (tiff_file.cpp).
#include <algorithm>
#include <string>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"

namespace orvalis {

namespace {

// RAF header: where the JPEG preview's and then the tag records' offset and
// length stand (big-endian).
constexpr std::uint64_t kRafPlaces = 84;
constexpr std::uint32_t kMaxRafRecords = 256;
constexpr std::uint16_t kRafFullSize = 0x100;     // height, width
constexpr std::uint16_t kRafCroppedSize = 0x111;  // height, width
// MRW: blocks of the header looked at.
constexpr std::size_t kMaxMrwBlocks = 64;

}  // namespace

void tImageMetaData::ReadRafFile(tJpegFile& file) {
  BeginPhoto(file, "RAF");
  tByteReader places(file.Read(kRafPlaces, 16), 16);
  places.SetMotorola(true);
  const std::uint64_t size = file.Size();
  const std::uint32_t jpegOffset = places.U32(0), jpegLength = places.U32(4);
  const std::uint32_t recordsOffset = places.U32(8), recordsLength = places.U32(12);

  // The image size: the cropped size when the records give one, else the
  // full sensor size.
  std::uint32_t width = 0, height = 0;
  try {
    if (recordsOffset >= 4 && recordsOffset < size && recordsLength <= size - recordsOffset) {
      std::uint64_t at = recordsOffset;
      const std::uint64_t end = std::uint64_t{recordsOffset} + recordsLength;
      tByteReader countBytes(file.Read(at, 4), 4);
      countBytes.SetMotorola(true);
      const std::uint32_t count = std::min(countBytes.U32(0), kMaxRafRecords);
      at += 4;
      bool cropped = false;
      for (std::uint32_t i = 0; i < count && at + 4 <= end; ++i) {
        tByteReader record(file.Read(at, 4), 4);
        record.SetMotorola(true);
        const std::uint16_t tag = record.U16(0), length = record.U16(2);
        if (at + 4 + length > end) break;
        if ((tag == kRafCroppedSize || (tag == kRafFullSize && !cropped)) && length >= 4) {
          tByteReader value(file.Read(at + 4, 4), 4);
          value.SetMotorola(true);
          height = value.U16(0);
          width = value.U16(2);
          cropped = tag == kRafCroppedSize;
        }
        at += 4 + length;
      }
    }
  } catch (const tMetadataError& e) {
    Drop(std::string("RAF tag records: ") + e.what());
  }
  AppendPixelSize(width, height);

  if (jpegOffset == 0 || jpegOffset >= size || jpegLength > size - jpegOffset || jpegLength < 4) {
    Drop("RAF: no JPEG preview inside the file");
    return;
  }
  const std::uint8_t* start = file.Read(jpegOffset, 2);
  if (start[0] != 0xFF || start[1] != 0xD8) {
    Drop("RAF: the JPEG preview does not start as a JPEG");
    return;
  }
  embeddedJpegs_.push_back({jpegOffset, jpegLength});
  // The preview's own frame header gives its size, not the photo's.
  frameFlag_ = true;
  ReadJpegSegments(file, jpegOffset);
}

void tImageMetaData::ReadMrwFile(tJpegFile& file) {
  BeginPhoto(file, "MRW");
  tByteReader header(file.Read(0, 8), 8);
  header.SetMotorola(true);
  // The blocks end where the image data start.
  const std::uint64_t end = std::min<std::uint64_t>(std::uint64_t{header.U32(4)} + 8, file.Size());
  std::uint64_t at = 8;
  for (std::size_t i = 0; i < kMaxMrwBlocks && at + 8 <= end; ++i) {
    tByteReader block(file.Read(at, 8), 8);
    block.SetMotorola(true);
    const std::uint32_t length = block.U32(4);
    if (block.Bytes(0, 4) == std::string_view("\0TTW", 4)) {
      ReadTiffFile(file, at + 8, std::min<std::uint64_t>(length, end - (at + 8)), format_);
      return;
    }
    at += 8 + std::uint64_t{length};
  }
  Drop("MRW: no TTW block with the TIFF structure");
}

}  // namespace orvalis
