// The QApplication for all window tests and the isolated settings location.
#include "ui_test_support.h"

#include <QApplication>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QThread>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace orvalis::test {

namespace {

std::unique_ptr<QTemporaryDir> gRoot;
int gLocationCount = 0;

class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    gRoot = std::make_unique<QTemporaryDir>();
    // Nothing of the user's own configuration may be read or written.
    qputenv("XDG_CONFIG_HOME", (gRoot->path() + QStringLiteral("/xdg-config")).toUtf8());
    qputenv("XDG_DATA_HOME", (gRoot->path() + QStringLiteral("/xdg-data")).toUtf8());
    qputenv("APPDATA", (gRoot->path() + QStringLiteral("/appdata")).toUtf8());
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    fApplication = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalis"));
    QApplication::setOrganizationName(QStringLiteral("Farrowlight"));
    UseFreshSettingsLocation();
  }
  void TearDown() override {
    fApplication.reset();
    gRoot.reset();
  }

 private:
  std::unique_ptr<QApplication> fApplication;
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace

void UseFreshSettingsLocation() {
  const QString folder = gRoot->path() + QStringLiteral("/location%1").arg(++gLocationCount);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     folder + QStringLiteral("/config"));
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     folder + QStringLiteral("/config"));
  qputenv("APPDATA", (folder + QStringLiteral("/appdata")).toUtf8());
}

namespace {

QByteArray Jpeg(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 95);
  return bytes;
}

void Put16(QByteArray& out, unsigned value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(QByteArray& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// One directory entry of type LONG (4) or SHORT (3) with one value.
void PutEntry(QByteArray& out, unsigned tag, unsigned type, unsigned value) {
  Put16(out, tag);
  Put16(out, type);
  Put32(out, 1);
  Put32(out, value);
}

}  // namespace

QByteArray PhotoWithThumbnail(const QColor& colour) {
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(colour);
  const QByteArray thumbnail = Jpeg(picture);
  // Little-endian TIFF: the first directory holds the orientation, the
  // second one points at the thumbnail right behind it.
  QByteArray tiff("II*\0", 4);
  Put32(tiff, 8);
  Put16(tiff, 1);
  PutEntry(tiff, 0x0112, 3, 1);
  Put32(tiff, 26);
  Put16(tiff, 2);
  PutEntry(tiff, 0x0201, 4, 56);
  PutEntry(tiff, 0x0202, 4, static_cast<unsigned>(thumbnail.size()));
  Put32(tiff, 0);
  tiff.append(thumbnail);
  const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
  QByteArray segment("\xFF\xE1", 2);
  const auto length = static_cast<unsigned>(payload.size() + 2);
  segment.append(static_cast<char>(length >> 8));
  segment.append(static_cast<char>(length & 0xFF));
  segment.append(payload);
  QImage main(16, 16, QImage::Format_RGB32);
  main.fill(Qt::gray);
  QByteArray photo = Jpeg(main);
  photo.insert(2, segment);
  return photo;
}

void WaitForThumbnails(const TThumbnailCache& cache) {
  QDeadlineTimer bound(20000);
  // Twice idle in a row: a repaint after the last one may ask for more.
  for (int idle = 0; idle < 2 && !bound.hasExpired();) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (cache.Outstanding() > 0) {
      idle = 0;
      QThread::msleep(5);
      continue;
    }
    QThread::msleep(60);  // the views are told of ready thumbnails a little later
    QApplication::processEvents();
    if (cache.Outstanding() == 0) ++idle;
  }
}

bool ThumbnailHasColour(const QImage& thumbnail, const QColor& colour) {
  if (thumbnail.size() != QSize(160, 120)) return false;
  const QColor middle = thumbnail.pixelColor(80, 60);
  return std::abs(middle.red() - colour.red()) < 12 &&
         std::abs(middle.green() - colour.green()) < 12 &&
         std::abs(middle.blue() - colour.blue()) < 12;
}

}  // namespace orvalis::test
