// Pictures of photos of every kind: the sample of each kind gives a picture,
// a raw photo its preview, a broken file none.
#include "ui/photo_picture.h"

#include "support/fixtures.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvalis::test {
namespace {

const std::string kFormats = ORVALIS_SOURCE_DIR "/../shared/corpus/formats/";

QSize SizeOf(const std::string& path, tPictureScale scale, bool turn = true,
             QString* error = nullptr) {
  TPictureRequest request;
  request.Scale = scale;
  request.TurnByOrientation = turn;
  const QImage image = ReadPicture(path, request, error);
  return image.isNull() ? QSize() : image.size();
}

// The whole picture has the photo's size; the thumbnail is turned the same
// way and covers a thumbnail. A sample whose image data was cut away gives
// none.
TEST(PhotoPicture, SampleOfEachKind) {
  if (!std::filesystem::is_directory(kFormats)) GTEST_SKIP() << "no samples at " << kFormats;
  const std::pair<const char*, QSize> cases[] = {
      {"apple_iphone.heic", {3024, 4032}},  // upright by the file's own rotation
      {"QuickTime.heic", {}},
      {"htc_desire.webp", {776, 909}},
      {"PNG.png", {16, 16}},
      {"ExifTool.tif", {160, 120}},
      {"FujiFilm.raf", {8, 8}},  // what is left of its preview
      {"CanonRaw.cr2", {}},
  };
  for (const auto& [file, whole] : cases) {
    EXPECT_EQ(SizeOf(kFormats + file, tPictureScale::Whole), whole) << file;
    const QSize thumbnail = SizeOf(kFormats + file, tPictureScale::Thumbnail);
    EXPECT_EQ(thumbnail.isEmpty(), whole.isEmpty()) << file;
    if (thumbnail.isEmpty()) continue;
    EXPECT_GE(std::min(thumbnail.width(), thumbnail.height()),
              std::min({whole.width(), whole.height(), 120}))
        << file;
    EXPECT_EQ(thumbnail.width() > thumbnail.height(), whole.width() > whole.height()) << file;
  }
}

TEST(PhotoPicture, BrokenFileGivesNoPictureAndSaysWhy) {
  if (!std::filesystem::is_directory(kFormats)) GTEST_SKIP() << "no samples at " << kFormats;
  ScratchFolder folder;
  for (const char* file : {"apple_iphone.heic", "htc_desire.webp", "PNG.png"}) {
    const std::string cut = folder.Write(file, ReadFileBytes(kFormats + file).substr(0, 200));
    QString error;
    EXPECT_TRUE(SizeOf(cut, tPictureScale::Whole, true, &error).isEmpty()) << file;
    EXPECT_FALSE(error.isEmpty()) << file;
    EXPECT_TRUE(SizeOf(cut, tPictureScale::Thumbnail).isEmpty()) << file;
  }
}

// A raw photo held turned right: its largest preview is broken, the next is
// a real 640 by 480 JPEG.
TEST(PhotoPicture, RawShowsTheLargestPreviewThatDecodesTurned) {
  const Order o{false};
  const Bytes preview = EncodeJpeg(640, 480);
  const auto number = [&](std::uint16_t tag, std::uint32_t v) {
    return TiffEntry{tag, 4, 1, o.U32(v)};
  };
  TiffBuilder tiff{o};
  tiff.trailer = Concat({preview, Bytes(preview.size() + 1000, 0)});
  tiff.first = {TiffEntry{262, 3, 1, Concat({o.U16(32803), o.U16(0)})},
                TiffEntry{271, 2, 5, Text(std::string("SONY", 5))},
                TiffEntry{274, 3, 1, Concat({o.U16(6), o.U16(0)})}, number(513, 0), number(514, 0)};
  tiff.thumbnail = {number(513, 0), number(514, 0)};
  const std::uint32_t at = tiff.TrailerOffset(),
                      length = static_cast<std::uint32_t>(preview.size());
  tiff.first[3] = number(513, at);
  tiff.first[4] = number(514, length);
  tiff.thumbnail = {number(513, at + length), number(514, length + 1000)};
  const Bytes file = tiff.Build();
  ScratchFolder folder;
  const std::string path = folder.Write("turned.arw", std::string(file.begin(), file.end()));
  EXPECT_EQ(SizeOf(path, tPictureScale::Whole), QSize(480, 640));
  EXPECT_EQ(SizeOf(path, tPictureScale::Whole, false), QSize(640, 480));
  EXPECT_EQ(SizeOf(path, tPictureScale::Thumbnail), QSize(120, 160));
}

}  // namespace
}  // namespace orvalis::test
