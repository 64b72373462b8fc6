// The tag rules of the EXIF decoder: codes become texts, fractions become
// rounded numbers, the thumbnail's place is noted, UserComment is decoded by
// its character set; in the GPS directory coordinates become signed degrees.
// The rows of the tag table name them (tag_rules.h).
#include <array>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/number_text.h"
#include "metadata/tag_rules.h"
#include "metadata/tiff_directory.h"
#include "common/utf8.h"

namespace orvalis {

namespace {

using fieldtype::kRational;
using fieldtype::kSRational;
const char* const kInvalidValue = "<invalid_value>";

// The number of a BYTE/SHORT/LONG (or signed) entry, if it is one.
std::optional<std::int64_t> EntryNumber(const tMetaEntry& e) {
  if (e.Kind == kind::kNumber && e.Value.IsInteger()) return e.Value.AsInteger();
  return std::nullopt;
}

struct Fraction {
  double numerator;
  double denominator;
  // numerator / denominator; a zero denominator is an arithmetic error.
  double Quotient() const {
    if (denominator == 0)
      throw tMetadataError(numerator == 0 ? "invalid floating point operation"
                                          : "division by zero");
    return numerator / denominator;
  }
};

std::optional<Fraction> EntryFraction(const tByteReader& tiff, const tIfdEntry& in) {
  if (in.Type != kRational && in.Type != kSRational) return std::nullopt;
  const std::uint32_t n = tiff.U32(in.ValueField);
  const std::uint32_t d = tiff.U32(std::uint64_t{in.ValueField} + 4);
  if (in.Type == kSRational)
    return Fraction{static_cast<double>(static_cast<std::int32_t>(n)),
                    static_cast<double>(static_cast<std::int32_t>(d))};
  return Fraction{static_cast<double>(n), static_cast<double>(d)};
}

void SetNumber(tMetaEntry& e, double value) {
  e.Kind = kind::kNumber;
  e.Value = Value::Number(value);
  e.Text = NumberText(value);
}

// UTF-16 little-endian units to UTF-8, up to the first zero unit (Windows
// texts and UserComment end there).
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::size_t units = 0;
  while (2 * units + 1 < bytes.size() && (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0))
    ++units;
  return Utf16ToUtf8(bytes.substr(0, 2 * units), false);
}

// Cuts UTF-8 text to at most kMaxEntryText characters, never inside one.
std::string CutUtf8Characters(const std::string& s) {
  return std::string(FirstUtf8Characters(s, kMaxEntryText));
}

// UserComment: an 8-byte character-set identifier, then the text.
std::string DecodeUserComment(std::string_view value, bool& isUtf8) {
  isUtf8 = false;
  if (value.size() < 8) return "";
  std::string id(value.substr(0, 8));
  for (char& c : id)
    if (c == '\0') c = ' ';
  const auto b = id.find_first_not_of(' ');
  id = b == std::string::npos ? "" : id.substr(b, id.find_last_not_of(' ') - b + 1);
  const std::string_view body = value.substr(8);
  if (id == "ASCII") return std::string(body.substr(0, body.find('\0')));
  if (id == "UNICODE") {
    isUtf8 = true;
    return Utf16LeToUtf8(body);
  }
  if (id == "JIS") return "<unknown character set>";
  return "";
}

// Enumerated text for a code, or the code's decimal text when it has none.
void SetEnumerated(tMetaEntry& e, std::int64_t v, const tCodeTexts& codes) {
  e.Kind = kind::kString;
  if (v >= codes.First && v - codes.First < static_cast<std::int64_t>(codes.Texts.size()))
    e.Text = codes.Texts[static_cast<std::size_t>(v - codes.First)];
  else if (codes.Other != nullptr)
    e.Text = codes.Other;
}

// LensInfo: shortest and longest focal length, then the smallest
// F number at each; a part written 0/0 is unknown and left out. Gives
// texts such as 18-55mm f/3.5-5.6 or 50mm f/1.8.
std::string LensInfoText(const tByteReader& tiff, const tIfdEntry& in) {
  std::array<std::optional<double>, 4> part;
  for (std::uint32_t i = 0; i < 4; ++i) {
    const std::uint64_t at = std::uint64_t{in.ValueField} + 8ull * i;
    const std::uint32_t n = tiff.U32(at);
    const std::uint32_t d = tiff.U32(at + 4);
    if (d != 0) part[i] = RoundDecimals(static_cast<double>(n) / d, 1);
  }
  const auto range = [](const std::optional<double>& a, const std::optional<double>& b) {
    std::string out = NumberText(*a);
    if (b && *b != *a) {
      out += '-';
      out += NumberText(*b);
    }
    return out;
  };
  std::string text;
  if (part[0]) {
    text = range(part[0], part[1]);
    text += "mm";
  }
  if (part[2]) {
    text += text.empty() ? "f/" : " f/";
    text += range(part[2], part[3]);
  }
  return text;
}

// The value bytes of an entry: inside the value field when they fit, else
// at the offset it holds; empty when they lie outside the segment.
std::string_view EntryBytes(const tByteReader& tiff, const tIfdEntry& in) {
  if (in.Count <= 4) return {reinterpret_cast<const char*>(in.ValueBytes), in.Count};
  if (!tiff.Has(in.ValueField, in.Count)) return {};
  return tiff.Bytes(in.ValueField, in.Count);
}

// The reference entry of the GPS directory that its altitude rule reads; a
// coordinate's reference (N or S, E or W) is the tag just before it.
constexpr std::uint16_t kGpsAltitudeRef = 5;

// Up to three fractions (degrees, minutes, seconds or hours, minutes,
// seconds) of a RATIONAL entry, or of an SRATIONAL one as some phones write
// them; parts the entry lacks are 0. A part with a zero denominator is an
// error, except an unused 0/0 after the first; so is a negative part.
std::array<double, 3> Sexagesimal(const tByteReader& tiff, const tIfdEntry& in) {
  if ((in.Type != kRational && in.Type != kSRational) || in.Count == 0)
    throw tMetadataError("not three fractions");
  std::array<double, 3> parts{};
  const std::uint32_t count = in.Count < 3 ? in.Count : 3;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t at = std::uint64_t{in.ValueField} + 8ull * i;
    const std::uint32_t n = tiff.U32(at);
    const std::uint32_t d = tiff.U32(at + 4);
    if (d == 0 && (n != 0 || i == 0)) throw tMetadataError("zero denominator");
    if (d == 0) continue;
    if (in.Type == kSRational) {
      const double q =
          static_cast<double>(static_cast<std::int32_t>(n)) / static_cast<std::int32_t>(d);
      if (q < 0) throw tMetadataError("negative part");
      parts[i] = q;
    } else {
      parts[i] = static_cast<double>(n) / d;
    }
  }
  return parts;
}

// The coordinates' reference entries stand just before them (1 before 2, 3
// before 4, 19 before 20, 21 before 22).
std::uint16_t ReferenceTag(const tTagRuleInput& input) {
  return static_cast<std::uint16_t>(input.In.Tag - 1);
}

// The first letter of a reference entry (N, S, E, W), upper-cased; 0 when
// the directory has no such entry.
char ReferenceLetter(const tByteReader& tiff, const tIfdBlock& block, std::uint16_t tag) {
  for (const tIfdEntry& ref : block.Entries) {
    if (ref.Tag != tag) continue;
    const std::string_view bytes = EntryBytes(tiff, ref);
    if (bytes.empty()) return 0;
    const char c = bytes.front();
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return 0;
}

// A number with six decimals, "." as separator whatever the locale.
std::string SixDecimals(double value) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
  return std::string(buf, r.ptr);
}

// An exposure in seconds as cameras show it: 1/N up to a quarter second
// (a hair above it, so that 1/4 stays 1/4), from there the seconds with one
// decimal and without a ".0" (0.6, 2, 15). Throws tMetadataError for no
// exposure (zero, negative or not finite).
std::string ExposureText(double seconds) {
  if (!(seconds > 0) || !std::isfinite(seconds)) throw tMetadataError("no exposure time");
  if (seconds < 0.25001) return "1/" + NumberText(RoundDecimals(1.0 / seconds, 0));
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, seconds, std::chars_format::fixed, 1);
  std::string text(buf, r.ptr);
  if (text.ends_with(".0")) text.resize(text.size() - 2);
  return text;
}

// Signed decimal degrees from the three fractions and the reference: south
// and west are negative. Without a known reference the sign is unknown, and
// no coordinate is made rather than a wrong one.
void SetCoordinate(tMetaEntry& e, const std::array<double, 3>& parts, char ref, char positive,
                   char negative, double limit) {
  if (ref != positive && ref != negative) throw tMetadataError("coordinate without its reference");
  const double degrees = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
  if (degrees > limit) throw tMetadataError("coordinate out of range");
  // The number is the one its six-decimal text spells, so both compare alike.
  double value = std::round(degrees * 1e6) / 1e6;
  if (ref == negative && value != 0) value = -value;
  e.Kind = kind::kNumber;
  e.Value = Value::Number(value);
  e.Text = SixDecimals(value);
}

std::string TwoDigits(double v) {
  const auto n = static_cast<int>(v);
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

const char* const kTextOrientation[] = {"top-left", "top-right", "bottom-right", "bottom-left",
                                        "left-top", "right-top", "right-bottom", "left-bottom"};
const char* const kTextResolutionUnit[] = {"none", "dpi", "dpcm"};
const char* const kTextExposureProgram[] = {
    "Manual",           "Program Normal",   "Aperture priority", "Shutter priority",
    "Program Creative", "Program Hi-speed", "Program Portrait",  "Program Landscape"};
const char* const kTextMeteringMode[] = {"Unknown",   "Average",      "CenterWeighted", "Spot",
                                         "MultiSpot", "MultiSegment", "Partial"};
const char* const kTextExposureMode[] = {"Auto exposure", "Manual exposure", "Auto bracket"};
const char* const kTextWhiteBalance[] = {"Auto white balance", "Manual white balance"};
const char* const kTextSceneCaptureType[] = {"Standard", "Landscape", "Portrait", "Night scene"};
const char* const kTextGainControl[] = {"None", "Low gain up", "High gain up", "Low gain down",
                                        "High gain down"};
const char* const kTextSoftHard[] = {"Normal", "Soft", "Hard"};
const char* const kTextSaturation[] = {"Normal", "Low saturation", "High saturation"};
const char* const kTextSubjectDistanceRange[] = {"Unknown", "Macro", "Close view", "Distant view"};
const char* const kTextSensitivityType[] = {
    "Unknown",
    "Standard output sensitivity",
    "Recommended exposure index",
    "ISO speed",
    "Standard output sensitivity and recommended exposure index",
    "Standard output sensitivity and ISO speed",
    "Recommended exposure index and ISO speed",
    "Standard output sensitivity, recommended exposure index and ISO speed"};
const char* const kTextAltitudeRef[] = {"Above Sea Level", "Below Sea Level"};
const char* const kTextDifferential[] = {"No Correction", "Differential Corrected"};
const char* const kTextJfifUnits[] = {"NoUnits", "dpi", "dpcm"};

// A fraction rule's fraction, or nothing for an entry of another field type,
// which stays as the generic conversion made it.
std::optional<Fraction> RuleFraction(const tTagRuleInput& input) {
  return EntryFraction(input.Tiff, input.In);
}

// The number made by number(), or a fraction entry "<invalid_value>" when
// the fraction gives none.
template <typename Number>
void NumberOrInvalid(tMetaEntry& e, Number number) {
  try {
    SetNumber(e, number());
  } catch (const tMetadataError&) {
    e.Kind = kind::kFraction;
    e.Text = kInvalidValue;
  }
}

// The exposure time text of seconds(), or "<invalid_value>" when there is none.
template <typename Seconds>
void ExposureOrInvalid(tMetaEntry& e, Seconds seconds) {
  e.Kind = kind::kFraction;
  try {
    e.Text = ExposureText(seconds());
  } catch (const tMetadataError&) {
    e.Text = kInvalidValue;
  }
}

}  // namespace

namespace codes {
const tCodeTexts kOrientation{1, kTextOrientation, nullptr};
const tCodeTexts kResolutionUnit{1, kTextResolutionUnit, nullptr};
const tCodeTexts kExposureProgram{1, kTextExposureProgram, "unknown"};
const tCodeTexts kMeteringMode{0, kTextMeteringMode, nullptr};
const tCodeTexts kExposureMode{0, kTextExposureMode, nullptr};
const tCodeTexts kWhiteBalance{0, kTextWhiteBalance, nullptr};
const tCodeTexts kSceneCaptureType{0, kTextSceneCaptureType, nullptr};
const tCodeTexts kGainControl{0, kTextGainControl, nullptr};
const tCodeTexts kSoftHard{0, kTextSoftHard, nullptr};
const tCodeTexts kSaturation{0, kTextSaturation, nullptr};
const tCodeTexts kSubjectDistanceRange{0, kTextSubjectDistanceRange, nullptr};
const tCodeTexts kSensitivityType{0, kTextSensitivityType, nullptr};
const tCodeTexts kAltitudeRef{0, kTextAltitudeRef, nullptr};
const tCodeTexts kDifferential{0, kTextDifferential, nullptr};
const tCodeTexts kJfifUnits{0, kTextJfifUnits, "<unknown>"};
}  // namespace codes

const tCodeTexts* CodeTextsOf(std::uint8_t group, std::uint16_t tag) {
  if (group == group::kThumbnail) group = group::kExif;
  const tTagRow* row = FindTagRow(group, tag);
  return row != nullptr ? row->Codes : nullptr;
}

namespace rule {

void WindowsText(const tTagRuleInput& input, tMetaEntry& e) {
  // UCS-2 little-endian in a BYTE array, whatever the file's byte order;
  // bytes outside the segment give an empty text.
  std::string text = Utf16LeToUtf8(EntryBytes(input.Tiff, input.In));
  e.Kind = kind::kString;
  e.Text = CutUtf8Characters(text);
  e.Value = Value::Text(std::move(text));
}

void UserComment(const tTagRuleInput& input, tMetaEntry& e) {
  const tIfdEntry& in = input.In;
  e.Kind = kind::kString;
  std::string text;
  bool isUtf8 = false;
  if (input.DirKind == ifd::kExif) {
    // A comment whose bytes reach beyond the segment gives an empty text.
    if (in.Count <= 4)
      text = DecodeUserComment({reinterpret_cast<const char*>(in.ValueBytes), in.Count}, isUtf8);
    else if (input.Tiff.Has(in.ValueField, in.Count))
      text = DecodeUserComment(input.Tiff.Bytes(in.ValueField, in.Count), isUtf8);
  }
  e.Text = isUtf8 ? CutUtf8Characters(text) : CutEntryText(text);
  e.Value = Value::Text(std::move(text));
}

void EncodedText(const tTagRuleInput& input, tMetaEntry& e) {
  bool isUtf8 = false;
  std::string text = DecodeUserComment(EntryBytes(input.Tiff, input.In), isUtf8);
  e.Kind = kind::kString;
  e.Text = isUtf8 ? CutUtf8Characters(text) : CutEntryText(text);
  e.Value = Value::Text(std::move(text));
}

void LensInfo(const tTagRuleInput& input, tMetaEntry& e) {
  if (input.In.Type != kRational || input.In.Count != 4) return;
  e.Kind = kind::kString;
  e.Text = LensInfoText(input.Tiff, input.In);
  e.Value = Value::Text(e.Text);
}

void ThumbnailOffset(const tTagRuleInput& input, tMetaEntry& e) {
  if (const auto v = EntryNumber(e)) {
    const auto offset = static_cast<std::uint64_t>(*v) + input.TiffBase;
    input.ThumbOffset = offset > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(offset);
  }
}

void ThumbnailLength(const tTagRuleInput& input, tMetaEntry& e) {
  if (const auto v = EntryNumber(e)) input.ThumbLength = static_cast<std::uint32_t>(*v);
}

void FileSource(const tTagRuleInput& input, tMetaEntry& e) {
  static const std::uint8_t kDsc[4] = {3, 0, 0, 0};
  e.Text = std::equal(input.In.ValueBytes, input.In.ValueBytes + 4, kDsc) ? "DSC" : "<unknown>";
}

void WholeNumber(const tTagRuleInput& input, tMetaEntry& e) {
  if (const auto f = RuleFraction(input)) SetNumber(e, RoundDecimals(f->Quotient(), 0));
}

void OneDecimal(const tTagRuleInput& input, tMetaEntry& e) {
  if (const auto f = RuleFraction(input)) SetNumber(e, RoundDecimals(f->Quotient(), 1));
}

void TwoDecimals(const tTagRuleInput& input, tMetaEntry& e) {
  const auto f = RuleFraction(input);
  if (!f) return;
  try {
    SetNumber(e, RoundDecimals(f->Quotient(), 2));
  } catch (const tMetadataError&) {
    // stays a fraction
  }
}

void FocalLength(const tTagRuleInput& input, tMetaEntry& e) {
  if (const auto f = RuleFraction(input))
    NumberOrInvalid(e, [&] { return RoundDecimals(f->Quotient(), 0); });
}

void ExposureTime(const tTagRuleInput& input, tMetaEntry& e) {
  if (const auto f = RuleFraction(input)) ExposureOrInvalid(e, [&] { return f->Quotient(); });
}

void ShutterSpeed(const tTagRuleInput& input, tMetaEntry& e) {
  // The APEX value x stands for 2^-x seconds.
  if (const auto f = RuleFraction(input))
    ExposureOrInvalid(e, [&] { return std::pow(2.0, -f->Quotient()); });
}

void ApexAperture(const tTagRuleInput& input, tMetaEntry& e) {
  if (const auto f = RuleFraction(input))
    NumberOrInvalid(e, [&] { return RoundDecimals(std::pow(std::sqrt(2.0), f->Quotient()), 2); });
}

void GpsVersion(const tTagRuleInput& input, tMetaEntry& e) {
  // Four bytes, written as 2.3.0.0.
  const tIfdEntry& in = input.In;
  if (in.Type != fieldtype::kByte || in.Count != 4) return;
  e.Kind = kind::kString;
  e.Text = std::to_string(in.ValueBytes[0]) + "." + std::to_string(in.ValueBytes[1]) + "." +
           std::to_string(in.ValueBytes[2]) + "." + std::to_string(in.ValueBytes[3]);
  e.Value = Value::Text(e.Text);
}

void GpsLatitude(const tTagRuleInput& input, tMetaEntry& e) {
  SetCoordinate(e, Sexagesimal(input.Tiff, input.In),
                ReferenceLetter(input.Tiff, input.Gps, ReferenceTag(input)), 'N', 'S', 90);
}

void GpsLongitude(const tTagRuleInput& input, tMetaEntry& e) {
  SetCoordinate(e, Sexagesimal(input.Tiff, input.In),
                ReferenceLetter(input.Tiff, input.Gps, ReferenceTag(input)), 'E', 'W', 180);
}

void GpsAltitude(const tTagRuleInput& input, tMetaEntry& e) {
  // Below sea level when the reference says 1; without a reference the
  // standard's default, above sea level.
  const auto f = RuleFraction(input);
  if (!f) return;
  double altitude = RoundDecimals(f->Quotient(), 2);
  for (const tIfdEntry& ref : input.Gps.Entries)
    if (ref.Tag == kGpsAltitudeRef && ref.Count >= 1 && ref.ValueBytes[0] == 1 && altitude != 0)
      altitude = -altitude;
  SetNumber(e, altitude);
}

void GpsTimeStamp(const tTagRuleInput& input, tMetaEntry& e) {
  const std::array<double, 3> t = Sexagesimal(input.Tiff, input.In);
  if (t[0] >= 24 || t[1] >= 60 || t[2] >= 61) throw tMetadataError("time out of range");
  e.Kind = kind::kString;
  e.Text = TwoDigits(t[0]) + ":" + TwoDigits(t[1]) + ":" + TwoDigits(std::floor(t[2]));
  e.Value = Value::Text(e.Text);
}

}  // namespace rule

void tImageMetaData::ApplyTagRule(const tByteReader& tiff, const tIfdEntry& in,
                                  std::uint8_t dirKind, tMetaEntry& e) {
  // The first directory, the EXIF and the thumbnail directory share the
  // EXIF rows' rules.
  const tTagRow* row = FindTagRow(dirKind == ifd::kGps ? group::kGps : group::kExif, in.Tag);
  if (row == nullptr) return;
  if (row->Codes != nullptr) {
    // A code of another field type stays as the generic conversion made it.
    if (const auto v = EntryNumber(e)) SetEnumerated(e, *v, *row->Codes);
    return;
  }
  if (row->Rule != nullptr)
    row->Rule(
        tTagRuleInput{tiff, in, dirKind, slots_[kGpsSlot], tiffBase_, thumbOffset_, thumbLength_},
        e);
}

}  // namespace orvalis
