// A PNG file: the image size from IHDR, EXIF from the eXIf chunk or from the
// older "Raw profile type exif/APP1" text chunks (hex digits), IPTC from
// "Raw profile type iptc", XMP from the iTXt chunk "XML:com.adobe.xmp".
// Chunks are walked by their lengths; the image data are never read, and
// after the first IDAT chunk the walk goes on only while it costs few reads
// (metadata written after the image data is found when it is near).
#include <algorithm>
#include <string>
#include <string_view>

#include "metadata/byte_reader.h"
#include "metadata/container.h"
#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"
#include "metadata/xmp_packet.h"

namespace orvalis {

namespace {

constexpr std::uint64_t kMaxPngChunkRead = 1024 * 1024;  // metadata chunk bytes read
constexpr int kMaxReadsAfterImageData = 4;
constexpr std::string_view kXmpKeyword{"XML:com.adobe.xmp\0", 18};

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of an ImageMagick raw profile: "\n<name>\n <length>\n" and hex
// digits broken into lines.
std::vector<std::uint8_t> RawProfileBytes(std::string_view text) {
  std::size_t at = 0;
  for (int line = 0; line < 3 && at != std::string_view::npos; ++line)
    at = text.find('\n', at + (line > 0 ? 1 : 0));
  std::vector<std::uint8_t> out;
  if (at == std::string_view::npos) return out;
  int high = -1;
  for (const char c : text.substr(at)) {
    const int digit = HexDigit(c);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      out.push_back(static_cast<std::uint8_t>(high << 4 | digit));
      high = -1;
    }
  }
  return out;
}

}  // namespace

void tImageMetaData::ReadPngFile(tJpegFile& file) {
  BeginPhoto(file, "PNG");
  const std::uint64_t size = file.Size();
  std::uint64_t at = 8;
  int readsAtImageData = -1;
  std::vector<std::uint8_t> data;
  for (std::size_t chunks = 0; at + 12 <= size; ++chunks) {
    if (chunks == kMaxSegments) {
      ReachLimit("more than " + std::to_string(kMaxSegments) + " chunks");
      return;
    }
    if (readsAtImageData >= 0 && file.ReadCalls() - readsAtImageData > kMaxReadsAfterImageData) {
      Drop("PNG chunks after offset " + std::to_string(at) +
           ", far behind the image data, are not read");
      return;
    }
    const std::uint8_t* head = file.Read(at, 8);
    const std::uint32_t length = BigEndian32(head);
    const std::string type(reinterpret_cast<const char*>(head) + 4, 4);
    const std::uint64_t payload = at + 8;
    if (length > size - payload) {
      cutShort_ = "PNG chunk " + type + " at offset " + std::to_string(at) +
                  " runs past the end of the file";
      Drop(cutShort_);
      return;
    }
    const auto read = [&] {
      ReadFileSpan(file, payload,
                   static_cast<std::size_t>(std::min<std::uint64_t>(length, kMaxPngChunkRead)),
                   data);
      if (length > kMaxPngChunkRead)
        Drop("PNG chunk " + type + " longer than " + std::to_string(kMaxPngChunkRead) +
             " bytes is cut");
    };
    try {
      if (type == "IHDR" && length >= 8) {
        const std::uint8_t* ihdr = file.Read(payload, 8);
        AppendPixelSize(BigEndian32(ihdr), BigEndian32(ihdr + 4));
      } else if (type == "eXIf" && !exifTried_) {
        exifTried_ = true;
        read();
        if (!DecodeTiffBlock(data.data(), data.size(), ExifHeaderLength(data.data(), data.size()),
                             tTiffFirst::Ifd0))
          Drop("PNG eXIf chunk: " + failure_);
      } else if (type == "iTXt" && !xmpFlag_ && length >= kXmpKeyword.size() + 2) {
        read();
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        if (text.starts_with(kXmpKeyword)) {
          // Compression flag and method, then language and translated
          // keyword, each ended by a zero.
          if (text[kXmpKeyword.size()] != 0) {
            Drop("PNG iTXt chunk: a compressed XMP packet is not read");
          } else {
            std::size_t start = text.find('\0', kXmpKeyword.size() + 2);
            if (start != std::string_view::npos) start = text.find('\0', start + 1);
            if (start != std::string_view::npos)
              KeepXmpPacket(text.substr(start + 1, kMaxXmpPacket + 1));
          }
        }
      } else if (type == "tEXt" || type == "zTXt") {
        read();
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
        const std::size_t zero = text.find('\0');
        const std::string_view keyword = text.substr(0, zero);
        const bool exif = keyword == "Raw profile type exif" || keyword == "Raw profile type APP1";
        const bool iptc = keyword == "Raw profile type iptc";
        if ((exif || iptc) && type == "zTXt") {
          Drop("PNG zTXt chunk \"" + std::string(keyword) + "\": compressed text is not read");
        } else if (exif && !exifTried_ && zero != std::string_view::npos) {
          exifTried_ = true;
          const std::vector<std::uint8_t> bytes = RawProfileBytes(text.substr(zero + 1));
          if (!DecodeTiffBlock(bytes.data(), bytes.size(),
                               ExifHeaderLength(bytes.data(), bytes.size()), tTiffFirst::Ifd0))
            Drop("PNG raw profile: " + failure_);
        } else if (iptc && !iptcFlag_ && zero != std::string_view::npos) {
          const std::vector<std::uint8_t> bytes = RawProfileBytes(text.substr(zero + 1));
          DecodeIptcBytes(bytes.data(), bytes.size());
        }
      } else if (type == "IDAT" && readsAtImageData < 0) {
        readsAtImageData = file.ReadCalls();
      } else if (type == "IEND") {
        return;
      }
    } catch (const tMetadataError& e) {
      Drop("PNG chunk " + type + " at offset " + std::to_string(at) + ": " + e.what());
    }
    if (!limitReached_.empty()) return;
    at = payload + length + 4;  // the CRC follows the data
  }
}

}  // namespace orvalis
