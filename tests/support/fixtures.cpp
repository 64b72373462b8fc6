#include "support/fixtures.h"

#include "support/scratch.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <jpeglib.h>

namespace orvalis::test {

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Order::U16(std::uint32_t v) const {
  const auto hi = static_cast<std::uint8_t>(v >> 8), lo = static_cast<std::uint8_t>(v);
  return motorola ? Bytes{hi, lo} : Bytes{lo, hi};
}

Bytes Order::U32(std::uint32_t v) const {
  Bytes b{static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
  if (!motorola) std::swap(b[0], b[3]), std::swap(b[1], b[2]);
  return b;
}

namespace {

std::uint32_t DirSize(std::size_t n) { return static_cast<std::uint32_t>(2 + 12 * n + 4); }

std::uint32_t DataSize(const std::vector<TiffEntry>& dir) {
  std::uint32_t n = 0;
  for (const TiffEntry& e : dir)
    if (!e.rawField && e.data.size() > 4) n += static_cast<std::uint32_t>(e.data.size());
  return n;
}

}  // namespace

std::uint32_t TiffBuilder::TrailerOffset() const {
  const std::size_t firstCount = first.size() + (exif.empty() ? 0 : 1) + (gps.empty() ? 0 : 1);
  std::uint32_t off = 8 + DirSize(firstCount);
  if (!thumbnail.empty()) off += DirSize(thumbnail.size());
  if (!exif.empty()) off += DirSize(exif.size());
  if (!gps.empty()) off += DirSize(gps.size());
  return off + DataSize(first) + DataSize(thumbnail) + DataSize(exif) + DataSize(gps);
}

Bytes TiffBuilder::Build() const {
  std::vector<TiffEntry> dir0 = first;
  const std::uint32_t offFirst = 8;
  const std::uint32_t offThumb =
      offFirst + DirSize(dir0.size() + (exif.empty() ? 0 : 1) + (gps.empty() ? 0 : 1));
  const std::uint32_t offExif = offThumb + (thumbnail.empty() ? 0 : DirSize(thumbnail.size()));
  const std::uint32_t offGps = offExif + (exif.empty() ? 0 : DirSize(exif.size()));
  if (!exif.empty()) dir0.push_back({34665, 4, 1, order.U32(offExif)});
  if (!gps.empty()) dir0.push_back({34853, 4, 1, order.U32(offGps)});
  std::uint32_t dataOffset = offGps + (gps.empty() ? 0 : DirSize(gps.size()));
  Bytes data;

  Bytes out = Concat({Text(order.motorola ? "MM" : "II"), order.U16(42), order.U32(offFirst)});
  const auto writeDir = [&](const std::vector<TiffEntry>& dir, std::uint32_t next) {
    out = Concat({out, order.U16(static_cast<std::uint32_t>(dir.size()))});
    for (const TiffEntry& e : dir) {
      Bytes field;
      if (e.rawField) {
        field = order.U32(*e.rawField);
      } else if (e.data.size() <= 4) {
        field = e.data;
        field.resize(4, 0);
      } else {
        field = order.U32(dataOffset);
        dataOffset += static_cast<std::uint32_t>(e.data.size());
        data = Concat({data, e.data});
      }
      out = Concat({out, order.U16(e.tag), order.U16(e.type), order.U32(e.count), field});
    }
    out = Concat({out, order.U32(next)});
  };
  writeDir(dir0, thumbnail.empty() ? 0 : offThumb);
  if (!thumbnail.empty()) writeDir(thumbnail, 0);
  if (!exif.empty()) writeDir(exif, 0);
  if (!gps.empty()) writeDir(gps, 0);
  return Concat({out, data, trailer});
}

Bytes ExifPayload(const Bytes& tiff) { return Concat({Text(std::string("Exif\0\0", 6)), tiff}); }
Bytes ExifPayload(const TiffBuilder& tiff) { return ExifPayload(tiff.Build()); }

Bytes Segment(std::uint8_t marker, const Bytes& payload) {
  const std::size_t len = payload.size() + 2;
  if (len > 0xFFFF) throw std::length_error("segment too long");
  return Concat(
      {Bytes{0xFF, marker, static_cast<std::uint8_t>(len >> 8), static_cast<std::uint8_t>(len)},
       payload});
}

Bytes JfifPayload(std::uint8_t major, std::uint8_t minor, std::uint8_t units, std::uint16_t xd,
                  std::uint16_t yd, std::uint8_t tw, std::uint8_t th) {
  const Order be{true};
  return Concat({Text(std::string("JFIF\0", 5)), Bytes{major, minor, units}, be.U16(xd), be.U16(yd),
                 Bytes{tw, th}});
}

Bytes FramePayload(std::uint16_t height, std::uint16_t width) {
  const Order be{true};
  return Concat(
      {Bytes{8}, be.U16(height), be.U16(width), Bytes{3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}});
}

Bytes Dataset(std::uint8_t number, const std::string& data) {
  const Order be{true};
  return Concat(
      {Bytes{0x1C, 2, number}, be.U16(static_cast<std::uint32_t>(data.size())), Text(data)});
}

Bytes JpegFile(const std::vector<Bytes>& segments) {
  Bytes out{0xFF, 0xD8};
  for (const Bytes& s : segments) out = Concat({out, s});
  return Concat(
      {out, Segment(0xDA, Bytes{1, 1, 0, 0, 63, 0}), Bytes{0x12, 0x34, 0x56, 0xFF, 0xD9}});
}

Bytes EncodeJpeg(int width, int height, bool progressive) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  Bytes row(static_cast<std::size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 3 * static_cast<std::size_t>(x);
      row[at] = static_cast<std::uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
      row[at + 1] =
          static_cast<std::uint8_t>(cinfo.next_scanline * 255 / static_cast<unsigned>(height));
      row[at + 2] = 128;
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

Bytes InsertAfterSoi(const Bytes& jpeg, const std::vector<Bytes>& segments) {
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  for (const Bytes& s : segments) out = Concat({out, s});
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

std::string ScratchDir() {
  static const ScratchFolder scratch;
  const std::string& path = scratch.Path();
  return path.substr(0, path.size() - 1);
}

std::string WriteFile(const std::string& name, const Bytes& bytes) {
  const std::string path = ScratchDir() + "/" + name;
  WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
  return path;
}

std::string MiniJpeg(const Photo& photo) {
  TiffBuilder tiff{Order{true}};
  if (!photo.make.empty()) {
    tiff.first.push_back(
        {271, 2, static_cast<std::uint32_t>(photo.make.size() + 1), Text(photo.make + '\0')});
  }
  if (photo.fnumber)
    tiff.exif.push_back(
        {33437, 5, 1, tiff.order.Rational(photo.fnumber->first, photo.fnumber->second)});
  Bytes jpeg = Concat({Bytes{0xFF, 0xD8}, Segment(0xE1, ExifPayload(tiff))});
  if (!photo.caption.empty()) {
    Bytes iptc = Dataset(0x78, photo.caption);
    if (iptc.size() % 2 != 0) iptc.push_back(0);
    const Bytes resource =
        Text(std::string("Photoshop 3.0\0"
                         "8BIM\x04\x04\0\0",
                         22));
    jpeg = Concat(
        {jpeg,
         Segment(0xED, Concat({resource, Order{true}.U32(static_cast<std::uint32_t>(iptc.size())),
                               iptc}))});
  }
  jpeg = Concat({jpeg, Bytes{0xFF, 0xD9}});
  return std::string(jpeg.begin(), jpeg.end());
}

std::string IptcJpeg(const std::vector<std::pair<int, std::string>>& datasets) {
  Bytes iptc;
  for (const auto& [number, data] : datasets)
    iptc = Concat({iptc, Dataset(static_cast<std::uint8_t>(number), data)});
  const Bytes jpeg = Concat(
      {Bytes{0xFF, 0xD8}, datasets.empty() ? Bytes{} : Segment(0xED, iptc), Bytes{0xFF, 0xD9}});
  return std::string(jpeg.begin(), jpeg.end());
}

}  // namespace orvalis::test
