// GetThumbnail: the EXIF thumbnail, or the whole image, decoded by the JPEG
// codec into an RGB bitmap; DecodeJpegInFile: a JPEG stream inside another
// file the same way. Codec errors come back as exceptions.
#include <algorithm>
#include <csetjmp>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "metadata/byte_reader.h"
#include "metadata/image_metadata.h"
#include "metadata/picture_decoders.h"

namespace orvalis {

namespace {

// Limits against sizes declared by a hostile file.
constexpr std::uint64_t kMaxOutputPixels = kMaxPicturePixels;
constexpr long kMaxCodecMemory = 512L * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnCodecError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void IgnoreCodecMessage(j_common_ptr) {}

// Everything the decoding touches lives here, outside the frame that calls
// setjmp, so nothing is left in an unknown state after a codec error.
struct DecodeJob {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  const unsigned char* memory = nullptr;
  unsigned long memoryLength = 0;
  std::FILE* file = nullptr;
  RgbBitmap* out = nullptr;
  tPictureScale scale = tPictureScale::Thumbnail;
};

// A whole picture: the largest DCT scaling M/8 whose output stays within
// the pixel limit.
void ChooseWholeScale(jpeg_decompress_struct& cinfo) {
  cinfo.scale_denom = 8;
  for (unsigned m = 8; m > 1; --m) {
    cinfo.scale_num = m;
    jpeg_calc_output_dimensions(&cinfo);
    if (std::uint64_t{cinfo.output_width} * cinfo.output_height <= kMaxOutputPixels) return;
  }
  cinfo.scale_num = 1;
}

// A thumbnail: the smallest DCT scaling M/8 whose output still covers the
// fitted size.
void ChooseScale(jpeg_decompress_struct& cinfo) {
  const double w = cinfo.image_width, h = cinfo.image_height;
  const double fit = std::fmin(kThumbnailCoverWidth / w, kThumbnailCoverHeight / h);
  cinfo.scale_denom = 8;
  cinfo.scale_num = 8;
  if (fit >= 1) return;
  const double needW = std::ceil(w * fit - 1e-9), needH = std::ceil(h * fit - 1e-9);
  for (unsigned m = 1; m <= 8; ++m) {
    cinfo.scale_num = m;
    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.output_width >= needW && cinfo.output_height >= needH) return;
  }
  cinfo.scale_num = 8;
}

// Returns false with err.message set when the codec failed.
bool RunDecode(DecodeJob* job) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  cinfo.err = jpeg_std_error(&job->err.pub);
  job->err.pub.error_exit = OnCodecError;
  job->err.pub.output_message = IgnoreCodecMessage;
  job->err.message[0] = '\0';
  if (setjmp(job->err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxCodecMemory;
  if (job->file != nullptr)
    jpeg_stdio_src(&cinfo, job->file);
  else
    jpeg_mem_src(&cinfo, job->memory, job->memoryLength);
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  if (job->scale == tPictureScale::Whole)
    ChooseWholeScale(cinfo);
  else
    ChooseScale(cinfo);
  jpeg_start_decompress(&cinfo);
  const std::uint64_t pixels = std::uint64_t{cinfo.output_width} * cinfo.output_height;
  if (pixels == 0 || pixels > kMaxOutputPixels) {
    std::snprintf(job->err.message, sizeof job->err.message, "image too large (%ux%u)",
                  cinfo.output_width, cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  RgbBitmap& out = *job->out;
  out.Width = static_cast<int>(cinfo.output_width);
  out.Height = static_cast<int>(cinfo.output_height);
  out.Pixels.assign(static_cast<std::size_t>(pixels) * 3, 0);
  JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                         JPOOL_IMAGE, cinfo.output_width * 4, 1)
                            : nullptr;
  while (cinfo.output_scanline < cinfo.output_height) {
    std::uint8_t* row = out.Pixels.data() + out.RowBytes() * cinfo.output_scanline;
    if (!cmyk) {
      JSAMPROW rows[1] = {row};
      jpeg_read_scanlines(&cinfo, rows, 1);
      continue;
    }
    jpeg_read_scanlines(&cinfo, cmykRow, 1);
    // Adobe writes CMYK inverted: each channel times black gives the colour.
    const JSAMPLE* in = cmykRow[0];
    for (unsigned x = 0; x < cinfo.output_width; ++x, in += 4) {
      row[3 * x + 0] = static_cast<std::uint8_t>(in[0] * in[3] / 255);
      row[3 * x + 1] = static_cast<std::uint8_t>(in[1] * in[3] / 255);
      row[3 * x + 2] = static_cast<std::uint8_t>(in[2] * in[3] / 255);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

std::unique_ptr<RgbBitmap> Decode(DecodeJob& job) {
  auto bitmap = std::make_unique<RgbBitmap>();
  job.out = bitmap.get();
  if (!RunDecode(&job))
    throw tMetadataError(std::string("JPEG decoding failed: ") + job.err.message);
  return bitmap;
}

}  // namespace

std::unique_ptr<RgbBitmap> DecodeJpegInFile(const std::string& path, std::uint64_t offset,
                                            std::uint64_t length, tPictureScale scale) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) throw tMetadataError("cannot open file: " + std::string(std::strerror(errno)));
  if (length > kMaxEmbeddedJpegBytes) throw tMetadataError("embedded JPEG too long");
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()) ||
      std::fseek(file.get(), static_cast<long>(offset), SEEK_SET) != 0) {
    throw tMetadataError("embedded JPEG outside the file");
  }
  // Read in steps, so a length far past the end of the file costs nothing.
  std::vector<unsigned char> bytes;
  constexpr std::size_t kStep = 1u << 20;
  while (bytes.size() < length) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(kStep, length - bytes.size()));
    const std::size_t had = bytes.size();
    bytes.resize(had + want);
    const std::size_t got = std::fread(bytes.data() + had, 1, want, file.get());
    bytes.resize(had + got);
    if (got < want) break;
  }
  if (bytes.size() < 4) throw tMetadataError("embedded JPEG outside the file");
  auto job = std::make_unique<DecodeJob>();
  job->memory = bytes.data();
  job->memoryLength = static_cast<unsigned long>(bytes.size());
  job->scale = scale;
  return Decode(*job);
}

std::unique_ptr<RgbBitmap> tImageMetaData::GetThumbnail() const {
  if (HasThumbnail()) {
    if (!KeepThumbnail) throw tMetadataError("the store was read without its thumbnail");
    // A length that reaches past the segment is cut at its end; the codec
    // copes with a truncated stream.
    const std::size_t available = exifSegment_.size() - thumbOffset_;
    const std::size_t length = thumbLength_ < available ? thumbLength_ : available;
    auto job = std::make_unique<DecodeJob>();
    job->memory = exifSegment_.data() + thumbOffset_;
    job->memoryLength = static_cast<unsigned long>(length);
    return Decode(*job);
  }
  if (!ThumbFromImage) return nullptr;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName_.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) throw tMetadataError("cannot open file: " + std::string(std::strerror(errno)));
  auto job = std::make_unique<DecodeJob>();
  job->file = file.get();
  return Decode(*job);
}

}  // namespace orvalis
