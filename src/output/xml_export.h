// The XML export of photo metadata: one document element, per file one
// element with its six metadata directories. The desktop export dialog and the
// command line's xml format both write through it, so their files are byte
// for byte the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

class tImageMetaData;

struct XmlExportOptions {
  std::string rootElement = "files";  // as typed; see XmlRootElementName
  bool tagsAsNumbers = false;         // "als Nummer": tagid="33434" instead of tagname="..."
  // Files end every line with CR LF; the command line ends lines on standard
  // output with LF. Used for every line break of the document.
  std::string lineEnd = "\r\n";
};

// The file name as the export dialog's "OK" leaves it: a text without any
// "." gets ".xml" appended; every other text stays as it is.
std::string XmlExportFileName(std::string_view typed);

// The document element's name: the typed text trimmed and in lower case,
// "files" when that is empty. Characters that an XML name cannot hold are
// written as "_" (and a name that cannot start as typed gets a leading "_"),
// so that no typed text breaks the document.
std::string XmlRootElementName(std::string_view typed);

// Text made safe for an XML document: bytes that are not valid UTF-8 are read
// as Windows-1252 (ToDisplayUtf8); characters XML 1.0 does not allow (control
// characters other than TAB, LF and CR; U+FFFE, U+FFFF) become U+FFFD, so the
// reader sees that something was there.
std::string XmlCharacters(std::string_view bytes);

// A CDATA section "<![CDATA[...]]>" for a text already made safe with
// XmlCharacters. A "]]>" inside the text ends the section after "]]" and
// opens a new one for ">", so the reader gets the text back unchanged.
// Line breaks inside a text stay as the metadata holds them; XML readers
// hand CR and CR LF on as LF, a loss accepted for the sake of plain sections.
std::string XmlCDataSection(std::string_view text);

// An attribute value (without the quotes) for any bytes: made safe with
// XmlCharacters, "&", "<" and the double quote as entities, and TAB, LF and
// CR as character references so that they survive attribute normalization
// and the element stays on one line.
std::string XmlAttributeValue(std::string_view bytes);

// The block of one metadata directory of the file the store has read: from
// the opening line "      <element>" to the closing line "      </element>",
// without a line break after the closing line. Entries are named by their
// lower-case tag name or, with tagsAsNumbers, by their decimal tag number.
// An entry whose value cannot be produced (a date that is no calendar date)
// gets "<!-- exception during xml export: ... -->" as its value and ends the
// directory.
std::string GetMetaDirAsXml(tImageMetaData& store, std::uint8_t group, std::string_view element,
                            bool tagsAsNumbers, std::string_view lineEnd = "\r\n");

// Streams an export document: WriteHeader, WriteFile for every file,
// WriteFooter. The caller checks the stream for write failures.
class XmlExportWriter {
 public:
  XmlExportWriter(std::ostream& out, XmlExportOptions options);

  // The XML declaration and the document element's opening line.
  void WriteHeader();
  // Reads the file with a store of its own (IPTC lists not merged), as a
  // search reads it, and writes its element. A file damaged after its
  // metadata (it ends inside a marker header) is written with the entries
  // read before the damage, and the reader's message is returned (empty
  // when there is none). A file of which nothing could be read (it cannot
  // be opened, or it ends before its first segment) throws tMetadataError
  // before anything of it is written.
  std::string WriteFile(const std::string& path);
  void WriteFooter();
  // File elements written.
  std::size_t FileCount() const { return files_; }

 private:
  std::ostream& out_;
  XmlExportOptions options_;
  std::string root_;
  std::size_t files_ = 0;
};

struct XmlExportResult {
  std::size_t fileCount = 0;
  // When the export ended early: the system's message, or the path of the
  // file that could not be read and the reader's message.
  std::string error;
  bool ok() const { return error.empty(); }
};

// Writes the export of the files into a file, written whole beside it and
// renamed into place. A failure creating or writing the file leaves an older
// file of the name as it was (and counts 0 files); a device, pipe or folder
// of the name is refused. A file whose metadata cannot be read ends the
// export with its message, and the document is closed there and kept.
XmlExportResult WriteXmlExportFile(const std::string& path, const std::vector<std::string>& files,
                                   const XmlExportOptions& options);

}  // namespace orvalis
