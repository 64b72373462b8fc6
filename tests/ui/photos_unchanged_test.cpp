// Photos are only ever read by the windows too: every sample and corpus
// photo keeps its bytes, size, modification and change times and mode after
// the metadata window, the viewer and the thumbnails of the result list
// have read it. (The access time may change by the file system's choice.)
#include "metadata/image_metadata.h"
#include "ui/image_viewer.h"
#include "ui/main_window.h"
#include "ui/metadata_window.h"
#include "ui_test_support.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

namespace orvalis {
namespace {

struct FileState {
  QByteArray hash;
  std::int64_t size = 0, modified = 0, changed = 0;
  unsigned mode = 0;
  bool operator==(const FileState&) const = default;
};

std::map<QString, FileState> States(const QStringList& roots) {
  std::map<QString, FileState> states;
  for (const QString& root : roots) {
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      FileState s;
      struct stat st {};
      if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        s.size = st.st_size;
        s.modified = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
        s.changed = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
        s.mode = st.st_mode;
      }
      QFile file(path);
      if (file.open(QIODevice::ReadOnly))
        s.hash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
      states[path] = s;
    }
  }
  return states;
}

TEST(PhotosUnchanged, ByTheWindowsThatReadThem) {
  test::UseFreshSettingsLocation();
  const QStringList roots{QStringLiteral(ORVALIS_SOURCE_DIR "/samples"),
                          QStringLiteral(ORVALIS_SOURCE_DIR "/../shared/corpus")};
  const std::map<QString, FileState> before = States(roots);
  ASSERT_GT(before.size(), 10u);

  test::TScriptedDialogs dialogs;
  TfrmMain window(&dialogs);
  window.Results().PrepareResultList(160, 120);
  TResultView view;
  TfrmMetadata metadata;
  for (const auto& [path, state] : before) {
    if (!path.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive)) continue;
    const std::string name = QFile::encodeName(path).toStdString();
    metadata.Fill(name);
    tImageMetaData store;
    try {
      store.ReadJpegFile(name);
      window.Results().AddRow(name, store, true);  // the thumbnail, from EXIF or the whole picture
    } catch (const std::exception&) {
      // A damaged photo is reported by the run; here only its bytes count.
    }
    view.Model().AppendRow(name);
  }
  TfrmViewer viewer(view, dialogs, true);
  viewer.Start();
  for (int i = 0; i < view.Model().RowCountTotal(); ++i) viewer.ShowNext();

  const std::map<QString, FileState> after = States(roots);
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [path, state] : before)
    EXPECT_TRUE(after.at(path) == state) << path.toStdString();
}

}  // namespace
}  // namespace orvalis
