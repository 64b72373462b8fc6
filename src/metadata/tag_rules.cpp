// The tag rules of the EXIF decoder: codes become texts, fractions become
// rounded numbers, the thumbnail's place is noted, UserComment is decoded by
// its character set; in the GPS directory coordinates become signed degrees.
#include <array>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/number_text.h"
#include "metadata/tag_codes.h"
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
    if (denominator == 0) throw tMetadataError(numerator == 0 ? "invalid floating point operation" : "division by zero");
    return numerator / denominator;
  }
};

std::optional<Fraction> EntryFraction(const tByteReader& tiff, const tIfdEntry& in) {
  if (in.Type != kRational && in.Type != kSRational) return std::nullopt;
  const std::uint32_t n = tiff.U32(in.ValueField);
  const std::uint32_t d = tiff.U32(std::uint64_t{in.ValueField} + 4);
  if (in.Type == kSRational)
    return Fraction{static_cast<double>(static_cast<std::int32_t>(n)), static_cast<double>(static_cast<std::int32_t>(d))};
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
  while (2 * units + 1 < bytes.size() && (bytes[2 * units] != 0 || bytes[2 * units + 1] != 0)) ++units;
  return Utf16ToUtf8(bytes.substr(0, 2 * units), false);
}

// Cuts UTF-8 text to at most kMaxEntryText characters, never inside one.
std::string CutUtf8Characters(const std::string& s) { return std::string(FirstUtf8Characters(s, kMaxEntryText)); }

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

const char* const kOrientation[] = {"top-left",  "top-right", "bottom-right", "bottom-left",
                                    "left-top",  "right-top", "right-bottom", "left-bottom"};
const char* const kResolutionUnit[] = {"none", "dpi", "dpcm"};
const char* const kExposureProgram[] = {"Manual",           "Program Normal",   "Aperture priority",
                                        "Shutter priority", "Program Creative", "Program Hi-speed",
                                        "Program Portrait", "Program Landscape"};
const char* const kMeteringMode[] = {"Unknown",   "Average",      "CenterWeighted", "Spot",
                                     "MultiSpot", "MultiSegment", "Partial"};
const char* const kExposureMode[] = {"Auto exposure", "Manual exposure", "Auto bracket"};
const char* const kWhiteBalance[] = {"Auto white balance", "Manual white balance"};
const char* const kSceneCaptureType[] = {"Standard", "Landscape", "Portrait", "Night scene"};
const char* const kGainControl[] = {"None", "Low gain up", "High gain up", "Low gain down", "High gain down"};
const char* const kSoftHard[] = {"Normal", "Soft", "Hard"};
const char* const kSaturation[] = {"Normal", "Low saturation", "High saturation"};
const char* const kSubjectDistanceRange[] = {"Unknown", "Macro", "Close view", "Distant view"};
const char* const kSensitivityType[] = {
    "Unknown",
    "Standard output sensitivity",
    "Recommended exposure index",
    "ISO speed",
    "Standard output sensitivity and recommended exposure index",
    "Standard output sensitivity and ISO speed",
    "Recommended exposure index and ISO speed",
    "Standard output sensitivity, recommended exposure index and ISO speed"};
const char* const kAltitudeRef[] = {"Above Sea Level", "Below Sea Level"};
const char* const kDifferential[] = {"No Correction", "Differential Corrected"};
const char* const kJfifUnits[] = {"NoUnits", "dpi", "dpcm"};

// The codes that become texts, by group and tag; the thumbnail directory
// (group 4) shares the rules of group 3.
struct tCodeRule {
  std::uint8_t Group;
  std::uint16_t Tag;
  tCodeTexts Codes;
};
const tCodeRule kCodeRules[] = {
    {group::kExif, 274, {1, kOrientation, nullptr}},
    {group::kExif, 296, {1, kResolutionUnit, nullptr}},
    {group::kExif, 34850, {1, kExposureProgram, "unknown"}},
    {group::kExif, 37383, {0, kMeteringMode, nullptr}},
    {group::kExif, 41986, {0, kExposureMode, nullptr}},
    {group::kExif, 41987, {0, kWhiteBalance, nullptr}},
    {group::kExif, 41990, {0, kSceneCaptureType, nullptr}},
    {group::kExif, 41991, {0, kGainControl, nullptr}},
    {group::kExif, 41992, {0, kSoftHard, nullptr}},
    {group::kExif, 41993, {0, kSaturation, nullptr}},
    {group::kExif, 41994, {0, kSoftHard, nullptr}},
    {group::kExif, 41996, {0, kSubjectDistanceRange, nullptr}},
    {group::kExif, 34864, {0, kSensitivityType, nullptr}},
    {group::kGps, 5, {0, kAltitudeRef, nullptr}},
    {group::kGps, 30, {0, kDifferential, nullptr}},
    {group::kApp0, 2, {0, kJfifUnits, "<unknown>"}},
};

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

// GPS directory tags with a rule of their own.
enum GpsTag : std::uint16_t {
  kGpsVersionId = 0, kGpsLatitudeRef = 1, kGpsLatitude = 2, kGpsLongitudeRef = 3, kGpsLongitude = 4,
  kGpsAltitudeRef = 5, kGpsAltitude = 6, kGpsTimeStamp = 7, kGpsDop = 11, kGpsSpeed = 13, kGpsTrack = 15,
  kGpsImgDirection = 17, kGpsDestLatitudeRef = 19, kGpsDestLatitude = 20, kGpsDestLongitudeRef = 21,
  kGpsDestLongitude = 22, kGpsDestBearing = 24, kGpsDestDistance = 26, kGpsProcessingMethod = 27,
  kGpsAreaInformation = 28, kGpsDifferential = 30, kGpsHPositioningError = 31
};

// Up to three fractions (degrees, minutes, seconds or hours, minutes,
// seconds) of a RATIONAL entry, or of an SRATIONAL one as some phones write
// them; parts the entry lacks are 0. A part with a zero denominator is an
// error, except an unused 0/0 after the first; so is a negative part.
std::array<double, 3> Sexagesimal(const tByteReader& tiff, const tIfdEntry& in) {
  if ((in.Type != kRational && in.Type != kSRational) || in.Count == 0) throw tMetadataError("not three fractions");
  std::array<double, 3> parts{};
  const std::uint32_t count = in.Count < 3 ? in.Count : 3;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t at = std::uint64_t{in.ValueField} + 8ull * i;
    const std::uint32_t n = tiff.U32(at);
    const std::uint32_t d = tiff.U32(at + 4);
    if (d == 0 && (n != 0 || i == 0)) throw tMetadataError("zero denominator");
    if (d == 0) continue;
    if (in.Type == kSRational) {
      const double q = static_cast<double>(static_cast<std::int32_t>(n)) / static_cast<std::int32_t>(d);
      if (q < 0) throw tMetadataError("negative part");
      parts[i] = q;
    } else {
      parts[i] = static_cast<double>(n) / d;
    }
  }
  return parts;
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
void SetCoordinate(tMetaEntry& e, const std::array<double, 3>& parts, char ref, char positive, char negative,
                   double limit) {
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

}  // namespace

const tCodeTexts* CodeTextsOf(std::uint8_t group, std::uint16_t tag) {
  if (group == group::kThumbnail) group = group::kExif;
  for (const tCodeRule& rule : kCodeRules)
    if (rule.Group == group && rule.Tag == tag) return &rule.Codes;
  return nullptr;
}

void tImageMetaData::ApplyGpsRule(const tByteReader& tiff, const tIfdEntry& in, tMetaEntry& e) const {
  const tIfdBlock& block = slots_[kGpsSlot];
  const auto v = EntryNumber(e);
  switch (in.Tag) {
    case kGpsVersionId: {
      // Four bytes, written as 2.3.0.0.
      if (in.Type != 1 || in.Count != 4) return;
      e.Kind = kind::kString;
      e.Text = std::to_string(in.ValueBytes[0]) + "." + std::to_string(in.ValueBytes[1]) + "." +
               std::to_string(in.ValueBytes[2]) + "." + std::to_string(in.ValueBytes[3]);
      e.Value = Value::Text(e.Text);
      return;
    }
    case kGpsLatitude:
      SetCoordinate(e, Sexagesimal(tiff, in), ReferenceLetter(tiff, block, kGpsLatitudeRef), 'N', 'S', 90);
      return;
    case kGpsLongitude:
      SetCoordinate(e, Sexagesimal(tiff, in), ReferenceLetter(tiff, block, kGpsLongitudeRef), 'E', 'W', 180);
      return;
    case kGpsDestLatitude:
      SetCoordinate(e, Sexagesimal(tiff, in), ReferenceLetter(tiff, block, kGpsDestLatitudeRef), 'N', 'S', 90);
      return;
    case kGpsDestLongitude:
      SetCoordinate(e, Sexagesimal(tiff, in), ReferenceLetter(tiff, block, kGpsDestLongitudeRef), 'E', 'W', 180);
      return;
    case kGpsAltitudeRef:
    case kGpsDifferential:
      if (v) SetEnumerated(e, *v, *CodeTextsOf(group::kGps, in.Tag));
      return;
    case kGpsAltitude: {
      // Below sea level when the reference says 1; without a reference the
      // standard's default, above sea level.
      const auto f = EntryFraction(tiff, in);
      if (!f) return;
      double altitude = RoundDecimals(f->Quotient(), 2);
      for (const tIfdEntry& ref : block.Entries)
        if (ref.Tag == kGpsAltitudeRef && ref.Count >= 1 && ref.ValueBytes[0] == 1 && altitude != 0) altitude = -altitude;
      SetNumber(e, altitude);
      return;
    }
    case kGpsTimeStamp: {
      const std::array<double, 3> t = Sexagesimal(tiff, in);
      if (t[0] >= 24 || t[1] >= 60 || t[2] >= 61) throw tMetadataError("time out of range");
      e.Kind = kind::kString;
      e.Text = TwoDigits(t[0]) + ":" + TwoDigits(t[1]) + ":" + TwoDigits(std::floor(t[2]));
      e.Value = Value::Text(e.Text);
      return;
    }
    case kGpsDop:
    case kGpsSpeed:
    case kGpsTrack:
    case kGpsImgDirection:
    case kGpsDestBearing:
    case kGpsDestDistance:
    case kGpsHPositioningError: {
      const auto f = EntryFraction(tiff, in);
      if (!f) return;
      try {
        SetNumber(e, RoundDecimals(f->Quotient(), 2));
      } catch (const tMetadataError&) {
        // stays a fraction
      }
      return;
    }
    case kGpsProcessingMethod:
    case kGpsAreaInformation: {
      // Character-set identifier and text, as in UserComment.
      bool isUtf8 = false;
      std::string text = DecodeUserComment(EntryBytes(tiff, in), isUtf8);
      e.Kind = kind::kString;
      e.Text = isUtf8 ? CutUtf8Characters(text) : CutEntryText(text);
      e.Value = Value::Text(std::move(text));
      return;
    }
    default:
      return;
  }
}

void tImageMetaData::ApplyTagRule(const tByteReader& tiff, const tIfdEntry& in, std::uint8_t dirKind,
                                  tMetaEntry& e) {
  if (dirKind == ifd::kGps) {
    ApplyGpsRule(tiff, in, e);
    return;
  }
  // Rules that read a code or a fraction leave an entry of another field type
  // as the generic conversion made it.
  const auto v = EntryNumber(e);
  if (const tCodeTexts* codes = CodeTextsOf(group::kExif, in.Tag)) {
    if (v) SetEnumerated(e, *v, *codes);
    return;
  }
  switch (in.Tag) {
    case 40091:
    case 40092:
    case 40093:
    case 40094:
    case 40095: {
      // The Windows texts: UCS-2 little-endian in a BYTE array, whatever the
      // file's byte order; bytes outside the segment give an empty text.
      std::string text = Utf16LeToUtf8(EntryBytes(tiff, in));
      e.Kind = kind::kString;
      e.Text = CutUtf8Characters(text);
      e.Value = Value::Text(std::move(text));
      return;
    }
    case 42034:
      if (in.Type == kRational && in.Count == 4) {
        e.Kind = kind::kString;
        e.Text = LensInfoText(tiff, in);
        e.Value = Value::Text(e.Text);
      }
      return;
    case 513:
      if (v) {
        const auto offset = static_cast<std::uint64_t>(*v) + kTiffBase;
        thumbOffset_ = offset > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(offset);
      }
      return;
    case 514:
      if (v) thumbLength_ = static_cast<std::uint32_t>(*v);
      return;
    case 41728: {
      static const std::uint8_t kDsc[4] = {3, 0, 0, 0};
      e.Text = std::equal(in.ValueBytes, in.ValueBytes + 4, kDsc) ? "DSC" : "<unknown>";
      return;
    }
    case 37510: {
      e.Kind = kind::kString;
      std::string text;
      bool isUtf8 = false;
      if (dirKind == ifd::kExif) {
        // A comment whose bytes reach beyond the segment gives an empty text.
        if (in.Count <= 4)
          text = DecodeUserComment({reinterpret_cast<const char*>(in.ValueBytes), in.Count}, isUtf8);
        else if (tiff.Has(in.ValueField, in.Count))
          text = DecodeUserComment(tiff.Bytes(in.ValueField, in.Count), isUtf8);
      }
      e.Text = isUtf8 ? CutUtf8Characters(text) : CutEntryText(text);
      e.Value = Value::Text(std::move(text));
      return;
    }
    default:
      break;
  }

  const auto f = EntryFraction(tiff, in);
  if (!f) return;
  switch (in.Tag) {
    case 282:
    case 283:
      SetNumber(e, RoundDecimals(f->Quotient(), 0));  // an error drops the entry
      return;
    case 33437:
      SetNumber(e, RoundDecimals(f->Quotient(), 1));
      return;
    case 33434:
      e.Kind = kind::kFraction;
      try {
        e.Text = ExposureText(f->Quotient());
      } catch (const tMetadataError&) {
        e.Text = kInvalidValue;
      }
      return;
    case 37377:
      e.Kind = kind::kFraction;
      try {
        // The APEX value x stands for 2^-x seconds.
        e.Text = ExposureText(std::pow(2.0, -f->Quotient()));
      } catch (const tMetadataError&) {
        e.Text = kInvalidValue;
      }
      return;
    case 37378:
    case 37381:
      try {
        SetNumber(e, RoundDecimals(std::pow(std::sqrt(2.0), f->Quotient()), 2));
      } catch (const tMetadataError&) {
        e.Kind = kind::kFraction;
        e.Text = kInvalidValue;
      }
      return;
    case 37379:
    case 37382:
      try {
        SetNumber(e, RoundDecimals(f->Quotient(), 2));
      } catch (const tMetadataError&) {
        // stays a fraction
      }
      return;
    case 41988:
      try {
        SetNumber(e, RoundDecimals(f->Quotient(), 2));
      } catch (const tMetadataError&) {
        // stays a fraction
      }
      return;
    case 37386:
      try {
        SetNumber(e, RoundDecimals(f->Quotient(), 0));
      } catch (const tMetadataError&) {
        e.Kind = kind::kFraction;
        e.Text = kInvalidValue;
      }
      return;
    default:
      return;
  }
}

}  // namespace orvalis
