// Photo files other than JPEG: byte-built TIFF raws, PNG and WebP files, the
// hostile versions of each, and the real files of the formats corpus against
// ExifTool's reading.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "metadata/container.h"
#include "support/json_reader.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

namespace fs = std::filesystem;

const Order kIntel{false};
const Order kMotorola{true};

TiffEntry Ascii(std::uint16_t tag, const std::string& s) {
  Bytes data = Text(s);
  data.push_back(0);
  return {tag, 2, static_cast<std::uint32_t>(data.size()), data};
}
TiffEntry Short(const Order& o, std::uint16_t tag, std::uint16_t v) {
  return {tag, 3, 1, Concat({o.U16(v), o.U16(0)})};
}
TiffEntry Long(const Order& o, std::uint16_t tag, std::uint32_t v) { return {tag, 4, 1, o.U32(v)}; }

// A camera's TIFF structure: make, size, sensor data of the raw kind, a
// date in the Exif directory.
TiffBuilder Camera(const Order& o, const std::string& make, bool cfa) {
  TiffBuilder t{o};
  t.first = {Long(o, 256, 4000), Long(o, 257, 3000), Ascii(271, make), Ascii(272, make + " Model")};
  if (cfa) t.first.push_back(Short(o, 262, 32803));
  t.exif = {Ascii(36867, "2024:05:06 07:08:09")};
  return t;
}

Bytes WithMagic(Bytes tiff, std::uint8_t a, std::uint8_t b) {
  tiff[2] = a;
  tiff[3] = b;
  return tiff;
}

Bytes BigEndian32(std::uint32_t v) { return kMotorola.U32(v); }

Bytes PngChunk(const std::string& type, const Bytes& data) {
  return Concat(
      {BigEndian32(static_cast<std::uint32_t>(data.size())), Text(type), data, Bytes(4, 0)});
}
Bytes Png(const std::vector<Bytes>& chunks) {
  Bytes out = Concat({Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'},
                      PngChunk("IHDR", Concat({BigEndian32(640), BigEndian32(480), Bytes(5, 0)}))});
  for (const Bytes& c : chunks) out = Concat({out, c});
  return Concat({out, PngChunk("IEND", {})});
}

// ImageMagick's text form of an Exif segment: a header, then hex digits.
std::string RawProfile(const Bytes& tiff) {
  const Bytes exif = ExifPayload(tiff);
  std::string text = "\nexif\n" + std::to_string(exif.size()) + "\n";
  static const char* kHex = "0123456789abcdef";
  for (std::size_t i = 0; i < exif.size(); ++i) {
    text += kHex[exif[i] >> 4];
    text += kHex[exif[i] & 15];
    if (i % 36 == 35) text += '\n';
  }
  return text;
}

Bytes RiffChunk(const std::string& type, Bytes data) {
  const auto n = static_cast<std::uint32_t>(data.size());
  if (n % 2 != 0) data.push_back(0);
  return Concat({Text(type), kIntel.U32(n), data});
}
Bytes WebP(const std::vector<Bytes>& chunks) {
  Bytes body = Text("WEBP");
  for (const Bytes& c : chunks) body = Concat({body, c});
  return Concat({Text("RIFF"), kIntel.U32(static_cast<std::uint32_t>(body.size())), body});
}
// VP8X with a canvas of 800 by 600 (stored less one, 24 bits each).
const Bytes kVp8x = RiffChunk("VP8X", {0x08, 0, 0, 0, 0x1F, 0x03, 0, 0x57, 0x02, 0});

std::string Field(const tImageMetaData& store, const char* name) {
  const tMetaEntry* e = store.FindEntry(name);
  return e == nullptr ? "-" : e->Text;
}

TEST(Containers, FormatSizeAndExifOfEachKind) {
  const Bytes tiff = Camera(kIntel, "Canon", false).Build();
  struct Case {
    const char* what;
    Bytes file;
    const char* format;
    const char* size;  // PixelsX x PixelsY
    const char* make;
  } cases[] = {
      {"plain TIFF", tiff, "TIFF", "4000x3000", "Canon"},
      {"big-endian TIFF", Camera(kMotorola, "Canon", false).Build(), "TIFF", "4000x3000", "Canon"},
      {"ORF", WithMagic(Camera(kIntel, "OLYMPUS", false).Build(), 'R', 'O'), "ORF", "4000x3000",
       "OLYMPUS"},
      {"ARW", Camera(kIntel, "SONY", true).Build(), "ARW", "4000x3000", "SONY"},
      {"PEF", Camera(kMotorola, "PENTAX Corporation", true).Build(), "PEF", "4000x3000",
       "PENTAX Corporation"},
      {"NEF", Camera(kIntel, "NIKON CORPORATION", true).Build(), "NEF", "4000x3000",
       "NIKON CORPORATION"},
      {"a Nikon photo saved as TIFF", Camera(kIntel, "NIKON CORPORATION", false).Build(), "TIFF",
       "4000x3000", "NIKON CORPORATION"},
      {"PNG eXIf", Png({PngChunk("eXIf", tiff)}), "PNG", "640x480", "Canon"},
      {"PNG eXIf with an Exif header", Png({PngChunk("eXIf", ExifPayload(tiff))}), "PNG", "640x480",
       "Canon"},
      {"PNG raw profile",
       Png({PngChunk("tEXt",
                     Concat({Text("Raw profile type exif"), Bytes{0}, Text(RawProfile(tiff))}))}),
       "PNG", "640x480", "Canon"},
      {"WebP EXIF", WebP({kVp8x, RiffChunk("EXIF", tiff)}), "WEBP", "800x600", "Canon"},
      {"WebP lossy", WebP({RiffChunk("VP8 ", {0, 0, 0, 0x9D, 0x01, 0x2A, 0x40, 0x01, 0xF0, 0x00})}),
       "WEBP", "320x240", "-"},
      {"WebP lossless", WebP({RiffChunk("VP8L", {0x2F, 0x3F, 0xC0, 0x3B, 0x00})}), "WEBP", "64x240",
       "-"},
  };
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(store, "photo.any", c.file);
    EXPECT_EQ(store.Format(), c.format);
    EXPECT_EQ(Field(store, "PixelsX") + "x" + Field(store, "PixelsY"), c.size);
    EXPECT_EQ(Field(store, "Make"), c.make);
    EXPECT_EQ(Field(store, "Format"), c.format);
    if (std::string(c.make) != "-") {
      EXPECT_EQ(Field(store, "DateTimeOriginal"), "2024:05:06 07:08:09");
      EXPECT_TRUE(store.HasExif());
    }
  }
}

const std::string kXmp =
    "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
    "<rdf:Description xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:title><rdf:Alt><rdf:li "
    "xml:lang='x-default'>Title</rdf:li></rdf:Alt></dc:title></rdf:Description></rdf:RDF></x:xmpmeta>";

TEST(Containers, XmpAndIptcOfEachKind) {
  TiffBuilder xmpTiff{kIntel}, iptcTiff{kIntel};
  xmpTiff.first = {{700, 1, static_cast<std::uint32_t>(kXmp.size()), Text(kXmp)}};
  const Bytes iptc = Concat({Dataset(25, "sun"), Dataset(120, "beach")});
  iptcTiff.first = {{33723, 7, static_cast<std::uint32_t>(iptc.size()), iptc}};
  const Bytes itxt = Concat({Text("XML:com.adobe.xmp"), Bytes{0, 0, 0, 0, 0}, Text(kXmp)});
  struct Case {
    const char* what;
    Bytes file;
    bool (tImageMetaData::*has)() const;
    const char* field;
    const char* text;
  } cases[] = {
      {"TIFF tag 700", xmpTiff.Build(), &tImageMetaData::HasXmp, "Title", "Title"},
      {"PNG iTXt", Png({PngChunk("iTXt", itxt)}), &tImageMetaData::HasXmp, "Title", "Title"},
      {"WebP XMP chunk", WebP({kVp8x, RiffChunk("XMP ", Text(kXmp))}), &tImageMetaData::HasXmp,
       "Title", "Title"},
      {"TIFF IPTC tag", iptcTiff.Build(), &tImageMetaData::HasIptc, "Caption", "beach"},
  };
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load(store, "blocks.any", c.file);
    EXPECT_TRUE((store.*c.has)());
    EXPECT_EQ(Field(store, c.field), c.text);
    // A block is no number entry of the first directory.
    EXPECT_EQ(Find(store, group::kExif, 700), nullptr);
  }
}

TEST(Containers, PngMetadataFarBehindTheImageDataIsNamedNotRead) {
  // Image data in many chunks of 64 KiB: each step over one is a read.
  std::vector<Bytes> chunks(8, PngChunk("IDAT", Bytes(64 * 1024, 0)));
  chunks.push_back(PngChunk("eXIf", Camera(kIntel, "Canon", false).Build()));
  tImageMetaData store;
  Load(store, "long.png", Png(chunks));
  EXPECT_EQ(Field(store, "Make"), "-");
  ASSERT_FALSE(store.Dropped().empty());
  EXPECT_NE(store.Dropped().back().find("are not read"), std::string::npos);
}

TEST(Containers, PreviewsOfARawLargestFirst) {
  const Order o = kIntel;
  TiffBuilder t = Camera(o, "SONY", true);
  t.trailer = Bytes(300, 0xFF);
  const std::uint32_t at = t.TrailerOffset();
  t.first.push_back(Long(o, 513, at));
  t.first.push_back(Long(o, 514, 100));
  t.thumbnail = {Long(o, 256, 1600), Long(o, 257, 1200), Short(o, 259, 6), Long(o, 273, at + 100),
                 Long(o, 279, 200)};
  tImageMetaData store;
  Load(store, "previews.arw", t.Build());
  ASSERT_EQ(store.EmbeddedJpegs().size(), 2u);
  EXPECT_EQ(store.EmbeddedJpegs()[0], (tFileSpan{at + 100, 200}));
  EXPECT_EQ(store.EmbeddedJpegs()[1], (tFileSpan{at, 100}));
}

TEST(Containers, HostileFilesEndQuietly) {
  const Order o = kIntel;
  // IFD0 whose next directory is itself, and SubIFDs that point everywhere.
  Bytes loop = Concat({Text("II*"), Bytes{0}, o.U32(8), o.U16(2), o.U16(330), o.U16(4), o.U32(8),
                       o.U32(0x7FFFFFF0), o.U16(256), o.U16(4), o.U32(1), o.U32(10), o.U32(8)});
  struct Case {
    const char* what;
    Bytes file;
    const char* format;
  } cases[] = {
      {"directory chain loops", loop, "TIFF"},
      {"first directory past the end", Concat({Text("II*"), Bytes{0}, o.U32(0xFFFFFFF0)}), "TIFF"},
      {"BigTIFF", Concat({Text("II+"), Bytes{0}, o.U16(8), o.U16(0), o.U32(16), o.U32(0)}), "TIFF"},
      {"PNG chunk claims 2 GiB",
       Png({Concat({BigEndian32(0x7FFFFFFF), Text("eXIf"), Bytes(20, 0)})}), "PNG"},
      {"WebP chunk claims 4 GiB", WebP({Concat({Text("EXIF"), o.U32(0xFFFFFFFF), Bytes(16, 0)})}),
       "WEBP"},
      {"RAF preview outside",
       Concat({Text("FUJIFILMCCD-RAW 0201"), Bytes(64, 0), BigEndian32(0xFFFFFF00),
               BigEndian32(400), BigEndian32(0), BigEndian32(0)}),
       "RAF"},
      {"MRW block longer than the file",
       Concat({Bytes{0, 'M', 'R', 'M'}, BigEndian32(0xFFFFFF), Bytes{0, 'P', 'R', 'D'},
               BigEndian32(0xFFFFFFF0)}),
       "MRW"},
      {"X3F directory outside",
       Concat({Text("FOVb"), Bytes(24, 0), o.U32(100), o.U32(80), Bytes(8, 0), o.U32(0xFFFFFFF0)}),
       "X3F"},
  };
  tImageMetaData store;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      Load(store, "hostile.any", c.file);
    } catch (const tMetadataError&) {
      // A file cut short says so; what matters is that nothing else happens.
    }
    EXPECT_EQ(store.Format(), c.format);
    EXPECT_FALSE(store.Dropped().empty());
  }
}

TEST(Containers, NoPhotoFileIsNotRead) {
  tImageMetaData store;
  Load(store, "notes.txt", Text("RIFF1234WAVEfmt "));
  EXPECT_FALSE(store.IsPhoto());
  EXPECT_EQ(store.EntryCount(), 0);
}

// The formats corpus: ExifTool's reading of the same files.
const fs::path kFormats = fs::path(ORVALIS_CORPUS_DIR) / "formats";

// Our name for ExifTool's file type.
std::string FormatName(std::string type) {
  if (type == "Extended WEBP") return "WEBP";
  return type;
}

TEST(Containers, FormatsCorpusAgreesWithExifTool) {
  const fs::path jsonPath = fs::path(ORVALIS_CORPUS_DIR) / "formats.exiftool.json";
  if (!fs::is_regular_file(jsonPath)) GTEST_SKIP() << "ExifTool reading not found at " << jsonPath;
  std::ifstream in(jsonPath, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const JsonValue all = JsonReader(buffer.str()).Parse();
  tImageMetaData store;
  int compared = 0;
  for (const JsonValue& file : all.items) {
    const std::string source = file.Member("SourceFile")->text;
    SCOPED_TRACE(source);
    store.Clear();
    store.ReadJpegFile((fs::path(ORVALIS_CORPUS_DIR) / source).string());
    const std::string type = FormatName(file.Member("File:FileType")->text);
    EXPECT_EQ(store.Format(), type);
    // ExifTool's image size of an X3F is its preview's; ours the raw's.
    const JsonValue* sigmaWidth = file.Member("SigmaRaw:ImageWidth");
    EXPECT_EQ(Field(store, "PixelsX") + " " + Field(store, "PixelsY"),
              sigmaWidth != nullptr
                  ? sigmaWidth->text + " " + file.Member("SigmaRaw:ImageHeight")->text
                  : file.Member("Composite:ImageSize")->text);
    for (const auto& [toolKey, name] :
         {std::pair{"IFD0:Make", "Make"}, std::pair{"IFD0:Model", "Model"},
          std::pair{"ExifIFD:DateTimeOriginal", "DateTimeOriginal"}}) {
      const JsonValue* t = file.Member(toolKey);
      if (t == nullptr) continue;
      ++compared;
      // ExifTool drops trailing blanks of EXIF strings; we keep the bytes.
      std::string ours = Field(store, name);
      while (!ours.empty() && ours.back() == ' ') ours.pop_back();
      EXPECT_EQ(ours, t->text) << name;
    }
    for (const auto& [toolKey, name] : {std::pair{"GPS:GPSLatitude", "GPSLatitude"},
                                        std::pair{"GPS:GPSLongitude", "GPSLongitude"}}) {
      const JsonValue* t = file.Member(toolKey);
      if (t == nullptr) continue;
      ++compared;
      const tMetaEntry* e = store.FindEntry(name);
      ASSERT_NE(e, nullptr) << name;
      EXPECT_NEAR(e->Value.AsNumber(), t->number, 1e-6) << name;
    }
  }
  EXPECT_GT(compared, 30);
}

}  // namespace
}  // namespace orvalis::test
