// Choosing a file's picture decoder and running it.
#include "ui/photo_picture.h"

#include "metadata/image_metadata.h"
#include "ui/orientation.h"
#include "ui/qt_text.h"
#include "ui/thumbnail.h"

#include <QImageReader>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string_view>

namespace orvalis {

namespace {

// The brands of an ISO base media file that make it a HEIF image (HEIC,
// AVIF and their sequences); a camera's CR3 or a video has others.
bool IsHeifBrand(std::string_view brand) {
  static constexpr std::string_view kBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx",
                                                 "hevm", "hevs", "mif1", "msf1", "avif", "avis"};
  return std::find(std::begin(kBrands), std::end(kBrands), brand) != std::end(kBrands);
}

TPictureKind KindOfHead(const unsigned char* head, std::size_t size) {
  const auto starts = [&](std::size_t at, std::string_view bytes) {
    return size >= at + bytes.size() && std::memcmp(head + at, bytes.data(), bytes.size()) == 0;
  };
  if (starts(0, "\xFF\xD8\xFF")) return TPictureKind::Jpeg;
  if (starts(0, "\x89PNG\r\n\x1A\n")) return TPictureKind::QtImage;
  if (starts(0, "RIFF") && starts(8, "WEBP")) return TPictureKind::QtImage;
  if (starts(0, std::string_view("II*\0", 4)) || starts(0, std::string_view("MM\0*", 4)) ||
      starts(0, std::string_view("II+\0", 4)) || starts(0, std::string_view("MM\0+", 4))) {
    return TPictureKind::QtImage;
  }
  if (starts(4, "ftyp")) {
    // The major brand, then the compatible brands up to the box's end.
    const std::size_t boxSize =
        (std::size_t{head[0]} << 24) | (std::size_t{head[1]} << 16) | (std::size_t{head[2]} << 8) | head[3];
    const std::size_t end = std::min(size, boxSize);
    for (std::size_t at = 8; at + 4 <= end; at += at == 8 ? 8 : 4) {
      if (IsHeifBrand(std::string_view(reinterpret_cast<const char*>(head + at), 4))) return TPictureKind::Heif;
    }
  }
  return TPictureKind::None;
}

QImage FromBitmap(const std::unique_ptr<RgbBitmap>& bitmap) {
  if (!bitmap) return {};
  return ImageFromRgb24(bitmap->Width, bitmap->Height, bitmap->Pixels.data(), bitmap->Pixels.size());
}

// A JPEG's thumbnail: its EXIF thumbnail, or the whole image reduced when
// asked to, turned by its EXIF orientation.
QImage JpegThumbnail(const std::string& path, const TPictureRequest& request) {
  // A store of its own: the run's store has long moved on to other files.
  tImageMetaData store;
  store.ThumbFromImage = request.WholeJpegForThumbnail;
  store.ReadJpegFile(path);
  if (!store.IsJpeg()) return {};
  QImage image = FromBitmap(store.GetThumbnail());
  if (!image.isNull() && request.TurnByOrientation) image = OrientedImage(image, OrientationOf(store));
  return image;
}

// A picture through Qt's image plugins, turned by the orientation the
// plugin knows (JPEG and TIFF), brought down when a thumbnail is asked for
// or the picture is beyond the pixel limit.
QImage QtPicture(const std::string& path, const TPictureRequest& request, QString* error) {
  QImageReader reader(LocalPath(path));
  reader.setAutoTransform(request.TurnByOrientation);
  const QSize size = reader.size();
  if (size.isValid() && !size.isEmpty()) {
    double factor = 1;
    if (request.Scale == tPictureScale::Thumbnail) {
      // Cover the thumbnail whichever way the picture is turned.
      const int cover = std::max(request.Thumbnail.width(), request.Thumbnail.height());
      factor = std::min(1.0, double(cover) / std::min(size.width(), size.height()));
    }
    const double pixels = double(size.width()) * size.height() * factor * factor;
    if (pixels > double(kMaxPicturePixels)) factor *= std::sqrt(double(kMaxPicturePixels) / pixels);
    if (factor < 1) {
      reader.setScaledSize(QSize(std::max(1, int(size.width() * factor)), std::max(1, int(size.height() * factor))));
    }
  }
  QImage image = reader.read();
  if (image.isNull() && error) *error = reader.errorString();
  return image;
}

}  // namespace

TPictureKind PictureKindOf(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return TPictureKind::None;
  std::array<unsigned char, 64> head{};
  const std::size_t got = std::fread(head.data(), 1, head.size(), file.get());
  return KindOfHead(head.data(), got);
}

QImage ReadPicture(const std::string& path, const TPictureRequest& request, QString* error) {
  try {
    switch (PictureKindOf(path)) {
      case TPictureKind::Jpeg:
        if (request.Scale == tPictureScale::Thumbnail) return JpegThumbnail(path, request);
        return QtPicture(path, request, error);
      case TPictureKind::Heif:
        return FromBitmap(DecodeHeifFile(path, request.Scale));
      case TPictureKind::QtImage:
        return QtPicture(path, request, error);
      case TPictureKind::None:
        break;
    }
    // Neither a picture we know nor one Qt might: Qt says why.
    return request.Scale == tPictureScale::Whole ? QtPicture(path, request, error) : QImage();
  } catch (const std::exception& e) {
    if (error) *error = QString::fromUtf8(e.what());
    return {};
  }
}

}  // namespace orvalis
