// Hostile files: seeded random damage to the metadata bytes of a rich file
// must never read outside a buffer or crash (run under the sanitizers).
#include <gtest/gtest.h>

#include <random>

#include "test_support.h"

namespace orvalis::test {
namespace {

Bytes RichPhoto() {
  TiffBuilder tiff{Order{false}};
  const Order& o = tiff.order;
  tiff.first = {{271, 2, 6, Text(std::string("Canon\0", 6))},
                {274, 3, 1, o.U16(6)},
                {282, 5, 1, o.Rational(72, 1)}};
  tiff.thumbnail = {{513, 4, 1, {}}, {514, 4, 1, {}}};
  tiff.exif = {{33434, 5, 1, o.Rational(1, 250)},
               {37510, 7, 16, Text(std::string("ASCII\0\0\0comment!", 16))},
               {36864, 7, 4, Text("0230")},
               {37377, 10, 1, o.Rational(8, 1)}};
  tiff.trailer = EncodeJpeg(32, 24);
  tiff.thumbnail[0].data = o.U32(tiff.TrailerOffset());
  tiff.thumbnail[1].data = o.U32(static_cast<std::uint32_t>(tiff.trailer.size()));
  const Bytes iptc = Concat({Dataset(25, "sun"), Dataset(25, "beach"), Dataset(120, "caption")});
  return InsertAfterSoi(EncodeJpeg(64, 48), {Segment(0xE1, ExifPayload(tiff)), Segment(0xED, iptc),
                                             Segment(0xFE, Text("comment"))});
}

TEST(Mutation, DamagedHeadsNeverCrash) {
  const Bytes original = RichPhoto();
  const std::size_t head = std::min<std::size_t>(original.size(), 900);
  std::mt19937 random(20261208);
  tImageMetaData store;
  store.ThumbFromImage = true;
  int read = 0;
  for (int round = 0; round < 1500; ++round) {
    Bytes damaged = original;
    const int flips = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < flips; ++i) {
      const std::size_t at = 2 + random() % (head - 2);
      damaged[at] = random() % 3 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
    }
    if (random() % 10 == 0) damaged.resize(2 + random() % (damaged.size() - 2));
    store.MergeIptcLists = static_cast<std::uint8_t>(round % 2);
    try {
      Load(store, "damaged.jpg", damaged);
      ++read;
    } catch (const tMetadataError&) {
    }
    for (const tMetaEntry& e : store.Entries()) ASSERT_LE(e.Text.size(), kMaxEntryText);
    ASSERT_LE(store.Dropped().size(), tImageMetaData::kMaxDropped + 1);
    try {
      store.GetThumbnail();
    } catch (const tMetadataError&) {
    }
  }
  EXPECT_GT(read, 500);
}

}  // namespace
}  // namespace orvalis::test
