// The GPS directory: signed coordinates from fractions and references in
// both byte orders, the other GPS rules, and what makes hassegment('gps').
#include <gtest/gtest.h>

#include "support/test_names.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

constexpr std::uint16_t kByte = 1, kAscii = 2, kShort = 3, kRational = 5, kUndefined = 7;

TiffEntry Ref(std::uint16_t tag, const char* letter) {
  return {tag, kAscii, 2, Text(std::string(letter) + '\0')};
}

using Parts = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

TiffEntry Dms(const Order& o, std::uint16_t tag, const Parts& parts,
              std::uint16_t type = kRational) {
  Bytes data;
  for (const auto& [n, d] : parts) data = Concat({data, o.Rational(n, d)});
  return {tag, type, static_cast<std::uint32_t>(parts.size()), data};
}

// A GPS directory of references and fractions; a null reference or empty
// fractions leave that entry out.
struct CoordinateCase {
  const char* what;
  const char* latitudeRef;
  Parts latitudeParts;
  const char* longitudeRef;
  Parts longitudeParts;
  const char* latitude;   // nullptr: no entry
  const char* longitude;  // nullptr: no entry
  bool hasGps;
  std::uint16_t type = kRational;
};

constexpr std::uint32_t kMinus24 = static_cast<std::uint32_t>(-24);

// clang-format off
const CoordinateCase kCoordinateCases[] = {
    {"north east", "N", {{47, 1}, {30, 1}, {0, 1}}, "E", {{8, 1}, {32, 1}, {2475, 100}}, "47.500000", "8.540208", true},
    {"south west", "S", {{33, 1}, {51, 1}, {545, 10}}, "W", {{70, 1}, {40, 1}, {0, 1}}, "-33.865139", "-70.666667",
     true},
    {"lower-case references", "s", {{10, 1}, {0, 1}, {0, 1}}, "w", {{20, 1}}, "-10.000000", "-20.000000", true},
    {"zero south has no minus sign", "S", {{0, 1}}, "W", {{0, 1}}, "0.000000", "0.000000", true},
    {"missing latitude reference", nullptr, {{47, 1}}, "E", {{8, 1}}, nullptr, "8.000000", false},
    {"unknown reference letter", "X", {{47, 1}}, "E", {{8, 1}}, nullptr, "8.000000", false},
    {"degrees with zero denominator", "N", {{0, 0}, {0, 1}, {0, 1}}, "E", {{8, 0}}, nullptr, nullptr, false},
    {"unused seconds 0/0 count as zero", "N", {{47, 1}, {6, 1}, {0, 0}}, "E", {{8, 1}, {0, 0}, {0, 0}}, "47.100000",
     "8.000000", true},
    {"seconds with zero denominator", "N", {{47, 1}, {6, 1}, {5, 0}}, "E", {{8, 1}}, nullptr, "8.000000", false},
    {"decimal degrees in one fraction", "N", {{473, 10}}, "W", {{1225, 100}}, "47.300000", "-12.250000", true},
    {"beyond the pole or the date line", "N", {{91, 1}}, "E", {{180, 1}, {0, 1}, {1, 1}}, nullptr, nullptr, false},
    {"signed fractions as phones write them", "N", {{60, 1}, {8, 1}, {4814, 100}}, "E", {{kMinus24, 1}},
     "60.146706", nullptr, false, 10},
    {"no coordinates at all", nullptr, {}, nullptr, {}, nullptr, nullptr, false},
};
// clang-format on

std::string CaseText(const CoordinateCase& c) { return c.what; }
void PrintTo(const CoordinateCase& c, std::ostream* os) { *os << Quoted(c.what); }

class GpsCoordinates : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(GpsCoordinates, InBothByteOrders) {
  const CoordinateCase& c = GetParam();
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    SCOPED_TRACE(motorola ? "MM" : "II");
    TiffBuilder tiff{Order{motorola}};
    tiff.first = {{271, kAscii, 4, Text("Sun")}};
    if (c.latitudeRef != nullptr) tiff.gps.push_back(Ref(1, c.latitudeRef));
    if (!c.latitudeParts.empty()) tiff.gps.push_back(Dms(tiff.order, 2, c.latitudeParts, c.type));
    if (c.longitudeRef != nullptr) tiff.gps.push_back(Ref(3, c.longitudeRef));
    if (!c.longitudeParts.empty()) tiff.gps.push_back(Dms(tiff.order, 4, c.longitudeParts, c.type));
    tiff.gps.push_back({6, kRational, 1, tiff.order.Rational(100, 1)});
    Load(store, "gps.jpg", JpegFile({Segment(0xE1, ExifPayload(tiff))}));
    ASSERT_NE(store.FindEntry("Make"), nullptr);
    const tMetaEntry* lat = store.FindEntry("gps.GPSLatitude");
    const tMetaEntry* lon = store.FindEntry("GPSLongitude");
    if (c.latitude == nullptr) {
      EXPECT_EQ(lat, nullptr);
    } else {
      ASSERT_NE(lat, nullptr);
      EXPECT_EQ(lat->Kind, kind::kNumber);
      EXPECT_EQ(lat->Text, c.latitude);
      EXPECT_EQ(Describe(lat->Value), "n:" + NumberText(std::stod(c.latitude)));
    }
    if (c.longitude == nullptr) {
      EXPECT_EQ(lon, nullptr);
    } else {
      ASSERT_NE(lon, nullptr);
      EXPECT_EQ(lon->Text, c.longitude);
    }
    EXPECT_EQ(store.HasGps(), c.hasGps);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GpsCoordinates, ::testing::ValuesIn(kCoordinateCases), CaseNames());

struct GpsRuleCase {
  const char* what;
  std::vector<TiffEntry> (*gps)(const Order&);
  std::uint16_t tag;
  int kind;  // -1: no entry
  const char* text;
  const char* value;
};

// clang-format off
const GpsRuleCase kGpsRuleCases[] = {
    {"altitude below sea level",
     [](const Order& o) { return std::vector<TiffEntry>{{5, kByte, 1, Bytes{1}}, {6, kRational, 1, o.Rational(125, 10)}}; },
     6, 1, "-12.5", "n:-12.5"},
    {"altitude without reference is above sea level",
     [](const Order& o) { return std::vector<TiffEntry>{{6, kRational, 1, o.Rational(2245, 10)}}; }, 6, 1, "224.5",
     "n:224.5"},
    {"altitude with zero denominator",
     [](const Order& o) { return std::vector<TiffEntry>{{6, kRational, 1, o.Rational(100, 0)}}; }, 6, -1, "", ""},
    {"time stamp",
     [](const Order& o) { return std::vector<TiffEntry>{Dms(o, 7, {{14, 1}, {5, 1}, {930, 100}})}; }, 7, 2,
     "14:05:09", "t:14:05:09"},
    {"time stamp hour 25",
     [](const Order& o) { return std::vector<TiffEntry>{Dms(o, 7, {{25, 1}, {0, 1}, {0, 1}})}; }, 7, -1, "", ""},
    {"version",
     [](const Order&) { return std::vector<TiffEntry>{{0, kByte, 4, Bytes{2, 3, 0, 0}}}; }, 0, 2, "2.3.0.0",
     "t:2.3.0.0"},
    {"differential",
     [](const Order& o) { return std::vector<TiffEntry>{{30, kShort, 1, o.U16(1)}}; }, 30, 2,
     "Differential Corrected", "i:1"},
    {"speed",
     [](const Order& o) { return std::vector<TiffEntry>{{13, kRational, 1, o.Rational(1234, 100)}}; }, 13, 1, "12.34",
     "n:12.34"},
    {"speed with zero denominator stays a fraction",
     [](const Order& o) { return std::vector<TiffEntry>{{13, kRational, 1, o.Rational(0, 0)}}; }, 13, 4, "0/0",
     "t:0/0"},
    {"destination latitude takes its own reference, not the position's",
     [](const Order& o) { return std::vector<TiffEntry>{Ref(1, "N"), Ref(19, "S"), Dms(o, 20, {{10, 1}})}; }, 20, 1,
     "-10.000000", "n:-10"},
    {"destination longitude takes its own reference",
     [](const Order& o) { return std::vector<TiffEntry>{Ref(3, "E"), Ref(21, "W"), Dms(o, 22, {{20, 1}})}; }, 22, 1,
     "-20.000000", "n:-20"},
    {"processing method",
     [](const Order&) {
       return std::vector<TiffEntry>{{27, kUndefined, 11, Text(std::string("ASCII\0\0\0GPS", 11))}};
     },
     27, 2, "GPS", "t:GPS"},
};
// clang-format on

std::string CaseText(const GpsRuleCase& c) { return c.what; }
void PrintTo(const GpsRuleCase& c, std::ostream* os) { *os << Quoted(c.what); }

class GpsRules : public ::testing::TestWithParam<GpsRuleCase> {};

TEST_P(GpsRules, InBothByteOrders) {
  const GpsRuleCase& c = GetParam();
  tImageMetaData store;
  for (const bool motorola : {false, true}) {
    SCOPED_TRACE(motorola ? "MM" : "II");
    TiffBuilder tiff{Order{motorola}};
    tiff.gps = c.gps(tiff.order);
    Load(store, "gpsrule.jpg", JpegFile({Segment(0xE1, ExifPayload(tiff))}));
    ExpectEntry(Find(store, group::kGps, c.tag), c.kind, c.text, c.value);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GpsRules, ::testing::ValuesIn(kGpsRuleCases), CaseNames());

TEST(GpsDirectory, PointerIsKeptAndEntriesFollowTheExifSubDirectory) {
  tImageMetaData store;
  TiffBuilder tiff{Order{true}};
  tiff.exif = {{33437, kRational, 1, tiff.order.Rational(28, 10)}};
  tiff.gps = {Ref(1, "N"), Dms(tiff.order, 2, {{1, 1}, {0, 1}, {0, 1}})};
  Load(store, "gpsorder.jpg", JpegFile({Segment(0xE1, ExifPayload(tiff))}));
  std::vector<std::string> seen;
  for (const tMetaEntry& e : store.Entries())
    if (e.Group >= group::kExif) seen.push_back(tImageMetaData::TagName(e));
  EXPECT_EQ(seen,
            (std::vector<std::string>{"GPSPointer", "FNumber", "GPSLatitudeRef", "GPSLatitude"}));
  // Only a GPS name finds a GPS entry; the prefix of another group does not.
  EXPECT_EQ(store.FindEntry("exif.GPSLatitude"), nullptr);
  EXPECT_EQ(store.FindEntry("GPS.gpslatituderef")->Text, "N");
}

TEST(GpsDirectory, PointerBackToTheFirstDirectoryIsNotReadAgain) {
  tImageMetaData store;
  TiffBuilder tiff{Order{false}};
  tiff.first = {{34853, 4, 1, tiff.order.U32(8)}, {271, kAscii, 4, Text("Sun")}};
  Load(store, "gpsloop.jpg", JpegFile({Segment(0xE1, ExifPayload(tiff))}));
  EXPECT_EQ(store.FindFirstInGroup(group::kGps), nullptr);
  EXPECT_EQ(store.FindEntry("Make")->Text, "Sun");
}

}  // namespace
}  // namespace orvalis::test
