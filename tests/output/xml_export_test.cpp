#include "output/xml_export.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "metadata/image_metadata.h"
#include "support/fixtures.h"
#include "support/scratch.h"

namespace orvalis::test {
namespace {

namespace fs = std::filesystem;

const std::string kSamples = ORVALIS_SOURCE_DIR "/samples";

std::string Export(const std::vector<std::string>& files, XmlExportOptions options = {}) {
  std::ostringstream out;
  XmlExportWriter writer(out, std::move(options));
  writer.WriteHeader();
  for (const std::string& file : files) writer.WriteFile(file);
  writer.WriteFooter();
  return out.str();
}

std::string IptcBlock(const std::string& file) {
  tImageMetaData store;
  store.ReadJpegFile(file);
  return GetMetaDirAsXml(store, 5, "iptcdata", false);
}

// ---- pure text rules -------------------------------------------------------

TEST(XmlExportFileName, AppendsXmlOnlyWithoutAnyPoint) {
  const std::pair<const char*, const char*> cases[] = {
      {"export", "export.xml"},
      {"export.txt", "export.txt"},
      {"/home/me/fotos.2024/export", "/home/me/fotos.2024/export"},
      {"/home/me/export", "/home/me/export.xml"},
      {"export.", "export."},
  };
  for (const auto& [typed, name] : cases) EXPECT_EQ(XmlExportFileName(typed), name) << typed;
}

TEST(XmlRootElementName, TrimmedLowerCaseAndAlwaysAName) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "files"},
      {"   ", "files"},
      {"Files", "files"},
      {"  Photos\t", "photos"},
      {"my root", "my_root"},  // a blank would end the name
      {"<x>", "_x_"},          // the dialog asks for no angle brackets
      {"2024", "_2024"},       // a name cannot start with a digit
      {"a:b", "a_b"},          // no namespace prefix
      {"fotos-2024.v1", "fotos-2024.v1"},
      {"\xC3\x9C"
       "bersicht",
       "\xC3\x9C"
       "bersicht"},  // letters beyond ASCII stay
      {"a\x01z", "a_z"},
  };
  for (const auto& [typed, name] : cases) EXPECT_EQ(XmlRootElementName(typed), name) << typed;
}

TEST(XmlText, CharactersCDataAndAttributes) {
  const std::string fffd = "\xEF\xBF\xBD";
  // XmlCharacters: not UTF-8 -> Windows-1252; forbidden characters -> U+FFFD.
  EXPECT_EQ(XmlCharacters("Gr\xFC\xDF"
                          "e"),
            "Gr\xC3\xBC\xC3\x9F"
            "e");
  EXPECT_EQ(XmlCharacters("Gr\xC3\xBC\xC3\x9F"
                          "e"),
            "Gr\xC3\xBC\xC3\x9F"
            "e");
  EXPECT_EQ(XmlCharacters(std::string("a\0b\x1F\x7F", 5)), "a" + fffd + "b" + fffd + "\x7F");
  EXPECT_EQ(XmlCharacters("tab\there\r\nline"), "tab\there\r\nline");
  EXPECT_EQ(XmlCharacters("x\xEF\xBF\xBEy\xEF\xBF\xBFz"), "x" + fffd + "y" + fffd + "z");

  // A "]]>" is split between two sections.
  EXPECT_EQ(XmlCDataSection("plain"), "<![CDATA[plain]]>");
  EXPECT_EQ(XmlCDataSection("a]]>b"), "<![CDATA[a]]]]><![CDATA[>b]]>");
  EXPECT_EQ(XmlCDataSection("]]>]]>"), "<![CDATA[]]]]><![CDATA[>]]]]><![CDATA[>]]>");
  EXPECT_EQ(XmlCDataSection("]]]>"), "<![CDATA[]]]]]><![CDATA[>]]>");

  EXPECT_EQ(XmlAttributeValue("R&D <1> \"x\".jpg"), "R&amp;D &lt;1> &quot;x&quot;.jpg");
  EXPECT_EQ(XmlAttributeValue("a\tb\nc\rd\x02.jpg"), "a&#9;b&#10;c&#13;d" + fffd + ".jpg");
  EXPECT_EQ(XmlAttributeValue("K\xE4se.jpg"), "K\xC3\xA4se.jpg");
}

// ---- directory blocks ------------------------------------------------------

TEST(GetMetaDirAsXml, RepeatedKeywordsAreEntriesOfTheirOwnAndCaptionIsUtf8) {
  const ScratchFolder dir;
  const std::string file = dir.File("keywords.jpg");
  WriteFileBytes(file, IptcJpeg({{25, "Berge"},
                                 {25, "See"},
                                 {25, "Urlaub"},
                                 {25, "Fr\xFChling"},
                                 {120,
                                  "  Gr\xFC\xDF"
                                  "e aus M\xFCnchen  "}}));
  EXPECT_EQ(
      IptcBlock(file),
      "      <iptcdata>\r\n"
      "         <metainfo tagname=\"keywords\"><cdata><![CDATA[Berge]]></cdata></metainfo>\r\n"
      "         <metainfo tagname=\"keywords\"><cdata><![CDATA[See]]></cdata></metainfo>\r\n"
      "         <metainfo tagname=\"keywords\"><cdata><![CDATA[Urlaub]]></cdata></metainfo>\r\n"
      "         <metainfo tagname=\"keywords\"><cdata><![CDATA[Fr\xC3\xBChling]]></cdata></metainfo>\r\n"
      "         <metainfo tagname=\"caption\"><cdata><![CDATA[Gr\xC3\xBC\xC3\x9F"
      "e aus "
      "M\xC3\xBCnchen]]></cdata></metainfo>\r\n"
      "      </iptcdata>");
}

TEST(GetMetaDirAsXml, HostileTextsStayWellFormed) {
  const ScratchFolder dir;
  const std::string file = dir.File("hostile.jpg");
  WriteFileBytes(file, IptcJpeg({{120, "end ]]> here"},
                                 {25, std::string("nul\0bell\x07", 9) + "x"},
                                 {9, "</metainfo><!--"}}));
  tImageMetaData store;
  store.ReadJpegFile(file);
  EXPECT_EQ(
      GetMetaDirAsXml(store, 5, "iptcdata", true, "\n"),
      "      <iptcdata>\n"
      "         <metainfo tagid=\"120\"><cdata><![CDATA[end ]]]]><![CDATA[> here]]></cdata></metainfo>\n"
      "         <metainfo tagid=\"25\"><cdata><![CDATA[nul\xEF\xBF\xBD"
      "bell\xEF\xBF\xBDx]]></cdata>"
      "</metainfo>\n"
      "         <metainfo tagid=\"9\"><cdata><![CDATA[</metainfo><!--]]></cdata></metainfo>\n"
      "      </iptcdata>");
  // A tag without a name in the tables is named by its hexadecimal number.
  EXPECT_NE(GetMetaDirAsXml(store, 5, "iptcdata", false).find("<metainfo tagname=\"0x0009\">"),
            std::string::npos);
}

TEST(GetMetaDirAsXml, EmptyDirectoryHasNothingBetweenItsLines) {
  const ScratchFolder dir;
  const std::string file = dir.File("bare.jpg");
  WriteFileBytes(file, "\xFF\xD8\xFF\xD9");
  tImageMetaData store;
  store.ReadJpegFile(file);
  EXPECT_EQ(GetMetaDirAsXml(store, 5, "iptcdata", false), "      <iptcdata>\r\n      </iptcdata>");
  EXPECT_EQ(GetMetaDirAsXml(store, 6, "gpsdata", false, "\n"), "      <gpsdata>\n      </gpsdata>");
}

TEST(GetMetaDirAsXml, LongCaptionIsWrittenWhole) {
  const ScratchFolder dir;
  const std::string file = dir.File("long.jpg");
  const std::string caption = std::string(300, 'c') + " end";
  WriteFileBytes(file, IptcJpeg({{120, caption}}));
  EXPECT_EQ(IptcBlock(file),
            "      <iptcdata>\r\n         <metainfo tagname=\"caption\"><cdata><![CDATA[" +
                caption + "]]></cdata></metainfo>\r\n      </iptcdata>");
}

TEST(GetMetaDirAsXml, ExposureTimeByNameOrNumber) {
  tImageMetaData store;
  store.ReadJpegFile(kSamples + "/canon_eos_40d.jpg");
  const std::string byName = GetMetaDirAsXml(store, 3, "exifdata", false);
  const std::string byNumber = GetMetaDirAsXml(store, 3, "exifdata", true);
  EXPECT_NE(byName.find("         <metainfo tagname=\"exposuretime\">"), std::string::npos)
      << byName;
  EXPECT_NE(byNumber.find("         <metainfo tagid=\"33434\">"), std::string::npos) << byNumber;
  EXPECT_EQ(byNumber.find("tagname="), std::string::npos);
  // Numbers are written bare, not in a CDATA section.
  EXPECT_NE(byName.find("<metainfo tagname=\"isospeedrating\">400</metainfo>"), std::string::npos)
      << byName;
}

TEST(GetMetaDirAsXml, DateThatIsNoCalendarDateEndsTheDirectory) {
  // A modification time in the year 12000 passes the file system and the
  // reader but is no date the export can write. tmpfs keeps such times.
  if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm";
  const ScratchFolder dir("/dev/shm");
  const std::string file = dir.File("future.jpg");
  fs::copy_file(kSamples + "/nikon_d70.jpg", file);
  const struct timespec times[2] = {{0, UTIME_OMIT}, {316521388800, 0}};  // 12000-03-01
  struct stat status {};
  if (utimensat(AT_FDCWD, file.c_str(), times, 0) != 0 || stat(file.c_str(), &status) != 0 ||
      status.st_mtime != 316521388800)
    GTEST_SKIP() << "the file system cannot keep a time in the year 12000";

  tImageMetaData store;
  store.ReadJpegFile(file);
  const std::string block = GetMetaDirAsXml(store, 2, "filedata", false);
  EXPECT_NE(block.find(
                "         <metainfo tagname=\"filedatemodified\"><!-- exception during xml export: "
                "Invalid argument to date encode --></metainfo>\r\n      </filedata>"),
            std::string::npos)
      << block;
  // The comment and the picture size come after the dates: skipped.
  EXPECT_EQ(block.find("jpgcomment"), std::string::npos) << block;
  EXPECT_EQ(block.find("pixelsx"), std::string::npos) << block;
}

// ---- documents -------------------------------------------------------------

TEST(XmlExportWriter, DocumentLayout) {
  XmlExportOptions options;
  options.rootElement = " Fotos ";
  const std::string doc = Export({kSamples + "/with_comment.jpg"}, options);
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
      "<fotos>\r\n"
      "   <file name=\"with_comment.jpg\">\r\n"
      "      <filedata>\r\n"
      "         <metainfo tagname=\"fullname\"><cdata><![CDATA[";
  EXPECT_EQ(doc.substr(0, head.size()), head);
  // The seven directories in their order, each closed before the next opens.
  std::size_t at = 0;
  for (const char* element :
       {"filedata", "app0data", "exifdata", "thumbdata", "iptcdata", "gpsdata", "xmpdata"}) {
    const std::size_t open = doc.find("\r\n      <" + std::string(element) + ">\r\n", at);
    ASSERT_NE(open, std::string::npos) << element;
    at = doc.find("\r\n      </" + std::string(element) + ">\r\n", open);
    ASSERT_NE(at, std::string::npos) << element;
  }
  const std::string tail = "      <xmpdata>\r\n      </xmpdata>\r\n   </file>\r\n</fotos>\r\n";
  ASSERT_GE(doc.size(), tail.size());
  EXPECT_EQ(doc.substr(doc.size() - tail.size()), tail);
  // Dates as year-month-dayThh:mm:ss.mmm.
  EXPECT_NE(doc.find("<metainfo tagname=\"filedatemodified\">"), std::string::npos);
  const std::size_t date = doc.find("<metainfo tagname=\"filedatemodified\">") + 37;
  const std::string value = doc.substr(date, 23);
  EXPECT_TRUE(value[4] == '-' && value[7] == '-' && value[10] == 'T' && value[13] == ':' &&
              value[16] == ':' && value[19] == '.')
      << value;
}

TEST(XmlExportWriter, LineEndAppliesToEveryLineBreak) {
  XmlExportOptions options;
  options.lineEnd = "\n";
  const std::string doc =
      Export({kSamples + "/canon_eos_40d.jpg", kSamples + "/fujifilm_x100.jpg"}, options);
  EXPECT_EQ(doc.find('\r'), std::string::npos);
  options.lineEnd = "\r\n";
  const std::string crlf =
      Export({kSamples + "/canon_eos_40d.jpg", kSamples + "/fujifilm_x100.jpg"}, options);
  std::string lf;
  for (std::size_t i = 0; i < crlf.size(); ++i)
    if (!(crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n')) lf += crlf[i];
  EXPECT_EQ(doc, lf);
}

TEST(XmlExportWriter, FileNameWithoutFolderAsUtf8WithEntities) {
  const ScratchFolder dir;
  const std::string file = dir.File("R&D <\"K\xE4se\">.jpg");
  fs::copy_file(kSamples + "/no_metadata.jpg", file);
  const std::string doc = Export({file});
  EXPECT_NE(doc.find("\r\n   <file name=\"R&amp;D &lt;&quot;K\xC3\xA4se&quot;>.jpg\">\r\n"),
            std::string::npos)
      << doc;
}

TEST(WriteXmlExportFile, ReplacesTheFileAndCountsFiles) {
  const ScratchFolder dir;
  const std::string target = dir.File("export.xml");
  WriteFileBytes(target, std::string(100000, 'x'));
  const std::vector<std::string> files = {kSamples + "/canon_eos_40d.jpg",
                                          kSamples + "/sony_a7.jpg"};
  const auto result = WriteXmlExportFile(target, files, XmlExportOptions{});
  EXPECT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(result.fileCount, 2u);
  EXPECT_EQ(ReadFileBytes(target), Export(files));
}

TEST(WriteXmlExportFile, UnreadableFileEndsTheExportWithItsMessage) {
  const ScratchFolder dir;
  const std::string target = dir.File("export.xml");
  const auto result = WriteXmlExportFile(
      target, {kSamples + "/sony_a7.jpg", dir.File("gone.jpg"), kSamples + "/nikon_d70.jpg"}, {});
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.error.rfind(dir.File("gone.jpg") + ": ", 0), 0u) << "names where it stopped";
  EXPECT_NE(result.error.find("No such file or directory"), std::string::npos) << result.error;
  EXPECT_EQ(result.fileCount, 1u);
  // What came before stays, closed there; nothing of the unreadable file or after it.
  EXPECT_EQ(ReadFileBytes(target), Export({kSamples + "/sony_a7.jpg"}));

  const auto unwritable = WriteXmlExportFile(dir.File("no/such/folder/x.xml"), {}, {});
  EXPECT_FALSE(unwritable.ok());
  EXPECT_EQ(unwritable.fileCount, 0u);
}

// A photo that ends inside a marker header after its metadata: a search
// finds it with what was read, so its element holds that.
TEST(XmlExportWriter, PhotoDamagedAfterItsMetadataIsWrittenWithWhatWasRead) {
  const ScratchFolder dir;
  const std::string whole = MiniJpeg({"Canon", std::nullopt, "Kirche"});
  const std::string cut = dir.File("cut.jpg");
  WriteFileBytes(cut, whole.substr(0, whole.size() - 1));
  std::ostringstream out;
  XmlExportWriter writer(out, {});
  EXPECT_NE(writer.WriteFile(cut), "");
  EXPECT_EQ(writer.FileCount(), 1u);
  EXPECT_NE(out.str().find("<file name=\"cut.jpg\">"), std::string::npos);
  EXPECT_NE(out.str().find("<![CDATA[Canon]]>"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("<![CDATA[Kirche]]>"), std::string::npos) << out.str();
}

// ---- a real XML parser over real photos ------------------------------------

TEST(XmlExportWellFormed, EveryCorpusAndSamplePhotoPassesXmllint) {
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xmllint is not installed (scripts/setup.sh installs it)";
  std::vector<std::string> files;
  const fs::path corpus = fs::path(ORVALIS_CORPUS_DIR) / "exif-samples";
  if (fs::is_directory(corpus)) {
    for (const auto& item : fs::recursive_directory_iterator(corpus)) {
      const std::string ext = item.path().extension().string();
      if (item.is_regular_file() &&
          (ext == ".jpg" || ext == ".JPG" || ext == ".jpeg" || ext == ".JPEG"))
        files.push_back(item.path().string());
    }
  } else {
    std::printf("note: %s is absent; only the bundled samples are checked\n", corpus.c_str());
  }
  for (const auto& item : fs::recursive_directory_iterator(kSamples))
    if (item.is_regular_file() && item.path().extension() == ".jpg")
      files.push_back(item.path().string());

  const ScratchFolder dir;
  // Hostile texts and a file name with control characters and bytes that are
  // not UTF-8.
  const std::string hostile = dir.File(std::string("bad\x01\x7F\xFF\xFE name\t&\n.jpg"));
  WriteFileBytes(hostile, IptcJpeg({{120, "a]]>b]]]>c\x01\x02\x1B[0m\xFF\xFE"},
                                    {25, std::string("k\0", 2)},
                                    {80, "\xEF\xBF\xBE\xEF\xBF\xBF<&>"}}));
  files.push_back(hostile);

  std::size_t checked = 0;
  for (const std::string& file : files) {
    for (const bool asNumbers : {false, true}) {
      XmlExportOptions options;
      options.tagsAsNumbers = asNumbers;
      const std::string target = dir.File("export.xml");
      const auto result = WriteXmlExportFile(target, {file}, options);
      if (!result.ok()) {
        // A file that ends inside a marker header cannot be exported; the
        // document then stops, as the export does.
        std::printf("note: %s not exported: %s\n", file.c_str(), result.error.c_str());
        continue;
      }
      const std::string command = "xmllint --noout '" + target + "' 2>&1";
      EXPECT_EQ(std::system(command.c_str()), 0) << file << (asNumbers ? " (numbers)" : " (names)");
      ++checked;
    }
  }
  EXPECT_GT(checked, 2 * 12u);
  std::printf("xmllint accepted the export of %zu of %zu files (names and numbers)\n", checked / 2,
              files.size());
}

}  // namespace
}  // namespace orvalis::test
