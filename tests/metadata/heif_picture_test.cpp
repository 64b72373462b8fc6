// HEIF pictures through libheif: the thumbnail image for a thumbnail, the
// primary image turned by the file's own rotation, AVIF as HEIC, a large
// picture brought down, and files that are no HEIF as errors. The files are
// written by libheif's own encoders.
#include <gtest/gtest.h>

#include <libheif/heif.h>

#include <cstring>
#include <string>

#include "metadata/picture_decoders.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

struct Colour {
  std::uint8_t r, g, b;
};

heif_image* Filled(int width, int height, Colour colour) {
  heif_image* image = nullptr;
  heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
  heif_image_add_plane(image, heif_channel_interleaved, width, height, 8);
  int stride = 0;
  std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) std::memcpy(plane + y * stride + 3 * x, &colour, 3);
  }
  return image;
}

struct HeifFile {
  heif_compression_format compression = heif_compression_HEVC;
  int width = 640, height = 480;
  bool thumbnail = false;  // a red thumbnail image of at most 160 pixels
  heif_orientation orientation = heif_orientation_normal;
};

// A blue picture as the row says, written to the scratch folder.
std::string Write(const std::string& name, const HeifFile& f) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  EXPECT_EQ(heif_context_get_encoder_for_format(context, f.compression, &encoder).code, heif_error_Ok);
  heif_encoder_set_lossy_quality(encoder, 50);
  heif_encoding_options* options = heif_encoding_options_alloc();
  options->image_orientation = f.orientation;
  heif_image* image = Filled(f.width, f.height, {0, 0, 255});
  heif_image_handle* handle = nullptr;
  EXPECT_EQ(heif_context_encode_image(context, image, encoder, options, &handle).code, heif_error_Ok);
  heif_image* red = Filled(f.width, f.height, {255, 0, 0});
  if (f.thumbnail) heif_context_encode_thumbnail(context, red, handle, encoder, options, 160, nullptr);
  const std::string path = ScratchDir() + "/" + name;
  EXPECT_EQ(heif_context_write_to_file(context, path.c_str()).code, heif_error_Ok);
  heif_image_release(red);
  heif_image_release(image);
  heif_image_handle_release(handle);
  heif_encoding_options_free(options);
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
      {"plain.heic", {}, tPictureScale::Whole, 640, 480, false},
      {"thumbnail.heic", {.thumbnail = true}, tPictureScale::Thumbnail, 160, 120, true},
      {"thumbnail-whole.heic", {.thumbnail = true}, tPictureScale::Whole, 640, 480, false},
      {"turned.heic", {.orientation = heif_orientation_rotate_90_cw}, tPictureScale::Whole, 480, 640, false},
      {"large.heic", {.width = 1600, .height = 1200}, tPictureScale::Thumbnail, 640, 480, false},
      {"plain.avif", {.compression = heif_compression_AV1}, tPictureScale::Whole, 640, 480, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto picture = DecodeHeifFile(Write(c.name, c.file), c.scale);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width, c.width);
    EXPECT_EQ(picture->Height, c.height);
    const std::uint8_t* middle = picture->Row(c.height / 2) + 3 * (c.width / 2);
    EXPECT_EQ(middle[0] > middle[2], c.red) << int(middle[0]) << " " << int(middle[2]);
  }
}

TEST(HeifPicture, NoHeifIsAnError) {
  EXPECT_THROW(DecodeHeifFile(WriteFile("photo.heic", EncodeJpeg(64, 48)), tPictureScale::Whole), tMetadataError);
  EXPECT_THROW(DecodeHeifFile(ScratchDir() + "/missing.heic", tPictureScale::Whole), tMetadataError);
}

}  // namespace
}  // namespace orvalis::test
