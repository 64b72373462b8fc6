// The value rules and code texts the rows of the tag table name: what the
// EXIF reader does to an entry of a tag beyond the conversion every entry
// gets (codes become texts, fractions rounded numbers, coordinates signed
// degrees ...).
#pragma once

#include <cstdint>

#include "metadata/tag_codes.h"
#include "metadata/tag_table.h"

namespace orvalis {

class tByteReader;
struct tIfdBlock;
struct tIfdEntry;

// What a rule reads, and where the thumbnail's place goes.
struct tTagRuleInput {
  const tByteReader& Tiff;
  const tIfdEntry& In;
  std::uint8_t DirKind;        // ifd::k...
  const tIfdBlock& Gps;        // the GPS directory, for the reference entries
  std::uint32_t TiffBase;      // where the TIFF header stands in the segment
  std::uint32_t& ThumbOffset;  // in the segment
  std::uint32_t& ThumbLength;
};

namespace codes {
extern const tCodeTexts kOrientation, kResolutionUnit, kExposureProgram, kMeteringMode,
    kExposureMode, kWhiteBalance, kSceneCaptureType, kGainControl, kSoftHard, kSaturation,
    kSubjectDistanceRange, kSensitivityType, kAltitudeRef, kDifferential, kJfifUnits;
}  // namespace codes

namespace rule {
void WindowsText(const tTagRuleInput& input, tMetaEntry& e);  // UCS-2 in a BYTE array
void UserComment(const tTagRuleInput& input, tMetaEntry& e);  // character set, then text
void EncodedText(const tTagRuleInput& input, tMetaEntry& e);  // as UserComment, in any directory
void LensInfo(const tTagRuleInput& input, tMetaEntry& e);     // 18-55mm f/3.5-5.6
void ThumbnailOffset(const tTagRuleInput& input, tMetaEntry& e);  // notes the thumbnail's place
void ThumbnailLength(const tTagRuleInput& input, tMetaEntry& e);
void FileSource(const tTagRuleInput& input, tMetaEntry& e);   // DSC
void WholeNumber(const tTagRuleInput& input, tMetaEntry& e);  // a zero denominator drops the entry
void OneDecimal(const tTagRuleInput& input, tMetaEntry& e);   // a zero denominator drops the entry
void TwoDecimals(const tTagRuleInput& input,
                 tMetaEntry& e);  // a zero denominator: stays a fraction
void FocalLength(const tTagRuleInput& input, tMetaEntry& e);   // whole millimetres
void ExposureTime(const tTagRuleInput& input, tMetaEntry& e);  // 1/250, 0.6, 15
void ShutterSpeed(const tTagRuleInput& input, tMetaEntry& e);  // APEX, as an exposure time
void ApexAperture(const tTagRuleInput& input, tMetaEntry& e);  // APEX, as an F number
void GpsVersion(const tTagRuleInput& input, tMetaEntry& e);    // 2.3.0.0
// Signed degrees; each also for the destination's coordinate.
void GpsLatitude(const tTagRuleInput& input, tMetaEntry& e);
void GpsLongitude(const tTagRuleInput& input, tMetaEntry& e);
void GpsAltitude(const tTagRuleInput& input, tMetaEntry& e);   // below sea level negative
void GpsTimeStamp(const tTagRuleInput& input, tMetaEntry& e);  // hh:mm:ss
}  // namespace rule

}  // namespace orvalis
