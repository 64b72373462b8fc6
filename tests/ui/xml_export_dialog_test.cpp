// The XML export through its dialog: the file name rule on "OK", the root
// element and tag naming, selected rows, files compared with the shared
// writer's, well-formed documents for the photo corpus, and a file that went
// missing since the query.
#include "output/xml_export.h"
#include "ui/main_window.h"
#include "ui/xml_export_dialog.h"
#include "support/fixtures.h"
#include "support/scratch.h"
#include "ui_test_support.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>

namespace orvalis::test {
namespace {

const QString kSamples = QStringLiteral(ORVALIS_SOURCE_DIR "/samples");

class XmlExportTest : public TExportTest {
 protected:
  void SetUp() override {
    TExportTest::SetUp();
    target = folder.filePath(QStringLiteral("out.xml"));
    window->Results().PrepareResultList(160, 120);
    window->Results().AddColumn("Name");
  }

  void AddFiles(const QStringList& paths) {
    for (const QString& path : paths) {
      window->Results().SetCell(window->Results().AddFileToResultlist(path.toStdString()), 0,
                                QFileInfo(path).fileName().toStdString());
    }
  }

  QString WritePhoto(const char* name, const std::string& bytes) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    WriteFileBytes(path.toStdString(), bytes);
    return path;
  }

  void Export(const std::function<void(TfrmExportXML&)>& settings = {}) {
    RunExport<TfrmExportXML>("actExportXML", settings);
  }
};

TEST_F(XmlExportTest, IptcDirectoryOfEachPhoto) {
  struct tCase {
    const char* Name;
    std::string Jpeg;
    std::string Expected;
  };
  const tCase cases[] = {
      {"no IPTC: an empty directory", IptcJpeg({}), "      <iptcdata>\r\n      </iptcdata>\r\n"},
      {"four keywords are four entries",
       IptcJpeg({{25, "Berge"}, {25, "See"}, {25, "Urlaub"}, {25, "Wald"}}),
       "      <iptcdata>\r\n"
       "         <metainfo tagname=\"keywords\"><cdata><![CDATA[Berge]]></cdata></metainfo>\r\n"
       "         <metainfo tagname=\"keywords\"><cdata><![CDATA[See]]></cdata></metainfo>\r\n"
       "         <metainfo tagname=\"keywords\"><cdata><![CDATA[Urlaub]]></cdata></metainfo>\r\n"
       "         <metainfo tagname=\"keywords\"><cdata><![CDATA[Wald]]></cdata></metainfo>\r\n"
       "      </iptcdata>\r\n"},
      {"umlauts of a code page caption in UTF-8",
       IptcJpeg({{120,
                  "Gr\xFC\xDF"
                  "e aus M\xFCnchen"}}),
       "      <iptcdata>\r\n"
       "         <metainfo tagname=\"caption\"><cdata><![CDATA[Gr\xC3\xBC\xC3\x9F"
       "e aus M\xC3\xBCnchen]]></cdata></metainfo>\r\n"
       "      </iptcdata>\r\n"},
  };
  for (const tCase& c : cases) {
    SCOPED_TRACE(c.Name);
    window->Results().PrepareResultList(160, 120);
    window->Results().AddColumn("Name");
    AddFiles({WritePhoto("photo.jpg", c.Jpeg)});
    Export();
    const std::string written = Written();
    EXPECT_NE(written.find(c.Expected), std::string::npos) << written;
    EXPECT_NE(written.find("      <gpsdata>\r\n      </gpsdata>\r\n"), std::string::npos);
  }
}

// Every corpus photo and every sample in one export: the same bytes as the
// writer the command line uses, and a document an XML reader accepts whole.
TEST_F(XmlExportTest, CorpusExportIsTheWritersDocumentAndWellFormed) {
  QStringList paths;
  for (const QString& root : {QStringLiteral(ORVALIS_SOURCE_DIR "/../shared/corpus"), kSamples}) {
    QDirIterator it(root, {QStringLiteral("*.jpg"), QStringLiteral("*.JPG")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) paths.append(it.next());
  }
  paths.sort();
  ASSERT_GT(paths.size(), 10);
  // A copy cut inside the marker header after its first segment: damaged
  // after its metadata, a hit with what was read.
  QFile sample(kSamples + QStringLiteral("/canon_eos_40d.jpg"));
  ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
  const QByteArray bytes = sample.readAll();
  const int firstSegmentEnd =
      4 + (static_cast<unsigned char>(bytes[4]) << 8 | static_cast<unsigned char>(bytes[5]));
  paths.append(WritePhoto("cut.jpg", bytes.left(firstSegmentEnd + 1).toStdString()));
  AddFiles(paths);
  Export();

  std::vector<std::string> files;
  for (const QString& path : paths) files.push_back(path.toStdString());
  const QString reference = folder.filePath(QStringLiteral("reference.xml"));
  const XmlExportResult result =
      WriteXmlExportFile(reference.toStdString(), files, XmlExportOptions());
  QFile referenceFile(reference);
  ASSERT_TRUE(referenceFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(Written(), referenceFile.readAll().toStdString());

  EXPECT_TRUE(result.ok()) << result.error;
  EXPECT_EQ(
      dialogs.messages,
      QStringList{QStringLiteral("%1 Zeilen in %2 gespeichert.").arg(paths.size()).arg(target)});
  QXmlStreamReader reader(QByteArray::fromStdString(Written()));
  int fileElements = 0;
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement &&
        reader.name() == QStringLiteral("file")) {
      ++fileElements;
    }
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString() << " at line "
                                  << reader.lineNumber();
  EXPECT_EQ(fileElements, paths.size());
}

TEST_F(XmlExportTest, FileNameRuleOnOk) {
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("/tmp/out"), QStringLiteral("/tmp/out.xml")},
      {QStringLiteral("export.txt"), QStringLiteral("export.txt")},
      {QStringLiteral("/tmp/a.b/out"), QStringLiteral("/tmp/a.b/out")},
  };
  TfrmExportXML& form = *window->ExportXMLDialog();
  for (const auto& [typed, kept] : cases) {
    form.edtFilename->setText(typed);
    form.accept();
    EXPECT_EQ(form.edtFilename->text(), kept) << typed.toStdString();
  }
}

TEST_F(XmlExportTest, RootElementTagNumbersAndSelectedRows) {
  AddFiles({kSamples + QStringLiteral("/canon_eos_40d.jpg"),
            kSamples + QStringLiteral("/nikon_d70.jpg")});
  window->Results().View().SelectRow(1, false);
  Export([](TfrmExportXML& f) {
    f.edtRootElement->setText(QStringLiteral(" Files "));
    f.rbTagsAsNumber->setChecked(true);
  });
  const std::string written = Written();
  EXPECT_EQ(
      written.rfind(
          "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<files>\r\n   <file name=\"nikon_d70.jpg\">\r\n",
          0),
      0u)
      << written;
  EXPECT_EQ(written.find("canon_eos_40d"), std::string::npos);
  EXPECT_NE(written.find("<metainfo tagid=\"33434\">"), std::string::npos);
  EXPECT_EQ(dialogs.messages,
            QStringList{QStringLiteral("1 Zeilen in %1 gespeichert.").arg(target)});

  // An empty root element field names the document element "files".
  dialogs.messages.clear();
  Export([](TfrmExportXML& f) { f.edtRootElement->clear(); });
  EXPECT_NE(Written().find("\r\n</files>\r\n"), std::string::npos);
}

TEST_F(XmlExportTest, DefaultsBrowseAndAFileDeletedSinceTheQuery) {
  TfrmExportXML& form = *window->ExportXMLDialog();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("XML-Export"));
  EXPECT_EQ(form.edtFilename->text(), QStringLiteral("export.txt"));
  EXPECT_EQ(form.edtRootElement->text(), QStringLiteral("files"));
  EXPECT_TRUE(form.rbTagsAsText->isChecked());
  dialogs.chosenFiles.push_back(QStringLiteral("/tmp/x.xml"));
  form.btnBrowse->click();
  EXPECT_EQ(form.edtFilename->text(), QStringLiteral("/tmp/x.xml"));
  EXPECT_TRUE(dialogs.chooserFilters.front().contains(QStringLiteral("(*.xml)")));

  const QString gone = WritePhoto("gone.jpg", IptcJpeg({{25, "x"}}));
  AddFiles({kSamples + QStringLiteral("/nikon_d70.jpg"), gone});
  QFile::remove(gone);
  Export();
  ASSERT_EQ(dialogs.messages.size(), 1);
  // In the window's language, naming the export and the photo it stopped at.
  EXPECT_TRUE(dialogs.messages.front().startsWith(
      QStringLiteral("Export nach %1 endete bei %2: ").arg(target, gone)))
      << dialogs.messages.front().toStdString();
  // What was written before the failure stays, in a closed document.
  EXPECT_NE(Written().find("nikon_d70.jpg"), std::string::npos);
  EXPECT_EQ(Written().substr(Written().size() - 10), "</files>\r\n");
}

}  // namespace
}  // namespace orvalis::test
