// Choosing a file's picture decoder and running it.
#include "ui/photo_picture.h"

#include "metadata/image_metadata.h"
#include "ui/orientation.h"
#include "ui/qt_text.h"
#include "ui/thumbnail.h"

#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>

namespace orvalis {

namespace {

enum class TPictureKind { None, Jpeg, Heif, RawPreview, QtImage };

// The decoder for a file the store has read.
TPictureKind PictureKindOf(const tImageMetaData& store) {
  const std::string_view format = store.Format();
  if (format.empty()) return TPictureKind::None;
  if (format == "JPEG") return TPictureKind::Jpeg;
  if (format == "HEIC" || format == "HEIF" || format == "AVIF") return TPictureKind::Heif;
  // A plain TIFF's JPEG pieces are no preview: Qt decodes the image itself.
  if (format != "TIFF" && !store.EmbeddedJpegs().empty()) return TPictureKind::RawPreview;
  return TPictureKind::QtImage;
}

QImage FromBitmap(const std::unique_ptr<RgbBitmap>& bitmap) {
  if (!bitmap) return {};
  return ImageFromRgb24(bitmap->Width, bitmap->Height, bitmap->Pixels.data(),
                        bitmap->Pixels.size());
}

// A picture through Qt's image plugins, brought down when a thumbnail is
// asked for or the picture is beyond the pixel limit.
QImage QtPicture(const std::string& path, const TPictureRequest& request, QString* error) {
  QImageReader reader(LocalPath(path));
  reader.setAutoTransform(false);
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
      reader.setScaledSize(
          QSize(std::max(1, int(size.width() * factor)), std::max(1, int(size.height() * factor))));
    }
  }
  QImage image = reader.read();
  if (image.isNull() && error) *error = reader.errorString();
  return image;
}

// The first of a raw photo's previews (largest first) that decodes.
QImage RawPreview(const tImageMetaData& store, tPictureScale scale) {
  std::string lastError;
  for (const tFileSpan& span : store.EmbeddedJpegs()) {
    try {
      return FromBitmap(DecodeJpegInFile(store.FileName(), span.offset, span.length, scale));
    } catch (const tMetadataError& e) {
      lastError = e.what();
    }
  }
  throw tMetadataError(lastError);
}

QImage Decode(const tImageMetaData& store, const TPictureRequest& request, QString* error) {
  switch (PictureKindOf(store)) {
    case TPictureKind::Jpeg:
      if (request.Scale == tPictureScale::Thumbnail) return FromBitmap(store.GetThumbnail());
      return QtPicture(store.FileName(), request, error);
    case TPictureKind::Heif: return FromBitmap(DecodeHeifFile(store.FileName(), request.Scale));
    case TPictureKind::RawPreview: return RawPreview(store, request.Scale);
    case TPictureKind::QtImage: return QtPicture(store.FileName(), request, error);
    case TPictureKind::None: break;
  }
  // No photo we know: for the viewer Qt may still know it, or say why not.
  return request.Scale == tPictureScale::Whole ? QtPicture(store.FileName(), request, error)
                                               : QImage();
}

}  // namespace

QImage ReadPicture(const std::string& path, const TPictureRequest& request, QString* error) {
  try {
    // A store of its own: a run's store has long moved on to other files.
    tImageMetaData store;
    store.ThumbFromImage = request.WholeJpegForThumbnail;
    try {
      store.ReadJpegFile(path);
    } catch (const tMetadataError&) {
      // Damage behind what names the container leaves the picture to try.
      if (store.Format().empty()) throw;
    }
    QImage image = Decode(store, request, error);
    // libheif has turned its pictures already.
    if (!image.isNull() && request.TurnByOrientation &&
        PictureKindOf(store) != TPictureKind::Heif) {
      image = OrientedImage(image, OrientationOf(store));
    }
    return image;
  } catch (const std::exception& e) {
    if (error) *error = QString::fromUtf8(e.what());
    return {};
  }
}

}  // namespace orvalis
