// Pictures of photos of every kind: the sample files of each kind give a
// picture, a raw photo its preview, a broken file none.
#include "ui/photo_picture.h"

#include "support/fixtures.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>

namespace orvalis::test {
namespace {

const std::string kFormats = ORVALIS_SOURCE_DIR "/../shared/corpus/formats/";

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
      {"QuickTime.heic", {}},  // its thumbnail and image data are cut away
      {"htc_desire.webp", {776, 909}},
      {"RIFF.webp", {1, 1}},
      {"PNG.png", {16, 16}},
      {"ExifTool.tif", {160, 120}},
      {"FujiFilm.raf", {8, 8}},  // the preview is all that is left of its picture
      {"CanonRaw.cr2", {}},      // its previews are cut away
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

// A raw photo held turned: its largest preview is broken, the next one is a
// real 640 by 480 JPEG, and its orientation says "turned right".
TEST(PhotoPicture, RawShowsTheLargestPreviewThatDecodes) {
  const Order o{false};
  const Bytes preview = EncodeJpeg(640, 480);
  TiffBuilder tiff{o};
  tiff.trailer = Concat({preview, Bytes(preview.size() + 1000, 0)});
  const auto number = [&](std::uint16_t tag, std::uint32_t v) { return TiffEntry{tag, 4, 1, o.U32(v)}; };
  const auto previewAt = [&](std::uint32_t offset, std::size_t length) {
    return std::vector<TiffEntry>{number(513, offset), number(514, static_cast<std::uint32_t>(length))};
  };
  tiff.first = {number(256, 4000), number(257, 3000), TiffEntry{262, 3, 1, Concat({o.U16(32803), o.U16(0)})},
                TiffEntry{271, 2, 5, Text(std::string("SONY", 5))}, TiffEntry{274, 3, 1, Concat({o.U16(6), o.U16(0)})}};
  tiff.thumbnail = previewAt(0, 0);
  const std::size_t places = tiff.first.size();
  for (const TiffEntry& e : previewAt(0, 0)) tiff.first.push_back(e);
  // The places once the directories have their final size.
  const std::uint32_t at = tiff.TrailerOffset();
  tiff.first.resize(places);
  for (const TiffEntry& e : previewAt(at, preview.size())) tiff.first.push_back(e);
  tiff.thumbnail = previewAt(at + static_cast<std::uint32_t>(preview.size()), preview.size() + 1000);
  ScratchFolder folder;
  const Bytes file = tiff.Build();
  const std::string path = folder.Write("turned.arw", std::string(file.begin(), file.end()));

  struct Case {
    tPictureScale scale;
    bool turn;
    QSize expected;
  };
  const Case cases[] = {
      {tPictureScale::Whole, true, {480, 640}},
      {tPictureScale::Whole, false, {640, 480}},
      {tPictureScale::Thumbnail, true, {120, 160}},
  };
  for (const Case& c : cases) {
    TPictureRequest request;
    request.Scale = c.scale;
    request.TurnByOrientation = c.turn;
    QString error;
    EXPECT_EQ(ReadPicture(path, request, &error).size(), c.expected) << c.turn << error.toStdString();
  }
}

}  // namespace
}  // namespace orvalis::test
