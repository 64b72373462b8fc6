#include "output/text_export.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

struct QuotingCase {
  QuotingMode mode;
  const char* value;
  const char* quoted;
};

const char* ModeName(QuotingMode mode) {
  switch (mode) {
    case QuotingMode::DoubleQuotes: return "DoubleQuotes";
    case QuotingMode::BackslashQuotes: return "BackslashQuotes";
    case QuotingMode::OtherQuote: return "OtherQuote";
    case QuotingMode::HexQuotes: return "HexQuotes";
    case QuotingMode::None: return "None";
  }
  return "?";
}

std::string CaseText(const QuotingCase& c) { return std::string(ModeName(c.mode)) + " " + c.value; }

void PrintTo(const QuotingCase& c, std::ostream* os) {
  *os << ModeName(c.mode) << " " << Quoted(c.value) << " -> " << Quoted(c.quoted);
}

class Quoting : public ::testing::TestWithParam<QuotingCase> {};

TEST_P(Quoting, Apply) {
  const QuotingCase& c = GetParam();
  EXPECT_EQ(ApplyQuoting(c.value, c.mode), c.quoted)
      << "mode " << static_cast<int>(c.mode) << ", value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Quoting,
    ::testing::Values(QuotingCase{QuotingMode::DoubleQuotes, "say \"hi\"", "say \"\"hi\"\""},
                      QuotingCase{QuotingMode::DoubleQuotes, "it's \"x\"", "it''s \"\"x\"\""},
                      QuotingCase{QuotingMode::DoubleQuotes, "plain", "plain"},
                      QuotingCase{QuotingMode::BackslashQuotes, "a\"b'c\\d", "a\\\"b\\'c\\d"},
                      QuotingCase{QuotingMode::OtherQuote, "plain", "\"plain\""},
                      QuotingCase{QuotingMode::OtherQuote, "it's", "\"it's\""},
                      QuotingCase{QuotingMode::OtherQuote, "", "\"\""},
                      QuotingCase{QuotingMode::OtherQuote, "5\" wide", "'5\" wide'"},
                      // Both kinds: double quotes around, inner double quotes doubled.
                      QuotingCase{QuotingMode::OtherQuote, "it's 5\"", "\"it's 5\"\"\""},
                      QuotingCase{QuotingMode::HexQuotes, "5\"", "50x22"},
                      QuotingCase{QuotingMode::HexQuotes, "'a\"", "0x27a0x22"},
                      QuotingCase{QuotingMode::None, "'a\"", "'a\""}),
    CaseNames());

TEST(TextExport, DelimiterWords) {
  EXPECT_EQ(TranslateDelimiter("(tab)"), "\t");
  EXPECT_EQ(TranslateDelimiter("(cr)"), "\r");
  EXPECT_EQ(TranslateDelimiter("(crlf)"), "\r\n");
  EXPECT_EQ(TranslateDelimiter("(CRLF)"), "(CRLF)");
  EXPECT_EQ(TranslateDelimiter(" ; "), " ; ");
  EXPECT_EQ(TranslateDelimiter(std::string(300, '|')), std::string(255, '|'));
}

struct LineCase {
  const char* name;
  std::vector<std::string> fields;
  TextExportOptions options;
  const char* line;
};

TextExportOptions With(void (*change)(TextExportOptions&)) {
  TextExportOptions options;
  change(options);
  return options;
}

TEST(TextExport, Lines) {
  const LineCase cases[] = {
      {"three columns", {"a.jpg", "Canon", "5"}, {}, "a.jpg,Canon,5"},
      {"one column ends with the delimiter", {"a.jpg"}, {}, "a.jpg,"},
      {"no field at all", {}, {}, ","},
      {"empty cells keep their places", {"a.jpg", "", ""}, {}, "a.jpg,,"},
      {"column texts are trimmed",
       {"a", "b"},
       With([](TextExportOptions& o) {
         o.colBefore = " \"";
         o.colAfter = "\"\t";
       }),
       "\"a\",\"b\""},
      {"line texts are trimmed",
       {"a", "b"},
       With([](TextExportOptions& o) {
         o.lineBefore = "  <";
         o.lineAfter = "> ";
       }),
       "<a,b>"},
      {"crlf puts every field on a line",
       {"a", "b", "c"},
       With([](TextExportOptions& o) { o.delimiter = "(crlf)"; }),
       "a\r\nb\r\nc"},
      {"quoting applies inside the column texts",
       {"x\"y", "z"},
       With([](TextExportOptions& o) {
         o.quoting = QuotingMode::OtherQuote;
         o.colBefore = "[";
         o.colAfter = "]";
         o.delimiter = "(tab)";
       }),
       "['x\"y']\t[\"z\"]"},
      {"bytes pass unchanged", {"M\xFCnchen", "\xC3\xA4"}, {}, "M\xFCnchen,\xC3\xA4"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(BuildTextExportLine(c.fields, c.options), c.line) << c.name;
  }
}

TEST(TextExport, WholeFileWithHeaderFooterAndCrLf) {
  TextExportOptions options;
  options.fileHeader = "  Name,Make \t";
  options.fileFooter = "end";
  EXPECT_EQ(TextExportToString({{"a.jpg", "Canon"}, {"b.jpg", "Nikon"}}, options),
            "Name,Make\r\na.jpg,Canon\r\nb.jpg,Nikon\r\nend\r\n");
  options.fileHeader = " \t\r\n";  // only blanks: no header line
  options.fileFooter = "";
  options.lineEnd = "\n";
  EXPECT_EQ(TextExportToString({{"a.jpg"}}, options), "a.jpg,\n");
}

TEST(TextExport, WriterCountsRowLinesOnly) {
  std::ostringstream out;
  TextExportOptions options;
  options.fileHeader = "head";
  options.fileFooter = "foot";
  orvalis::TextExportWriter writer(out, options);
  writer.WriteHeader();
  writer.WriteRow({"a"});
  writer.WriteRow({"b"});
  writer.WriteFooter();
  EXPECT_EQ(writer.RowCount(), 2u);
}

TEST(TextExport, FileIsReplacedAndMatchesTheStringForm) {
  const ScratchFolder folder;
  const std::string path =
      folder.Write("export.txt", "an older and much longer file that must disappear completely");
  TextExportOptions options;
  options.fileHeader = "h";
  const std::vector<std::vector<std::string>> rows = {{"a.jpg", "x"}, {"b.jpg", "y\""}};
  const auto result = orvalis::WriteTextExportFile(path, rows, options);
  EXPECT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.rowCount, 2u);
  EXPECT_EQ(ReadFileBytes(path), TextExportToString(rows, options));
}

TEST(TextExport, FileErrorsCarryTheSystemMessage) {
  const struct {
    const char* path;
    const char* error;
  } cases[] = {
      {"/nonexistent-folder/export.txt", "No such file"},
      // A device of the name is refused, never replaced by a regular file.
      {"/dev/null", "not a regular file"},
  };
  for (const auto& c : cases) {
    const auto result = orvalis::WriteTextExportFile(c.path, {{"a"}}, TextExportOptions{});
    EXPECT_FALSE(result.ok()) << c.path;
    EXPECT_EQ(result.rowCount, 0u) << c.path;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
  }
  struct stat status {};
  ASSERT_EQ(::stat("/dev/null", &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));
}

}  // namespace
}  // namespace orvalis::test
