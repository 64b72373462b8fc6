// Thumbnails: the EXIF thumbnail from memory, the whole image reduced by DCT
// scaling to the smallest size covering 160 by 120, and codec errors as
// exceptions.
#include <gtest/gtest.h>

#include "metadata/byte_reader.h"
#include "metadata/picture_decoders.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

// An APP1 segment whose thumbnail directory points at the given bytes.
Bytes ExifThumbnailSegment(const Bytes& image, std::int64_t lengthDelta = 0,
                           std::uint32_t offsetDelta = 0) {
  TiffBuilder tiff{Order{true}};
  tiff.thumbnail = {{513, 4, 1, {}}, {514, 4, 1, {}}};
  tiff.trailer = image;
  tiff.thumbnail[0].data = tiff.order.U32(tiff.TrailerOffset() + offsetDelta);
  tiff.thumbnail[1].data = tiff.order.U32(
      static_cast<std::uint32_t>(static_cast<std::int64_t>(image.size()) + lengthDelta));
  return Segment(0xE1, ExifPayload(tiff));
}

Bytes WithExifThumbnail(const Bytes& image, std::int64_t lengthDelta = 0,
                        std::uint32_t offsetDelta = 0) {
  return JpegFile({ExifThumbnailSegment(image, lengthDelta, offsetDelta)});
}

TEST(Thumbnail, WholeImageScaledToCover) {
  struct Case {
    int w, h, outW, outH;
  } cases[] = {
      {1600, 1200, 200, 150},  // 1/8 still covers
      {640, 480, 160, 120},    // 2/8
      {480, 640, 120, 160},    // portrait: fitted 90x120, 2/8
      {170, 125, 170, 125},    // no reduction would still cover
      {100, 50, 100, 50},      // smaller than the box: full size
  };
  tImageMetaData store;
  store.ThumbFromImage = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    Load(store, "whole.jpg", EncodeJpeg(c.w, c.h));
    const auto picture = store.GetThumbnail();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width, c.outW);
    EXPECT_EQ(picture->Height, c.outH);
    ASSERT_EQ(picture->Pixels.size(),
              static_cast<std::size_t>(c.outW) * static_cast<std::size_t>(c.outH) * 3);
    // The gradient runs from dark at the left to bright at the right.
    EXPECT_LT(picture->Row(0)[0], picture->Row(0)[picture->RowBytes() - 3]);
  }
  Load(store, "progressive.jpg", EncodeJpeg(800, 600, true));
  const auto picture = store.GetThumbnail();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width, 200);
}

TEST(Thumbnail, NoneWithoutSetting) {
  tImageMetaData store;
  Load(store, "plain.jpg", EncodeJpeg(64, 48));
  EXPECT_FALSE(store.HasThumbnail());
  EXPECT_EQ(store.GetThumbnail(), nullptr);
}

TEST(Thumbnail, ExifThumbnailPreferred) {
  tImageMetaData store;
  store.ThumbFromImage = true;
  const Bytes thumb = EncodeJpeg(160, 120);
  Load(store, "exifthumb.jpg",
       InsertAfterSoi(EncodeJpeg(1600, 1200), {Segment(0xE1, [&] {
                        TiffBuilder tiff{Order{false}};
                        tiff.thumbnail = {{513, 4, 1, {}}, {514, 4, 1, {}}};
                        tiff.trailer = thumb;
                        tiff.thumbnail[0].data = tiff.order.U32(tiff.TrailerOffset());
                        tiff.thumbnail[1].data =
                            tiff.order.U32(static_cast<std::uint32_t>(thumb.size()));
                        return ExifPayload(tiff);
                      }())}));
  const auto picture = store.GetThumbnail();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width, 160);
  EXPECT_EQ(picture->Height, 120);
  EXPECT_EQ(store.FindEntry("PixelsX")->Text, "1600");
}

TEST(Thumbnail, LaterXmpSegmentDoesNotReplaceTheExifBytes) {
  // No Exif sub-directory, so the XMP segment after it is offered to the
  // EXIF decoder too; the thumbnail must still come from the Exif segment.
  tImageMetaData store;
  Load(store, "thumb_xmp.jpg",
       JpegFile({ExifThumbnailSegment(EncodeJpeg(160, 120)),
                 Segment(0xE1, Text(std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 34)))}));
  ASSERT_FALSE(store.HasExif());
  ASSERT_TRUE(store.HasThumbnail());
  const auto picture = store.GetThumbnail();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width, 160);
}

// A search's store does without the thumbnail's bytes: the same entries,
// HasThumbnail still true, and asking for the picture is an error.
TEST(Thumbnail, StoreWithoutKeptThumbnailReadsTheSameEntries) {
  const Bytes file = WithExifThumbnail(EncodeJpeg(160, 120));
  tImageMetaData kept;
  tImageMetaData lean;
  lean.KeepThumbnail = false;
  // Written once: a second write could fall into the next second and give
  // the file another date.
  const std::string path = WriteFile("same.jpg", file);
  kept.ReadJpegFile(path);
  lean.ReadJpegFile(path);
  ASSERT_EQ(lean.EntryCount(), kept.EntryCount());
  for (int i = 0; i < kept.EntryCount(); ++i)
    EXPECT_EQ(lean.GetEntry(i)->Text, kept.GetEntry(i)->Text) << i;
  EXPECT_TRUE(lean.HasThumbnail());
  EXPECT_THROW(lean.GetThumbnail(), tMetadataError);
}

TEST(Thumbnail, ThereOnlyWhenItCanBeRead) {
  const Bytes good = EncodeJpeg(160, 120);
  struct Case {
    const char* what;
    Bytes file;
    bool has;
  } cases[] = {
      {"inside the segment", WithExifThumbnail(good), true},
      {"length past the segment's end, cut there", WithExifThumbnail(good, 50000), true},
      {"length 0", WithExifThumbnail(good, -static_cast<std::int64_t>(good.size())), false},
      {"offset outside the segment", WithExifThumbnail(good, 0, 60000), false},
      {"offset right at the segment's end",
       WithExifThumbnail(good, 0, static_cast<std::uint32_t>(good.size())), false},
  };
  for (const bool kept : {true, false}) {
    tImageMetaData store;
    store.KeepThumbnail = kept;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      Load(store, "thumb.jpg", c.file);
      EXPECT_EQ(store.HasThumbnail(), c.has);
      if (kept && !c.has) {
        EXPECT_EQ(store.GetThumbnail(), nullptr);
      }
    }
  }
}

TEST(Thumbnail, CodecErrorsAreExceptions) {
  tImageMetaData store;
  const Bytes good = EncodeJpeg(160, 120);
  Bytes garbage(good.size(), 0x5A);
  struct Case {
    const char* what;
    Bytes file;
  } cases[] = {
      {"garbage thumbnail", WithExifThumbnail(garbage)},
      {"header only", WithExifThumbnail(Bytes(good.begin(), good.begin() + 20))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(store, "badthumb.jpg", c.file);
    ASSERT_TRUE(store.HasThumbnail());
    EXPECT_THROW(store.GetThumbnail(), tMetadataError);
  }
  // A length past the end of the segment is cut; the picture still decodes.
  Load(store, "longthumb.jpg", WithExifThumbnail(good, 50000));
  EXPECT_NE(store.GetThumbnail(), nullptr);

  // The whole-file decode of something that only looks like a JPEG.
  store.ThumbFromImage = true;
  Load(store, "fake.jpg", JpegFile({Segment(0xFE, Text("x"))}));
  EXPECT_THROW(store.GetThumbnail(), tMetadataError);
  // Frame headers that declare a huge picture are refused, not allocated:
  // baseline (output too large) and progressive (coefficient memory).
  for (const bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    Bytes huge = EncodeJpeg(16, 16, progressive);
    const std::uint8_t frame = progressive ? 0xC2 : 0xC0;
    for (std::size_t i = 2; i + 8 < huge.size(); ++i) {
      if (huge[i] == 0xFF && huge[i + 1] == frame) {
        huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF;
        break;
      }
    }
    Load(store, "huge.jpg", huge);
    EXPECT_THROW(store.GetThumbnail(), tMetadataError);
  }
}

// A raw photo's preview: a JPEG stream 1000 bytes into a larger file.
TEST(Thumbnail, JpegInsideAnotherFile) {
  const Bytes jpeg = EncodeJpeg(640, 480);
  Bytes file(1000 + jpeg.size() + 500, 0x55);
  std::copy(jpeg.begin(), jpeg.end(), file.begin() + 1000);
  const std::string path = WriteFile("preview.raw", file);
  EXPECT_EQ(DecodeJpegInFile(path, 1000, jpeg.size(), tPictureScale::Thumbnail)->Width, 160);
  // A length past the end of the file is cut there.
  EXPECT_EQ(DecodeJpegInFile(path, 1000, jpeg.size() + 1'000'000, tPictureScale::Whole)->Width,
            640);
  EXPECT_THROW(DecodeJpegInFile(path, 1000, kMaxEmbeddedJpegBytes + 1, tPictureScale::Whole),
               tMetadataError);
  EXPECT_THROW(DecodeJpegInFile(path, file.size() + 10, 100, tPictureScale::Whole), tMetadataError);
}

}  // namespace
}  // namespace orvalis::test
