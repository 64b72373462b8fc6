// The full-screen viewer: one result picture at a time over the whole
// screen, stepping through the selected results (or all of them).
#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

namespace orvalis {

class TDialogs;
class TResultView;

class TfrmViewer : public QDialog {
  Q_OBJECT

 public:
  // turnPhotos: pictures are turned by their EXIF orientation.
  TfrmViewer(const TResultView& results, TDialogs& dialogs, bool turnPhotos,
             QWidget* parent = nullptr);

  // Shows the first selected item, else item 0.
  void Start();
  void ShowNext();
  void ShowPrevious();

  int CurrentIndex() const { return fIndex; }
  const QImage& Picture() const { return fPicture; }
  QLabel* lblInfo = nullptr;

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void ShowCurrent();
  std::vector<bool> SelectedFlags() const;

  const TResultView& fResults;
  TDialogs& fDialogs;
  bool fTurnPhotos;
  int fIndex = 0;
  QImage fPicture;
  QWidget* fArea = nullptr;
};

}  // namespace orvalis
