// The sample photos: every JPEG is read (and its thumbnail made) without a
// crash, and our entries agree with ExifTool's reading where both decode the
// same field.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "support/json_reader.h"
#include "test_support.h"

namespace orvalis::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(ORVALIS_CORPUS_DIR);
const fs::path kSamples = kCorpus / "exif-samples";

std::vector<fs::path> SamplePhotos() {
  std::vector<fs::path> out;
  for (const auto& e : fs::recursive_directory_iterator(kSamples)) {
    if (!e.is_regular_file()) continue;
    std::string ext = e.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".jpg" || ext == ".jpeg") out.push_back(e.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

TEST(Corpus, EveryPhotoReadsWithoutCrash) {
  if (!fs::is_directory(kSamples)) GTEST_SKIP() << "sample photos not found at " << kSamples;
  const auto photos = SamplePhotos();
  EXPECT_GT(photos.size(), 80u);
  tImageMetaData store;
  store.ThumbFromImage = true;
  int thumbnails = 0, failures = 0;
  for (const fs::path& p : photos) {
    for (const int merge : {0, 1}) {
      store.MergeIptcLists = static_cast<std::uint8_t>(merge);
      store.Clear();
      try {
        store.ReadJpegFile(p.string());
      } catch (const tMetadataError&) {
        ++failures;  // truncated files: the error is the caller's to report
      }
      for (const tMetaEntry& e : store.Entries()) EXPECT_LE(e.Text.size(), kMaxEntryText);
      if (merge == 1 || !store.IsJpeg()) continue;
      try {
        if (store.GetThumbnail() != nullptr) ++thumbnails;
      } catch (const tMetadataError&) {
      }
    }
  }
  EXPECT_GT(thumbnails, 70);
  RecordProperty("read_failures", failures);
}

// ExifTool's value of a field, if it has one.
const JsonValue* Tool(const JsonValue& file, const char* key) { return file.Member(key); }

std::string ToolText(const JsonValue& v) {
  if (v.type == JsonValue::Type::Array) {
    std::string out;
    for (const JsonValue& item : v.items) out += (out.empty() ? "" : ";") + ToolText(item);
    return out;
  }
  return v.text;
}

double FractionValue(const std::string& fraction) {
  const auto slash = fraction.find('/');
  return std::stod(fraction.substr(0, slash)) / std::stod(fraction.substr(slash + 1));
}

// How ExifTool shows an exposure of the given seconds (its reading here is
// the number): 1/N up to 0.25001 s, N rounded half up; from there the
// seconds with one decimal, without a ".0".
std::string ToolExposureText(double seconds) {
  char buf[64];
  if (seconds > 0 && seconds < 0.25001) {
    std::snprintf(buf, sizeof buf, "1/%d", static_cast<int>(0.5 + 1 / seconds));
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%.1f", seconds);
  std::string text = buf;
  if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0) text.resize(text.size() - 2);
  return text;
}

// Fields where our reading differs from ExifTool's by design, per file (path
// below the corpus folder), with the reason.
struct Explained {
  std::set<std::string> fields;
  const char* reason;
};

const std::map<std::string, Explained> kExplained = {
    // The Exif pointer is stored with the type ASCII. ExifTool refuses it; we
    // follow the value field whatever the type, so we read the sub-directory.
    {"exif-samples/tests/30-type_error.jpg",
     {{"DateTimeOriginal"}, "Exif pointer of the wrong type is followed"}},
    // ExifTool keeps the empty dc:title; an empty XMP property makes no entry.
    {"exif-samples/tests/33-type_error.jpg", {{"Title"}, "empty XMP property"}},
};

TEST(Corpus, AgreesWithExifTool) {
  const fs::path jsonPath = kCorpus / "exif-samples.exiftool.json";
  if (!fs::is_regular_file(jsonPath)) GTEST_SKIP() << "ExifTool reading not found at " << jsonPath;
  std::ifstream in(jsonPath, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const JsonValue all = JsonReader(buffer.str()).Parse();
  ASSERT_EQ(all.type, JsonValue::Type::Array);

  tImageMetaData store;
  int compared = 0;
  for (const JsonValue& file : all.items) {
    const std::string source = file.Member("SourceFile")->text;
    const fs::path path = kCorpus / source;
    std::string ext = path.extension().string();
    if (ext != ".jpg" && ext != ".jpeg") continue;
    SCOPED_TRACE(source);
    const auto explained = kExplained.find(source);
    const auto skip = [&](const char* name) {
      return explained != kExplained.end() && explained->second.fields.count(name) != 0;
    };

    store.Clear();
    store.MergeIptcLists = 1;
    try {
      store.ReadJpegFile(path.string());
    } catch (const tMetadataError& e) {
      ADD_FAILURE() << "read failed: " << e.what();
      continue;
    }
    const auto ours = [&](const char* name) { return store.FindEntry(name); };
    // Both readings of a field; none where ExifTool has no value, and then
    // ours must be missing too.
    const auto both = [&](const char* toolKey,
                          const char* name) -> std::pair<const JsonValue*, const tMetaEntry*> {
      if (skip(name)) return {nullptr, nullptr};
      const JsonValue* t = Tool(file, toolKey);
      const tMetaEntry* e = ours(name);
      if (t == nullptr) {
        EXPECT_EQ(e, nullptr) << name << " only in ours: " << (e ? e->Text : "");
        return {nullptr, nullptr};
      }
      ++compared;
      EXPECT_NE(e, nullptr) << name << " missing, ExifTool has " << ToolText(*t);
      return {t, e};
    };
    const auto text = [&](const char* toolKey, const char* name) {
      const auto [t, e] = both(toolKey, name);
      if (e == nullptr) return;
      // ExifTool drops trailing blanks of EXIF strings; we keep the bytes as
      // stored.
      const auto trimmed = [](std::string v) {
        while (!v.empty() && v.back() == ' ') v.pop_back();
        return v;
      };
      EXPECT_EQ(trimmed(e->Value.AsText()), trimmed(ToolText(*t))) << name;
    };
    const auto integer = [&](const char* toolKey, const char* name) {
      const auto [t, e] = both(toolKey, name);
      if (e == nullptr) return;
      const std::string value =
          e->Value.IsInteger() ? std::to_string(e->Value.AsInteger()) : e->Value.AsText();
      EXPECT_EQ(value, t->type == JsonValue::Type::Number ? t->text : ToolText(*t)) << name;
    };

    text("IFD0:Make", "Make");
    text("IFD0:Model", "Model");
    text("ExifIFD:DateTimeOriginal", "DateTimeOriginal");
    integer("IFD0:Orientation", "Orientation");
    integer("ExifIFD:ISO", "ISOSpeedRating");
    if (const JsonValue* t = Tool(file, "ExifIFD:ExposureTime")) {
      const tMetaEntry* e = ours("ExposureTime");
      ++compared;
      ASSERT_NE(e, nullptr);
      EXPECT_NEAR(FractionValue(e->Value.AsText()), t->number, 1e-9 + t->number * 1e-6);
      EXPECT_EQ(e->Text, ToolExposureText(t->number)) << "ExposureTime";
    }
    if (const JsonValue* t = Tool(file, "ExifIFD:ShutterSpeedValue")) {
      const tMetaEntry* e = ours("ShutterSpeedValue");
      ++compared;
      ASSERT_NE(e, nullptr);
      // Long decimals come as JSON strings.
      EXPECT_EQ(e->Text, ToolExposureText(t->type == JsonValue::Type::String ? std::stod(t->text)
                                                                             : t->number))
          << "ShutterSpeedValue";
    }
    if (const JsonValue* t = Tool(file, "ExifIFD:FNumber")) {
      const tMetaEntry* e = ours("FNumber");
      ++compared;
      ASSERT_NE(e, nullptr);
      EXPECT_NEAR(e->Value.AsNumber(), t->number, 0.05 + 1e-9);
    }
    // ExifTool gives the frame size (and its coding process) wherever it
    // reads a frame header, of whatever kind.
    if (Tool(file, "File:EncodingProcess") != nullptr) {
      integer("File:ImageWidth", "PixelsX");
      integer("File:ImageHeight", "PixelsY");
    }
    if (const JsonValue* t = Tool(file, "JFIF:JFIFVersion")) {
      const tMetaEntry* e = ours("Version");
      ++compared;
      ASSERT_NE(e, nullptr);
      int major = 0, minor = 0;
      std::sscanf(t->text.c_str(), "%d %d", &major, &minor);
      char expected[16];
      std::snprintf(expected, sizeof expected, "%d.%02d", major, minor);
      EXPECT_EQ(e->Text, expected);
      integer("JFIF:XResolution", "XDensity");
      integer("JFIF:YResolution", "YDensity");
      integer("JFIF:ResolutionUnit", "Units");
    }
    text("IPTC:Keywords", "Keywords");
    text("IPTC:Caption-Abstract", "Caption");

    // ExifTool's composite coordinates are signed like ours and need the
    // reference too; its altitude is signed by the reference as well.
    const auto near = [&](const char* toolKey, const char* name, double tolerance) {
      const auto [t, e] = both(toolKey, name);
      if (e == nullptr) return;
      ASSERT_TRUE(e->Value.IsNumber()) << name;
      EXPECT_NEAR(e->Value.AsNumber(), t->number, tolerance) << name;
    };
    near("Composite:GPSLatitude", "GPSLatitude", 1e-6);
    near("Composite:GPSLongitude", "GPSLongitude", 1e-6);
    EXPECT_EQ(store.HasGps(), Tool(file, "Composite:GPSLatitude") != nullptr);
    // Ours is rounded to two decimals. Without a reference ExifTool makes
    // no signed altitude; ours is then above sea level, its raw value.
    near(Tool(file, "Composite:GPSAltitude") ? "Composite:GPSAltitude" : "GPS:GPSAltitude",
         "GPSAltitude", 0.005 + 1e-9);
    text("ExifIFD:LensModel", "LensModel");
    // The 35 mm focal length sits in the Exif sub-directory, in one photo in
    // the first directory.
    integer(Tool(file, "IFD0:FocalLengthIn35mmFormat") ? "IFD0:FocalLengthIn35mmFormat"
                                                       : "ExifIFD:FocalLengthIn35mmFormat",
            "FocalLengthFullFrame");
    text("IFD0:XPTitle", "XPTitle");
    integer("XMP-xmp:Rating", "XmpRating");
    text("XMP-dc:Subject", "Subject");
    text("XMP-dc:Title", "Title");
    bool toolHasXmp = false;
    for (const auto& [key, value] : file.members)
      toolHasXmp = toolHasXmp || key.rfind("XMP-", 0) == 0;
    EXPECT_EQ(store.HasXmp(), toolHasXmp);
  }
  EXPECT_GT(compared, 500);
}

}  // namespace
}  // namespace orvalis::test
