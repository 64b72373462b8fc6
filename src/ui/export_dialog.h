// The text export dialog "Exportoptionen": target file, column delimiter,
// quoting mode and the texts around file, lines and fields. Made once per
// main window, so its values stay for the program run.
#pragma once

#include "output/text_export.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace orvalis {

class TDialogs;

class TfrmExport : public QDialog {
  Q_OBJECT

 public:
  TfrmExport(TDialogs& dialogs, QWidget* parent = nullptr);

  // The options as the writer takes them (texts as UTF-8).
  TextExportOptions Options() const;
  QString FileName() const;

  QLineEdit* edtFilename;
  QPushButton* btnBrowse;
  QComboBox* comboDelim;
  QComboBox* comboQuoting;
  QLineEdit* edtFileHeader;
  QLineEdit* edtFileFooter;
  QLineEdit* edtLineBefore;
  QLineEdit* edtLineAfter;
  QLineEdit* edtColBefore;
  QLineEdit* edtColAfter;

 private:
  void btnBrowseClick();

  TDialogs& fDialogs;
};

}  // namespace orvalis
