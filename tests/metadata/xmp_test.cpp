// XMP: properties as RDF attributes and elements, lists and language
// alternatives, dates, hostile packets, and the packet's way through the
// segment walk into the store, read only when asked for.
#include <gtest/gtest.h>

#include <ostream>

#include "metadata/xmp_packet.h"
#include "support/test_names.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

const std::string kOpen =
    "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>"
    "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
    "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\""
    " xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\""
    " xmlns:lr=\"http://ns.adobe.com/lightroom/1.0/\" xmlns:xmpMM=\"http://ns.adobe.com/xap/1.0/mm/\"";
const std::string kClose = "</rdf:Description></rdf:RDF></x:xmpmeta>\n<?xpacket end=\"w\"?>";

// A packet whose description has the given attributes and elements.
std::string Packet(const std::string& attributes, const std::string& elements) {
  return kOpen + attributes + ">" + elements + kClose;
}

std::string Nested(int depth) {
  std::string s;
  for (int i = 0; i < depth; ++i) s += "<a>";
  for (int i = 0; i < depth; ++i) s += "</a>";
  return Packet("", "<xmp:Label>" + s + "</xmp:Label>");
}

struct PacketCase {
  const char* what;
  std::string packet;
  std::string fields;  // "tag=text" joined with "|"
  std::string error;   // part of the error text; empty: read whole
};

std::string CaseText(const PacketCase& c) { return c.what; }
void PrintTo(const PacketCase& c, std::ostream* os) { *os << Quoted(c.what); }

const std::string kBomb =
    "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
    "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>";

// clang-format off
const PacketCase kPacketCases[] = {
    {"attributes", Packet(" xmp:Rating=\"4\" xmp:Label=\"Rot\"", ""), "1=4|2=Rot", ""},
    {"elements", Packet("", "<xmp:Rating>3</xmp:Rating><photoshop:City> Graz </photoshop:City>"), "1=3|13=Graz", ""},
    {"bag joined with semicolons",
     Packet("", "<dc:subject><rdf:Bag><rdf:li>M\xC3\xBCller</rdf:li><rdf:li> </rdf:li><rdf:li>\xC3\x96l</rdf:li>"
                "</rdf:Bag></dc:subject>"),
     "6=M\xC3\xBCller;\xC3\x96l", ""},
    {"default language first",
     Packet("", "<dc:title><rdf:Alt><rdf:li xml:lang=\"de-DE\">Berg</rdf:li><rdf:li xml:lang=\"x-default\">Mountain"
                "</rdf:li></rdf:Alt></dc:title>"),
     "3=Mountain", ""},
    {"first alternative without a default",
     Packet("", "<dc:rights><rdf:Alt><rdf:li xml:lang=\"de\">frei</rdf:li><rdf:li xml:lang=\"en\">free</rdf:li>"
                "</rdf:Alt></dc:rights>"),
     "8=frei", ""},
    {"dates in the EXIF form",
     Packet(" xmp:CreateDate=\"2023-07-15T10:20:30+02:00\"", "<photoshop:DateCreated>2021-05</photoshop:DateCreated>"),
     "10=2023:07:15 10:20:30|12=2021:05", ""},
    {"structures and unknown properties are passed over",
     Packet("", "<xmpMM:History><rdf:Seq><rdf:li rdf:parseType=\"Resource\"><dc:title>inner</dc:title></rdf:li>"
                "</rdf:Seq></xmpMM:History><xmp:Nickname>n</xmp:Nickname><lr:hierarchicalSubject><rdf:Bag>"
                "<rdf:li>Orte|Graz</rdf:li></rdf:Bag></lr:hierarchicalSubject>"),
     "7=Orte|Graz", ""},
    {"the first of two values wins", Packet(" xmp:Label=\"Rot\"", "<xmp:Label>Blau</xmp:Label>"), "2=Rot", ""},
    {"predefined entities and character references",
     Packet("", "<photoshop:Headline>A &amp; B &#x263A;</photoshop:Headline>"), "9=A & B \xE2\x98\xBA", ""},
    {"padding with zero bytes", Packet(" xmp:Rating=\"5\"", "") + std::string(20, '\0'), "1=5", ""},
    {"unclosed", kOpen + "><xmp:Label>Rot</xmp:Label>", "", "line 1"},
    {"not XML", "Rating: 5", "", "line 1"},
    {"entity bomb", kBomb + Packet("", "<xmp:Label>&d;</xmp:Label>"), "", "document type declaration"},
    {"external entity",
     "<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" + Packet("", "<xmp:Label>&e;</xmp:Label>"), "",
     "document type declaration"},
    {"undefined entity", Packet("", "<xmp:Label>&e;</xmp:Label>"), "", "undefined entity"},
    {"one megabyte", Packet("", "<xmp:Label>" + std::string(1 << 20, 'a') + "</xmp:Label>"), "", "too long"},
    {"nested too deep", Nested(200), "", "too deep"},
    {"nested within the bound", Nested(50), "", ""},
};
// clang-format on

class XmpPackets : public ::testing::TestWithParam<PacketCase> {};

TEST_P(XmpPackets, Read) {
  const PacketCase& c = GetParam();
  const tXmpReading reading = ReadXmpPacket(c.packet);
  std::string fields;
  for (const tXmpField& f : reading.Fields)
    fields += (fields.empty() ? "" : "|") + std::to_string(f.Tag) + "=" + f.Text;
  EXPECT_EQ(fields, c.fields);
  if (c.error.empty())
    EXPECT_EQ(reading.Error, "");
  else
    EXPECT_NE(reading.Error.find(c.error), std::string::npos) << reading.Error;
}

INSTANTIATE_TEST_SUITE_P(Cases, XmpPackets, ::testing::ValuesIn(kPacketCases), CaseNames());

struct DateCase {
  const char* xmp;
  const char* exif;
};

std::string CaseText(const DateCase& c) { return c.xmp; }
void PrintTo(const DateCase& c, std::ostream* os) {
  *os << Quoted(c.xmp) << " -> " << Quoted(c.exif);
}

const DateCase kDateCases[] = {
    {"2023-07-15T10:20:30+02:00", "2023:07:15 10:20:30"},
    {"2023-07-15T10:20:30.45Z", "2023:07:15 10:20:30"},
    {"2023-07-15T10:20-05:00", "2023:07:15 10:20:00"},
    {"2023-07-15", "2023:07:15"},
    {"2023", "2023"},
    {"15.07.2023", "15.07.2023"},
    {"2023-07-15T10:20:30 noon", "2023-07-15T10:20:30 noon"},
    {"2023-7-15", "2023-7-15"},
};

class XmpDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(XmpDates, InTheExifForm) { EXPECT_EQ(XmpDateAsExif(GetParam().xmp), GetParam().exif); }

INSTANTIATE_TEST_SUITE_P(Cases, XmpDates, ::testing::ValuesIn(kDateCases), CaseNames());

Bytes XmpSegment(const std::string& packet) {
  return Segment(0xE1,
                 Concat({Text(std::string("http://ns.adobe.com/xap/1.0/\0", 29)), Text(packet)}));
}

Bytes ExifSegment() {
  TiffBuilder tiff{Order{false}};
  tiff.first = {{271, 2, 6, Text(std::string("Canon\0", 6))}};
  tiff.exif = {{33437, 5, 1, tiff.order.Rational(28, 10)}};
  return Segment(0xE1, ExifPayload(tiff));
}

TEST(XmpSegment, BeforeTheExifSegmentBothAreRead) {
  tImageMetaData store;
  const std::string packet = Packet(" xmp:Rating=\"4\" xmp:Label=\"Gr\xC3\xBCn\"", "");
  Load(store, "xmp.jpg",
       JpegFile({XmpSegment(packet), ExifSegment(), Segment(0xC0, FramePayload(4, 6))}));
  EXPECT_TRUE(store.HasExif());
  EXPECT_TRUE(store.HasXmp());
  const tMetaEntry* rating = store.FindEntry("xmp.XmpRating");
  ASSERT_NE(rating, nullptr);
  EXPECT_EQ(rating->Kind, kind::kNumber);
  EXPECT_EQ(Describe(rating->Value), "i:4");
  EXPECT_EQ(store.FindEntry("label")->Text, "Gr\xC3\xBCn");
  EXPECT_EQ(store.FindEntry("xmp.Make"), nullptr);
  // The XMP entries come after all others.
  EXPECT_EQ(store.Entries().back().Group, group::kXmp);
  EXPECT_EQ(store.Entries()[store.Entries().size() - 3].Tag, 8);  // PixelsX
}

TEST(XmpSegment, ReadOnlyWhenAnXmpEntryIsAskedFor) {
  tImageMetaData store;
  Load(store, "lazy.jpg", JpegFile({ExifSegment(), XmpSegment(kOpen + ">")}));
  const tMetaEntry* make = store.FindEntry("Make");
  ASSERT_NE(make, nullptr);
  EXPECT_EQ(store.FindFirstInGroup(group::kExif)->Tag, 271);
  for (const std::string& reason : store.Dropped())
    EXPECT_EQ(reason.find("XMP"), std::string::npos) << reason;
  EXPECT_EQ(store.FindEntry("Title"), nullptr);
  ASSERT_FALSE(store.Dropped().empty());
  EXPECT_EQ(store.Dropped().back().rfind("XMP packet: ", 0), 0u) << store.Dropped().back();
  // An entry found before the packet was read is still there.
  EXPECT_EQ(make->Text, "Canon");
  EXPECT_TRUE(store.HasXmp());
}

TEST(XmpSegment, AppearsInEveryListingOfTheStore) {
  tImageMetaData store;
  Load(store, "listing.jpg", JpegFile({XmpSegment(Packet(" xmp:Label=\"Rot\"", ""))}));
  const int count = store.EntryCount();
  ASSERT_GT(count, 0);
  EXPECT_EQ(store.GetEntry(count - 1)->Text, "Rot");
  const tMetaEntry* first = store.FindFirstInGroup(group::kXmp);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(tImageMetaData::TagName(*first), "Label");
  store.Clear();
  EXPECT_FALSE(store.HasXmp());
  EXPECT_EQ(store.EntryCount(), 0);
}

TEST(XmpSegment, OnlyTheFirstPacketAndNoExtensionIsRead) {
  tImageMetaData store;
  const Bytes extension =
      Segment(0xE1, Concat({Text(std::string("http://ns.adobe.com/xmp/extension/\0", 35)),
                            Text(Packet(" xmp:Label=\"Ext\"", ""))}));
  Load(store, "two.jpg",
       JpegFile({extension, XmpSegment(Packet(" xmp:Label=\"Eins\"", "")),
                 XmpSegment(Packet(" xmp:Label=\"Zwei\" xmp:Rating=\"1\"", ""))}));
  EXPECT_EQ(store.FindEntry("Label")->Text, "Eins");
  EXPECT_EQ(store.FindEntry("XmpRating"), nullptr);
}

}  // namespace
}  // namespace orvalis::test
