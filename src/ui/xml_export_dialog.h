// The XML export dialog "XML-Export": target file, document element and
// whether entries are named by tag name or tag number. Made once per main
// window, so its values stay for the program run.
#pragma once

#include "output/xml_export.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvalis {

class TDialogs;

class TfrmExportXML : public QDialog {
  Q_OBJECT

 public:
  TfrmExportXML(TDialogs& dialogs, QWidget* parent = nullptr);

  XmlExportOptions Options() const;
  QString FileName() const;

  // "OK": a file name without any "." gets ".xml", then the dialog closes.
  void accept() override;

  QLineEdit* edtFilename;
  QPushButton* btnBrowse;
  QLineEdit* edtRootElement;
  QRadioButton* rbTagsAsText;
  QRadioButton* rbTagsAsNumber;

 private:
  void btnBrowseClick();

  TDialogs& fDialogs;
};

}  // namespace orvalis
