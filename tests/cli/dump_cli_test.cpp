// orvalis-cli --dump from outside: line format, escaping, merged lists,
// non-JPEGs, unreadable files and exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/fixtures.h"
#include "cli_spawn.h"

namespace orvalis::test {
namespace {

TEST(DumpCli, LinesInStoreOrder) {
  const Bytes iptc = Concat({Dataset(25, "sun"), Dataset(25, "beach"), Dataset(120, "tab\there")});
  TiffBuilder tiff{Order{true}};
  tiff.exif = {{33437, 5, 1, tiff.order.Rational(28, 10)}, {37510, 7, 8, Bytes(8, 0)}};
  const std::string path =
      WriteFile("dump.jpg", JpegFile({Segment(0xFE, Text(std::string("a\\b\r\n\x01\x7f\xe9", 8))),
                                      Segment(0xE1, ExifPayload(tiff)), Segment(0xED, iptc)}));
  const std::string text = WriteFile("dump.txt", Text("not a photo"));

  const CliRun plain = RunCli({"--dump", path, text});
  EXPECT_EQ(plain.exit, 0);
  std::vector<std::string> lines;
  for (std::size_t at = 0, nl; (nl = plain.out.find('\n', at)) != std::string::npos; at = nl + 1)
    lines.push_back(plain.out.substr(at, nl - at));
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "# " + path);
  EXPECT_EQ(lines[1], "2\t2\tFullname\t2\t" + path + "\t" + path);
  const auto has = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(
      has("2\t1\tJpgComment\t2\ta\\\\b\\r\\n\\x01\\x7F\xC3\xA9\ta\\\\b\\r\\n\\x01\\x7F\xC3\xA9"));
  EXPECT_TRUE(has("3\t33437\tFNumber\t1\t2.8\t2.8"));
  EXPECT_TRUE(has("3\t37510\tUserComment\t2\t\t"));
  EXPECT_TRUE(has("5\t25\tKeywords\t2\tsun\tsun"));
  EXPECT_TRUE(has("5\t120\tCaption\t2\ttab\\there\ttab\\there"));
  EXPECT_EQ(lines[lines.size() - 2], "# " + text);
  EXPECT_EQ(lines.back(), "! not a photo file");

  const CliRun merged = RunCli({"--dump", "--merged", path});
  EXPECT_EQ(merged.exit, 0);
  EXPECT_NE(merged.out.find("5\t25\tKeywords\t2\tsun;beach\tsun;beach\n"), std::string::npos);
  EXPECT_EQ(merged.out.find("5\t25\tKeywords\t2\tsun\t"), std::string::npos);
}

// What the reader passed over is named after the entries, before the error
// that ended the file.
TEST(DumpCli, DroppedItemsAfterTheEntries) {
  TiffBuilder tiff{Order{false}};
  tiff.first = {{271, 2, 5, Text(std::string("Sony\0", 5))},
                {282, 5, 1, tiff.order.Rational(0, 0)}};
  const Bytes exif = Segment(0xE1, ExifPayload(tiff));
  const Bytes xmp = Segment(0xE1, Text("http://ns.adobe.com/xap/1.0/"));
  const std::string path =
      WriteFile("dropped.jpg", Concat({Bytes{0xFF, 0xD8}, xmp, Bytes{0x00, 0x01, 0x02}, exif,
                                       Bytes{0xFF, 0xE2, 0x10, 0x00}}));
  const CliRun run = RunCli({"--dump", path});
  EXPECT_EQ(run.exit, 1);
  const std::string tail =
      "3\t271\tMake\t2\tSony\tSony\n"
      "! APP1 segment at offset 2: not an Exif segment\n"
      "! 3 bytes that are no marker at offset " +
      std::to_string(2 + xmp.size()) +
      "\n"
      "! EXIF entry XResolution (282): invalid floating point operation\n"
      "! read past the end of the file\n";
  EXPECT_GE(run.out.size(), tail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - std::min(run.out.size(), tail.size())), tail);
}

TEST(DumpCli, FailuresAndUsage) {
  const std::string cut = WriteFile(
      "dump_cut.jpg",
      Concat({Bytes{0xFF, 0xD8}, Segment(0xFE, Text("c")), Bytes{0xFF, 0xE2, 0x10, 0x00}}));
  const CliRun bad = RunCli({"--dump", cut, ScratchDir() + "/missing.jpg"});
  EXPECT_EQ(bad.exit, 1);
  EXPECT_NE(bad.out.find("2\t1\tJpgComment\t2\tc\tc\n! "), std::string::npos);
  EXPECT_NE(bad.out.find("# " + ScratchDir() + "/missing.jpg\n! "), std::string::npos);
  EXPECT_EQ(RunCli({"--dump"}).exit, 2);
  EXPECT_EQ(RunCli({"--dump", "--merged"}).exit, 2);
}

// The dump of every bundled sample photo, as checked in beside the samples in
// samples/golden/. The folder of the samples and the file dates depend on the
// machine and the checkout; they are written as <samples> and <date>.
// ORVALIS_UPDATE_GOLDEN=1 writes the files instead of comparing.
std::string MachineFree(const std::string& dump, const std::string& samples) {
  std::istringstream in(dump);
  std::string out, line;
  while (std::getline(in, line)) {
    for (std::size_t at; (at = line.find(samples)) != std::string::npos;)
      line.replace(at, samples.size(), "<samples>");
    if (line.rfind("2\t4\tFileDateCreated\t3\t", 0) == 0 ||
        line.rfind("2\t5\tFileDateModified\t3\t", 0) == 0)
      line = line.substr(0, line.find("\t3\t") + 3) + "<date>\t<date>";
    out += line + "\n";
  }
  return out;
}

TEST(DumpCli, SamplesMatchTheirGoldenDumps) {
  namespace fs = std::filesystem;
  const fs::path samples = fs::path(ORVALIS_SOURCE_DIR) / "samples";
  const bool update = std::getenv("ORVALIS_UPDATE_GOLDEN") != nullptr;
  std::vector<fs::path> photos;
  for (const auto& item : fs::recursive_directory_iterator(samples))
    if (item.is_regular_file() && item.path().extension() == ".jpg") photos.push_back(item.path());
  std::sort(photos.begin(), photos.end());
  ASSERT_FALSE(photos.empty());
  for (const fs::path& photo : photos) {
    const fs::path relative = photo.lexically_relative(samples);
    SCOPED_TRACE(relative.string());
    const CliRun run = RunCli({"--dump", photo.string()});
    EXPECT_EQ(run.exit, 0);
    const std::string dump = MachineFree(run.out, samples.string());
    fs::path golden = samples / "golden" / relative;
    golden.replace_extension(".dump");
    if (update) {
      fs::create_directories(golden.parent_path());
      std::ofstream(golden, std::ios::binary) << dump;
      continue;
    }
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in) << "no golden dump " << golden << " (ORVALIS_UPDATE_GOLDEN=1 writes it)";
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(dump, expected.str());
  }
}

}  // namespace
}  // namespace orvalis::test
