// The tag rules of the EXIF decoder: codes become texts, fractions become
// rounded numbers, the thumbnail's place is noted, UserComment is decoded by
// its character set.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/number_text.h"
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

// Enumerated text for a code, or the code's decimal text when it has none.
void SetEnumerated(tMetaEntry& e, std::int64_t v, const char* const* texts, std::int64_t first,
                   std::int64_t count, const char* fallback) {
  e.Kind = kind::kString;
  if (v >= first && v < first + count)
    e.Text = texts[v - first];
  else if (fallback != nullptr)
    e.Text = fallback;
}

// UTF-16 little-endian units to UTF-8, up to the first zero unit; a lone
// surrogate becomes "?".
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  const std::size_t units = bytes.size() / 2;
  const auto unit = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                      static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  };
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t u = unit(i);
    if (u == 0) break;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u < 0xE000) {
      out += '?';
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

// Cuts UTF-8 text to at most kMaxEntryText characters, never inside one.
std::string CutUtf8Characters(const std::string& s) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == kMaxEntryText) return s.substr(0, i);
      ++chars;
    }
  }
  return s;
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

const char* const kOrientation[] = {"top-left",  "top-right", "bottom-right", "bottom-left",
                                    "left-top",  "right-top", "right-bottom", "left-bottom"};
const char* const kResolutionUnit[] = {"none", "dpi", "dpcm"};
const char* const kExposureProgram[] = {"Manual",           "Program Normal",   "Aperture priority",
                                        "Shutter priority", "Program Creative", "Program Hi-speed",
                                        "Program Portrait", "Program Landscape"};
const char* const kMeteringMode[] = {"Unknown",   "Average",      "CenterWeighted", "Spot",
                                     "MultiSpot", "MultiSegment", "Partial"};

}  // namespace

void tImageMetaData::ApplyTagRule(const tByteReader& tiff, const tIfdEntry& in, std::uint8_t dirKind,
                                  tMetaEntry& e) {
  // Rules that read a code or a fraction leave an entry of another field type
  // as the generic conversion made it.
  const auto v = EntryNumber(e);
  switch (in.Tag) {
    case 274:
      if (v) SetEnumerated(e, *v, kOrientation, 1, 8, nullptr);
      return;
    case 296:
      if (v) SetEnumerated(e, *v, kResolutionUnit, 1, 3, nullptr);
      return;
    case 34850:
      if (v) SetEnumerated(e, *v, kExposureProgram, 1, 8, "unknown");
      return;
    case 37383:
      if (v) SetEnumerated(e, *v, kMeteringMode, 0, 7, nullptr);
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
        if (f->numerator == 0) throw tMetadataError("division by zero");
        e.Text = "1/" + NumberText(RoundDecimals(1.0 / f->Quotient(), 0));
      } catch (const tMetadataError&) {
        e.Text = kInvalidValue;
      }
      return;
    case 37377:
      e.Kind = kind::kFraction;
      try {
        e.Text = "1/" + NumberText(RoundDecimals(std::pow(2.0, f->Quotient()), 0));
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
