// The XMP segment: the packet is kept when the walk meets it and read only
// when something asks for an XMP entry, so a search that names no XMP
// field does not pay for the XML parser.
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

#include "metadata/image_metadata.h"
#include "metadata/jpeg_file.h"
#include "metadata/number_text.h"
#include "metadata/xmp_packet.h"

namespace orvalis {

namespace {

// What an APP1 segment holding XMP starts with; the extension segments of
// extended XMP start otherwise and are not read.
constexpr std::string_view kXmpHeader{"http://ns.adobe.com/xap/1.0/\0", 29};

// The rating as a number when its text is one (4, -1, 2.5).
std::optional<Value> RatingNumber(const std::string& text) {
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc{} || r.ptr != text.data() + text.size() || !std::isfinite(v))
    return std::nullopt;
  if (v == std::trunc(v) && std::fabs(v) < 1e15)
    return Value::Integer(static_cast<std::int64_t>(v));
  return Value::Number(v);
}

}  // namespace

bool tImageMetaData::IsXmpSegment(tJpegFile& file, std::uint64_t position, std::uint16_t length) {
  if (length < kXmpHeader.size() + 2 || position + kXmpHeader.size() > file.Size()) return false;
  return std::memcmp(file.Read(position, kXmpHeader.size()), kXmpHeader.data(),
                     kXmpHeader.size()) == 0;
}

bool tImageMetaData::DecodeXmp(tJpegFile& file, std::uint64_t position, std::uint16_t length) {
  try {
    const std::size_t size = length - 2u;
    const std::uint8_t* bytes = file.Read(position, size);
    KeepXmpPacket(
        {reinterpret_cast<const char*>(bytes) + kXmpHeader.size(), size - kXmpHeader.size()});
    return true;
  } catch (const tMetadataError& e) {
    return Fail(e.what());
  }
}

void tImageMetaData::KeepXmpPacket(std::string_view packet) {
  if (xmpFlag_) return;  // the first packet counts
  xmpPacket_.assign(packet);
  xmpFlag_ = true;
  xmpDecoded_ = false;
}

void tImageMetaData::DecodeXmpOnDemand() const {
  if (!xmpFlag_ || xmpDecoded_) return;
  xmpDecoded_ = true;
  const tXmpReading reading = ReadXmpPacket(xmpPacket_);
  if (!reading.Error.empty()) {
    xmpError_ = reading.Error;
    Drop("XMP packet: " + reading.Error);
  }
  for (const tXmpField& field : reading.Fields) {
    tMetaEntry e;
    e.Group = group::kXmp;
    e.Tag = field.Tag;
    e.Kind = kind::kString;
    e.Value = Value::Text(field.Text);
    e.Text = CutEntryText(field.Text);
    if (field.Tag == xmp::kRating) {
      if (const auto number = RatingNumber(field.Text)) {
        e.Kind = kind::kNumber;
        e.Value = *number;
        e.Text = number->IsInteger() ? std::to_string(number->AsInteger())
                                     : NumberText(number->AsNumber());
      }
    }
    entries_.push_back(std::move(e));
  }
}

}  // namespace orvalis
