// Which kind of photo file a file is, told by its first bytes alone: the
// name's extension is never asked. The store's reader (image_metadata.cpp)
// hands each kind to its walk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvalis {

class tJpegFile;

enum class tContainer : std::uint8_t {
  None,     // no photo file we read
  Jpeg,     // FF D8
  Tiff,     // II*\0, MM\0*, BigTIFF, and the raws built on TIFF (CR2, NEF, ARW, DNG, PEF, ORF, RW2
            // ...)
  Raf,      // FUJIFILMCCD-RAW
  Mrw,      // \0MRM
  Png,      // the PNG signature
  WebP,     // RIFF....WEBP
  IsoBmff,  // an ftyp box with a brand we read: HEIF, HEIC, AVIF, CR3
  X3f,      // FOVb: Sigma's raw
};

// The bytes RecogniseContainer looks at when the file has them.
constexpr std::size_t kContainerHeadSize = 4096;

tContainer RecogniseContainer(const std::uint8_t* head, std::size_t length);

// 6 when bytes start with an Exif segment's header ("Exif\0\0"), which some
// writers keep in front of a TIFF structure stored elsewhere; else 0.
std::uint32_t ExifHeaderLength(const std::uint8_t* bytes, std::size_t size);

// Reads length bytes at offset into out, a block at a time; the file's
// bounds are checked by each read (tMetadataError). Callers cap length.
void ReadFileSpan(tJpegFile& file, std::uint64_t offset, std::size_t length,
                  std::vector<std::uint8_t>& out);

}  // namespace orvalis
