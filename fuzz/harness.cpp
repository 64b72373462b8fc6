#include "harness.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <exception>
#include <sstream>
#include <stdexcept>
#include <string>

#include "common/ascii_case.h"
#include "engine/list_readers.h"
#include "engine/query_buffer.h"
#include "engine/query_driver.h"
#include "i18n/language_file.h"
#include "metadata/image_metadata.h"
#include "metadata/isobmff_file.h"
#include "metadata/xmp_packet.h"
#include "output/xml_export.h"
#include "query/cell_text.h"
#include "query/function_handler.h"
#include "query/parser_factory.h"
#include "query/query_statement.h"
#include "query/statement_position.h"
#include "query/var_handler.h"

namespace orvalis::fuzz {

namespace {

// One file in memory (memfd) that the readers open by name, so that they
// run as they do on a photo, without a disc.
class tMemoryFile {
 public:
  tMemoryFile() {
    fd_ = ::memfd_create("orvalis-fuzz", MFD_CLOEXEC);
    if (fd_ < 0) throw std::runtime_error("memfd_create failed");
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  const std::string& Hold(const std::uint8_t* data, std::size_t size) {
    if (::ftruncate(fd_, 0) != 0) throw std::runtime_error("ftruncate failed");
    std::size_t written = 0;
    while (written < size) {
      const ssize_t n = ::pwrite(fd_, data + written, size - written, static_cast<off_t>(written));
      if (n <= 0) throw std::runtime_error("pwrite failed");
      written += static_cast<std::size_t>(n);
    }
    return path_;
  }
  const std::string& Hold(const std::string& bytes) {
    return Hold(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

 private:
  int fd_ = -1;
  std::string path_;
};

tMemoryFile& ScratchFile() {
  static tMemoryFile file;
  return file;
}

// Everything a reader offers after a file: lookups, iteration, the
// thumbnail and, with xml, the XML export (which reads the file again).
void ReadAndUse(const std::string& path, std::uint8_t mergeIptcLists, bool xml) {
  struct stat status {};
  const std::uint64_t fileSize =
      ::stat(path.c_str(), &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
  tImageMetaData store;
  store.MergeIptcLists = mergeIptcLists;
  try {
    store.ReadJpegFile(path);
  } catch (const tMetadataError&) {
    // Reported to the user by the callers; what was read stays usable.
  }
  // The previews a walk names lie inside the file: the picture code reads
  // them without checking again.
  for (const tFileSpan& span : store.EmbeddedJpegs())
    if (span.offset > fileSize || span.length > fileSize - span.offset) __builtin_trap();
  (void)store.Format().size();
  for (const char* name :
       {"Make", "exif.datetimeoriginal", "Keywords", "PixelsX", "JpgComment", "Caption", "Format"})
    if (const tMetaEntry* e = store.FindEntry(name)) (void)tImageMetaData::TagName(*e);
  for (std::uint8_t group = 1; group <= 6; ++group)
    for (const tMetaEntry* e = store.FindFirstInGroup(group); e != nullptr;
         e = store.FindNextInGroup())
      (void)e->Text.size();
  if (store.HasThumbnail()) {
    try {
      (void)store.GetThumbnail();
    } catch (const tMetadataError&) {
    }
  }
  if (!xml) return;
  // The document is made and dropped: keeping megabytes of it per input
  // would cost more than making it.
  struct tDiscard : std::streambuf {
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  } discard;
  std::ostream document(&discard);
  XmlExportWriter writer(document, XmlExportOptions{});
  try {
    writer.WriteFile(path);
  } catch (const std::exception&) {
  }
}

std::string Wrapped(std::uint8_t marker, const std::string& payload) {
  std::string file = "\xFF\xD8";
  const std::size_t length = payload.size() + 2;
  file += static_cast<char>(0xFF);
  file += static_cast<char>(marker);
  file += static_cast<char>(length >> 8);
  file += static_cast<char>(length & 0xFF);
  return file + payload + "\xFF\xD9";
}

// The largest payload one segment holds.
constexpr std::size_t kMaxPayload = 65533;

std::string AsText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A host for runs that have no files to show.
class tQuietHost : public tRunHost {
 public:
  void PrepareResultList(int, int) override {}
  void AddColumn(const std::string&) override {}
  int AddRow(const std::string& path, tImageMetaData&, bool) override {
    rows_.push_back(path);
    return static_cast<int>(rows_.size()) - 1;
  }
  void SetCell(int, int, const std::string&) override {}
  std::vector<std::string> RowPaths() const override { return rows_; }
  void FitColumnsToCaptions() override {}
  void EnterRunningState() override {}
  void LeaveRunningState() override {}
  void FocusQueryText(int) override {}
  void SetStatusPanel(int, const std::string&) override {}
  void ShowMessage(const std::string&) override {}
  void ShowNotice(const std::string&) override {}
  void ProcessEvents() override {}

 private:
  std::vector<std::string> rows_;
};

// The fixed photo of the evaluator: a real mix of entries of every kind.
const std::string& FixedPhoto() {
  static const std::string photo = [] {
    std::string tiff("MM\0\x2A\0\0\0\x08", 8);
    const auto u16 = [&](unsigned v) {
      tiff += static_cast<char>(v >> 8);
      tiff += static_cast<char>(v & 0xFF);
    };
    const auto u32 = [&](unsigned v) {
      u16(v >> 16);
      u16(v & 0xFFFF);
    };
    // First directory: Make (ASCII, in the value field), Orientation,
    // DateTime (ASCII, 20 bytes at offset 50), no next directory.
    u16(3);
    u16(271), u16(2), u32(4), tiff += std::string("Fuj", 4);
    u16(274), u16(3), u32(1), u16(6), u16(0);
    u16(306), u16(2), u32(20), u32(50);
    u32(0);
    tiff += std::string("2004:05:01 09:07:03\0", 20);
    std::string iptc;
    for (const std::string k : {"sun", "beach", "holiday"}) {
      iptc += std::string("\x1C\x02\x19\0", 4);
      iptc += static_cast<char>(k.size());
      iptc += k;
    }
    std::string file = Wrapped(0xE1, std::string("Exif\0\0", 6) + tiff);
    file.resize(file.size() - 2);
    const std::string app13 = Wrapped(0xED, iptc), com = Wrapped(0xFE, "a comment\r\nline two");
    return file + app13.substr(2, app13.size() - 4) + com.substr(2);
  }();
  return photo;
}

}  // namespace

void SegmentWalk(const std::uint8_t* data, std::size_t size) {
  ReadAndUse(ScratchFile().Hold(data, size), size % 2 == 0 ? 0 : 1, true);
}

void ContainerWalk(const std::uint8_t* data, std::size_t size) {
  ReadAndUse(ScratchFile().Hold(data, size), 0, false);
}

void Exif(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxPayload - 6) return;
  ReadAndUse(ScratchFile().Hold(Wrapped(0xE1, std::string("Exif\0\0", 6) + AsText(data, size))), 0,
             false);
}

void Iptc(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxPayload) return;
  const std::string& path = ScratchFile().Hold(Wrapped(0xED, AsText(data, size)));
  ReadAndUse(path, 0, false);
  ReadAndUse(path, 1, false);
}

void QueryCompile(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  tOrvalis query;
  query.QueryText = NormalizeLineBreaks(text);
  // The driver may run only where it walks no folder: a statement that does
  // not split or compile is refused first, and "#results" is empty here.
  bool walksNoFolder = ParseQueryStatement(query) != 0;
  if (!walksNoFolder) {
    walksNoFolder = EqualsNoCase(query.FromText, "#results");
    const std::vector<std::string> items = SplitFieldList(query.SelectText, ',', '\'');
    (void)FieldItemOffsets(query.SelectText, items);
    for (const std::string& item : items)
      walksNoFolder |= CompiledText(item).rfind("error: ", 0) == 0;
    walksNoFolder |= CompiledText(query.WhereText).rfind("error: ", 0) == 0 || items.empty();
  }
  if (!walksNoFolder) return;
  // The driver's way: refused with a message and a position, or run over
  // an empty result set.
  tQuietHost host;
  tQueryDriver driver(host);
  tRunSettings settings;
  settings.Locale = LocaleInfo::German();
  (void)driver.actExecQueryExecute(text, settings);
}

void Evaluate(const std::uint8_t* data, std::size_t size) {
  if (size > tParser::kMaxExpressionLength) return;
  static tImageMetaData* store = [] {
    auto* s = new tImageMetaData();
    s->MergeIptcLists = 1;
    s->RowNumber = 1;
    s->ReadJpegFile(ScratchFile().Hold(FixedPhoto()));
    return s;
  }();
  tMyVarHandler names(*store);
  tMyFunctionHandler functions(store, LocaleInfo::German());
  const auto parser =
      MakeParser(AsText(data, size), tParserOptions{'\'', LocaleInfo::German()}, names, functions);
  if (!parser->Compile()) return;
  (void)parser->PostfixText();
  for (int round = 0; round < 2; ++round) {
    if (parser->Evaluate() && parser->Result != nullptr)
      (void)CellText(parser->Result->Value, LocaleInfo::German(), true, "(Null)");
  }
}

void ListFiles(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  std::string query, error;
  (void)ReadQueryFile(ScratchFile().Hold(text), query, error);
  for (const char separator : {'\n', '\0'}) {
    std::istringstream in(text);
    tPathList paths;
    (void)ReadPathList(in, separator, paths, error);
  }
  tQueryBuffer buffer;
  buffer.ReadText(text);
  (void)buffer.WriteText();
}

void Xmp(const std::uint8_t* data, std::size_t size) {
  static constexpr std::string_view kHeader{"http://ns.adobe.com/xap/1.0/\0", 29};
  if (size > kMaxPayload - kHeader.size()) return;
  const std::string packet = AsText(data, size);
  for (const tXmpField& field : ReadXmpPacket(packet).Fields) (void)XmpDateAsExif(field.Text);
  tImageMetaData store;
  try {
    store.ReadJpegFile(ScratchFile().Hold(Wrapped(0xE1, std::string(kHeader) + packet)));
  } catch (const tMetadataError&) {
  }
  for (const char* name : {"XmpRating", "Subject", "CreateDate", "xmp.title"})
    if (const tMetaEntry* e = store.FindEntry(name)) (void)e->Text.size();
  for (const tMetaEntry* e = store.FindFirstInGroup(group::kXmp); e != nullptr;
       e = store.FindNextInGroup())
    (void)e->Text.size();
}

void LanguageFile(const std::uint8_t* data, std::size_t size) {
  const tLanguageFile file = tLanguageFile::Parse(AsText(data, size));
  for (const std::string& section : file.SectionNames()) (void)file.Value(section, "caption");
  for (const char* key :
       {"ConfirmExit", "frmMain.actPrint.caption", "frWelcome.lblIntro.caption", "Language.Name"})
    if (const std::optional<std::string> text = file.Lookup(key)) (void)PageValue(*text);
}

void IsoBmff(const std::uint8_t* data, std::size_t size) {
  (void)IsIsoBmff(data, size);
  tJpegFile file(ScratchFile().Hold(data, size));
  tIsoBmffFindings findings;
  try {
    findings = ReadIsoBmff(file);
  } catch (const tMetadataError&) {
    return;  // only a file that cannot be read may end the walk so
  }
  // Every place the walk hands on must lie inside the file: a decoder
  // trusts it.
  const auto inside = [&](std::uint64_t offset, std::uint64_t length) {
    if (offset > file.Size() || length > file.Size() - offset) __builtin_trap();
  };
  for (const tIsoTiffBlock& block : findings.tiffBlocks) {
    inside(block.offset, block.length);
    if (block.length < 8) __builtin_trap();
  }
  if (findings.xmp) inside(findings.xmp->offset, findings.xmp->length);
  for (const tFileSpan& jpeg : findings.embeddedJpegs) inside(jpeg.offset, jpeg.length);
}

const std::vector<tFuzzTarget>& FuzzTargets() {
  // clang-format off
  static const std::vector<tFuzzTarget> targets = {
      {"segment_walk", &SegmentWalk},   {"exif", &Exif},         {"iptc", &Iptc},
      {"query_compile", &QueryCompile}, {"evaluate", &Evaluate}, {"list_files", &ListFiles},
      {"xmp", &Xmp},                    {"language_file", &LanguageFile},
      {"container_walk", &ContainerWalk},
      {"isobmff", &IsoBmff},
  };
  // clang-format on
  return targets;
}

}  // namespace orvalis::fuzz
