// EXIF orientation codes as picture transformations.
#include "ui/orientation.h"

#include "metadata/image_metadata.h"

#include <QTransform>

namespace orvalis {

int OrientationOf(const tImageMetaData& store) {
  const tMetaEntry* entry = store.FindEntry("Orientation");
  if (!entry || entry->Group != group::kExif || !entry->Value.IsInteger()) return 1;
  const std::int64_t code = entry->Value.AsInteger();
  return code >= 1 && code <= 8 ? static_cast<int>(code) : 1;
}

QImage OrientedImage(const QImage& picture, int orientation) {
  const auto rotated = [](const QImage& image, qreal degrees) {
    return image.transformed(QTransform().rotate(degrees));
  };
  switch (orientation) {
    case 2: return picture.mirrored(true, false);
    case 3: return rotated(picture, 180);
    case 4: return picture.mirrored(false, true);
    case 5: return rotated(picture, 90).mirrored(true, false);
    case 6: return rotated(picture, 90);
    case 7: return rotated(picture, 90).mirrored(false, true);
    case 8: return rotated(picture, 270);
    default: return picture;
  }
}

}  // namespace orvalis
