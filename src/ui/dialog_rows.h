// Rows the small dialogs build alike: "OK" and "Abbrechen", and a file name
// field with its "..." button.
#pragma once

#include "i18n/catalogue.h"

#include <initializer_list>
#include <utility>

class QDialog;
class QDialogButtonBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace orvalis {

// "OK" (the default button, btnOK) and "Abbrechen" (btnCancel), closing the
// dialog with accept() and reject().
QDialogButtonBox* OkCancelButtons(QDialog& dialog, tText ok, tText cancel);

// Makes button the one Enter presses in the dialog. Qt registers a default
// button only with the dialog it already sits in, and otherwise makes the
// first button of the focus order the default, so this runs once the button
// is in place. Enter in each listed field presses that field's own row button
// instead: the row the user is typing in, never another operation.
void SetEnterButton(QDialog& dialog, QPushButton* button,
                    std::initializer_list<std::pair<QLineEdit*, QPushButton*>> rows = {});

// The field with a "..." button (btnBrowse, hint as its tool tip) beside it.
struct tBrowseRow {
  QHBoxLayout* Row;
  QPushButton* Button;
};
tBrowseRow BrowseRow(QDialog& dialog, QLineEdit* field, tText hint);

}  // namespace orvalis
