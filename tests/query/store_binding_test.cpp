#include <gtest/gtest.h>

#include <filesystem>

#include "metadata/image_metadata.h"
#include "support/fixtures.h"
#include "query/cell_text.h"
#include "query/function_handler.h"
#include "query/parser.h"
#include "query/parser_factory.h"
#include "query/value_conversion.h"
#include "query/var_handler.h"

namespace orvalis::test {
namespace {

const std::string kCanon = std::string(ORVALIS_CORPUS_DIR) + "/exif-samples/Canon_40D.jpg";

// A store holding one corpus photo, as a query run holds it.
class StoreBinding : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kCanon)) GTEST_SKIP() << "corpus photo missing: " << kCanon;
    store_.MergeIptcLists = 1;
    store_.ReadJpegFile(kCanon);
    store_.RowNumber = 3;
  }

  // "variety: text form", "error: ..." or the cell text with cell = true.
  std::string Run(const std::string& expression, const LocaleInfo& locale = LocaleInfo::English(),
                  bool cell = false) {
    tMyVarHandler names(store_);
    tMyFunctionHandler functions(&store_, locale);
    const auto parser = MakeParser(expression, {'\'', locale}, names, functions);
    tParser& p = *parser;
    if (!p.Compile()) return "compile error: " + p.ErrorText;
    if (!p.Evaluate()) return cell ? "" : "error: " + p.ErrorText;
    const Value& v = p.Result->Value;
    if (cell) return CellText(v, locale, true, "(Null)");
    static const char* kNames[] = {"empty", "boolean", "integer", "number", "text"};
    return std::string(kNames[static_cast<int>(v.variety())]) + ": " + ValueToText(v, locale);
  }

  tImageMetaData store_;
};

TEST_F(StoreBinding, FieldsAndVariables) {
  struct Case {
    const char* expression;
    const char* expected;
  } cases[] = {
      {"Make", "text: Canon"},
      {"MAKE", "text: Canon"},
      {"make == 'Canon'", "boolean: -1"},
      {"Make == 'canon'", "boolean: 0"},
      {"Make ~ 'anon'", "boolean: -1"},
      {"Model", "text: Canon EOS 40D"},
      {"FNumber", "number: 7.1"},
      {"FNumber < 8", "boolean: -1"},
      {"datepart('year', DateTimeOriginal)", "integer: 2008"},
      {"rownum", "integer: 3"},
      {"RowNum + 1", "number: 4"},
      {"NoSuchField", "empty: "},
      {"Keywords == 'x'", "empty: "},
      {"isnull(Keywords, '') == ''", "boolean: -1"},
      {"upper(Keywords)", "error: Datatype mismatch"},
      {"hassegment('exif')", "text: true"},
      {"hassegment('EXIF') == 'true'", "boolean: -1"},
      {"hassegment('iptc')", "text: false"},
      {"hassegment('frame')", "text: false"},
      {"if(hassegment('exif'), 1, 0)", "error: Datatype mismatch"},
      {"contains('canon')", "text: Make:canon|"},
      {"contains('*')", "text: "},
      {"contains('')", "text: "},
      {"contains(Missing)", "error: Datatype mismatch"},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.expression), c.expected) << c.expression;
}

// The file size and the JFIF fields keep their decimal text as value; they
// still bind as numbers.
TEST_F(StoreBinding, DigitValuesBindAsNumbers) {
  struct Case {
    const char* expression;
    const char* expected;
  } cases[] = {
      {"Size", "number: 7958"},
      {"Size + 1", "number: 7959"},
      {"XDensity + YDensity", "number: 144"},
      {"XthumbnailSize", "number: 0"},
      {"YthumbnailSize + 2", "number: 2"},
      {"upper(Size)", "error: Datatype mismatch"},
      {"Size > '10000'", "boolean: 0"},
      {"Size > 9000", "boolean: 0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.expression), c.expected) << c.expression;
}

// Name# gives the number a field stores behind its text.
TEST_F(StoreBinding, StoredNumbers) {
  struct Case {
    const char* expression;
    const char* expected;
  } cases[] = {
      {"Orientation# == 1", "boolean: -1"},
      {"ExposureMode#", "number: 1"},
      {"ExposureTime#", "number: 0.00625"},
      {"ExposureTime# < 1/30", "boolean: -1"},
      {"ShutterSpeedValue#", "number: 7.375"},
      {"Size#", "number: 7958"},
      {"Make#", "empty: "},
      {"NoSuchField#", "empty: "},
      {"band(Flash#, 1)", "integer: 1"},
      {"band(Flash#, 16) == 0", "boolean: -1"},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.expression), c.expected) << c.expression;
}

TEST_F(StoreBinding, ContainsListsMatchingTextEntriesInStoreOrder) {
  // The file's own name and path are text entries too, and come first.
  const std::string all = Run("contains('*CANON*')");
  const std::string tail = "Name:canon_40d.jpg|Make:canon|Model:canon eos 40d|";
  ASSERT_GE(all.size(), tail.size());
  EXPECT_EQ(all.substr(all.size() - tail.size()), tail) << all;
  EXPECT_EQ(all.rfind("text: Fullname:", 0), 0u) << all;
  EXPECT_EQ(Run("contains('canon*')"), "text: " + tail);
  EXPECT_EQ(Run("contains('*40d')"), "text: Model:canon eos 40d|");
}

// The bundled photos with a position and with an XMP packet.
TEST_F(StoreBinding, PositionAndXmpFields) {
  struct Case {
    const char* photo;
    const char* expression;
    const char* expected;
  } cases[] = {
      {"iphone_rio.jpg", "hassegment('gps')", "text: true"},
      {"iphone_rio.jpg", "hassegment('XMP')", "text: false"},
      {"iphone_rio.jpg", "GPSLatitude < -22.9 and GPSLongitude < -43.2", "boolean: -1"},
      {"iphone_rio.jpg", "GPSAltitude", "number: 700"},
      {"iphone_rio.jpg", "SceneCaptureType", "text: Landscape"},
      {"iphone_rio.jpg", "XmpRating >= 4", "empty: "},
      {"nikon_z6_koenigssee.jpg", "hassegment('gps')", "text: false"},
      {"nikon_z6_koenigssee.jpg", "hassegment('xmp')", "text: true"},
      {"nikon_z6_koenigssee.jpg", "XmpRating >= 4", "boolean: -1"},
      {"nikon_z6_koenigssee.jpg", "Subject ~ 'Fr\xC3\xBChling'", "boolean: -1"},
      {"nikon_z6_koenigssee.jpg", "contains('*almh\xC3\xBCtte*')",
       "text: Subject:k\xC3\xB6nigssee;fr\xC3\xBChling;almh\xC3\xBCtte|"},
      {"nikon_z6_koenigssee.jpg", "CreateDate == DateTimeOriginal", "boolean: -1"},
  };
  for (const Case& c : cases) {
    store_.Clear();
    store_.ReadJpegFile(std::string(ORVALIS_SOURCE_DIR) + "/samples/" + c.photo);
    EXPECT_EQ(Run(c.expression), c.expected) << c.photo << ": " << c.expression;
  }
}

TEST_F(StoreBinding, CellTexts) {
  const LocaleInfo german = LocaleInfo::German();
  EXPECT_EQ(Run("FNumber", german, true), "7.1");
  EXPECT_EQ(Run("FNumber", german), "number: 7,1");
  EXPECT_EQ(Run("FNumber > 1", german, true), "-1");
  EXPECT_EQ(Run("Missing", german, true), "(Null)");
  EXPECT_EQ(Run("upper(FNumber)", german, true), "");
}

// Texts longer than an entry's short text: a word near their end is found,
// and the cell holds the whole text.
TEST_F(StoreBinding, LongTextsBindWhole) {
  const std::string caption = std::string(270, 'c') + " lighthouse";
  const std::string comment = std::string(300, 'k') + " harbour";
  store_.Clear();
  store_.ReadJpegFile(WriteFile(
      "long.jpg", JpegFile({Segment(0xFE, Text(comment)), Segment(0xED, Dataset(120, caption))})));
  struct Case {
    const char* expression;
    std::string expected;
  } cases[] = {
      {"Caption ~ 'lighthouse'", "boolean: -1"},
      {"JpgComment ~ 'harbour'", "boolean: -1"},
      {"contains('*harbour')", "text: JpgComment:" + comment + "|"},
      {"Caption", "text: " + caption},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.expression), c.expected) << c.expression;
}

TEST(VarHandler, EmptyStoreHasOnlyTheRowNumber) {
  tImageMetaData store;
  tMyVarHandler names(store);
  Value v;
  EXPECT_TRUE(names.GetValue("ROWNUM", v));
  EXPECT_EQ(v, Value::Integer(0));
  EXPECT_EQ(names.GetValueType("rownum"), 19);
  EXPECT_FALSE(names.GetValue("Make", v));
  EXPECT_EQ(names.GetValueType("Make"), 0);
  EXPECT_TRUE(names.IsIdentifier("anything"));
}

}  // namespace
}  // namespace orvalis::test
