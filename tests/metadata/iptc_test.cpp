// IPTC decoding: datasets bare and wrapped in image resources, with and
// without merged Keywords and SupplementalCategory lists, and cut-off data.
#include <gtest/gtest.h>

#include "test_support.h"

namespace orvalis::test {
namespace {

std::vector<std::string> IptcEntries(const tImageMetaData& store) {
  std::vector<std::string> out;
  for (const tMetaEntry& e : store.Entries()) {
    if (e.Group != 5) continue;
    EXPECT_EQ(e.Kind, 2);
    EXPECT_EQ(Describe(e.Value), "t:" + e.Text);
    out.push_back(tImageMetaData::TagName(e) + "=" + e.Text);
  }
  return out;
}

// A Photoshop APP13 payload with one image resource holding the data.
Bytes Photoshop(const Bytes& iptc, std::uint16_t resource = 0x0404) {
  const Order be{true};
  Bytes data = iptc;
  if (data.size() % 2) data.push_back(0);
  return Concat({Text(std::string("Photoshop 3.0\0", 14)), Text("8BIM"), be.U16(resource),
                 Bytes{0, 0}, be.U32(static_cast<std::uint32_t>(iptc.size())), data});
}

TEST(Iptc, MergedAndSeparateLists) {
  const Bytes data =
      Concat({Dataset(0, std::string("\0\2", 2)), Dataset(120, std::string("caption\0\0", 9)),
              Dataset(25, "sun"), Dataset(20, "cat1"), Dataset(25, "beach"), Dataset(90, "Wien"),
              Dataset(25, "holiday"), Dataset(20, "cat2")});
  struct Case {
    int merge;
    std::vector<std::string> expected;
  } cases[] = {
      {0,
       {"RecordVersion=2", "Caption=caption", "Keywords=sun", "SupplementalCategory=cat1",
        "Keywords=beach", "City=Wien", "Keywords=holiday", "SupplementalCategory=cat2"}},
      {1,
       {"RecordVersion=2", "Caption=caption", "City=Wien", "SupplementalCategory=cat1;cat2",
        "Keywords=sun;beach;holiday"}},
  };
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.merge);
    store.MergeIptcLists = static_cast<std::uint8_t>(c.merge);
    Load(store, "iptc.jpg", JpegFile({Segment(0xED, Photoshop(data))}));
    EXPECT_EQ(IptcEntries(store), c.expected);
    EXPECT_TRUE(store.HasIptc());
    EXPECT_EQ(store.FindEntry("IPTC.Keywords")->Text, c.merge ? "sun;beach;holiday" : "sun");
  }
}

TEST(Iptc, DatasetEdgeCases) {
  struct Case {
    const char* what;
    Bytes payload;
    int merge;
    std::vector<std::string> expected;
  } cases[] = {
      {"blank keyword merged", Dataset(25, " sun "), 1, {"Keywords=sun "}},
      {"blank keyword separate", Dataset(25, " sun "), 0, {"Keywords= sun "}},
      {"only zeros", Dataset(105, std::string("\0\0", 2)), 0, {"Headline="}},
      {"empty data", Dataset(105, ""), 0, {"Headline="}},
      {"empty keywords merged", Concat({Dataset(25, ""), Dataset(25, "")}), 1, {"Keywords=;"}},
      {"record version too short", Dataset(0, std::string("\0", 1)), 0, {"RecordVersion="}},
      {"record version 4", Dataset(0, std::string("\0\4", 2)), 0, {"RecordVersion=4"}},
      {"record 1 is passed over",
       Concat({Bytes{0x1C, 1, 90, 0, 3, 'a', 'b', 'c'}, Dataset(5, "obj")}),
       0,
       {"ObjectName=obj"}},
      {"length past the end",
       Concat({Dataset(5, "a"), Bytes{0x1C, 2, 120, 0x80, 0x00}, Text("short")}),
       0,
       {"ObjectName=a", "Caption=short"}},
      {"header cut off", Concat({Dataset(5, "a"), Bytes{0x1C, 2, 120, 0x00}}), 0, {"ObjectName=a"}},
      {"unknown dataset", Dataset(240, "x"), 0, {"0x00F0=x"}},
      {"bare marker at the end", Bytes{0x1C, 2}, 0, {}},
  };
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store.MergeIptcLists = static_cast<std::uint8_t>(c.merge);
    Load(store, "iptc_edge.jpg", JpegFile({Segment(0xED, c.payload), Segment(0xFE, Text("c"))}));
    EXPECT_EQ(IptcEntries(store), c.expected);
    EXPECT_TRUE(store.HasComment());
  }
}

TEST(Iptc, SecondSegment) {
  tImageMetaData store;
  const Bytes none = Segment(0xED, Photoshop(Text("not iptc at all"), 0x0409));
  const Bytes one = Segment(0xED, Photoshop(Dataset(5, "one")));
  const Bytes two = Segment(0xED, Photoshop(Dataset(5, "two")));
  Load(store, "iptc_none.jpg", JpegFile({none}));
  EXPECT_FALSE(store.HasIptc());
  EXPECT_TRUE(IptcEntries(store).empty());
  Load(store, "iptc_two.jpg", JpegFile({one, two}));
  EXPECT_EQ(IptcEntries(store), (std::vector<std::string>{"ObjectName=one"}));
  Load(store, "iptc_late.jpg", JpegFile({none, two}));
  EXPECT_EQ(IptcEntries(store), (std::vector<std::string>{"ObjectName=two"}));
}

}  // namespace
}  // namespace orvalis::test
