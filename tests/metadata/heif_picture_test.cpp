// HEIF pictures through libheif, over files its own encoders write: the
// thumbnail image for a thumbnail, AVIF as HEIC, a large picture brought
// down. (The file's own rotation: the iPhone sample in tests/ui.)
#include <gtest/gtest.h>

#include <libheif/heif.h>

#include <cstring>

#include "metadata/picture_decoders.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

heif_image* Filled(int width, int height, const std::uint8_t (&rgb)[3]) {
  heif_image* image = nullptr;
  heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
  heif_image_add_plane(image, heif_channel_interleaved, width, height, 8);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int i = 0; i < width * height; ++i)
    std::memcpy(plane + i / width * stride + 3 * (i % width), rgb, 3);
  return image;
}

struct HeifFile {
  heif_compression_format compression = heif_compression_HEVC;
  int width = 640, height = 480;
  bool thumbnail = false;  // a red thumbnail image of at most 160 pixels
};

// A blue picture as the row says.
std::string Write(const std::string& name, const HeifFile& f) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  heif_context_get_encoder_for_format(context, f.compression, &encoder);
  heif_image* blue = Filled(f.width, f.height, {0, 0, 255});
  heif_image* red = Filled(f.width, f.height, {255, 0, 0});
  heif_image_handle* handle = nullptr;
  heif_context_encode_image(context, blue, encoder, nullptr, &handle);
  if (f.thumbnail)
    heif_context_encode_thumbnail(context, red, handle, encoder, nullptr, 160, nullptr);
  const std::string path = ScratchDir() + "/" + name;
  EXPECT_EQ(heif_context_write_to_file(context, path.c_str()).code, heif_error_Ok);
  for (heif_image* image : {blue, red}) heif_image_release(image);
  heif_image_handle_release(handle);
  heif_encoder_release(encoder);
  heif_context_free(context);
  return path;
}

TEST(HeifPicture, DecodedAsTheFileSays) {
  struct Case {
    const char* name;
    HeifFile file;
    tPictureScale scale;
    int width, height;
    bool red;  // the thumbnail image, not the primary one
  };
  const Case cases[] = {
      {"thumbnail.heic", {.thumbnail = true}, tPictureScale::Thumbnail, 160, 120, true},
      {"thumbnail-whole.heic", {.thumbnail = true}, tPictureScale::Whole, 640, 480, false},
      {"large.heic", {.width = 1600, .height = 1200}, tPictureScale::Thumbnail, 640, 480, false},
      {"plain.avif", {.compression = heif_compression_AV1}, tPictureScale::Whole, 640, 480, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto picture = DecodeHeifFile(Write(c.name, c.file), c.scale);
    EXPECT_EQ(picture->Width, c.width);
    EXPECT_EQ(picture->Height, c.height);
    const std::uint8_t* middle = picture->Row(c.height / 2) + 3 * (c.width / 2);
    EXPECT_EQ(middle[0] > middle[2], c.red);
  }
}

}  // namespace
}  // namespace orvalis::test
