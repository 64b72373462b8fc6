// Photos turned the way their camera says they were held: the EXIF
// orientation applied to a picture before it is shown.
#pragma once

#include <QImage>

namespace orvalis {

class tImageMetaData;

// The orientation code (1 to 8) of the file's main image; 1 when it has none
// or an unknown one.
int OrientationOf(const tImageMetaData& store);

// The picture turned and mirrored as the code says; unchanged for 1 and for
// codes outside 1..8.
QImage OrientedImage(const QImage& picture, int orientation);

}  // namespace orvalis
