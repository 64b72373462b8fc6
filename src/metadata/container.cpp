#include "metadata/container.h"

#include <algorithm>
#include <cstring>

#include "metadata/isobmff_file.h"
#include "metadata/jpeg_file.h"

namespace orvalis {

namespace {

bool StartsWith(const std::uint8_t* head, std::size_t length, const char* magic,
                std::size_t magicLength) {
  return length >= magicLength && std::memcmp(head, magic, magicLength) == 0;
}

}  // namespace

tContainer RecogniseContainer(const std::uint8_t* head, std::size_t length) {
  if (length >= 2 && head[0] == 0xFF && head[1] == 0xD8) return tContainer::Jpeg;
  if (length >= 4 &&
      ((head[0] == 'I' && head[1] == 'I' &&
        (head[3] == 0 && (head[2] == 42 || head[2] == 43 || head[2] == 'U'))) ||
       (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43)) ||
       StartsWith(head, length, "IIRO", 4) || StartsWith(head, length, "IIRS", 4) ||
       StartsWith(head, length, "MMOR", 4)))
    return tContainer::Tiff;
  if (StartsWith(head, length, "FUJIFILMCCD-RAW", 15)) return tContainer::Raf;
  if (StartsWith(head, length, "\0MRM", 4)) return tContainer::Mrw;
  if (StartsWith(head, length, "\x89PNG\r\n\x1a\n", 8)) return tContainer::Png;
  if (length >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0)
    return tContainer::WebP;
  if (IsIsoBmff(head, length)) return tContainer::IsoBmff;
  if (StartsWith(head, length, "FOVb", 4)) return tContainer::X3f;
  return tContainer::None;
}

std::uint32_t ExifHeaderLength(const std::uint8_t* bytes, std::size_t size) {
  return size >= 6 && std::memcmp(bytes, "Exif\0\0", 6) == 0 ? 6 : 0;
}

void ReadFileSpan(tJpegFile& file, std::uint64_t offset, std::size_t length,
                  std::vector<std::uint8_t>& out) {
  out.resize(length);
  for (std::size_t done = 0; done < length;) {
    const std::size_t piece = std::min(length - done, tJpegFile::kBlockSize);
    const std::uint8_t* bytes = file.Read(offset + done, piece);
    std::memcpy(out.data() + done, bytes, piece);
    done += piece;
  }
}

}  // namespace orvalis
