// Result thumbnails made on demand, on worker threads, kept within a budget.
#include "ui/thumbnail_cache.h"

#include "ui/photo_picture.h"
#include "ui/thumbnail.h"

#include <QMetaObject>

#include <algorithm>

namespace orvalis {

namespace {

// Requests beyond this many are the rows scrolled past long ago: the oldest
// are dropped and asked again if they come back into view.
constexpr std::size_t kMaxWaiting = 1024;
// How long finished thumbnails are collected before the views repaint.
constexpr int kReadyDelayMs = 30;

qint64 CostOf(const QPixmap& picture) {
  return std::max<qint64>(1, static_cast<qint64>(picture.width()) * picture.height() * 4);
}

}  // namespace

QImage MakeFileThumbnail(const std::string& path, const TThumbnailRecipe& recipe) {
  TPictureRequest request;
  request.Scale = tPictureScale::Thumbnail;
  request.Thumbnail = recipe.Size;
  request.WholeJpegForThumbnail = recipe.GeneratePreview;
  request.TurnByOrientation = recipe.TurnByOrientation;
  // A file that changed or broke since the run shows as having no picture.
  const QImage picture = ReadPicture(path, request);
  return picture.isNull() ? QImage() : MakeThumbnail(picture, recipe.Size);
}

TThumbnailCache::TThumbnailCache(QObject* parent) : QObject(parent) {
  fCache.setMaxCost(kBudgetBytes);
  fPool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
  fReadyTimer.setSingleShot(true);
  fReadyTimer.setInterval(kReadyDelayMs);
  connect(&fReadyTimer, &QTimer::timeout, this, &TThumbnailCache::Ready);
  Reset(TThumbnailRecipe{});
}

TThumbnailCache::~TThumbnailCache() {
  fPool.clear();
  fPool.waitForDone();
}

void TThumbnailCache::Reset(const TThumbnailRecipe& recipe) {
  ++fGeneration;
  fPool.clear();
  fCache.clear();
  fWaiting.clear();
  fQueued.clear();
  fRunning.clear();
  // Made anew: its text follows the language chosen since.
  fNoPreview = QPixmap::fromImage(NoPreviewThumbnail(recipe.Size));
  fPlaceholder = QPixmap::fromImage(MakeThumbnail(QImage(), recipe.Size));
  fRecipe = recipe;
}

QPixmap TThumbnailCache::Get(const std::string& path) {
  const QByteArray key = QByteArray::fromStdString(path);
  if (const TEntry* entry = fCache.object(key)) return entry->Picture;
  if (fRunning.contains(key)) return {};
  if (fQueued.contains(key)) {
    // Asked again: it is in view again, so it moves to the front.
    fWaiting.erase(std::find(fWaiting.begin(), fWaiting.end(), key));
  } else {
    fQueued.insert(key);
  }
  fWaiting.push_back(key);
  if (fWaiting.size() > kMaxWaiting) {
    fQueued.remove(fWaiting.front());
    fWaiting.pop_front();
  }
  StartWaiting();
  return {};
}

QPixmap TThumbnailCache::GetOrMakeNow(const std::string& path) {
  const QByteArray key = QByteArray::fromStdString(path);
  if (const TEntry* entry = fCache.object(key)) return entry->Own ? entry->Picture : QPixmap();
  const QImage thumbnail = MakeFileThumbnail(path, fRecipe);
  Store(key, thumbnail);
  return thumbnail.isNull() ? QPixmap() : QPixmap::fromImage(thumbnail);
}

void TThumbnailCache::Store(const QByteArray& key, const QImage& thumbnail) {
  auto* entry = new TEntry;
  entry->Own = !thumbnail.isNull();
  entry->Picture = entry->Own ? QPixmap::fromImage(thumbnail) : fNoPreview;
  // The no-preview picture is shared by every such entry and costs nothing.
  fCache.insert(key, entry, entry->Own ? CostOf(entry->Picture) : 1);
}

void TThumbnailCache::StartWaiting() {
  // Two jobs per thread keep the workers busy without queueing rows that
  // may scroll out of view before their turn.
  while (!fWaiting.empty() && fRunning.size() < 2 * fPool.maxThreadCount()) {
    const QByteArray key = fWaiting.back();
    fWaiting.pop_back();
    fQueued.remove(key);
    fRunning.insert(key);
    const unsigned generation = fGeneration;
    const TThumbnailRecipe recipe = fRecipe;
    fPool.start([this, generation, key, recipe] {
      const QImage thumbnail = MakeFileThumbnail(key.toStdString(), recipe);
      QMetaObject::invokeMethod(
          this, [this, generation, key, thumbnail] { Finished(generation, key, thumbnail); },
          Qt::QueuedConnection);
    });
  }
}

void TThumbnailCache::Finished(unsigned generation, const QByteArray& key,
                               const QImage& thumbnail) {
  if (generation != fGeneration) return;
  fRunning.remove(key);
  Store(key, thumbnail);
  StartWaiting();
  if (!fReadyTimer.isActive()) fReadyTimer.start();
}

}  // namespace orvalis
