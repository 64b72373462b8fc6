// A WebP file (RIFF "WEBP"): the canvas size from VP8X, or the frame's
// from VP8 or VP8L; EXIF from the EXIF chunk, XMP from the "XMP " chunk.
// Chunks are walked by their lengths: the image data are stepped over, not
// read, and the walk ends when it has cost more reads than a still photo
// needs (an animation's frames are not walked to the end).
#include <algorithm>
#include <string>
#include <string_view>

#include "metadata/container.h"
#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"
#include "metadata/xmp_packet.h"

namespace orvalis {

namespace {

constexpr std::uint64_t kMaxWebPChunkRead = 1024 * 1024;
constexpr int kMaxWebPReads = 8;

std::uint32_t LittleEndian(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

}  // namespace

void tImageMetaData::ReadWebPFile(tJpegFile& file) {
  BeginPhoto(file, "WEBP");
  // The RIFF size counts from byte 8; a file may be longer than it says.
  const std::uint64_t end =
      std::min<std::uint64_t>(file.Size(), std::uint64_t{LittleEndian(file.Read(4, 4), 4)} + 8);
  const int readsBefore = file.ReadCalls();
  bool sized = false;
  std::vector<std::uint8_t> data;
  std::uint64_t at = 12;
  for (std::size_t chunks = 0; at + 8 <= end; ++chunks) {
    if (chunks == kMaxSegments) {
      ReachLimit("more than " + std::to_string(kMaxSegments) + " chunks");
      return;
    }
    if (file.ReadCalls() - readsBefore > kMaxWebPReads) {
      Drop("WebP chunks after offset " + std::to_string(at) + " are not read");
      return;
    }
    const std::uint8_t* head = file.Read(at, 8);
    const std::string type(reinterpret_cast<const char*>(head), 4);
    const std::uint32_t length = LittleEndian(head + 4, 4);
    const std::uint64_t payload = at + 8;
    if (length > end - payload) {
      cutShort_ = "WebP chunk " + type + " at offset " + std::to_string(at) +
                  " runs past the end of the file";
      Drop(cutShort_);
      return;
    }
    try {
      if (type == "VP8X" && length >= 10 && !sized) {
        const std::uint8_t* p = file.Read(payload, 10);
        AppendPixelSize(LittleEndian(p + 4, 3) + 1, LittleEndian(p + 7, 3) + 1);
        sized = true;
      } else if (type == "VP8 " && length >= 10 && !sized) {
        // A key frame: three bytes of frame tag, the start code, then the
        // 14-bit width and height.
        const std::uint8_t* p = file.Read(payload, 10);
        if (p[3] == 0x9D && p[4] == 0x01 && p[5] == 0x2A) {
          AppendPixelSize(LittleEndian(p + 6, 2) & 0x3FFF, LittleEndian(p + 8, 2) & 0x3FFF);
          sized = true;
        }
      } else if (type == "VP8L" && length >= 5 && !sized) {
        const std::uint8_t* p = file.Read(payload, 5);
        if (p[0] == 0x2F) {
          const std::uint32_t bits = LittleEndian(p + 1, 4);
          AppendPixelSize((bits & 0x3FFF) + 1, (bits >> 14 & 0x3FFF) + 1);
          sized = true;
        }
      } else if ((type == "EXIF" && !exifTried_) || (type == "XMP " && !xmpFlag_)) {
        ReadFileSpan(file, payload,
                     static_cast<std::size_t>(std::min<std::uint64_t>(length, kMaxWebPChunkRead)),
                     data);
        if (type == "XMP ") {
          KeepXmpPacket({reinterpret_cast<const char*>(data.data()),
                         std::min(data.size(), kMaxXmpPacket + 1)});
        } else {
          exifTried_ = true;
          if (!DecodeTiffBlock(data.data(), data.size(), ExifHeaderLength(data.data(), data.size()),
                               tTiffFirst::Ifd0))
            Drop("WebP EXIF chunk: " + failure_);
        }
      }
    } catch (const tMetadataError& e) {
      Drop("WebP chunk " + type + " at offset " + std::to_string(at) + ": " + e.what());
    }
    if (!limitReached_.empty()) return;
    at = payload + length + (length & 1);  // chunks are padded to an even length
  }
}

}  // namespace orvalis
