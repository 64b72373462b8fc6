// Thumbnail geometry and the no-preview picture.
#include "ui/thumbnail.h"

#include "ui/ui_text.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdint>
#include <limits>

namespace orvalis {

namespace {

// numerator / denominator rounded to the nearest integer, halves to even;
// both positive.
int RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  const std::int64_t twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) {
    ++quotient;
  }
  return static_cast<int>(quotient);
}

const QColor kSilver(0xC0, 0xC0, 0xC0);

}  // namespace

QSize ThumbnailPictureSize(QSize picture, QSize thumbnail) {
  const std::int64_t w = picture.width();
  const std::int64_t h = picture.height();
  if (w <= 0 || h <= 0) return {0, 0};
  if (w > h) return {thumbnail.width(), RoundHalfEven(thumbnail.width() * h, w)};
  return {RoundHalfEven(thumbnail.height() * w, h), thumbnail.height()};
}

QImage ImageFromRgb24(int width, int height, const std::uint8_t* pixels, std::size_t size) {
  if (width <= 0 || height <= 0 || pixels == nullptr) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  if (rowBytes > static_cast<std::size_t>(std::numeric_limits<qsizetype>::max()) ||
      size / rowBytes < static_cast<std::size_t>(height)) {
    return {};
  }
  const QImage view(pixels, width, height, static_cast<qsizetype>(rowBytes), QImage::Format_RGB888);
  return view.copy();
}

QImage MakeThumbnail(const QImage& picture, QSize thumbnail) {
  QImage bitmap(thumbnail, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  QPainter painter(&bitmap);
  painter.setPen(kSilver);
  painter.drawRect(0, 0, thumbnail.width() - 1, thumbnail.height() - 1);
  const QSize target = ThumbnailPictureSize(picture.size(), thumbnail);
  if (!target.isEmpty()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), target), picture);
  }
  painter.end();
  return bitmap;
}

QImage NoPreviewPicture() {
  QImage image(160, 120, QImage::Format_RGB32);
  image.fill(QColor(0xF4, 0xF4, 0xF4));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(kSilver);
  painter.drawRect(0, 0, 159, 119);

  // A small framed landscape (sky, sun, two hills) ...
  const QRectF photo(50, 18, 60, 44);
  painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 2));
  painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
  painter.drawRoundedRect(photo, 3, 3);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xB8, 0xB8, 0xB8));
  painter.drawEllipse(QPointF(96, 30), 5, 5);
  QPainterPath hills;
  hills.moveTo(52, 60);
  hills.lineTo(68, 40);
  hills.lineTo(80, 52);
  hills.lineTo(90, 44);
  hills.lineTo(108, 60);
  hills.closeSubpath();
  painter.drawPath(hills);
  // ... struck through: there is no picture.
  painter.setPen(QPen(QColor(0xC0, 0x50, 0x50), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(46, 66), QPointF(114, 14));

  QFont font = painter.font();
  font.setPixelSize(13);
  painter.setFont(font);
  painter.setPen(QColor(0x60, 0x60, 0x60));
  painter.drawText(QRectF(4, 74, 152, 40), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   Ui(tText::NoPreviewPicture));
  painter.end();
  return image;
}

QImage NoPreviewThumbnail(QSize thumbnail) {
  const QImage picture = NoPreviewPicture();
  if (thumbnail == picture.size()) return picture;
  QImage bitmap(thumbnail, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  const QImage scaled = picture.scaled(thumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QPainter painter(&bitmap);
  painter.drawImage((thumbnail.width() - scaled.width()) / 2,
                    (thumbnail.height() - scaled.height()) / 2, scaled);
  painter.end();
  return bitmap;
}

}  // namespace orvalis
