// The full-screen viewer's window, stepping and picture loading.
#include "ui/image_viewer.h"

#include "engine/viewer_navigation.h"
#include "ui/dialogs.h"
#include "ui/language.h"
#include "ui/photo_picture.h"
#include "ui/qt_text.h"
#include "ui/ui_text.h"
#include "ui/result_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

namespace orvalis {

namespace {

// The picture area: gray, the picture from its top-left corner, scaled down
// to fit with its proportions kept, never enlarged.
class TPictureArea : public QWidget {
 public:
  explicit TPictureArea(const QImage& picture) : fPicture(picture) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::gray);
    setPalette(palette);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (fPicture.isNull()) return;
    QSize size = fPicture.size();
    if (size.width() > width() || size.height() > height())
      size.scale(this->size(), Qt::KeepAspectRatio);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), fPicture);
  }

 private:
  const QImage& fPicture;
};

}  // namespace

TfrmViewer::TfrmViewer(const TResultView& results, TDialogs& dialogs, bool turnPhotos,
                       QWidget* parent)
    : QDialog(parent), fResults(results), fDialogs(dialogs), fTurnPhotos(turnPhotos) {
  setObjectName(QStringLiteral("frmFullScreen"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_DeleteOnClose, false);

  auto* menu = new QMenuBar;
  QMenu* screen = Caption(menu->addMenu(QString()), tText::frmFullScreen_mnuScreen_caption);
  QAction* leave = Caption(screen->addAction(QString(), this, &QDialog::reject),
                           tText::frmFullScreen_mnuLeave_caption);
  leave->setShortcut(Qt::Key_Escape);
  QMenu* picture = Caption(menu->addMenu(QString()), tText::frmFullScreen_mnuPicture_caption);
  Caption(picture->addAction(QString(), this, &TfrmViewer::ShowNext),
          tText::frmFullScreen_mnuNext_caption);
  Caption(picture->addAction(QString(), this, &TfrmViewer::ShowPrevious),
          tText::frmFullScreen_mnuPrevious_caption);

  lblInfo = new QLabel;
  lblInfo->setObjectName(QStringLiteral("lblInfo"));
  lblInfo->setFixedHeight(20);
  lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblInfo->setStyleSheet(QStringLiteral("background-color: black; color: lime;"));
  fArea = new TPictureArea(fPicture);
  fArea->setFocusPolicy(Qt::NoFocus);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menu);
  layout->addWidget(lblInfo);
  layout->addWidget(fArea, 1);
  TranslateWindow(*this);
}

void TfrmViewer::Start() {
  const std::vector<int> selected = fResults.SelectedRows();
  fIndex = selected.empty() ? 0 : selected.front();
  ShowCurrent();
}

std::vector<bool> TfrmViewer::SelectedFlags() const {
  std::vector<bool> flags(static_cast<std::size_t>(fResults.Model().rowCount()), false);
  for (int row : fResults.SelectedRows()) flags[static_cast<std::size_t>(row)] = true;
  return flags;
}

void TfrmViewer::ShowNext() {
  fIndex = NextViewerIndex(fIndex, SelectedFlags());
  ShowCurrent();
}

void TfrmViewer::ShowPrevious() {
  fIndex = PreviousViewerIndex(fIndex, SelectedFlags());
  ShowCurrent();
}

void TfrmViewer::ShowCurrent() {
  if (fIndex < 0 || fIndex >= fResults.Model().rowCount()) return;
  const std::string& path = fResults.Model().Row(fIndex).FileInfo.Path;
  TPictureRequest request;
  request.TurnByOrientation = fTurnPhotos;
  QString error;
  const QImage picture = ReadPicture(path, request, &error);
  lblInfo->setText(QLatin1Char(' ') + DisplayText(path));
  if (picture.isNull()) {
    fPicture = QImage();
    fArea->update();
    fDialogs.ShowMessage(
        Ui(tText::PictureNotShown).replace(QStringLiteral("%s"), DisplayText(path)) + error);
    return;
  }
  fPicture = picture;
  fArea->update();
}

void TfrmViewer::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Right) {
    ShowNext();
  } else if (event->key() == Qt::Key_Left) {
    ShowPrevious();
  } else {
    QDialog::keyReleaseEvent(event);
  }
}

}  // namespace orvalis
