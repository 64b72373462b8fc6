// The desktop program's window over a large result, measured: runs one query
// in the main window (offscreen), then reports the time until the last row
// is in the list, the time until the thumbnails of the last rows are shown
// after scrolling to the end, the time a sort of all rows takes, and the
// process's peak memory. The settings are kept in a folder of its own.
// Usage: orvalis-bench-window QUERY
#include "ui/main_window.h"
#include "ui/dialogs.h"
#include "ui/result_view.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <cstdio>

namespace {

class TSilentDialogs : public orvalis::TDialogs {
 public:
  orvalis::TAnswer Ask(const QString&) override { return orvalis::TAnswer::Cancel; }
  void ShowMessage(const QString& text) override {
    std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
  }
};

long PeakKib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Lets events run until the thumbnails asked for are made and shown.
void SettleThumbnails(const orvalis::TThumbnailCache& cache) {
  for (int idle = 0; idle < 3;) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    if (cache.Outstanding() > 0) {
      idle = 0;
      QThread::msleep(2);
    } else {
      ++idle;
      QThread::msleep(40);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: orvalis-bench-window QUERY\n");
    return 2;
  }
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
  qputenv("APPDATA", home.path().toUtf8());
  QApplication application(argc, argv);
  // No hit limit: the window shows every hit, as orvalis-cli --no-limit does;
  // no query wizard at start-up, whose dialog would wait for a user.
  {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Farrowlight"),
                       QStringLiteral("Orvalis"));
    settings.setValue(QStringLiteral("1.0/EnforceRefinement"), 0);
    settings.setValue(QStringLiteral("1.0/RunWizardOnStartup"), 0);
  }

  TSilentDialogs dialogs;
  orvalis::TfrmMain window(&dialogs);
  window.resize(1024, 768);
  window.show();
  QApplication::processEvents();
  window.findChild<QPlainTextEdit*>(QStringLiteral("txtQuery"))
      ->setPlainText(QString::fromLocal8Bit(argv[1]));

  QElapsedTimer clock;
  clock.start();
  window.findChild<QAction*>(QStringLiteral("actExecQuery"))->trigger();
  QApplication::processEvents();
  const double lastRow = static_cast<double>(clock.elapsed()) / 1000;
  orvalis::TResultModel& model = window.Results().View().Model();
  const int rows = model.rowCount();

  // The first screen of thumbnails; the view lays its rows out in batches,
  // and the end of the list is known when it is done.
  SettleThumbnails(model.Thumbnails());
  QListView* list = window.Results().View().List();
  for (int stable = 0, last = -1; stable < 5; QThread::msleep(10)) {
    QApplication::processEvents();
    const int maximum = list->verticalScrollBar()->maximum();
    stable = maximum == last ? stable + 1 : 0;
    last = maximum;
  }
  // Then the last screen.
  clock.restart();
  list->scrollToBottom();
  QApplication::processEvents();
  SettleThumbnails(model.Thumbnails());
  const double lastThumbnails = static_cast<double>(clock.elapsed()) / 1000;
  const bool lastRowInView =
      rows > 0 && list->visualRect(model.index(rows - 1, 0)).intersects(list->viewport()->rect());

  clock.restart();
  model.SortByColumn(0, false);
  QApplication::processEvents();
  const double sort = static_cast<double>(clock.elapsed()) / 1000;

  std::printf(
      "rows %d  last row %.3f s  last screen's thumbnails %.3f s%s  sort %.3f s  "
      "thumbnails made %d  peak %ld KiB\n",
      rows, lastRow, lastThumbnails, lastRowInView ? "" : " (last row not in view!)", sort,
      model.Thumbnails().CachedCount(), PeakKib());
  return 0;
}
