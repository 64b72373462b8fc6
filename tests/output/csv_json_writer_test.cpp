#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "output/csv_writer.h"
#include "output/json_writer.h"

namespace orvalis::test {

namespace {

TEST(CsvWriter, QuotesOnlyWhereTheRfcNeedsIt) {
  const struct {
    const char* text;
    const char* field;
  } cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"5\" wide", "\"5\"\" wide\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"it's", "it's"},
      {" padded ", " padded "},
  };
  for (const auto& c : cases) EXPECT_EQ(orvalis::CsvField(c.text), c.field) << c.text;
}

TEST(CsvWriter, HeaderThenRowsAsUtf8) {
  std::ostringstream out;
  orvalis::CsvWriter writer(out);
  writer.WriteHeader({"Name", "Caption"});
  writer.WriteRow({"a.jpg", "M\xFCnchen, Bahnhof"});
  writer.WriteRow({"b.jpg", ""});
  EXPECT_EQ(out.str(), "Name,Caption\r\na.jpg,\"M\xC3\xBCnchen, Bahnhof\"\r\nb.jpg,\r\n");
  std::ostringstream lf;
  orvalis::CsvWriter(lf, "\n").WriteRow({"x"});
  EXPECT_EQ(lf.str(), "x\n");
}

TEST(JsonWriter, EscapesEveryTextAsUtf8) {
  const struct {
    const char* bytes;
    const char* literal;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\r\n\t\b\f", "\"\\r\\n\\t\\b\\f\""},
      {"\x01\x1F\x7F", "\"\\u0001\\u001f\\u007f\""},
      {"M\xFCnchen", "\"M\xC3\xBCnchen\""},
      {"\xE2\x82\xAC", "\"\xE2\x82\xAC\""},
  };
  for (const auto& c : cases) EXPECT_EQ(orvalis::JsonString(c.bytes), c.literal) << c.bytes;
}

TEST(JsonWriter, CellsKeepTheirValueKind) {
  using V = orvalis::Value::Variety;
  struct Case {
    const char* text;
    V variety;
    const char* json;
  } cases[] = {
      {"2.8", V::Number, "2.8"},  {"1E-6", V::Number, "1E-6"}, {"INF", V::Number, "\"INF\""},
      {"-1", V::Boolean, "true"}, {"0", V::Boolean, "false"},  {"(Null)", V::Empty, "null"},
      {"", V::Empty, "null"},     {"007", V::Text, "\"007\""},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    orvalis::JsonWriter writer(out);
    writer.WriteRow("/a.jpg", {c.text}, {c.variety});
    EXPECT_EQ(out.str(), std::string("\n{\"path\": \"/a.jpg\", \"cells\": [") + c.json + "]}")
        << c.text;
  }
}

TEST(JsonWriter, Document) {
  std::ostringstream out;
  orvalis::JsonWriter writer(out);
  writer.Begin({"Name", "Make"});
  writer.WriteRow("/p/a.jpg", {"a.jpg", "Canon"});
  writer.WriteRow("/p/b\xE9.jpg", {"b\xE9.jpg", ""});
  writer.End();
  EXPECT_EQ(out.str(),
            "{\"columns\": [\"Name\", \"Make\"], \"rows\": [\n"
            "{\"path\": \"/p/a.jpg\", \"cells\": [\"a.jpg\", \"Canon\"]},\n"
            "{\"path\": \"/p/b\xC3\xA9.jpg\", \"cells\": [\"b\xC3\xA9.jpg\", \"\"]}\n"
            "]}\n");
  std::ostringstream empty;
  orvalis::JsonWriter none(empty);
  none.Begin({"Name"});
  none.End();
  EXPECT_EQ(empty.str(), "{\"columns\": [\"Name\"], \"rows\": []}\n");
}

}  // namespace

}  // namespace orvalis::test
