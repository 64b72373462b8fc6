// What one file can make the store hold: a repeated frame header or Exif
// segment is decoded once, and the caps on segments, entries and entry
// bytes hold and say which one was reached.
#include <gtest/gtest.h>

#include "support/test_names.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

const Order kIntel{false};

// A TIFF block (Intel order) whose first directory holds count entries of
// the given tag and type, each with the value field v.
Bytes FlatTiff(std::uint32_t count, std::uint16_t tag, std::uint16_t type, std::uint32_t countField,
               std::uint32_t v, std::uint32_t next = 0) {
  Bytes out = Concat({Text("II"), kIntel.U16(42), kIntel.U32(8), kIntel.U16(count)});
  out.reserve(out.size() + 12u * count + 4);
  const Bytes entry =
      Concat({kIntel.U16(tag), kIntel.U16(type), kIntel.U32(countField), kIntel.U32(v)});
  for (std::uint32_t i = 0; i < count; ++i) out.insert(out.end(), entry.begin(), entry.end());
  return Concat({out, kIntel.U32(next)});
}

// A walk of many segments, built without repeated copying.
Bytes Repeated(const Bytes& segment, std::size_t times, const Bytes& after = {}) {
  Bytes out{0xFF, 0xD8};
  out.reserve(segment.size() * times + after.size() + 2);
  for (std::size_t i = 0; i < times; ++i) out.insert(out.end(), segment.begin(), segment.end());
  out.insert(out.end(), after.begin(), after.end());
  return Concat({out, Bytes{0xFF, 0xD9}});
}

struct OnceCase {
  const char* what;
  Bytes file;
  const char* field;
  int expected;  // entries of the field's (group, tag)
};
std::string CaseText(const OnceCase& c) { return c.what; }
void PrintTo(const OnceCase& c, std::ostream* os) { *os << c.what; }

const Bytes kMake = Segment(0xE1, ExifPayload(FlatTiff(1, 271, 2, 4, 0x796E6F53)));  // "Sony"
const Bytes kXmp = Segment(0xE1, Text(std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 33)));

class DecodedOnce : public ::testing::TestWithParam<OnceCase> {};

TEST_P(DecodedOnce, PerFile) {
  const OnceCase& c = GetParam();
  tImageMetaData store;
  Load(store, "once.jpg", c.file);
  const int row = tImageMetaData::FieldIndex(c.field);
  ASSERT_GE(row, 0);
  const tTagRow& r = TagTable[static_cast<std::size_t>(row)];
  EXPECT_EQ(CountOf(store, r.Group, r.Tag), c.expected);
  EXPECT_EQ(store.LimitReached(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Segments, DecodedOnce,
    ::testing::Values(
        OnceCase{"first of many frame headers", Repeated(Segment(0xC0, FramePayload(20, 10)), 500),
                 "PixelsX", 1},
        OnceCase{"Exif segments without sub-directory", Repeated(kMake, 150), "Make", 1},
        OnceCase{"XMP before the Exif segment", JpegFile({kXmp, kMake}), "Make", 1},
        OnceCase{"failed Exif segment ends the offers",
                 JpegFile({Segment(0xE1, Text(std::string("Exif\0\0II", 8))), kMake}), "Make", 0}),
    CaseNames{});

struct LimitCase {
  const char* what;
  Bytes file;
  const char* said;  // part of LimitReached and of the reason in Dropped
  std::size_t maxEntries;
};
std::string CaseText(const LimitCase& c) { return c.what; }
void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.what; }

// One Exif segment whose three directories overlap: each directory's count
// is the tag of an entry of the first one, so about 15,000 entries.
Bytes OverlappingDirectories() {
  Bytes tiff = FlatTiff(5000, 5000, 3, 1, 0, 22);
  // The last entry of the first directory points at the Exif sub-directory.
  const Bytes pointer = Concat({kIntel.U16(34665), kIntel.U16(4), kIntel.U32(1), kIntel.U32(34)});
  std::copy(pointer.begin(), pointer.end(), tiff.begin() + 10 + 12 * 4999);
  return Segment(0xE1, ExifPayload(tiff));
}

Bytes EmptyDatasets(std::size_t count) {
  const Bytes one{0x1C, 2, 120, 0, 0};
  Bytes out;
  for (std::size_t i = 0; i < count; ++i) out.insert(out.end(), one.begin(), one.end());
  return out;
}

class FileLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(FileLimits, HoldAndSaySo) {
  const LimitCase& c = GetParam();
  tImageMetaData store;
  Load(store, "limit.jpg", c.file);
  EXPECT_LE(static_cast<std::size_t>(store.EntryCount()), c.maxEntries);
  EXPECT_NE(store.LimitReached().find(c.said), std::string::npos) << store.LimitReached();
  bool told = false;
  for (const std::string& reason : store.Dropped())
    told |= reason.find(c.said) != std::string::npos;
  EXPECT_TRUE(told);
  EXPECT_FALSE(store.HasComment()) << "the walk ends at the limit";
}

INSTANTIATE_TEST_SUITE_P(
    Store, FileLimits,
    ::testing::Values(
        LimitCase{"segments",
                  Repeated(Segment(0xE2, Bytes{1, 2}), tImageMetaData::kMaxSegments,
                           Segment(0xFE, Text("late"))),
                  "10000 segments", 10},
        LimitCase{"entries",
                  JpegFile({OverlappingDirectories(), Segment(0xED, EmptyDatasets(13000)),
                            Segment(0xFE, Text("late"))}),
                  "20000 entries", tImageMetaData::kMaxEntries},
        // 300 descriptions that all point at one 60,000-byte text.
        LimitCase{"entry bytes",
                  JpegFile({Segment(0xE1, ExifPayload(Concat({FlatTiff(300, 270, 2, 60000, 3614),
                                                              Bytes(60000, 'x')}))),
                            Segment(0xFE, Text("late"))}),
                  "bytes of entry texts", 300}),
    CaseNames{});

// Past the bytes limit, an entry small enough to fit is not kept either: the
// entries after a limit are neither made nor kept.
TEST(FileLimits, NoEntryIsKeptAfterALimit) {
  const std::uint32_t count = 301;
  const std::uint32_t text = 8 + 2 + 12 * count + 4;
  Bytes tiff = FlatTiff(count - 1, 270, 2, 60000, text);
  tiff.resize(tiff.size() - 4);  // the next pointer comes after the last entry
  tiff[8] = static_cast<std::uint8_t>(count & 0xFF);
  tiff[9] = static_cast<std::uint8_t>(count >> 8);
  tiff = Concat({tiff, kIntel.U16(271), kIntel.U16(2), kIntel.U32(4), Text(std::string("Fuj\0", 4)),
                 kIntel.U32(0), Bytes(60000, 'x')});
  tImageMetaData store;
  Load(store, "limit.jpg", JpegFile({Segment(0xE1, ExifPayload(tiff))}));
  ASSERT_NE(store.LimitReached().find("bytes of entry texts"), std::string::npos);
  EXPECT_EQ(store.FindEntry("Make"), nullptr);
}

TEST(FileLimits, ChainAfterTheThumbnailDirectoryIsNotFollowed) {
  TiffBuilder tiff{kIntel};
  tiff.first = {{274, 3, 1, kIntel.U16(1)}};
  tiff.thumbnail = {{259, 3, 1, kIntel.U16(6)}};
  Bytes block = tiff.Build();
  // The thumbnail directory's next pointer (its last four bytes) points back
  // at the first directory: a loop that must not be walked.
  const std::size_t next = 8 + 2 + 12 + 4 + 2 + 12;
  const Bytes eight = kIntel.U32(8);
  std::copy(eight.begin(), eight.end(), block.begin() + static_cast<std::ptrdiff_t>(next));
  tImageMetaData store;
  Load(store, "chain.jpg", JpegFile({Segment(0xE1, ExifPayload(block))}));
  EXPECT_EQ(CountOf(store, group::kExif, 274), 1);
  EXPECT_EQ(CountOf(store, group::kThumbnail, 259), 1);
  EXPECT_EQ(store.Dropped(),
            std::vector<std::string>{"directories after the thumbnail directory are not read"});
}

}  // namespace
}  // namespace orvalis::test
