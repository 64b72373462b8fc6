// "OK"/"Abbrechen" and browse rows of the dialogs.
#include "ui/dialog_rows.h"

#include "ui/language.h"
#include "ui/ui_text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace orvalis {

QDialogButtonBox* OkCancelButtons(QDialog& dialog, tText ok, tText cancel) {
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* okButton = Caption(buttons->addButton(QString(), QDialogButtonBox::AcceptRole), ok);
  okButton->setObjectName(QStringLiteral("btnOK"));
  okButton->setDefault(true);
  Caption(buttons->addButton(QString(), QDialogButtonBox::RejectRole), cancel)->setObjectName(QStringLiteral("btnCancel"));
  // accept() is virtual: a dialog's own "OK" work runs.
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

tBrowseRow BrowseRow(QDialog& dialog, QLineEdit* field, tText hint) {
  auto* button = new QPushButton(QStringLiteral("..."), &dialog);
  button->setObjectName(QStringLiteral("btnBrowse"));
  OnLanguage(button, [button, hint] { button->setToolTip(Ui(hint)); });
  button->setFixedWidth(32);
  auto* row = new QHBoxLayout;
  row->addWidget(field, 1);
  row->addWidget(button);
  return {row, button};
}

}  // namespace orvalis
