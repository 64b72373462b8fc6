// The small decoders of the segment walk: file system data, the JPEG comment,
// the frame header (of any coding process) and the JFIF header.
#include <ctime>
#include <filesystem>
#include <string_view>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"
#include "metadata/tag_codes.h"
#include "common/text.h"

namespace orvalis {

namespace {

enum FileTag : std::uint16_t {
  kJpgComment = 1,
  kFullname,
  kSize,
  kFileDateCreated,
  kFileDateModified,
  kPath,
  kName,
  kPixelsX,
  kPixelsY,
  kFormat
};

enum App0Tag : std::uint16_t {
  kVersion = 1,
  kUnits,
  kXDensity,
  kYDensity,
  kXthumbnailSize,
  kYthumbnailSize
};

tMetaEntry MakeEntry(std::uint8_t group, std::uint16_t tag, std::uint8_t kind, Value value,
                     std::string text) {
  tMetaEntry e;
  e.Group = group;
  e.Tag = tag;
  e.Kind = kind;
  e.Value = std::move(value);
  CutToEntryText(text);
  e.Text = std::move(text);
  return e;
}

tMetaEntry TextEntry(std::uint8_t group, std::uint16_t tag, std::uint8_t kind,
                     const std::string& s) {
  return MakeEntry(group, tag, kind, Value::Text(s), s);
}

// A file time (seconds and nanoseconds since the epoch, universal time) as a
// date entry in local time; "???" when the conversion fails.
tMetaEntry DateEntry(std::uint16_t tag, bool known, std::int64_t seconds,
                     std::uint32_t nanoseconds) {
  tMetaEntry e = MakeEntry(group::kFile, tag, kind::kDateTime, Value::Text("???"), "");
  if (!known) return e;
  const auto t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return e;
  const int year = local.tm_year + 1900;
  if (year < 1 || year > 65535) return e;
  e.DateTime.Year = static_cast<std::uint16_t>(year);
  e.DateTime.Month = static_cast<std::uint16_t>(local.tm_mon + 1);
  e.DateTime.DayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
  e.DateTime.Day = static_cast<std::uint16_t>(local.tm_mday);
  e.DateTime.Hour = static_cast<std::uint16_t>(local.tm_hour);
  e.DateTime.Minute = static_cast<std::uint16_t>(local.tm_min);
  e.DateTime.Second = static_cast<std::uint16_t>(local.tm_sec);
  e.DateTime.Millisecond = static_cast<std::uint16_t>(nanoseconds / 1000000 % 1000);
  // "YYYY:MM:DD hh:mm:ss", written by hand: two of these per file.
  char buf[24];
  std::size_t n = 0;
  const auto put = [&buf, &n](unsigned v, int width) {
    for (int i = width - 1; i >= 0; --i, v /= 10)
      buf[n + static_cast<std::size_t>(i)] = static_cast<char>('0' + v % 10);
    n += static_cast<std::size_t>(width);
  };
  const auto yearValue = static_cast<unsigned>(year);
  put(yearValue, yearValue >= 10000  ? 5
                 : yearValue >= 1000 ? 4
                 : yearValue >= 100  ? 3
                 : yearValue >= 10   ? 2
                                     : 1);
  const unsigned parts[] = {e.DateTime.Month, e.DateTime.Day, e.DateTime.Hour, e.DateTime.Minute,
                            e.DateTime.Second};
  for (std::size_t i = 0; i < 5; ++i) {
    buf[n++] = i == 2 ? ' ' : ':';
    put(parts[i], 2);
  }
  e.Text.assign(buf, n);
  e.Value = Value::Text(e.Text);
  return e;
}

// The absolute, lexically normal form of a file name. A search hands over
// names that are already so; they are taken as they are, without the cost of
// the path library, which every file of a search would pay.
std::string NormalFullName(const std::string& name) {
  const auto isNormalAbsolute = [&name] {
    if (name.empty() || name[0] != '/') return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (name[i] != '/') continue;
      // A component that is empty, "." or ".." needs normalizing.
      const std::string_view rest = std::string_view(name).substr(i + 1);
      if (rest.empty() || rest[0] == '/' || rest == "." || rest == ".." || rest.starts_with("./") ||
          rest.starts_with("../"))
        return false;
    }
    return true;
  };
  if (isNormalAbsolute()) return name;
  namespace fs = std::filesystem;
  // Without a current folder a relative name stays as it is.
  std::error_code error;
  fs::path absolute = fs::absolute(fs::path(name), error);
  if (error) absolute = fs::path(name);
  return absolute.lexically_normal().string();
}

// Copies a segment payload into the store's buffer for that segment.
void ReadPayload(tJpegFile& file, std::uint64_t position, std::uint16_t length,
                 std::vector<std::uint8_t>& buffer) {
  const std::size_t size = length - 2u;
  const std::uint8_t* bytes = file.Read(position, size);
  buffer.assign(bytes, bytes + size);
}

}  // namespace

bool tImageMetaData::ReadFileData(tJpegFile& file) {
  try {
    Append(TextEntry(group::kFile, kFullname, kind::kString, NormalFullName(fileName_)));
    const std::string size = std::to_string(file.Size());
    Append(MakeEntry(group::kFile, kSize, kind::kNumber, Value::Text(size), size));

    const auto slash = fileName_.find_last_of('/');
    std::string folder;
    std::string name = fileName_;
    if (slash != std::string::npos) {
      folder = slash == 0 ? std::string("/") : fileName_.substr(0, slash);
      name = fileName_.substr(slash + 1);
    }
    folder = std::string(Trim(folder));
    if (folder.empty()) folder.push_back('.');
    Append(TextEntry(group::kFile, kPath, kind::kString, folder));
    Append(TextEntry(group::kFile, kName, kind::kString, name));
    Append(TextEntry(group::kFile, kFormat, kind::kString, format_));

    // Hidden files (names starting with ".") and anything but a regular file
    // get no dates, as a directory search would not list them.
    if (!name.empty() && name[0] == '.') return true;
    const tFileStatus& status = file.Status();
    if (!status.regular) return true;
    Append(DateEntry(kFileDateCreated, status.hasBirthTime, status.birthSeconds,
                     status.birthNanoseconds));
    Append(DateEntry(kFileDateModified, true, status.modifiedSeconds, status.modifiedNanoseconds));
    return true;
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

void tImageMetaData::BeginPhoto(tJpegFile& file, std::string format) {
  format_ = std::move(format);
  if (!ReadFileData(file)) Drop("file data: " + failure_);
}

bool tImageMetaData::DecodeComment(tJpegFile& file, std::uint64_t position, std::uint16_t length) {
  try {
    ReadPayload(file, position, length, commentSegment_);
    std::string comment(commentSegment_.begin(), commentSegment_.end());
    if (!comment.empty() && comment.back() == '\0') comment.pop_back();
    Append(TextEntry(group::kFile, kJpgComment, kind::kString, comment));
    commentFlag_ = true;
    return true;
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

bool tImageMetaData::DecodeFrameHeader(tJpegFile& file, std::uint64_t position,
                                       std::uint16_t length) {
  try {
    if (length < 2 + 5) return Fail("frame header too short");
    const tByteReader frame(file.Read(position, 5), 5);
    const std::uint16_t height = frame.U16BigEndian(1);
    const std::uint16_t width = frame.U16BigEndian(3);
    Append(MakeEntry(group::kFile, kPixelsY, kind::kNumber, Value::Integer(height),
                     std::to_string(height)));
    Append(MakeEntry(group::kFile, kPixelsX, kind::kNumber, Value::Integer(width),
                     std::to_string(width)));
    return true;
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

void tImageMetaData::AppendPixelSize(std::uint32_t width, std::uint32_t height) {
  if (width == 0 || height == 0) return;
  Append(MakeEntry(group::kFile, kPixelsY, kind::kNumber, Value::Integer(height),
                   std::to_string(height)));
  Append(MakeEntry(group::kFile, kPixelsX, kind::kNumber, Value::Integer(width),
                   std::to_string(width)));
}

bool tImageMetaData::DecodeJfif(tJpegFile& file, std::uint64_t position, std::uint16_t length) {
  try {
    ReadPayload(file, position, length, jfifSegment_);
    const tByteReader app0(jfifSegment_.data(), jfifSegment_.size());
    if (!app0.Has(0, 5) || app0.Bytes(0, 5) != std::string_view("JFIF\0", 5))
      return Fail("not a JFIF segment");
    if (!app0.Has(0, 14)) return Fail("JFIF header too short");
    jfifFlag_ = true;

    const unsigned major = app0.U8(5), minor = app0.U8(6), units = app0.U8(7);
    const std::string version =
        std::to_string(major) + "." + (minor < 10 ? "0" : "") + std::to_string(minor);
    Append(MakeEntry(group::kApp0, kVersion, kind::kOther, Value::Text(version), version));
    const tCodeTexts& unitCodes = *CodeTextsOf(group::kApp0, kUnits);
    const char* unitText =
        units < unitCodes.Texts.size() ? unitCodes.Texts[units] : unitCodes.Other;
    Append(MakeEntry(group::kApp0, kUnits, kind::kString, Value::Text(std::to_string(units)),
                     unitText));
    const auto number = [&](std::uint16_t tag, unsigned n) {
      Append(TextEntry(group::kApp0, tag, kind::kNumber, std::to_string(n)));
    };
    number(kXDensity, app0.U16BigEndian(8));
    number(kYDensity, app0.U16BigEndian(10));
    number(kXthumbnailSize, app0.U8(12));
    number(kYthumbnailSize, app0.U8(13));
    return true;
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

}  // namespace orvalis
