// EXIF decoding: generic type rules in both byte orders, the tag rules,
// UserComment character sets, directory slots and skips, and hostile
// offsets and counts.
#include <gtest/gtest.h>

#include "metadata/tiff_directory.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

using namespace fieldtype;

Bytes ExifOnly(const TiffBuilder& tiff) { return JpegFile({Segment(0xE1, ExifPayload(tiff))}); }

struct TypeCase {
  const char* what;
  std::uint16_t type;
  std::uint32_t count;
  Bytes (*data)(const Order&);
  std::optional<std::uint32_t> rawField;
  int kind;              // -1: no entry
  const char* intel;     // expected text, Intel order
  const char* motorola;  // expected text, Motorola order
  const char* value;     // expected value; "%" means "t:" + text
};

Bytes Raw(std::initializer_list<std::uint8_t> b) { return Bytes(b); }

// clang-format off
const TypeCase kTypeCases[] = {
    {"byte", kByte, 1, [](const Order&) { return Raw({200}); }, {}, 1, "200", "200", "i:200"},
    {"short", kShort, 1, [](const Order& o) { return o.U16(65535); }, {}, 1, "65535", "65535", "i:65535"},
    {"short count 3 takes the offset's first element", kShort, 3, nullptr, 0x00120034u, 1, "52", "18", nullptr},
    {"long max", kLong, 1, [](const Order& o) { return o.U32(4294967295u); }, {}, 1, "4294967295",
     "4294967295", "i:4294967295"},
    {"ascii in field", kAscii, 4, [](const Order&) { return Text("ABCD"); }, {}, 2, "ABCD", "ABCD", "%"},
    {"ascii short with zeros", kAscii, 2, [](const Order&) { return Raw({0x35, 0x30, 0, 0}); }, {}, 2, "50", "50", "%"},
    {"ascii at offset", kAscii, 11, [](const Order&) { return Text(std::string("Canon EOS\0\0", 11)); }, {}, 2,
     "Canon EOS", "Canon EOS", "%"},
    {"ascii ends at its first zero", kAscii, 8, [](const Order&) { return Text(std::string("ION230\0F", 8)); }, {},
     2, "ION230", "ION230", "%"},
    {"ascii empty", kAscii, 1, [](const Order&) { return Raw({0}); }, {}, 2, "", "", "t:"},
    {"ascii offset outside", kAscii, 20, nullptr, 60000u, -1, "", "", ""},
    {"ascii count huge", kAscii, 0xFFFFFFFFu, nullptr, 8u, -1, "", "", ""},
    {"undefined in field", kUndefined, 4, [](const Order&) { return Text("0220"); }, {}, 0, "II 30 32 32 30",
     "MM 30 32 32 30", "-"},
    {"undefined count 0", kUndefined, 0, [](const Order&) { return Raw({}); }, {}, 0, "II ", "MM ", "-"},
    {"undefined at offset", kUndefined, 6, [](const Order&) { return Raw({1, 2, 3, 0xAB, 0xCD, 0xEF}); }, {}, 0,
     "II 01 02 03 AB CD EF", "MM 01 02 03 AB CD EF", "-"},
    {"sshort", kSShort, 1, [](const Order& o) { return o.U16(0xFFFB); }, {}, 1, "-5", "-5", "i:-5"},
    {"sshort count 2", kSShort, 2, [](const Order& o) { return Concat({o.U16(1), o.U16(2)}); }, {}, -1, "", "", ""},
    {"slong", kSLong, 1, [](const Order& o) { return o.U32(static_cast<std::uint32_t>(-70000)); }, {}, 1, "-70000",
     "-70000", "i:-70000"},
    {"slong count 2", kSLong, 2, [](const Order& o) { return Concat({o.U32(1), o.U32(2)}); }, {}, -1, "", "", ""},
    {"rational", kRational, 1, [](const Order& o) { return o.Rational(1, 3); }, {}, 4, "1/3", "1/3", "%"},
    {"rational above 2^31 stays unsigned", kRational, 1, [](const Order& o) { return o.Rational(4294967295u, 1); },
     {}, 4, "4294967295/1", "4294967295/1", "%"},
    {"srational", kSRational, 1, [](const Order& o) { return o.Rational(static_cast<std::uint32_t>(-1), 3); }, {},
     4, "-1/3", "-1/3", "%"},
    {"rational offset outside", kRational, 1, nullptr, 65000u, -1, "", "", ""},
    {"float", 11, 1, [](const Order& o) { return o.U32(0x3F800000); }, {}, 0, "", "", "-"},
    {"double", 12, 1, [](const Order& o) { return Concat({o.U32(0), o.U32(0x3FF00000)}); }, {}, 0, "", "", "-"},
    {"type 6", 6, 1, [](const Order&) { return Raw({1}); }, {}, 0, "", "", "-"},
};
// clang-format on

TEST(ExifTypeRules, EachTypeInBothByteOrders) {
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    for (const TypeCase& c : kTypeCases) {
      SCOPED_TRACE(std::string(c.what) + (motorola ? " (MM)" : " (II)"));
      TiffBuilder tiff{Order{motorola}};
      const Bytes data = c.data ? c.data(tiff.order) : Bytes{};
      tiff.first.push_back({50001, c.type, c.count, data, c.rawField});
      tiff.first.push_back({50002, kShort, 1, tiff.order.U16(7)});  // a neighbour that must survive
      Load(store, "type.jpg", ExifOnly(tiff));
      ASSERT_NE(Find(store, 3, 50002), nullptr);
      const tMetaEntry* e = Find(store, 3, 50001);
      if (c.kind < 0) {
        EXPECT_EQ(e, nullptr);
        continue;
      }
      ASSERT_NE(e, nullptr);
      const std::string text = motorola ? c.motorola : c.intel;
      EXPECT_EQ(e->Kind, c.kind);
      EXPECT_EQ(e->Text, text);
      if (c.value == nullptr) {
        EXPECT_EQ(Describe(e->Value), "i:" + text);
      } else {
        EXPECT_EQ(Describe(e->Value),
                  std::string(c.value) == "%" ? "t:" + text : std::string(c.value));
      }
      EXPECT_EQ(e->Group, 3);
    }
  }
}

struct RuleCase {
  std::uint16_t tag;
  std::uint16_t type;
  Bytes (*data)(const Order&);
  int kind;  // -1: dropped
  const char* text;
  const char* value;
};

#define SHORT_OF(v) [](const Order& o) { return o.U16(v); }
#define FRACTION_OF(n, d)                                                            \
  [](const Order& o) {                                                               \
    return o.Rational(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(d)); \
  }

const RuleCase kRuleCases[] = {
    {33434, kRational, FRACTION_OF(1, 250), 4, "1/250", "t:1/250"},
    {33434, kRational, FRACTION_OF(10, 2500), 4, "1/250", "t:10/2500"},
    {33434, kRational, FRACTION_OF(2, 1), 4, "2", "t:2/1"},
    {33434, kRational, FRACTION_OF(6, 10), 4, "0.6", "t:6/10"},
    {33434, kRational, FRACTION_OF(15, 1), 4, "15", "t:15/1"},
    {33434, kRational, FRACTION_OF(1, 4), 4, "1/4", "t:1/4"},
    {33434, kRational, FRACTION_OF(1, 3), 4, "0.3", "t:1/3"},
    {33434, kRational, FRACTION_OF(0, 1), 4, "<invalid_value>", "t:0/1"},
    {33434, kRational, FRACTION_OF(1, 0), 4, "<invalid_value>", "t:1/0"},
    {33437, kRational, FRACTION_OF(28, 10), 1, "2.8", "n:2.8"},
    {33437, kRational, FRACTION_OF(56, 10), 1, "5.6", "n:5.6"},
    {33437, kRational, FRACTION_OF(0, 0), -1, "", ""},
    {37378, kRational, FRACTION_OF(30, 10), 1, "2.83", "n:2.83"},
    {37381, kRational, FRACTION_OF(0, 0), 4, "<invalid_value>", "t:0/0"},
    {37377, kSRational, FRACTION_OF(8, 1), 4, "1/256", "t:8/1"},
    {37377, kSRational, FRACTION_OF(2, 1), 4, "1/4", "t:2/1"},
    {37377, kSRational, FRACTION_OF(-1, 1), 4, "2", "t:-1/1"},
    {37377, kSRational, FRACTION_OF(-3907, 1000), 4, "15", "t:-3907/1000"},
    {37377, kSRational, FRACTION_OF(-5000, 1), 4, "<invalid_value>", "t:-5000/1"},
    {37377, kSRational, FRACTION_OF(5000, 1), 4, "<invalid_value>", "t:5000/1"},
    {282, kRational, FRACTION_OF(72, 1), 1, "72", "n:72"},
    {283, kRational, FRACTION_OF(0, 0), -1, "", ""},
    {37379, kSRational, FRACTION_OF(-5, 10), 1, "-0.5", "n:-0.5"},
    {37379, kSRational, FRACTION_OF(0, 0), 4, "0/0", "t:0/0"},
    {37382, kRational, FRACTION_OF(35, 10), 1, "3.5", "n:3.5"},
    {37386, kRational, FRACTION_OF(135, 1), 1, "135", "n:135"},
    {37386, kRational, FRACTION_OF(0, 0), 4, "<invalid_value>", "t:0/0"},
    {274, kShort, SHORT_OF(6), 2, "right-top", "i:6"},
    {274, kShort, SHORT_OF(9), 2, "9", "i:9"},
    {274, kRational, FRACTION_OF(6, 1), 4, "6/1", "t:6/1"},  // not a code: left as read
    {296, kShort, SHORT_OF(1), 2, "none", "i:1"},
    {296, kShort, SHORT_OF(3), 2, "dpcm", "i:3"},
    {296, kShort, SHORT_OF(5), 2, "5", "i:5"},
    {34850, kShort, SHORT_OF(0), 2, "unknown", "i:0"},
    {34850, kShort, SHORT_OF(2), 2, "Program Normal", "i:2"},
    {37383, kShort, SHORT_OF(0), 2, "Unknown", "i:0"},
    {37383, kShort, SHORT_OF(5), 2, "MultiSegment", "i:5"},
    {37383, kShort, SHORT_OF(255), 2, "255", "i:255"},
    {41728, kUndefined, [](const Order&) { return Bytes{3}; }, 0, "DSC", "-"},
    {41728, kUndefined, [](const Order&) { return Bytes{2}; }, 0, "<unknown>", "-"},
    {41986, kShort, SHORT_OF(1), 2, "Manual exposure", "i:1"},
    {41987, kShort, SHORT_OF(0), 2, "Auto white balance", "i:0"},
    {41990, kShort, SHORT_OF(3), 2, "Night scene", "i:3"},
    {41990, kShort, SHORT_OF(7), 2, "7", "i:7"},
    {41991, kShort, SHORT_OF(4), 2, "High gain down", "i:4"},
    {41992, kShort, SHORT_OF(2), 2, "Hard", "i:2"},
    {41993, kShort, SHORT_OF(1), 2, "Low saturation", "i:1"},
    {41994, kShort, SHORT_OF(1), 2, "Soft", "i:1"},
    {41996, kShort, SHORT_OF(2), 2, "Close view", "i:2"},
    {34864, kShort, SHORT_OF(2), 2, "Recommended exposure index", "i:2"},
    {41988, kRational, FRACTION_OF(15, 10), 1, "1.5", "n:1.5"},
    {41988, kRational, FRACTION_OF(0, 0), 4, "0/0", "t:0/0"},
    {41989, kShort, SHORT_OF(75), 1, "75", "i:75"},
    {37385, kShort, SHORT_OF(9), 1, "9", "i:9"},
    {37380, kSRational, FRACTION_OF(-1, 3), 4, "-1/3", "t:-1/3"},
};

TEST(ExifTagRules, CodesAndFractions) {
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    for (const RuleCase& c : kRuleCases) {
      SCOPED_TRACE(std::to_string(c.tag) + " " + c.text + (motorola ? " (MM)" : " (II)"));
      TiffBuilder tiff{Order{motorola}};
      tiff.exif.push_back({c.tag, c.type, 1, c.data(tiff.order)});
      tiff.exif.push_back({50002, kShort, 1, tiff.order.U16(7)});
      Load(store, "rule.jpg", ExifOnly(tiff));
      ASSERT_NE(Find(store, 3, 50002), nullptr);
      ExpectEntry(Find(store, 3, c.tag), c.kind, c.text, c.value);
    }
  }
}

Bytes Utf16Le(const std::u16string& s) {
  Bytes b;
  for (char16_t c : s)
    b.push_back(static_cast<std::uint8_t>(c)), b.push_back(static_cast<std::uint8_t>(c >> 8));
  return b;
}

TEST(ExifTagRules, UserCommentCharacterSets) {
  const std::string e_acute = "\xC3\xA9";
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += e_acute;
  struct Case {
    const char* what;
    Bytes value;
    std::string text;
    std::string value_text;
  } cases[] = {
      {"ascii", Concat({Text(std::string("ASCII\0\0\0Hello\0\0", 15))}), "Hello", "Hello"},
      {"all-zero identifier", Concat({Bytes(8, 0), Text("abc")}), "", ""},
      {"jis", Concat({Text(std::string("JIS\0\0\0\0\0", 8)), Text("xyz")}),
       "<unknown character set>", "<unknown character set>"},
      {"unicode",
       Concat({Text(std::string("UNICODE\0", 8)), Utf16Le(u"Gr\u00fc\u00dfe \U0001F600"),
               Bytes{0, 0, 0, 0}}),
       "Gr\xC3\xBC\xC3\x9F"
       "e \xF0\x9F\x98\x80",
       "Gr\xC3\xBC\xC3\x9F"
       "e \xF0\x9F\x98\x80"},
      {"unicode lone surrogate",
       Concat({Text(std::string("UNICODE\0", 8)), Utf16Le(u"a"), Bytes{0x00, 0xD8}}),
       "a\xEF\xBF\xBD", "a\xEF\xBF\xBD"},
      {"unicode one byte", Concat({Text(std::string("UNICODE\0", 8)), Bytes{0x41}}), "", ""},
      {"unicode long",
       Concat({Text(std::string("UNICODE\0", 8)), Utf16Le(std::u16string(300, u'\u00e9'))}),
       longText.substr(0, 510), longText},
      {"short value", Bytes{'A', 'S'}, "", ""},
  };
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      TiffBuilder tiff{Order{motorola}};
      tiff.exif.push_back({37510, kUndefined, static_cast<std::uint32_t>(c.value.size()), c.value});
      Load(store, "comment.jpg", ExifOnly(tiff));
      const tMetaEntry* e = Find(store, 3, 37510);
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(e->Kind, 2);
      EXPECT_EQ(e->Text, c.text);
      EXPECT_EQ(Describe(e->Value), "t:" + c.value_text);
    }
  }
}

TEST(ExifTagRules, WindowsTextsAndLensInfo) {
  struct Case {
    const char* what;
    std::uint16_t tag;
    std::uint16_t type;
    Bytes (*data)(const Order&);
    std::optional<std::uint32_t> rawField;
    int kind;
    const char* text;
  } cases[] = {
      {"title with umlauts",
       40091,
       kByte,
       [](const Order&) {
         return Concat({Utf16Le(u"Gr\u00fc\u00dfe aus Graz"), Bytes{0, 0}});
       },
       {},
       2,
       "Gr\xC3\xBC\xC3\x9F"
       "e aus Graz"},
      {"author outside the segment", 40093, kByte, nullptr, 60000u, 2, ""},
      {"zoom lens",
       42034,
       kRational,
       [](const Order& o) {
         return Concat(
             {o.Rational(18, 1), o.Rational(55, 1), o.Rational(35, 10), o.Rational(56, 10)});
       },
       {},
       2,
       "18-55mm f/3.5-5.6"},
      {"constant aperture",
       42034,
       kRational,
       [](const Order& o) {
         return Concat(
             {o.Rational(24, 1), o.Rational(70, 1), o.Rational(28, 10), o.Rational(28, 10)});
       },
       {},
       2,
       "24-70mm f/2.8"},
      {"unknown apertures",
       42034,
       kRational,
       [](const Order& o) {
         return Concat({o.Rational(50, 1), o.Rational(50, 1), o.Rational(0, 0), o.Rational(0, 0)});
       },
       {},
       2,
       "50mm"},
      {"three parts are no lens range",
       42034,
       kRational,
       [](const Order& o) {
         return Concat({o.Rational(24, 1), o.Rational(70, 1), o.Rational(28, 10)});
       },
       {},
       4,
       "24/1"},
  };
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (motorola ? " (MM)" : " (II)"));
      TiffBuilder tiff{Order{motorola}};
      const Bytes data = c.data ? c.data(tiff.order) : Bytes{};
      const auto count = static_cast<std::uint32_t>(c.rawField            ? 100
                                                    : c.type == kRational ? data.size() / 8
                                                                          : data.size());
      tiff.first.push_back({c.tag, c.type, count, data, c.rawField});
      Load(store, "windows.jpg", ExifOnly(tiff));
      const tMetaEntry* e = Find(store, 3, c.tag);
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(e->Kind, c.kind);
      EXPECT_EQ(e->Text, c.text);
    }
  }
}

TEST(ExifTagRules, UserCommentOutsideExifDirectoryOrSegment) {
  tImageMetaData store;
  TiffBuilder tiff{Order{false}};
  tiff.first.push_back({37510, kUndefined, 13, Text(std::string("ASCII\0\0\0Hello", 13))});
  tiff.exif.push_back({37510, kUndefined, 100, {}, 60000u});
  Load(store, "comment2.jpg", ExifOnly(tiff));
  // The first directory's comment has an empty text; the one whose bytes lie
  // outside the segment is dropped like any value outside it.
  ASSERT_EQ(CountOf(store, 3, 37510), 1);
  EXPECT_EQ(Find(store, 3, 37510)->Text, "");
  EXPECT_EQ(Describe(Find(store, 3, 37510)->Value), "t:");
}

TEST(ExifDirectories, OrderGroupsAndSkips) {
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    TiffBuilder tiff{Order{motorola}};
    const Order& o = tiff.order;
    tiff.first = {{271, kAscii, 6, Text(std::string("Canon\0", 6))},
                  {34853, kLong, 1, o.U32(1234)}};
    tiff.thumbnail = {{256, kLong, 1, o.U32(160)}, {259, kShort, 1, o.U16(6)}};
    tiff.exif = {{33434, kRational, 1, o.Rational(1, 250)},
                 {37500, kUndefined, 6, Text("maker!")},
                 {40965, kLong, 1, o.U32(10)},
                 {34853, kLong, 1, o.U32(10)},
                 {36864, kUndefined, 4, Text("0220")}};
    Load(store, "dirs.jpg", ExifOnly(tiff));
    EXPECT_TRUE(store.HasExif());
    EXPECT_TRUE(store.Motorola() == motorola);
    std::vector<std::string> seen;
    for (const tMetaEntry& e : store.Entries())
      if (e.Group >= 3) seen.push_back(std::to_string(e.Group) + ":" + tImageMetaData::TagName(e));
    const std::vector<std::string> expected = {
        "3:Make",         "3:GPSPointer", "4:PreviewImageWidth", "4:PreviewCompression",
        "3:ExposureTime", "3:ExifVersion"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(store.FindEntry("GPSPointer")->Text, "1234");
    EXPECT_EQ(store.FindEntry("PreviewImageWidth")->Text, "160");
    EXPECT_EQ(store.FindEntry("exif.PreviewImageWidth"), nullptr);
    EXPECT_EQ(store.FindEntry("ExifVersion")->Text, motorola ? "MM 30 32 32 30" : "II 30 32 32 30");
  }
}

TEST(ExifDirectories, HeaderChecks) {
  tImageMetaData store;
  TiffBuilder tiff{Order{false}};
  tiff.exif = {{33437, kRational, 1, tiff.order.Rational(28, 10)}};
  const Bytes body = tiff.Build();
  const Bytes comment = Segment(0xFE, Text("after"));
  struct Case {
    const char* what;
    Bytes payload;
    bool decoded;
  } cases[] = {
      {"Exif", Concat({Text(std::string("Exif\0\0", 6)), body}), true},
      {"lower case exif", Concat({Text(std::string("exif\0\0", 6)), body}), true},
      {"no zero bytes", Concat({Text(std::string("Exif\0x", 6)), body}), false},
      {"other id", Concat({Text(std::string("Exit\0\0", 6)), body}), false},
      {"header cut short", Text(std::string("Exif\0\0II*\0", 10)), false},
      {"empty", Bytes{}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(store, "header.jpg", JpegFile({Segment(0xE1, c.payload), comment}));
    EXPECT_EQ(store.HasExif(), c.decoded);
    EXPECT_EQ(store.FindEntry("FNumber") != nullptr, c.decoded);
    // A failed decoder costs only its segment: the comment after it is read,
    // and the reason is kept.
    EXPECT_TRUE(store.HasComment());
    EXPECT_EQ(store.Dropped().size(), c.decoded ? 0u : 1u);
  }
}

TEST(ExifDirectories, WithoutExifPointerALaterApp1IsNotOffered) {
  tImageMetaData store;
  TiffBuilder tiff{Order{true}};
  tiff.first = {{271, kAscii, 4, Text("Sony")}};
  const Bytes xmp = Segment(0xE1, Text("http://ns.adobe.com/xap/1.0/\0<x/>"));
  Load(store, "noexif.jpg",
       JpegFile({Segment(0xE1, ExifPayload(tiff)), xmp, Segment(0xFE, Text("c"))}));
  EXPECT_FALSE(store.HasExif());
  EXPECT_EQ(store.FindEntry("Make")->Text, "Sony");
  EXPECT_TRUE(store.HasComment());
  EXPECT_EQ(store.Dropped(), std::vector<std::string>{});

  // With an Exif sub-directory a later XMP segment is passed over.
  tiff.exif = {{33437, kRational, 1, tiff.order.Rational(28, 10)}};
  Load(store, "exif_xmp.jpg",
       JpegFile({Segment(0xE1, ExifPayload(tiff)), xmp, Segment(0xFE, Text("c"))}));
  EXPECT_TRUE(store.HasExif());
  EXPECT_TRUE(store.HasComment());
}

TEST(ExifDirectories, HostileOffsetsAndCounts) {
  tImageMetaData store;
  const Order o{false};
  const auto entry = [&](std::uint16_t tag, std::uint16_t v) {
    return Concat({o.U16(tag), o.U16(kShort), o.U32(1), o.U16(v), o.U16(0)});
  };
  const Bytes header = Concat({Text("II"), o.U16(42)});
  struct Case {
    const char* what;
    Bytes tiff;
    std::vector<std::uint16_t> tags;  // group-3 tags expected, in order
  } cases[] = {
      {"first directory outside", Concat({header, o.U32(5000)}), {}},
      {"count larger than the segment",
       Concat({header, o.U32(8), o.U16(900), entry(274, 1), entry(296, 2)}),
       {274, 296}},
      {"count 0", Concat({header, o.U32(8), o.U16(0), o.U32(0)}), {}},
      {"exif pointer to the first directory",
       Concat({header, o.U32(8), o.U16(2), entry(274, 1),
               Concat({o.U16(34665), o.U16(kLong), o.U32(1), o.U32(8)}), o.U32(0)}),
       {274}},
      {"next directory is the first again",
       Concat({header, o.U32(8), o.U16(1), entry(274, 1), o.U32(8)}),
       {274}},
      {"exif pointer outside",
       Concat({header, o.U32(8), o.U16(2), entry(274, 1),
               Concat({o.U16(34665), o.U16(kLong), o.U32(1), o.U32(0xFFFFFFF0u)}), o.U32(0)}),
       {274}},
      {"next directory outside",
       Concat({header, o.U32(8), o.U16(1), entry(274, 3), o.U32(0x7FFFFFFF)}),
       {274}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(store, "hostile.jpg",
         JpegFile({Segment(0xE1, ExifPayload(c.tiff)), Segment(0xFE, Text("c"))}));
    std::vector<std::uint16_t> tags;
    for (const tMetaEntry& e : store.Entries())
      if (e.Group == 3 || e.Group == 4) tags.push_back(e.Tag);
    EXPECT_EQ(tags, c.tags);
    EXPECT_TRUE(store.HasComment());  // the segment still decodes, the walk goes on
  }
}

TEST(ExifDirectories, ThumbnailLocation) {
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    TiffBuilder tiff{Order{motorola}};
    tiff.exif = {{33437, kRational, 1, tiff.order.Rational(28, 10)}};
    tiff.thumbnail = {
        {259, kShort, 1, tiff.order.U16(6)}, {513, kLong, 1, {}}, {514, kLong, 1, {}}};
    tiff.trailer = EncodeJpeg(160, 120);
    const std::uint32_t at = tiff.TrailerOffset();
    tiff.thumbnail[1].data = tiff.order.U32(at);
    tiff.thumbnail[2].data = tiff.order.U32(static_cast<std::uint32_t>(tiff.trailer.size()));
    Load(store, "thumb.jpg", ExifOnly(tiff));
    ASSERT_TRUE(store.HasThumbnail());
    EXPECT_EQ(store.FindEntry("PreviewJpegOffset")->Text, std::to_string(at));
    const auto picture = store.GetThumbnail();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width, 160);
    EXPECT_EQ(picture->Height, 120);
    EXPECT_EQ(picture->Pixels.size(), 160u * 120u * 3u);
  }
}

}  // namespace
}  // namespace orvalis::test
