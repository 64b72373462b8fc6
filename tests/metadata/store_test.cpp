// The segment walk and the store: dispatch, failure rules, file data, the
// comment, frame header and JFIF decoders, lookups, iteration and Clear.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "metadata/byte_reader.h"
#include "metadata/jpeg_file.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

std::vector<std::string> Names(const tImageMetaData& store) {
  std::vector<std::string> out;
  for (const tMetaEntry& e : store.Entries())
    out.push_back(tImageMetaData::TagName(e) + "=" + e.Text);
  return out;
}

// Entries after the FILE data step.
std::vector<std::string> SegmentNames(const tImageMetaData& store) {
  std::vector<std::string> out;
  for (const tMetaEntry& e : store.Entries())
    if (e.Group != 2 || e.Tag == 1 || e.Tag == 8 || e.Tag == 9)
      out.push_back(tImageMetaData::TagName(e) + "=" + e.Text);
  return out;
}

const Bytes kJfif = Segment(0xE0, JfifPayload(1, 1, 1, 72, 72));

TEST(SegmentWalk, DispatchAndFailureCases) {
  const Bytes com = Segment(0xFE, Text("first"));
  const Bytes com2 = Segment(0xFE, Text("second"));
  const Bytes sof = Segment(0xC0, FramePayload(480, 640));
  struct Case {
    const char* what;
    std::vector<Bytes> segments;
    std::vector<std::string> expected;
  } cases[] = {
      {"two comments: the first counts", {com, com2}, {"JpgComment=first"}},
      {"comment with one zero",
       {Segment(0xFE, Text(std::string("Hello\0", 6)))},
       {"JpgComment=Hello"}},
      {"comment with two zeros keeps one",
       {Segment(0xFE, Text(std::string("Hello\0\0", 7)))},
       {std::string("JpgComment=Hello\0", 17)}},
      {"empty comment", {Segment(0xFE, {}), com}, {"JpgComment="}},
      {"two frame headers: the first counts",
       {sof, Segment(0xC0, FramePayload(20, 10))},
       {"PixelsY=480", "PixelsX=640"}},
      {"progressive frame gives the size",
       {Segment(0xC2, FramePayload(480, 640)), com},
       {"PixelsY=480", "PixelsX=640", "JpgComment=first"}},
      {"progressive before baseline: the first counts",
       {Segment(0xC2, FramePayload(20, 10)), sof},
       {"PixelsY=20", "PixelsX=10"}},
      {"short frame header is passed over",
       {Segment(0xC0, Bytes{8, 1, 2}), com},
       {"JpgComment=first"}},
      {"jfif then jfxx",
       {kJfif, Segment(0xE0, Text(std::string("JFXX\0\x10", 6))), com},
       {"Version=1.01", "Units=dpi", "XDensity=72", "YDensity=72", "XthumbnailSize=0",
        "YthumbnailSize=0", "JpgComment=first"}},
      {"first APP0 not JFIF: the JFIF one after it counts",
       {Segment(0xE0, Text(std::string("JFXX\0\x10", 6))), kJfif, com},
       {"Version=1.01", "Units=dpi", "XDensity=72", "YDensity=72", "XthumbnailSize=0",
        "YthumbnailSize=0", "JpgComment=first"}},
      {"short JFIF is passed over",
       {Segment(0xE0, Text(std::string("JFIF\0\1\2\1", 8))), com},
       {"JpgComment=first"}},
      {"APP0 of 4 bytes", {Segment(0xE0, Text("JFIF")), com}, {"JpgComment=first"}},
      {"other segments are skipped",
       {Segment(0xE2, Text("ICC")), Segment(0xDB, Bytes(65, 0)), com},
       {"JpgComment=first"}},
  };
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(store, "walk.jpg", JpegFile(c.segments));
    EXPECT_EQ(SegmentNames(store), c.expected);
  }
}

TEST(SegmentWalk, FrameSizeFromEveryFrameHeaderKind) {
  struct Case {
    std::uint8_t marker;
    bool hasSize;
  } cases[] = {{0xC0, true},  {0xC1, true}, {0xC2, true}, {0xC3, true},
               {0xC4, false}, {0xC5, true}, {0xC6, true}, {0xC7, true},
               {0xC8, false}, {0xC9, true}, {0xCA, true}, {0xCB, true},
               {0xCC, false}, {0xCD, true}, {0xCE, true}, {0xCF, true}};
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.marker);
    Load(store, "frame.jpg", JpegFile({Segment(c.marker, FramePayload(480, 640))}));
    const std::vector<std::string> size{"PixelsY=480", "PixelsX=640"};
    EXPECT_EQ(SegmentNames(store), c.hasSize ? size : std::vector<std::string>());
  }
}

TEST(SegmentWalk, JfifValues) {
  struct Case {
    std::uint8_t major, minor, units;
    const char* version;
    const char* unitText;
  } cases[] = {{1, 2, 1, "1.02", "dpi"},
               {1, 10, 2, "1.10", "dpcm"},
               {2, 0, 0, "2.00", "NoUnits"},
               {1, 1, 7, "1.01", "<unknown>"}};
  tImageMetaData store;
  for (const auto& c : cases) {
    Load(store, "jfif.jpg",
         JpegFile({Segment(0xE0, JfifPayload(c.major, c.minor, c.units, 300, 150, 4, 3))}));
    EXPECT_EQ(store.FindEntry("Version")->Text, c.version);
    EXPECT_EQ(store.FindEntry("Version")->Kind, 0);
    const tMetaEntry* units = store.FindEntry("app0.units");
    EXPECT_EQ(units->Text, c.unitText);
    EXPECT_EQ(Describe(units->Value), "t:" + std::to_string(c.units));
    EXPECT_EQ(Describe(store.FindEntry("XDensity")->Value), "t:300");
    EXPECT_EQ(store.FindEntry("XDensity")->Kind, 1);
    EXPECT_EQ(store.FindEntry("YDensity")->Text, "150");
    EXPECT_EQ(store.FindEntry("XthumbnailSize")->Text, "4");
    EXPECT_EQ(store.FindEntry("YthumbnailSize")->Text, "3");
  }
}

TEST(SegmentWalk, LongComment) {
  tImageMetaData store;
  const std::string text(300, 'x');
  Load(store, "long.jpg", JpegFile({Segment(0xFE, Text(text))}));
  const tMetaEntry* e = store.FindEntry("JpgComment");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Text, text.substr(0, 255));
  EXPECT_EQ(Describe(e->Value), "t:" + text);
  EXPECT_TRUE(store.HasComment());
}

// Every text longer than an entry keeps is cut between two characters when
// it is UTF-8, so the kept part is UTF-8 too; other texts keep 255 bytes.
TEST(SegmentWalk, LongUtf8TextsAreCutBetweenCharacters) {
  std::string umlauts;  // 150 times 'ü' (two bytes each): byte 255 starts a character
  while (umlauts.size() < 300) umlauts += "\xC3\xBC";
  const std::string latin1(300, '\xFC');
  TiffBuilder tiff{Order{false}};
  tiff.first = {{270, 2, static_cast<std::uint32_t>(umlauts.size() + 1),
                 Text(umlauts + std::string(1, '\0'))}};
  const Bytes iptc = Concat({Dataset(120, umlauts), Dataset(25, umlauts), Dataset(25, "x")});
  struct Case {
    const char* what;
    Bytes segment;
    const char* field;
    std::string expected;
  } cases[] = {
      {"comment", Segment(0xFE, Text(umlauts)), "JpgComment", umlauts.substr(0, 254)},
      {"EXIF description", Segment(0xE1, ExifPayload(tiff)), "ImageDescription",
       umlauts.substr(0, 254)},
      {"IPTC caption", Segment(0xED, iptc), "Caption", umlauts.substr(0, 254)},
      {"merged keywords", Segment(0xED, iptc), "Keywords", umlauts.substr(0, 254)},
      {"comment not UTF-8", Segment(0xFE, Text(latin1)), "JpgComment", latin1.substr(0, 255)},
  };
  tImageMetaData store;
  store.MergeIptcLists = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(store, "utf8.jpg", JpegFile({c.segment}));
    const tMetaEntry* e = store.FindEntry(c.field);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Text, c.expected);
  }
}

TEST(SegmentWalk, NotAJpeg) {
  tImageMetaData store;
  Load(store, "text.jpg", Text("hello world"));
  EXPECT_FALSE(store.IsJpeg());
  EXPECT_EQ(store.EntryCount(), 0);
}

TEST(SegmentWalk, ErrorsOutsideDecodersReachTheCaller) {
  tImageMetaData store;
  EXPECT_THROW(store.ReadJpegFile(ScratchDir() + "/missing.jpg"), tMetadataError);
  EXPECT_THROW(Load(store, "one.jpg", Bytes{0xFF}), tMetadataError);
  // A skipped segment that claims more than the file holds: the next marker
  // header lies past the end. Entries read before stay.
  const Bytes cut =
      Concat({Bytes{0xFF, 0xD8}, Segment(0xFE, Text("c")), Bytes{0xFF, 0xE2, 0x10, 0x00, 1, 2, 3}});
  EXPECT_THROW(Load(store, "cut.jpg", cut), tMetadataError);
  EXPECT_TRUE(store.IsJpeg());
  EXPECT_NE(store.FindEntry("JpgComment"), nullptr);
  EXPECT_NE(store.FindEntry("Name"), nullptr);
}

TEST(SegmentWalk, EndsQuietly) {
  tImageMetaData store;
  // File ends right after the end-of-image marker, without a scan.
  EXPECT_NO_THROW(Load(store, "eoi.jpg",
                       Concat({Bytes{0xFF, 0xD8}, Segment(0xFE, Text("c")), Bytes{0xFF, 0xD9}})));
  EXPECT_TRUE(store.HasComment());
  // Fill bytes before a marker are passed over without a word.
  EXPECT_NO_THROW(Load(store, "fill.jpg", JpegFile({Bytes{0xFF, 0xFF}, Segment(0xFE, Text("c"))})));
  EXPECT_TRUE(store.HasComment());
  EXPECT_TRUE(store.Dropped().empty());
  // After a segment length below 2 the walk goes on at the next marker.
  EXPECT_NO_THROW(
      Load(store, "len1.jpg", JpegFile({Bytes{0xFF, 0xE5, 0x00, 0x01}, Segment(0xFE, Text("c"))})));
  EXPECT_TRUE(store.HasComment());
  EXPECT_EQ(store.Dropped(), std::vector<std::string>{"segment length 1 at offset 2"});
  // A decoded segment that runs past the end of the file fails its decoder,
  // and the walk ends there.
  EXPECT_NO_THROW(
      Load(store, "cutcom.jpg", Concat({Bytes{0xFF, 0xD8, 0xFF, 0xFE, 0x10, 0x00}, Text("abc")})));
  EXPECT_FALSE(store.HasComment());
  EXPECT_NE(store.FindEntry("Size"), nullptr);
  EXPECT_EQ(store.Dropped(),
            std::vector<std::string>{"COM segment at offset 2: read past the end of the file"});
}

// Bytes that are no marker between two segments: the walk goes on at the
// next 0xFF followed by a byte that is neither 0 nor 0xFF, also when the
// search crosses a read block or the marker straddles two.
TEST(SegmentWalk, ResynchronisesOnTheNextMarker) {
  const Bytes com = Segment(0xFE, Text("a"));  // offsets 2 to 6
  const Bytes sof = Segment(0xC0, FramePayload(480, 640));
  struct Case {
    const char* what;
    Bytes junk;
    std::vector<std::string> dropped;
  } cases[] = {
      {"a few bytes", Text("junk"), {"4 bytes that are no marker at offset 7"}},
      {"stuffed and fill bytes",
       Bytes{0xFF, 0x00, 0xFF, 0xFF},
       {"4 bytes that are no marker at offset 7"}},
      {"across a read block", Bytes(70000, 0x00), {"70000 bytes that are no marker at offset 7"}},
      {"marker straddles two blocks",
       Bytes(65535, 0x20),
       {"65535 bytes that are no marker at offset 7"}},
  };
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_THROW(Load(store, "resync.jpg", JpegFile({com, c.junk, sof})));
    EXPECT_EQ(store.FindEntry("JpgComment")->Text, "a");
    ASSERT_NE(store.FindEntry("PixelsX"), nullptr);
    EXPECT_EQ(store.FindEntry("PixelsX")->Text, "640");
    EXPECT_EQ(store.Dropped(), c.dropped);
  }
  // Where no marker follows, the walk ends with what it has.
  ASSERT_NO_THROW(
      Load(store, "nomarker.jpg", Concat({Bytes{0xFF, 0xD8}, com, Text("junk to the end")})));
  EXPECT_EQ(store.FindEntry("JpgComment")->Text, "a");
  EXPECT_EQ(store.Dropped(), std::vector<std::string>{"no marker after offset 7"});
}

TEST(FileData, EntriesOfAFile) {
  tImageMetaData store;
  const Bytes bytes = JpegFile({});
  const std::string path = WriteFile("data.jpg", bytes);
  store.ReadJpegFile(path);
  const std::vector<std::string> names = Names(store);
  ASSERT_EQ(names.size(), 7u);
  EXPECT_EQ(names[0], "Fullname=" + path);
  EXPECT_EQ(names[1], "Size=" + std::to_string(bytes.size()));
  EXPECT_EQ(names[2], "Path=" + ScratchDir());
  EXPECT_EQ(names[3], "Name=data.jpg");
  EXPECT_EQ(names[4], "Format=JPEG");
  EXPECT_EQ(store.FindEntry("Size")->Kind, 1);
  EXPECT_EQ(Describe(store.FindEntry("Size")->Value), "t:" + std::to_string(bytes.size()));
  const tMetaEntry* modified = store.FindEntry("FileDateModified");
  ASSERT_NE(modified, nullptr);
  EXPECT_EQ(modified->Kind, 3);
  EXPECT_TRUE(std::regex_match(modified->Text, std::regex(R"(\d{4}:\d\d:\d\d \d\d:\d\d:\d\d)")))
      << modified->Text;
  EXPECT_EQ(tImageMetaData::EntryDateTime(*modified).Month > 0, true);
  const tMetaEntry* created = store.FindEntry("FileDateCreated");
  ASSERT_NE(created, nullptr);
  // Without a birth time on this file system the date stays "???".
  if (created->Text.empty())
    EXPECT_EQ(Describe(created->Value), "t:???");
  else
    EXPECT_EQ(Describe(created->Value), "t:" + created->Text);
}

TEST(FileData, PathRulesAndHiddenFiles) {
  tImageMetaData store;
  const std::string old = std::filesystem::current_path().string();
  WriteFile("bare.jpg", JpegFile({}));
  WriteFile(".hidden.jpg", JpegFile({}));
  ASSERT_EQ(::chdir(ScratchDir().c_str()), 0);
  store.ReadJpegFile("bare.jpg");
  EXPECT_EQ(store.FindEntry("Path")->Text, ".");
  EXPECT_EQ(store.FindEntry("Fullname")->Text, ScratchDir() + "/bare.jpg");
  store.Clear();
  store.ReadJpegFile("./../" + std::filesystem::path(ScratchDir()).filename().string() +
                     "/.hidden.jpg");
  EXPECT_EQ(store.FindEntry("Fullname")->Text, ScratchDir() + "/.hidden.jpg");
  EXPECT_EQ(store.FindEntry("Name")->Text, ".hidden.jpg");
  EXPECT_EQ(store.FindEntry("FileDateModified"), nullptr);
  EXPECT_EQ(store.FindEntry("FileDateCreated"), nullptr);
  EXPECT_EQ(store.EntryCount(), 5);
  ASSERT_EQ(::chdir(old.c_str()), 0);
}

Bytes RichFile() {
  TiffBuilder tiff{Order{false}};
  tiff.first = {{271, 2, 6, Text(std::string("Canon\0", 6))}};
  tiff.thumbnail = {{256, 4, 1, tiff.order.U32(160)}};
  tiff.exif = {{41985, 3, 1, tiff.order.U16(1)}};
  return JpegFile({kJfif, Segment(0xE1, ExifPayload(tiff)), Segment(0xED, Dataset(25, "sun")),
                   Segment(0xFE, Text("hi")), Segment(0xC0, FramePayload(48, 64)),
                   Segment(0xC0, FramePayload(4, 6))});
}

TEST(Store, Lookups) {
  tImageMetaData store;
  Load(store, "rich.jpg", RichFile());
  const tMetaEntry* make = store.FindEntry("make");
  ASSERT_NE(make, nullptr);
  EXPECT_EQ(store.FindEntry("  EXIF.Make \t"), make);
  EXPECT_EQ(store.FindEntry("exif.make"), make);
  EXPECT_EQ(store.FindEntry("gps.GPSLatitude"), nullptr);
  EXPECT_EQ(store.FindEntry("foo.Make"), nullptr);
  EXPECT_EQ(store.FindEntry(".Make"), nullptr);
  EXPECT_EQ(store.FindEntry("Nothing"), nullptr);
  EXPECT_EQ(store.FindEntry("PreviewImageWidth")->Group, 4);
  EXPECT_EQ(store.FindEntry("exif.PreviewImageWidth"), nullptr);
  EXPECT_EQ(store.FindEntry("FILE.PixelsX")->Text, "64");
  EXPECT_EQ(store.FindEntry("iptc.keywords")->Text, "sun");
  EXPECT_EQ(tImageMetaData::FieldIndex("Make"), tImageMetaData::FieldIndex("EXIF.MAKE"));
  EXPECT_EQ(tImageMetaData::FieldIndex("file.Make"), -1);
  EXPECT_EQ(tImageMetaData::FieldIndex("JpgComment"), 0);

  const tMetaEntry* unnamed = Find(store, 3, 41985);
  ASSERT_NE(unnamed, nullptr);
  EXPECT_EQ(tImageMetaData::TagName(*unnamed), "0xA401");

  EXPECT_EQ(store.GetEntry(-1), nullptr);
  EXPECT_EQ(store.GetEntry(store.EntryCount()), nullptr);
  auto copy = store.GetEntry(0);
  ASSERT_NE(copy, nullptr);
  copy->Text = "changed";
  EXPECT_NE(store.Entries()[0].Text, "changed");

  EXPECT_TRUE(store.HasExif());
  EXPECT_TRUE(store.HasIptc());
  EXPECT_TRUE(store.HasComment());
  EXPECT_FALSE(store.HasThumbnail());
}

TEST(Store, IterationByGroup) {
  tImageMetaData store;
  EXPECT_EQ(store.FindFirstInGroup(2), nullptr);
  EXPECT_EQ(store.FindNextInGroup(), nullptr);
  Load(store, "rich.jpg", RichFile());
  EXPECT_EQ(store.FindFirstInGroup(6), nullptr);
  EXPECT_EQ(store.FindNextInGroup(), nullptr);
  std::vector<std::string> app0;
  for (const tMetaEntry* e = store.FindFirstInGroup(1); e != nullptr; e = store.FindNextInGroup())
    app0.push_back(tImageMetaData::TagName(*e));
  EXPECT_EQ(app0, (std::vector<std::string>{"Version", "Units", "XDensity", "YDensity",
                                            "XthumbnailSize", "YthumbnailSize"}));
  EXPECT_EQ(store.FindNextInGroup(), nullptr);
  int files = 0;
  for (const tMetaEntry* e = store.FindFirstInGroup(2); e != nullptr; e = store.FindNextInGroup())
    ++files;
  EXPECT_EQ(files, 7 + 1 + 2);  // file data with the format, comment, the first frame's size
}

TEST(Store, ClearKeepsSettings) {
  tImageMetaData store;
  store.MergeIptcLists = 1;
  store.ThumbFromImage = true;
  store.RowNumber = 7;
  Load(store, "rich.jpg", RichFile());
  store.Clear();
  EXPECT_EQ(store.EntryCount(), 0);
  EXPECT_FALSE(store.HasExif() || store.HasIptc() || store.HasComment() || store.HasThumbnail());
  EXPECT_EQ(store.MergeIptcLists, 1);
  EXPECT_TRUE(store.ThumbFromImage);
  EXPECT_EQ(store.RowNumber, 7);
  EXPECT_NE(store.FileName().find("rich.jpg"), std::string::npos);
}

TEST(Store, ReadingWithoutClearAppendsAndSkipsKnownSegments) {
  tImageMetaData store;
  Load(store, "rich.jpg", RichFile());
  const int first = store.EntryCount();
  store.ReadJpegFile(ScratchDir() + "/rich.jpg");
  // FILE entries again; the flagged segments (the frame header too) are passed over.
  EXPECT_EQ(store.EntryCount(), first + 7);
}

TEST(TagTable, EveryRowIsFoundByItsGroupAndTag) {
  for (const tTagRow& row : TagTable) {
    const tTagRow* found = FindTagRow(row.Group, row.Tag);
    ASSERT_NE(found, nullptr) << row.Name;
    EXPECT_EQ(found->Name, row.Name);
  }
  EXPECT_EQ(FindTagRow(group::kExif, 0xFFFF), nullptr);
  EXPECT_EQ(FindTagRow(0, 1), nullptr);
}

TEST(TagTable, NamesAndGroups) {
  EXPECT_EQ(TagTable.size(), 246u);
  std::set<std::string> lower;
  for (const tTagRow& row : TagTable) {
    std::string s(row.Name);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(lower.insert(s).second) << row.Name;
    // A name can be written in a query when it has letters and "_" only;
    // only the IPTC table's Custom1 to Custom20 have digits.
    if (row.Group != group::kIptc) {
      EXPECT_EQ(s.find_first_not_of("abcdefghijklmnopqrstuvwxyz_"), std::string::npos) << row.Name;
    }
  }
  EXPECT_EQ(tImageMetaData::GetTagNames(0).size(), 246u);
  const std::vector<std::size_t> sizes = {
      tImageMetaData::GetTagNames(1).size(), tImageMetaData::GetTagNames(2).size(),
      tImageMetaData::GetTagNames(3).size(), tImageMetaData::GetTagNames(4).size(),
      tImageMetaData::GetTagNames(5).size(), tImageMetaData::GetTagNames(6).size(),
      tImageMetaData::GetTagNames(7).size()};
  EXPECT_EQ(sizes, (std::vector<std::size_t>{6, 10, 95, 19, 66, 32, 18}));
  const auto iptc = tImageMetaData::GetTagNames(5);
  EXPECT_EQ(iptc.front(), "ActionAdvised");
  EXPECT_EQ(iptc.back(), "WriterEditor");
  const auto custom1 = std::find(iptc.begin(), iptc.end(), "Custom1");
  ASSERT_NE(custom1, iptc.end());
  EXPECT_EQ(*(custom1 + 1), "Custom10");
  EXPECT_EQ(*(custom1 + 2), "Custom11");
  const auto app0 = tImageMetaData::GetTagNames(1);
  EXPECT_EQ(app0, (std::vector<std::string>{"Units", "Version", "XDensity", "XthumbnailSize",
                                            "YDensity", "YthumbnailSize"}));
}

// The head comes in with one small read; a segment reaching past it extends
// the block to a full one with one more; beyond that a new block is read.
TEST(JpegFileCost, OneReadForTheHeadAndNoMoreInsideIt) {
  Bytes big(200000, 0x41);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 / 5);
  const std::string path = WriteFile("big.bin", big);
  tJpegFile file(path);
  EXPECT_EQ(file.Size(), big.size());
  file.Read(0, 2);
  file.Read(1000, 15000);
  EXPECT_EQ(file.ReadCalls(), 1);
  const std::uint8_t* segment = file.Read(2, 60000);
  EXPECT_EQ(file.ReadCalls(), 2);
  EXPECT_TRUE(std::equal(segment, segment + 60000, big.begin() + 2));
  EXPECT_EQ(*file.Read(65530, 6), big[65530]);
  EXPECT_EQ(file.ReadCalls(), 2);
  EXPECT_EQ(*file.Read(70000, 4), big[70000]);
  EXPECT_EQ(file.ReadCalls(), 3);
  EXPECT_THROW(file.Read(199999, 4), tMetadataError);
  EXPECT_THROW(file.Read(~0ull - 1, 4), tMetadataError);
}

// A scan takes what the block holds before it reads again.
TEST(JpegFileCost, BufferedReadsUseTheBlockFirst) {
  const Bytes big(200000, 0x41);
  tJpegFile file(WriteFile("scan.bin", big));
  file.Read(0, 2);
  file.Read(2, 60000);  // extends the head block to a full one
  std::size_t length = tJpegFile::kBlockSize;
  file.ReadBuffered(65000, length);
  EXPECT_EQ(length, 536u);
  EXPECT_EQ(file.ReadCalls(), 2);
  length = tJpegFile::kBlockSize;
  file.ReadBuffered(65535, length);  // one byte left in the block: a new one
  EXPECT_EQ(length, tJpegFile::kBlockSize);
  EXPECT_EQ(file.ReadCalls(), 3);
}

}  // namespace
}  // namespace orvalis::test
