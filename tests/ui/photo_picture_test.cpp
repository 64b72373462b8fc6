// Pictures of photos of every kind: which decoder a file's first bytes
// choose, that the sample files of each kind give a picture, and that a
// broken one gives none.
#include "ui/photo_picture.h"

#include "support/scratch.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>

namespace orvalis::test {
namespace {

const std::string kFormats = ORVALIS_SOURCE_DIR "/../shared/corpus/formats/";

std::string Bytes(const char* text, std::size_t size) { return std::string(text, size); }

TEST(PhotoPicture, DecoderChosenByFirstBytes) {
  struct Case {
    const char* name;
    std::string head;
    TPictureKind kind;
  };
  const Case cases[] = {
      {"jpeg", "\xFF\xD8\xFF\xE1", TPictureKind::Jpeg},
      {"png", "\x89PNG\r\n\x1A\n", TPictureKind::QtImage},
      {"webp", Bytes("RIFF\x10\0\0\0WEBPVP8 ", 16), TPictureKind::QtImage},
      {"avi", Bytes("RIFF\x10\0\0\0AVI LIST", 16), TPictureKind::None},
      {"tiff little-endian", Bytes("II*\0\x08\0\0\0", 8), TPictureKind::QtImage},
      {"tiff big-endian", Bytes("MM\0*\0\0\0\x08", 8), TPictureKind::QtImage},
      {"heic", Bytes("\0\0\0\x18" "ftypheic\0\0\0\0mif1heic", 24), TPictureKind::Heif},
      {"heif brand only among compatible", Bytes("\0\0\0\x18" "ftypXXXX\0\0\0\0isommif1", 24), TPictureKind::Heif},
      {"brand past the box", Bytes("\0\0\0\x10" "ftypisom\0\0\0\0heic", 20), TPictureKind::None},
      {"avif", Bytes("\0\0\0\x14" "ftypavif\0\0\0\0avif", 20), TPictureKind::Heif},
      {"cr3", Bytes("\0\0\0\x18" "ftypcrx \0\0\0\x01" "crx isom", 24), TPictureKind::None},
      {"empty", "", TPictureKind::None},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    EXPECT_EQ(PictureKindOf(folder.Write(c.name, c.head)), c.kind) << c.name;
  }
}

// Every sample of a kind with a picture left in it gives one of its size;
// those whose image data was cut away give none. The thumbnail is no larger
// and still covers a thumbnail.
TEST(PhotoPicture, SampleOfEachKind) {
  if (!QDir(QString::fromStdString(kFormats)).exists()) GTEST_SKIP() << "no samples at " << kFormats;
  struct Case {
    const char* file;
    QSize whole;  // empty: no picture
  };
  const Case cases[] = {
      {"apple_iphone.heic", {3024, 4032}},  // turned upright by the file's own rotation
      {"exif_at_end.heic", {3024, 4032}},
      {"QuickTime.heic", {}},  // its thumbnail and image data are cut away
      {"htc_desire.webp", {776, 909}},
      {"RIFF.webp", {1, 1}},
      {"PNG.png", {16, 16}},
      {"ExifTool.tif", {160, 120}},
  };
  for (const Case& c : cases) {
    TPictureRequest request;
    const QImage whole = ReadPicture(kFormats + c.file, request);
    EXPECT_EQ(whole.isNull() ? QSize() : whole.size(), c.whole) << c.file;
    request.Scale = tPictureScale::Thumbnail;
    const QImage thumbnail = ReadPicture(kFormats + c.file, request);
    EXPECT_EQ(thumbnail.isNull(), c.whole.isEmpty()) << c.file;
    if (thumbnail.isNull()) continue;
    EXPECT_LE(thumbnail.width(), c.whole.width()) << c.file;
    EXPECT_GE(std::min(thumbnail.width(), thumbnail.height()), std::min({c.whole.width(), c.whole.height(), 120}))
        << c.file;
    // Turned the same way as the whole picture.
    EXPECT_EQ(thumbnail.width() > thumbnail.height(), c.whole.width() > c.whole.height()) << c.file;
  }
}

TEST(PhotoPicture, BrokenFileGivesNoPictureAndSaysWhy) {
  if (!QDir(QString::fromStdString(kFormats)).exists()) GTEST_SKIP() << "no samples at " << kFormats;
  ScratchFolder folder;
  for (const char* file : {"apple_iphone.heic", "htc_desire.webp", "PNG.png"}) {
    const std::string cut = folder.Write(file, ReadFileBytes(kFormats + file).substr(0, 200));
    TPictureRequest request;
    QString error;
    EXPECT_TRUE(ReadPicture(cut, request, &error).isNull()) << file;
    EXPECT_FALSE(error.isEmpty()) << file;
    request.Scale = tPictureScale::Thumbnail;
    EXPECT_TRUE(ReadPicture(cut, request).isNull()) << file;
  }
}

}  // namespace
}  // namespace orvalis::test
