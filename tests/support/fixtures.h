// Builders for the byte layouts the tests need: TIFF directories in either
// byte order, APP segments, whole JPEG files written to a scratch folder,
// small photos with a few tags, and small real JPEG images from the codec.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvalis::test {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Text(const std::string& s);

// Numbers in the byte order of one TIFF block.
struct Order {
  bool motorola;
  Bytes U16(std::uint32_t v) const;
  Bytes U32(std::uint32_t v) const;
  Bytes Rational(std::uint32_t n, std::uint32_t d) const { return Concat({U32(n), U32(d)}); }
};

struct TiffEntry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  Bytes data;  // the value in file order; more than 4 bytes go to the data area
  std::optional<std::uint32_t> rawField = std::nullopt;  // value field forced as a number
};

// A TIFF block: first directory, optional thumbnail directory, optional
// Exif sub-directory and optional GPS directory (their pointer entries are
// added to the first directory).
struct TiffBuilder {
  Order order;
  std::vector<TiffEntry> first = {}, thumbnail = {}, exif = {}, gps = {};
  // Extra bytes placed after the data area (thumbnail images); their offset
  // relative to the TIFF header is given to the callback's entries by Build.
  Bytes trailer = {};
  std::uint32_t TrailerOffset() const;  // valid for the current directories
  Bytes Build() const;                  // TIFF header and all directories
};

// APP1 payload "Exif\0\0" followed by the TIFF block.
Bytes ExifPayload(const TiffBuilder& tiff);
Bytes ExifPayload(const Bytes& tiff);

// One marker segment with its big-endian length.
Bytes Segment(std::uint8_t marker, const Bytes& payload);
Bytes JfifPayload(std::uint8_t major, std::uint8_t minor, std::uint8_t units, std::uint16_t xd,
                  std::uint16_t yd, std::uint8_t tw = 0, std::uint8_t th = 0);
Bytes FramePayload(std::uint16_t height, std::uint16_t width);
// An IPTC record-2 dataset.
Bytes Dataset(std::uint8_t number, const std::string& data);

// SOI, the segments, a start of scan with a few bytes and EOI.
Bytes JpegFile(const std::vector<Bytes>& segments);

// A real baseline JPEG of the given size from the codec (grey gradient).
Bytes EncodeJpeg(int width, int height, bool progressive = false);
// Inserts segments right after the SOI of a complete JPEG stream.
Bytes InsertAfterSoi(const Bytes& jpeg, const std::vector<Bytes>& segments);

// A scratch folder for this test program; files written there are removed
// with it at exit.
std::string ScratchDir();
std::string WriteFile(const std::string& name, const Bytes& bytes);

// What goes into a small photo; empty texts are left out.
struct Photo {
  std::string make;
  std::optional<std::pair<std::uint32_t, std::uint32_t>> fnumber;  // rational
  std::string caption;                                             // IPTC 2:120
};

// SOI, APP1 Exif (big-endian TIFF: Make in the first directory, FNumber in
// the Exif directory), APP13 IPTC when there is a caption, EOI.
std::string MiniJpeg(const Photo& photo);

// SOI, one APP13 segment of bare IPTC record-2 datasets (none without
// datasets), EOI.
std::string IptcJpeg(const std::vector<std::pair<int, std::string>>& datasets);

}  // namespace orvalis::test
