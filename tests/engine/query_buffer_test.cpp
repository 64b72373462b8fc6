// The query buffer and its list file: reading every kind of line, sorted
// writing, the file replaced whole, and hostile content.
#include "engine/query_buffer.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

namespace orvalis::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::pair<std::string, std::string>> Pairs(const tQueryBuffer& buffer) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const tQueryBufferEntry& entry : buffer.Entries())
    pairs.emplace_back(entry.Name, entry.Stored);
  return pairs;
}

TEST(QueryBuffer, ReadingLines) {
  struct tCase {
    const char* Name;
    std::string File;
    std::vector<std::pair<std::string, std::string>> Entries;
  };
  // clang-format off
  const tCase cases[] = {
      {"name and two lines joined by |", "Urlaub=SELECT Name|FROM *.jpg\r\n",
       {{"Urlaub", "SELECT Name|FROM *.jpg"}}},
      {"a plain fifth line is Query #4; blank and comment lines count",
       "a=1\r\n\r\n; note\r\n   \r\nSELECT x FROM y\r\n",
       {{"a", "1"}, {"Query #4", "SELECT x FROM y"}}},
      {"name trimmed, text after the first =", "  spaced  =a == b\r\n", {{"spaced", "a == b"}}},
      {"sorted by name without regard to case", "b=2\nC=3\nA=1\n", {{"A", "1"}, {"b", "2"}, {"C", "3"}}},
      {"a comment after leading blanks", "  ;x=1\r\n", {}},
      {"a last line without line end", "k=v", {{"k", "v"}}},
      {"bytes that are no UTF-8 and a zero byte are kept",
       std::string("n\xE4me=t\0x\xFF", 10), {{"n\xE4me", std::string("t\0x\xFF", 4)}}},
  };
  // clang-format on
  for (const tCase& c : cases) {
    tQueryBuffer buffer;
    buffer.ReadText(c.File);
    EXPECT_EQ(Pairs(buffer), c.Entries) << c.Name;
  }
}

TEST(QueryBuffer, WritingSortsWholeLinesWithCrLf) {
  tQueryBuffer buffer;
  buffer.ReadText("zeta=1\r\nAlpha=x|y\r\nbeta=2\r\n");
  EXPECT_EQ(buffer.WriteText(), "Alpha=x|y\r\nbeta=2\r\nzeta=1\r\n");
  // Read back, nothing changes.
  tQueryBuffer again;
  again.ReadText(buffer.WriteText());
  EXPECT_EQ(Pairs(again), Pairs(buffer));
}

TEST(QueryBuffer, LineBreaksBecomeBarsAndBack) {
  EXPECT_EQ(StoredQueryText("SELECT a\r\nFROM b\nWHERE c\rX"), "SELECT a|FROM b|WHERE c|X");
  EXPECT_EQ(RecalledQueryText("a|b||c"), "a\r\nb\r\n\r\nc");
}

TEST(QueryBuffer, PutFindRemove) {
  tQueryBuffer buffer;
  EXPECT_EQ(buffer.Put("b", "2"), 0);
  EXPECT_EQ(buffer.Put("a", "1"), 0);
  EXPECT_EQ(buffer.Put("C", "3"), 2);
  // An existing name, in other letter case, gets the new text in its place.
  EXPECT_EQ(buffer.Put("B", "new"), 1);
  EXPECT_EQ(Pairs(buffer), (std::vector<std::pair<std::string, std::string>>{
                               {"a", "1"}, {"b", "new"}, {"C", "3"}}));
  EXPECT_EQ(buffer.Find("c"), 2);
  EXPECT_EQ(buffer.Find("d"), -1);
  buffer.Remove(0);
  buffer.Remove(7);
  EXPECT_EQ(buffer.Size(), 2u);
  EXPECT_EQ(buffer.Find("b"), 0);
}

class QueryBufferFile : public ::testing::Test {
 protected:
  std::string Read() const { return ReadFileBytes(path); }

  ScratchFolder scratch;
  const fs::path folder = scratch.Path();
  const std::string path = scratch.File("Querylist.txt");
};

TEST_F(QueryBufferFile, MissingFileEmptyBufferAndReplacement) {
  tQueryBuffer buffer;
  EXPECT_TRUE(buffer.Load(path));
  EXPECT_TRUE(buffer.Empty());
  // Empty: the file is left untouched, here not made.
  EXPECT_TRUE(buffer.Save(path));
  EXPECT_FALSE(fs::exists(path));

  WriteFileBytes(path, "old=1\r\n");
  buffer.Put("new", "2");
  EXPECT_TRUE(buffer.Save(path));
  EXPECT_EQ(Read(), "new=2\r\n");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  tQueryBuffer loaded;
  EXPECT_TRUE(loaded.Load(path));
  EXPECT_EQ(Pairs(loaded), Pairs(buffer));
}

TEST_F(QueryBufferFile, FailuresKeepTheOldFileAndSayWhy) {
  WriteFileBytes(path, "old=1\r\n");
  tQueryBuffer buffer;
  buffer.Put("a", "b");
  std::string error;
  EXPECT_FALSE(buffer.Save((folder / "missing" / "Querylist.txt").string(), &error));
  EXPECT_FALSE(error.empty());
  // A folder in place of the file cannot be read as a list.
  error.clear();
  EXPECT_FALSE(buffer.Load(folder.string(), &error));
  EXPECT_EQ(Read(), "old=1\r\n");
}

TEST_F(QueryBufferFile, FarTooLargeFileIsRefusedWhole) {
  WriteFileBytes(path, "a=1\r\n" + std::string(17u * 1024u * 1024u, 'x'));
  tQueryBuffer buffer;
  std::string error;
  EXPECT_FALSE(buffer.Load(path, &error));
  EXPECT_TRUE(buffer.Empty());
  EXPECT_FALSE(error.empty());
}

TEST_F(QueryBufferFile, OverlongLineIsReadWithoutHarm) {
  const std::string longText(3'000'000, 'x');
  WriteFileBytes(path, "big=" + longText + "\r\nsmall=1\r\n");
  tQueryBuffer buffer;
  EXPECT_TRUE(buffer.Load(path));
  ASSERT_EQ(buffer.Size(), 2u);
  EXPECT_EQ(buffer.Entries()[0].Stored.size(), longText.size());
}

}  // namespace
}  // namespace orvalis::test
