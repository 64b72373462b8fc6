// Raw formats with a header of their own around the usual structures:
// Fujifilm RAF (its EXIF lies in the embedded JPEG preview, its image size
// in the header's tag records), Minolta MRW (a TIFF structure in its TTW
// block) and Sigma X3F (the image size in its header, EXIF in a JPEG
// preview that its section directory names). ORF and RW2 are TIFF files with another magic number
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
// X3F (little-endian): the header's image size; the section directory,
// whose offset the file's last four bytes give, with entries of offset,
// length and kind; an image section's header before its data, whose
// format 18 is a JPEG.
constexpr std::uint64_t kX3fSizeAt = 28;
constexpr std::size_t kMaxX3fSections = 64;
constexpr std::uint32_t kX3fImageHeader = 28;
constexpr std::uint32_t kX3fJpegFormat = 18;

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

void tImageMetaData::ReadX3fFile(tJpegFile& file) {
  BeginPhoto(file, "X3F");
  const std::uint64_t size = file.Size();
  if (size < kX3fSizeAt + 8 + 4) throw tMetadataError("X3F: the file ends inside its header");
  tByteReader header(file.Read(kX3fSizeAt, 8), 8);
  AppendPixelSize(header.U32(0), header.U32(4));

  tByteReader tail(file.Read(size - 4, 4), 4);
  const std::uint64_t directory = tail.U32(0);
  if (directory < kX3fSizeAt + 8 || directory + 12 > size - 4) {
    Drop("X3F: the section directory lies outside the file");
    return;
  }
  tByteReader head(file.Read(directory, 12), 12);
  if (head.Bytes(0, 4) != std::string_view("SECd")) {
    Drop("X3F: no section directory where the file says");
    return;
  }
  const std::uint64_t count =
      std::min<std::uint64_t>({head.U32(8), kMaxX3fSections, (size - 4 - directory - 12) / 12});
  for (std::uint64_t i = 0; i < count; ++i) {
    tByteReader entry(file.Read(directory + 12 + 12 * i, 12), 12);
    const std::uint64_t offset = entry.U32(0), length = entry.U32(4);
    const std::string_view kind = entry.Bytes(8, 4);
    if ((kind != "IMA2" && kind != "IMAG") || length <= kX3fImageHeader + 4 || offset >= size ||
        length > size - offset)
      continue;
    tByteReader image(file.Read(offset, kX3fImageHeader + 2), kX3fImageHeader + 2);
    if (image.U32(12) != kX3fJpegFormat || image.U8(kX3fImageHeader) != 0xFF ||
        image.U8(kX3fImageHeader + 1) != 0xD8)
      continue;
    embeddedJpegs_.push_back({offset + kX3fImageHeader, length - kX3fImageHeader});
  }
  std::stable_sort(embeddedJpegs_.begin(), embeddedJpegs_.end(),
                   [](const tFileSpan& a, const tFileSpan& b) { return a.length > b.length; });
  if (embeddedJpegs_.empty()) {
    Drop("X3F: no JPEG preview inside the file");
    return;
  }
  // The EXIF lies in the JPEG preview; its frame header gives the
  // preview's size, not the photo's.
  frameFlag_ = true;
  ReadJpegSegments(file, embeddedJpegs_.front().offset);
}

}  // namespace orvalis
