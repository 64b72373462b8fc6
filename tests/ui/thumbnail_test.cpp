// Thumbnail geometry: target sizes, rounding, frame, cut edges, no-preview.
#include "ui/thumbnail.h"

#include <gtest/gtest.h>

namespace orvalis::test {
namespace {

TEST(Thumbnail, TargetSizes) {
  struct Case {
    QSize picture;
    QSize thumbnail;
    QSize expected;
  };
  const Case cases[] = {
      {{640, 480}, {160, 120}, {160, 120}},  // fills the frame
      {{480, 640}, {160, 120}, {90, 120}},   // portrait at the left edge
      {{200, 100}, {160, 120}, {160, 80}},   // 2:1, white below
      {{160, 150}, {160, 120}, {160, 150}},  // taller than the frame: cut later
      {{100, 100}, {160, 120}, {120, 120}},  // square counts as portrait
      {{320, 3}, {160, 120}, {160, 2}},      // 1.5 -> 2
      {{320, 5}, {160, 120}, {160, 2}},      // 2.5 -> 2
      {{320, 7}, {160, 120}, {160, 4}},      // 3.5 -> 4
      {{3, 240}, {160, 120}, {2, 120}},      // 1.5 -> 2
      {{5, 240}, {160, 120}, {2, 120}},      // 2.5 -> 2
      {{300, 200}, {160, 120}, {160, 107}},  // 106.67 -> 107
      {{640, 480}, {90, 66}, {90, 68}},      // 67.5 -> 68, cut at 66
      {{0, 480}, {160, 120}, {0, 0}},       {{640, -1}, {160, 120}, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ThumbnailPictureSize(c.picture, c.thumbnail), c.expected)
        << c.picture.width() << "x" << c.picture.height();
  }
}

QImage Filled(QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kSilver = qRgb(0xC0, 0xC0, 0xC0);
const QRgb kRed = qRgb(255, 0, 0);

TEST(Thumbnail, PortraitLeavesWhiteAndFrameToTheRight) {
  const QImage thumb = MakeThumbnail(Filled({480, 640}, Qt::red), {160, 120});
  ASSERT_EQ(thumb.size(), QSize(160, 120));
  EXPECT_EQ(thumb.pixel(0, 0), kRed);
  EXPECT_EQ(thumb.pixel(89, 119), kRed);
  EXPECT_EQ(thumb.pixel(90, 60), kWhite);
  EXPECT_EQ(thumb.pixel(159, 60), kSilver);
  EXPECT_EQ(thumb.pixel(120, 0), kSilver);
  EXPECT_EQ(thumb.pixel(120, 119), kSilver);
}

TEST(Thumbnail, LandscapeWiderThanFrameIsCutAtTheBottom) {
  const QImage tall = MakeThumbnail(Filled({160, 150}, Qt::red), {160, 120});
  EXPECT_EQ(tall.size(), QSize(160, 120));
  EXPECT_EQ(tall.pixel(80, 119), kRed);
  EXPECT_EQ(tall.pixel(159, 119), kRed);

  const QImage wide = MakeThumbnail(Filled({200, 100}, Qt::red), {160, 120});
  EXPECT_EQ(wide.pixel(80, 79), kRed);
  EXPECT_EQ(wide.pixel(80, 80), kWhite);
  EXPECT_EQ(wide.pixel(0, 100), kSilver);
}

TEST(Thumbnail, PictureIsStretchedFromTheTopLeftCorner) {
  // Left half blue, right half green: the border lands in the middle of the target.
  QImage picture = Filled({100, 200}, Qt::blue);
  for (int y = 0; y < 200; ++y) {
    for (int x = 50; x < 100; ++x) picture.setPixel(x, y, qRgb(0, 255, 0));
  }
  const QImage thumb = MakeThumbnail(picture, {160, 120});  // target 60 x 120
  EXPECT_EQ(thumb.pixel(10, 60), qRgb(0, 0, 255));
  EXPECT_EQ(thumb.pixel(50, 60), qRgb(0, 255, 0));
  EXPECT_EQ(thumb.pixel(70, 60), kWhite);
}

TEST(Thumbnail, NoPreviewFitsEveryOfferedSize) {
  EXPECT_EQ(NoPreviewPicture().size(), QSize(160, 120));
  for (QSize size : {QSize(160, 120), QSize(120, 90), QSize(90, 66), QSize(100, 100)}) {
    const QImage image = NoPreviewThumbnail(size);
    EXPECT_EQ(image.size(), size);
    EXPECT_FALSE(image.isNull());
  }
}

TEST(Thumbnail, PicturesFromPlainRgbBytes) {
  const std::uint8_t pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
  const QImage image = ImageFromRgb24(2, 2, pixels, sizeof pixels);
  ASSERT_EQ(image.size(), QSize(2, 2));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(1, 1), qRgb(10, 20, 30));
  // Too few bytes for the size, or no size at all: no picture.
  EXPECT_TRUE(ImageFromRgb24(2, 3, pixels, sizeof pixels).isNull());
  EXPECT_TRUE(ImageFromRgb24(0, 2, pixels, sizeof pixels).isNull());
  EXPECT_TRUE(ImageFromRgb24(2, 2, nullptr, 0).isNull());
}

}  // namespace
}  // namespace orvalis::test
