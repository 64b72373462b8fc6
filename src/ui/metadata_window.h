// The window "Metadaten-Informationen": every metadata entry of one file as
// "TagName: text", sorted without regard to case.
#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QListWidget;

namespace orvalis {

class TfrmMetadata : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmMetadata(QWidget* parent = nullptr);

  // Reads the file and refills title and list.
  void Fill(const std::string& path);

  QLabel* lblTitle;
  QListWidget* lstMetadata;

 private:
  // The title names the file shown, in the current language.
  void ShowTitle();
  QString fFileName;  // empty until the first file is shown
};

}  // namespace orvalis
