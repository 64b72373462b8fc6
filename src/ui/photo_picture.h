// The picture of a photo file, whatever its kind: the one place that decides
// which decoder a file gets. The result thumbnails, the viewer and through
// the thumbnail cache printing and copying all ask it. The decoder follows
// the container the metadata reader recognised by the file's first bytes:
// JPEG thumbnails are the EXIF thumbnail (or the whole image when asked
// to); HEIC and AVIF go through libheif, which turns them itself; raw photos
// show their largest embedded JPEG preview; PNG, WebP and TIFF go through
// Qt's image plugins. Safe to call on any thread.
#pragma once

#include "metadata/picture_decoders.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <string>

namespace orvalis {

struct TPictureRequest {
  // Thumbnail: brought down to about cover the thumbnail size; Whole: the
  // whole picture, within tPictureScale's pixel limit.
  tPictureScale Scale = tPictureScale::Whole;
  QSize Thumbnail{160, 120};
  // Whether a JPEG without EXIF thumbnail gets its whole image decoded for a
  // thumbnail (a slow setting of its own; other kinds have no such choice).
  bool WholeJpegForThumbnail = false;
  // By the photo's EXIF orientation; HEIF pictures by their own rotation.
  bool TurnByOrientation = true;
};

// The file's picture, turned as asked; a null image when it has none or it
// cannot be decoded, and then, when error is given, why in the decoder's
// words (empty when the file simply has no picture).
QImage ReadPicture(const std::string& path, const TPictureRequest& request,
                   QString* error = nullptr);

}  // namespace orvalis
