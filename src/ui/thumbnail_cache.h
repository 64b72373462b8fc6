// The thumbnails of the result rows: made when a row is about to be shown,
// printed or copied, not when it is added, and kept in a cache bounded by
// memory so that scrolling back shows them at once. Rows in view are decoded
// on worker threads; a user that needs the picture at once (copying,
// printing) asks for it synchronously. Every user of result thumbnails asks
// this one cache, so they all see the same pictures.
#pragma once

#include <QByteArray>
#include <QCache>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QThreadPool>
#include <QTimer>

#include <deque>
#include <string>

namespace orvalis {

// How a run's thumbnails are made: the thumbnail size, whether a file without
// EXIF thumbnail gets its whole image decoded, and whether pictures are
// turned by their EXIF orientation.
struct TThumbnailRecipe {
  QSize Size{160, 120};
  bool GeneratePreview = false;
  bool TurnByOrientation = true;
};

// The file's thumbnail as the recipe says, made on the calling thread (any
// thread); a null image when the file has no picture or it cannot be decoded.
QImage MakeFileThumbnail(const std::string& path, const TThumbnailRecipe& recipe);

class TThumbnailCache : public QObject {
  Q_OBJECT

 public:
  // The memory the cached thumbnails may take: about 2,000 at 160 by 120,
  // 3,500 at 120 by 90.
  static constexpr qint64 kBudgetBytes = 160LL * 1024 * 1024;

  explicit TThumbnailCache(QObject* parent = nullptr);
  ~TThumbnailCache() override;

  // Forgets every thumbnail and waiting request; later ones follow the recipe.
  void Reset(const TThumbnailRecipe& recipe);
  const TThumbnailRecipe& Recipe() const { return fRecipe; }

  // The file's thumbnail when it is ready (its own picture or the no-preview
  // picture). Otherwise it is queued to be made off this thread, Ready is
  // signalled when it is, and a null pixmap is returned now.
  QPixmap Get(const std::string& path);
  // The file's own thumbnail, made now on this thread when it is not cached;
  // a null pixmap when the file has no picture.
  QPixmap GetOrMakeNow(const std::string& path);

  // The picture of a file without thumbnail, at the recipe's size.
  const QPixmap& NoPreview() const { return fNoPreview; }
  // What a row shows while its thumbnail is being made: the empty frame.
  const QPixmap& Placeholder() const { return fPlaceholder; }

  // Requests queued or being decoded.
  int Outstanding() const { return static_cast<int>(fWaiting.size()) + fRunning.size(); }
  int CachedCount() const { return static_cast<int>(fCache.count()); }

 signals:
  // Thumbnails became ready (several at once are told together).
  void Ready();

 private:
  struct TEntry {
    QPixmap Picture;
    bool Own = false;  // false: the shared no-preview picture
  };
  void Store(const QByteArray& key, const QImage& thumbnail);
  void StartWaiting();
  void Finished(unsigned generation, const QByteArray& key, const QImage& thumbnail);

  TThumbnailRecipe fRecipe;
  QPixmap fNoPreview;
  QPixmap fPlaceholder;
  QCache<QByteArray, TEntry> fCache;
  // Newest requests first: they are the rows the user looks at now.
  std::deque<QByteArray> fWaiting;
  QSet<QByteArray> fQueued;
  QSet<QByteArray> fRunning;
  unsigned fGeneration = 0;
  QThreadPool fPool;
  QTimer fReadyTimer;
};

}  // namespace orvalis
