// Rows the small dialogs build alike: "OK" and "Abbrechen", and a file name
// field with its "..." button.
#pragma once

#include "i18n/catalogue.h"

class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace orvalis {

// "OK" (the default button, btnOK) and "Abbrechen" (btnCancel), closing the
// dialog with accept() and reject().
QDialogButtonBox* OkCancelButtons(QDialog& dialog, tText ok, tText cancel);

// The field with a "..." button (btnBrowse, hint as its tool tip) beside it.
struct tBrowseRow {
  QHBoxLayout* Row;
  QPushButton* Button;
};
tBrowseRow BrowseRow(QDialog& dialog, QLineEdit* field, tText hint);

}  // namespace orvalis
