// The about box: program picture, name, version and copyright. Typing a
// certain six-letter word while it is open turns the picture to night.
#pragma once

#include <QDialog>

#include "i18n/version_info.h"

class QKeyEvent;
class QLabel;

namespace orvalis {

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  // Fills the texts from the version information and centres the box on its
  // parent; the caller shows it.
  void Prepare(const QString& programFileName);
  void ApplyTexts();

  TCEVersionInfo VersionInfo;
  QLabel* imgProgram;
  QLabel* lblProduct;
  QLabel* lblVersion;
  QLabel* lblCopyright;
  QLabel* lblComments;
  // The hidden second picture's state, for tests.
  bool ShowsSecondPicture() const { return fSecondPicture; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QString fTyped;
  bool fSecondPicture = false;
};

}  // namespace orvalis
