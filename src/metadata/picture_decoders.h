// Pictures of photos that are no plain JPEG, decoded without Qt into the same
// RGB bitmap as GetThumbnail: a JPEG stream at a place inside a file (a raw
// photo's embedded preview) and the primary image of a HEIF file (HEIC,
// AVIF) through libheif. Decoder errors come back as tMetadataError.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "metadata/metadata_error.h"
#include "metadata/rgb_bitmap.h"

namespace orvalis {

// How big the picture is wanted: reduced (no further than to cover the
// largest thumbnail the program shows) or whole. A whole picture larger
// than kMaxPicturePixels is reduced below it.
enum class tPictureScale { Thumbnail, Whole };
constexpr int kThumbnailCoverWidth = 160;
constexpr int kThumbnailCoverHeight = 120;
constexpr std::uint64_t kMaxPicturePixels = 16ull * 1024 * 1024;

// The JPEG stream of length bytes at offset in the file. A length past the
// end of the file is cut there; a stream longer than kMaxEmbeddedJpegBytes
// is not read.
constexpr std::uint64_t kMaxEmbeddedJpegBytes = 64ull * 1024 * 1024;
std::unique_ptr<RgbBitmap> DecodeJpegInFile(const std::string& path, std::uint64_t offset,
                                            std::uint64_t length, tPictureScale scale);

// The primary image of a HEIF file, turned, mirrored and cropped as the file
// says (its EXIF orientation must then not be applied again). For a
// thumbnail its thumbnail image when it has one. An image declared larger
// than kMaxHeifPixels is not decoded.
constexpr std::uint64_t kMaxHeifPixels = 64ull * 1024 * 1024;
std::unique_ptr<RgbBitmap> DecodeHeifFile(const std::string& path, tPictureScale scale);

}  // namespace orvalis
