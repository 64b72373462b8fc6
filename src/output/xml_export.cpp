// XML export of photo metadata.
#include "output/xml_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "common/whole_file.h"
#include "metadata/image_metadata.h"
#include "metadata/meta_entry.h"
#include "output/display_text.h"
#include "output/text_export.h"
#include "common/whole_file.h"
#include "common/ascii_case.h"
#include "common/calendar.h"
#include "common/text.h"
#include "common/utf8.h"

namespace orvalis {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kDirIndent = "      ";
constexpr std::string_view kEntryIndent = "         ";

struct DirectoryElement {
  std::uint8_t group;
  const char* element;
};

// The directories of every file element, in the order they are written.
constexpr DirectoryElement kDirectories[] = {
    {group::kFile, "filedata"},       {group::kApp0, "app0data"}, {group::kExif, "exifdata"},
    {group::kThumbnail, "thumbdata"}, {group::kIptc, "iptcdata"}, {group::kGps, "gpsdata"},
    {group::kXmp, "xmpdata"},
};

bool InRange(std::uint32_t cp, std::uint32_t from, std::uint32_t to) {
  return cp >= from && cp <= to;
}

// Letters, "_" and the other characters an XML name may start with. The
// colon is left out: a namespace-aware reader would take it for a prefix.
bool IsNameStart(std::uint32_t cp) {
  return InRange(cp, 'a', 'z') || InRange(cp, 'A', 'Z') || cp == '_' || InRange(cp, 0xC0, 0xD6) ||
         InRange(cp, 0xD8, 0xF6) || InRange(cp, 0xF8, 0x2FF) || InRange(cp, 0x370, 0x37D) ||
         InRange(cp, 0x37F, 0x1FFF) || InRange(cp, 0x200C, 0x200D) || InRange(cp, 0x2070, 0x218F) ||
         InRange(cp, 0x2C00, 0x2FEF) || InRange(cp, 0x3001, 0xD7FF) ||
         InRange(cp, 0xF900, 0xFDCF) || InRange(cp, 0xFDF0, 0xFFFD) ||
         InRange(cp, 0x10000, 0xEFFFF);
}

bool IsNameChar(std::uint32_t cp) {
  return IsNameStart(cp) || cp == '-' || cp == '.' || InRange(cp, '0', '9') || cp == 0xB7 ||
         InRange(cp, 0x300, 0x36F) || InRange(cp, 0x203F, 0x2040);
}

// A calendar date and time that cannot exist, with the message the error
// carries into the export comment.
void CheckDateTime(const tDateTimeRecord& t) {
  if (t.Year < 1 || t.Year > 9999 || t.Month < 1 || t.Month > 12)
    throw std::runtime_error("Invalid argument to date encode");
  if (t.Day < 1 || t.Day > DaysInMonth(t.Year, t.Month))
    throw std::runtime_error("Invalid argument to date encode");
  if (t.Hour > 23 || t.Minute > 59 || t.Second > 59 || t.Millisecond > 999)
    throw std::runtime_error("Invalid argument to time encode");
}

// A date entry's value. The reader leaves the record all zero when it knows
// no date (a file system without creation times); that is written as an
// empty value rather than as an error, so the directory's later entries are
// not lost with it.
std::string DateValue(const tDateTimeRecord& t) {
  if (t == tDateTimeRecord{}) return std::string();
  CheckDateTime(t);
  char buf[48];  // room for the widest fields, though the check keeps them small
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02uT%02u:%02u:%02u.%03u", unsigned{t.Year},
                unsigned{t.Month}, unsigned{t.Day}, unsigned{t.Hour}, unsigned{t.Minute},
                unsigned{t.Second}, unsigned{t.Millisecond});
  return buf;
}

// Character data outside CDATA sections: "&", "<" and ">" as entities.
std::string XmlElementText(std::string_view bytes) {
  std::string out;
  for (const char c : XmlCharacters(bytes)) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

std::string EntryValue(tImageMetaData& store, const tMetaEntry& entry) {
  switch (entry.Kind) {
    case kind::kNumber:
      // Numbers are digits already; the escaping only guards against a text
      // that is not.
      return XmlElementText(std::string(Trim(entry.Text)));
    case kind::kDateTime: return DateValue(store.EntryDateTime(entry));
    default:
      return "<cdata>" + XmlCDataSection(XmlCharacters(std::string(Trim(WholeText(entry))))) +
             "</cdata>";
  }
}

// A comment may not contain "--" nor end with "-".
std::string ExceptionComment(std::string_view message) {
  std::string text;
  for (const char c : XmlCharacters(message)) {
    if (c == '-' && !text.empty() && text.back() == '-') text += ' ';
    text += c;
  }
  return "<!-- exception during xml export: " + text + " -->";
}

}  // namespace

std::string XmlExportFileName(std::string_view typed) {
  std::string name(typed);
  if (name.find('.') == std::string::npos) name += ".xml";
  return name;
}

std::string XmlRootElementName(std::string_view typed) {
  const std::string text = ToDisplayUtf8(AsciiLower(Trim(typed)));
  if (text.empty()) return "files";
  std::string name;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t start = i;
    std::uint32_t cp = 0;
    // The display text is valid UTF-8; a byte that were not would become "_".
    if (!DecodeUtf8(text, i, cp)) ++i;
    if (name.empty() && !IsNameStart(cp)) {
      name += '_';
      if (!IsNameChar(cp)) continue;
    }
    if (IsNameChar(cp))
      name.append(text, start, i - start);
    else
      name += '_';
  }
  return name;
}

std::string XmlCharacters(std::string_view bytes) {
  const std::string text = ToDisplayUtf8(bytes);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      out += kReplacementCharacter;
    } else if (c == 0xEF && i + 2 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) == 0xBF &&
               (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
      // U+FFFE and U+FFFF.
      out += kReplacementCharacter;
      i += 2;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string XmlCDataSection(std::string_view text) {
  std::string out = "<![CDATA[";
  std::size_t from = 0;
  for (std::size_t at = text.find("]]>"); at != std::string_view::npos;
       at = text.find("]]>", from)) {
    out.append(text.substr(from, at + 2 - from));
    out += "]]><![CDATA[";
    from = at + 2;
  }
  out.append(text.substr(from));
  out += "]]>";
  return out;
}

std::string XmlAttributeValue(std::string_view bytes) {
  std::string out;
  for (const char c : XmlCharacters(bytes)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '"': out += "&quot;"; break;
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string GetMetaDirAsXml(tImageMetaData& store, std::uint8_t group, std::string_view element,
                            bool tagsAsNumbers, std::string_view lineEnd) {
  std::string text;
  text.append(kDirIndent).append("<").append(element).append(">").append(lineEnd);
  for (const tMetaEntry* entry = store.FindFirstInGroup(group); entry != nullptr;
       entry = store.FindNextInGroup()) {
    const std::string attribute =
        tagsAsNumbers
            ? "tagid=\"" + std::to_string(entry->Tag) + "\">"
            : "tagname=\"" + XmlAttributeValue(AsciiLower(tImageMetaData::TagName(*entry))) + "\">";
    std::string value;
    bool failed = false;
    try {
      value = EntryValue(store, *entry);
    } catch (const std::exception& error) {
      value = ExceptionComment(error.what());
      failed = true;
    }
    text.append(kEntryIndent).append("<metainfo ").append(attribute).append(value);
    text.append("</metainfo>").append(lineEnd);
    if (failed) break;
  }
  text.append(kDirIndent).append("</").append(element).append(">");
  return text;
}

XmlExportWriter::XmlExportWriter(std::ostream& out, XmlExportOptions options)
    : out_(out), options_(std::move(options)), root_(XmlRootElementName(options_.rootElement)) {}

void XmlExportWriter::WriteHeader() {
  out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>" << options_.lineEnd;
  out_ << '<' << root_ << '>' << options_.lineEnd;
}

std::string XmlExportWriter::WriteFile(const std::string& path) {
  const std::string& end = options_.lineEnd;
  // The whole element is built before any of it is written, so a file that
  // cannot be read leaves no half element behind.
  std::string element;
  std::string damage;
  {
    tImageMetaData store;
    store.MergeIptcLists = 0;
    try {
      store.ReadJpegFile(path);
    } catch (const std::exception& error) {
      // Damaged after its metadata, the photo is a hit of a search with the
      // entries read before the damage, and exported with them; with none
      // read, it was no hit.
      if (!store.IsPhoto()) throw;
      damage = error.what();
    }
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    element = "   <file name=\"" + XmlAttributeValue(name) + "\">" + end;
    for (const DirectoryElement& dir : kDirectories)
      element += GetMetaDirAsXml(store, dir.group, dir.element, options_.tagsAsNumbers, end) + end;
    element += "   </file>" + end;
    store.Clear();
  }
  out_ << element;
  ++files_;
  return damage;
}

void XmlExportWriter::WriteFooter() { out_ << "</" << root_ << '>' << options_.lineEnd; }

XmlExportResult WriteXmlExportFile(const std::string& path, const std::vector<std::string>& files,
                                   const XmlExportOptions& options) {
  XmlExportResult result;
  // Written beside the file and renamed into place when whole, so that a
  // failed write leaves an older file as it was and no device is replaced.
  tWholeFileWriter whole(path);
  std::FILE* file = whole.File();
  if (file == nullptr) {
    result.error = WholeWriteError(whole.Result());
    return result;
  }
  // Piece by piece, so that memory holds one file's part at a time.
  std::ostringstream buffer;
  XmlExportWriter writer(buffer, options);
  const auto flush = [&]() {
    const std::string text = buffer.str();
    buffer.str(std::string());
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
      result.error = std::strerror(errno);
      return false;
    }
    return true;
  };
  writer.WriteHeader();
  bool good = flush();
  for (std::size_t i = 0; good && i < files.size(); ++i) {
    try {
      writer.WriteFile(files[i]);
    } catch (const std::exception& error) {
      result.error = files[i] + ": " + error.what();
      break;
    }
    good = flush();
    if (good) result.fileCount = writer.FileCount();
  }
  // A file that cannot be read ends the export, and the document is closed
  // there, so that what was written is well-formed.
  if (good) {
    writer.WriteFooter();
    good = flush();
  }
  if (good && whole.Commit().Outcome != tWholeWrite::Written) {
    result.error = WholeWriteError(whole.Result());
    good = false;
  }
  if (!good) result.fileCount = 0;
  return result;
}

}  // namespace orvalis
