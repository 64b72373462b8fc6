// DecodeHeifFile: a HEIF file's picture through libheif, which applies the
// file's rotation, mirroring and cropping itself.
#include <libheif/heif.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "metadata/picture_decoders.h"

namespace orvalis {

namespace {

// A picture decoded for a thumbnail is brought down by libheif to no more
// than kThumbnailSteps times the largest thumbnail, and the window makes the
// last smooth step.
constexpr int kThumbnailSteps = 4;
// libheif refuses images wider or higher than this before decoding them.
constexpr int kMaxSide = 32768;

// libheif loads its decoder plugins once per program; never unloaded, as
// reader threads may decode at any time until the end.
void InitialiseOnce() {
  static const bool done = [] {
    heif_init(nullptr);
    return true;
  }();
  (void)done;
}

struct ContextFree {
  void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleRelease {
  void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageRelease {
  void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
using tContext = std::unique_ptr<heif_context, ContextFree>;
using tHandle = std::unique_ptr<heif_image_handle, HandleRelease>;
using tImage = std::unique_ptr<heif_image, ImageRelease>;

void Check(const heif_error& error) {
  if (error.code != heif_error_Ok) {
    throw tMetadataError(std::string("HEIF decoding failed: ") +
                         (error.message ? error.message : "unknown error"));
  }
}

// The file's own thumbnail image of the primary image; null when it has none.
tHandle ThumbnailOf(const heif_image_handle* primary) {
  heif_item_id id = 0;
  if (heif_image_handle_get_list_of_thumbnail_IDs(primary, &id, 1) != 1) return nullptr;
  heif_image_handle* thumbnail = nullptr;
  if (heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok)
    return nullptr;
  return tHandle(thumbnail);
}

// The size a decoded picture is brought down to: proportional, no side
// larger than needed, never enlarged. {0, 0} when it stays as it is.
std::pair<int, int> ReducedSize(int width, int height, tPictureScale scale) {
  if (scale == tPictureScale::Thumbnail) {
    const std::uint64_t limitW = kThumbnailCoverWidth * kThumbnailSteps;
    const std::uint64_t limitH = kThumbnailCoverHeight * kThumbnailSteps;
    // Cover the box: the smaller of the two factors decides.
    if (std::uint64_t(width) <= limitW || std::uint64_t(height) <= limitH) return {0, 0};
    const double factor = std::max(double(limitW) / width, double(limitH) / height);
    return {std::max(1, int(width * factor)), std::max(1, int(height * factor))};
  }
  const std::uint64_t pixels = std::uint64_t(width) * std::uint64_t(height);
  if (pixels <= kMaxPicturePixels) return {0, 0};
  const double factor = std::sqrt(double(kMaxPicturePixels) / double(pixels));
  return {std::max(1, int(width * factor)), std::max(1, int(height * factor))};
}

// The handle's picture: decoded with its transformations, brought down as
// the scale asks, copied into a bitmap.
std::unique_ptr<RgbBitmap> DecodeHandle(const heif_image_handle* handle, tPictureScale scale) {
  const int declaredW = heif_image_handle_get_width(handle);
  const int declaredH = heif_image_handle_get_height(handle);
  if (declaredW <= 0 || declaredH <= 0 ||
      std::uint64_t(declaredW) * std::uint64_t(declaredH) > kMaxHeifPixels) {
    throw tMetadataError("HEIF image too large (" + std::to_string(declaredW) + "x" +
                         std::to_string(declaredH) + ")");
  }

  std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
  if (!options) throw tMetadataError("HEIF decoding failed: out of memory");
  options->ignore_transformations = 0;
  heif_image* decoded = nullptr;
  Check(heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                          options.get()));
  tImage image(decoded);

  int width = heif_image_get_width(image.get(), heif_channel_interleaved);
  int height = heif_image_get_height(image.get(), heif_channel_interleaved);
  if (width <= 0 || height <= 0) throw tMetadataError("HEIF decoding failed: no picture");
  const auto [reducedW, reducedH] = ReducedSize(width, height, scale);
  if (reducedW > 0) {
    heif_image* scaled = nullptr;
    Check(heif_image_scale_image(image.get(), &scaled, reducedW, reducedH, nullptr));
    image.reset(scaled);
    width = heif_image_get_width(image.get(), heif_channel_interleaved);
    height = heif_image_get_height(image.get(), heif_channel_interleaved);
  }

  int stride = 0;
  const std::uint8_t* plane =
      heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  if (!plane || width <= 0 || height <= 0 || stride < width * 3) {
    throw tMetadataError("HEIF decoding failed: no picture");
  }
  auto bitmap = std::make_unique<RgbBitmap>();
  bitmap->Width = width;
  bitmap->Height = height;
  bitmap->Pixels.resize(bitmap->RowBytes() * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    std::memcpy(bitmap->Pixels.data() + bitmap->RowBytes() * static_cast<std::size_t>(y),
                plane + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y),
                bitmap->RowBytes());
  }
  return bitmap;
}

}  // namespace

std::unique_ptr<RgbBitmap> DecodeHeifFile(const std::string& path, tPictureScale scale) {
  InitialiseOnce();
  tContext context(heif_context_alloc());
  if (!context) throw tMetadataError("HEIF decoding failed: out of memory");
  heif_context_set_maximum_image_size_limit(context.get(), kMaxSide);
  Check(heif_context_read_from_file(context.get(), path.c_str(), nullptr));
  heif_image_handle* raw = nullptr;
  Check(heif_context_get_primary_image_handle(context.get(), &raw));
  const tHandle primary(raw);
  if (scale == tPictureScale::Thumbnail) {
    // A thumbnail image that cannot be decoded leaves the primary image.
    if (const tHandle thumbnail = ThumbnailOf(primary.get())) {
      try {
        return DecodeHandle(thumbnail.get(), scale);
      } catch (const tMetadataError&) {
      }
    }
  }
  return DecodeHandle(primary.get(), scale);
}

}  // namespace orvalis
