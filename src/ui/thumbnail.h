// Thumbnails of the result list: a picture placed into a white, silver-framed
// bitmap of the thumbnail size, and the picture shown when a file has none.
#pragma once

#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>

namespace orvalis {

// The size the picture is stretched to: the thumbnail width for landscape
// pictures, else the thumbnail height, the other side in proportion and
// rounded to the nearest integer, halves to the even neighbour.
QSize ThumbnailPictureSize(QSize picture, QSize thumbnail);

// A copy of a plain 24-bit RGB bitmap (rows top to bottom, three bytes per
// pixel, no padding) as the metadata reader decodes pictures. A null image
// when the bytes do not hold width x height pixels.
QImage ImageFromRgb24(int width, int height, const std::uint8_t* pixels, std::size_t size);

// A white bitmap of the thumbnail size with a one-pixel silver frame, the
// picture stretched over it from the top-left corner and cut at the edges.
QImage MakeThumbnail(const QImage& picture, QSize thumbnail);

// The picture of a file without thumbnail, 160 by 120.
QImage NoPreviewPicture();
// The same fitted into a thumbnail of another size: scaled down with its
// proportions kept, centred on white.
QImage NoPreviewThumbnail(QSize thumbnail);

}  // namespace orvalis
