// The ISO base media walk: byte-built HEIF and CR3 files, one row per case,
// and the real files of the shared corpus where it is there.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "metadata/isobmff_file.h"
#include "support/fixtures.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

const Order kBe{true};
Bytes U64(std::uint64_t v) {
  return Concat({kBe.U32(static_cast<std::uint32_t>(v >> 32)), kBe.U32(v & 0xFFFFFFFF)});
}
Bytes Box(const std::string& type, const Bytes& payload) {
  return Concat({kBe.U32(static_cast<std::uint32_t>(payload.size() + 8)), Text(type), payload});
}
Bytes FullBox(const std::string& type, std::uint8_t version, const Bytes& payload) {
  return Box(type, Concat({{version, 0, 0, 0}, payload}));
}
Bytes Ftyp(const std::string& major, const std::string& compatible) {
  return Box("ftyp", Concat({Text(major), kBe.U32(0), Text(compatible)}));
}
Bytes Infe(std::uint16_t id, const std::string& type, const std::string& contentType = {}) {
  return FullBox("infe", 2,
                 Concat({kBe.U16(id), kBe.U16(0), Text(type), {0}, Text(contentType), {0}}));
}
Bytes Ispe(std::uint32_t w, std::uint32_t h) {
  return FullBox("ispe", 0, Concat({kBe.U32(w), kBe.U32(h)}));
}
const Bytes kTiff = Concat({Text("MM"), {0, 42}, kBe.U32(8), kBe.U16(0), kBe.U32(0)});  // 14 bytes
const Bytes kJpeg = {0xFF, 0xD8, 0xFF, 0xD9};

// A HEIF file: ftyp (24 bytes), an mdat whose data starts at 32 with the
// Exif item (its 4-byte offset, then the TIFF header at 36) and the XMP
// item, then the meta box. The primary item 1 has a thumbnail's ispe first
// among the properties and its own second.
struct Heif {
  std::string major = "heic", compatible = "mif1miaf";
  Bytes exif = Concat({kBe.U32(0), kTiff});
  Bytes xmp = Text("<x:xmpmeta/>");
  std::uint8_t ilocVersion = 1;
  std::uint16_t exifMethod = 0, exifReference = 0;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> exifExtents;  // default: one extent
  Bytes extraMeta;                                                   // more boxes in the meta box
  bool grid = false;  // the primary item is a grid of 2000 x 1500 without ispe, described in idat
  bool otherExifFirst =
      false;  // an Exif item 4 of no TIFF before item 2, which alone describes the primary

  Bytes Build() const {
    const std::uint32_t exifAt = 32, xmpAt = exifAt + static_cast<std::uint32_t>(exif.size());
    std::vector<std::pair<std::uint32_t, std::uint32_t>> extents = exifExtents;
    if (extents.empty()) extents = {{exifAt, static_cast<std::uint32_t>(exif.size())}};
    const auto id = [&](std::uint32_t v) { return ilocVersion < 2 ? kBe.U16(v) : kBe.U32(v); };
    const auto item = [&](std::uint32_t itemId, std::uint16_t method, std::uint16_t reference,
                          const auto& parts) {
      Bytes b = Concat({id(itemId), ilocVersion > 0 ? kBe.U16(method) : Bytes{}, kBe.U16(reference),
                        kBe.U16(static_cast<std::uint16_t>(parts.size()))});
      for (const auto& [offset, length] : parts) b = Concat({b, kBe.U32(offset), kBe.U32(length)});
      return b;
    };
    using tExtents = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    const Bytes iloc =
        FullBox("iloc", ilocVersion,
                Concat({{0x44, 0x00},
                        id(2U + grid + otherExifFirst),
                        grid ? item(1, 1, 0, tExtents{{0, 8}}) : Bytes{},
                        otherExifFirst ? item(4, 0, 0, tExtents{{xmpAt, 12}}) : Bytes{},
                        item(2, exifMethod, exifReference, extents),
                        item(3, 0, 0, tExtents{{xmpAt, static_cast<std::uint32_t>(xmp.size())}})}));
    const Bytes meta = FullBox(
        "meta", 0,
        Concat({FullBox("pitm", 0, kBe.U16(1)),
                FullBox("iinf", 0,
                        Concat({kBe.U16(3), Infe(1, grid ? "grid" : "hvc1"),
                                otherExifFirst ? Infe(4, "Exif") : Bytes{}, Infe(2, "Exif"),
                                Infe(3, "mime", "application/rdf+xml")})),
                iloc,
                Box("iprp", Concat({Box("ipco", Concat({Ispe(160, 120), Ispe(640, 480)})),
                                    FullBox("ipma", 0,
                                            Concat({kBe.U32(1), kBe.U16(1),
                                                    grid ? Bytes{0} : Bytes{1, 0x82}}))})),
                grid ? Box("idat", Concat({{0, 0, 1, 1}, kBe.U16(2000), kBe.U16(1500)})) : Bytes{},
                otherExifFirst
                    ? FullBox("iref", 0, Box("cdsc", Concat({kBe.U16(2), kBe.U16(1), kBe.U16(1)})))
                    : Bytes{},
                extraMeta}));
    return Concat({Ftyp(major, compatible), Box("mdat", Concat({exif, xmp})), meta});
  }
};

Bytes With(std::function<void(Heif&)> change) {
  Heif heif;
  change(heif);
  return heif.Build();
}

// A CR3: moov with Canon's box (CMT1, CMT2, CMT4, THMB) and a track header
// of 6000 x 4000, the XMP box and the preview box.
Bytes Cr3(const Bytes& cmt2 = kTiff) {
  const Bytes thmb =
      Box("THMB", Concat({kBe.U32(0), kBe.U16(160), kBe.U16(120), kBe.U32(4), kBe.U32(0), kJpeg}));
  const Bytes canon = Box("uuid", Concat({{0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0, 0x81,
                                           0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48},
                                          Box("CMT1", kTiff),
                                          Box("CMT2", cmt2),
                                          Box("CMT4", kTiff),
                                          thmb}));
  Bytes tkhd(84, 0);
  const Bytes size = Concat({kBe.U32(6000 << 16), kBe.U32(4000 << 16)});
  std::copy(size.begin(), size.end(), tkhd.begin() + 76);
  const Bytes preview = Box("PRVW", Concat({kBe.U32(0),
                                            kBe.U16(1),
                                            kBe.U16(1620),
                                            kBe.U16(1080),
                                            kBe.U16(1),
                                            kBe.U32(6),
                                            kJpeg,
                                            {0xFF, 0xD9}}));
  return Concat({Ftyp("crx ", "crx isom"),
                 Box("moov", Concat({canon, Box("trak", Box("tkhd", tkhd))})),
                 Box("uuid", Concat({{0xbe, 0x7a, 0xcf, 0xcb, 0x97, 0xa9, 0x42, 0xe8, 0x9c, 0x71,
                                      0x99, 0x94, 0x91, 0xe3, 0xaf, 0xac},
                                     Text("<x/>")})),
                 Box("uuid", Concat({{0xea, 0xf4, 0x2b, 0x5e, 0x1c, 0x98, 0x4b, 0x88, 0xb9, 0xfb,
                                      0xb7, 0xdc, 0x40, 0x6e, 0x4d, 0x16},
                                     Bytes(8, 0),
                                     preview}))});
}

// The findings in one line: "HEIC 640x480 tiff 36+14 ifd0 xmp 50+12 jpeg 1+2".
std::string Summary(const tIsoBmffFindings& f) {
  std::string s = f.format + " " + std::to_string(f.width) + "x" + std::to_string(f.height);
  const auto span = [](std::uint64_t o, std::uint64_t l) {
    return " " + std::to_string(o) + "+" + std::to_string(l);
  };
  static const char* const kFirst[] = {" ifd0", " exif", " gps"};
  for (const tIsoTiffBlock& t : f.tiffBlocks)
    s += " tiff" + span(t.offset, t.length) + kFirst[static_cast<int>(t.firstDirectory)];
  if (f.xmp) s += " xmp" + span(f.xmp->offset, f.xmp->length);
  for (const tFileSpan& j : f.embeddedJpegs) s += " jpeg" + span(j.offset, j.length);
  return s;
}

tIsoBmffFindings Walk(const std::string& path) {
  tJpegFile file(path);
  return ReadIsoBmff(file);
}

struct WalkCase {
  std::string name;
  Bytes bytes;
  std::string summary;
  std::string problem;  // a part of one problem; empty: there is none
};
std::string CaseText(const WalkCase& c) { return c.name; }
void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

const std::string kHeif = " tiff 36+14 ifd0 xmp 50+12";

std::vector<WalkCase> WalkCases() {
  return {
      {"heic", Heif{}.Build(), "HEIC 640x480" + kHeif, ""},
      {"avif", With([](Heif& h) { h.major = "avif"; }), "AVIF 640x480" + kHeif, ""},
      {"plain_heif", With([](Heif& h) { h.major = "mif1"; }), "HEIF 640x480" + kHeif, ""},
      {"iloc_version_0", With([](Heif& h) { h.ilocVersion = 0; }), "HEIC 640x480" + kHeif, ""},
      {"iloc_version_2", With([](Heif& h) { h.ilocVersion = 2; }), "HEIC 640x480" + kHeif, ""},
      {"exif_prefix_skipped", With([](Heif& h) {
         h.exif = Concat({kBe.U32(6), Text(std::string("Exif\0\0", 6)), kTiff});
       }),
       "HEIC 640x480 tiff 42+14 ifd0 xmp 56+12", ""},
      {"contiguous_extents_joined", With([](Heif& h) {
         h.exifExtents = {{32, 10}, {42, 8}};
       }),
       "HEIC 640x480" + kHeif, ""},
      {"extents_with_a_gap", With([](Heif& h) {
         h.exifExtents = {{32, 10}, {43, 7}};
       }),
       "HEIC 640x480 xmp 50+12", "do not follow each other"},
      {"extent_past_the_file", With([](Heif& h) {
         h.exifExtents = {{32, 100000}};
       }),
       "HEIC 640x480 xmp 50+12", "past the end of the file"},
      {"too_many_extents", With([](Heif& h) {
         h.exifExtents.assign(257, {32, 0});
       }),
       "HEIC 640x480 xmp 50+12", "257 extents"},
      {"construction_method_2", With([](Heif& h) { h.exifMethod = 2; }), "HEIC 640x480 xmp 50+12",
       "construction method 2"},
      {"other_file", With([](Heif& h) { h.exifReference = 1; }), "HEIC 640x480 xmp 50+12",
       "another file"},
      {"exif_in_item_data", With([](Heif& h) {
         h.exifMethod = 1;
         h.exifExtents = {{2, 18}};
         h.extraMeta = Box("idat", Concat({{0, 0}, kBe.U32(0), kTiff}));
       }),
       "HEIC 640x480 tiff 325+14 ifd0 xmp 50+12", ""},
      {"grid_size_from_its_description", With([](Heif& h) { h.grid = true; }),
       "HEIC 2000x1500" + kHeif, ""},
      {"exif_item_describing_the_primary", With([](Heif& h) { h.otherExifFirst = true; }),
       "HEIC 640x480" + kHeif, ""},
      {"exif_offset_past_item", With([](Heif& h) {
         h.exif = Concat({kBe.U32(15), kTiff});
       }),
       "HEIC 640x480 xmp 50+12", "lies past its end"},
      {"no_tiff_header", With([](Heif& h) {
         h.exif = Concat({kBe.U32(0), Bytes(14, 'x')});
       }),
       "HEIC 640x480 xmp 50+12", "holds no TIFF header"},
      {"cut_in_the_meta_box",
       [] {
         Bytes b = Heif{}.Build();
         b.resize(b.size() - 20);
         return b;
       }(),
       "HEIC 0x0" + kHeif, "runs past its container"},
      {"largesize_box", Concat({Ftyp("avif", "mif1"), kBe.U32(1), Text("free"), U64(16)}),
       "AVIF 0x0", "no meta box"},
      {"impossible_size", Concat({Ftyp("avif", "mif1"), kBe.U32(4), Text("free")}), "AVIF 0x0",
       "impossible size 4"},
      {"many_boxes",
       [] {
         Bytes b = Ftyp("heic", "mif1");
         for (int i = 0; i < 5000; ++i) b = Concat({b, Box("free", {})});
         return b;
       }(),
       "HEIC 0x0", "more than 4096 boxes"},
      {"meta_too_large", Concat({Ftyp("heic", "mif1"), FullBox("meta", 0, Bytes(1024 * 1024, 0))}),
       "HEIC 0x0", "larger than 1048576"},
      {"no_brand_read", Concat({Ftyp("isom", "mp41"), Box("moov", {})}), " 0x0", "no ftyp box"},
      {"cr3", Cr3(),
       "CR3 6000x4000 tiff 64+14 ifd0 tiff 86+14 exif tiff 108+14 gps xmp 274+4 jpeg 334+6 jpeg 146+4",
       ""},
      {"cr3_box_without_tiff", Cr3(Bytes(14, 0)),
       "CR3 6000x4000 tiff 64+14 ifd0 tiff 108+14 gps xmp 274+4 jpeg 334+6 jpeg 146+4",
       "'CMT2' at 78 holds no TIFF header"},
  };
}

class IsoBmffWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(IsoBmffWalk, FindsTheMetadata) {
  const WalkCase& c = GetParam();
  const tIsoBmffFindings f = Walk(WriteFile("isobmff_" + c.name, c.bytes));
  EXPECT_EQ(Summary(f), c.summary);
  std::string problems;
  for (const std::string& p : f.problems) problems += p + "\n";
  if (c.problem.empty())
    EXPECT_EQ(problems, "");
  else
    EXPECT_NE(problems.find(c.problem), std::string::npos) << problems;
}

INSTANTIATE_TEST_SUITE_P(Files, IsoBmffWalk, ::testing::ValuesIn(WalkCases()), CaseNames{});

TEST(IsoBmff, RecognisesTheBrandsItReads) {
  const Bytes heic = Ftyp("heic", "mif1");
  for (const auto& [bytes, expected] :
       std::vector<std::pair<Bytes, bool>>{{heic, true},
                                           {Ftyp("isom", "crx "), true},
                                           {Ftyp("isom", "mp41"), false},
                                           {Bytes(heic.begin(), heic.begin() + 12), false},
                                           {Box("free", Text("heicmif1")), false}})
    EXPECT_EQ(IsIsoBmff(bytes.data(), bytes.size()), expected) << bytes.size();
}

// The real files: sizes as ExifTool reads them, TIFF blocks where a header
// "II*\0" or "MM\0*" stands, and the Exif item at the end of a large file
// reached with two reads.
TEST(IsoBmff, CorpusFiles) {
  const std::filesystem::path folder = std::filesystem::path(ORVALIS_CORPUS_DIR) / "formats";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "corpus not found at " << folder;
  EXPECT_EQ(Summary(Walk(folder / "apple_iphone.heic")),
            "HEIC 3024x4032 tiff 3329+2038 ifd0 xmp 5367+2618");
  EXPECT_EQ(Summary(Walk(folder / "QuickTime.heic")), "HEIF 1596x1064");
  EXPECT_EQ(Summary(Walk(folder / "CanonRaw.cr3")),
            "CR3 6000x4000 tiff 296+384 ifd0 tiff 688+1056 exif tiff 6928+1808 gps xmp 11028+311");
  tJpegFile file(folder / "exif_at_end.heic");
  EXPECT_EQ(Summary(ReadIsoBmff(file)), "HEIC 3024x4032 tiff 717313+2166 ifd0 xmp 3319+866");
  EXPECT_LE(file.ReadCalls(), 2);
}

}  // namespace
}  // namespace orvalis::test
