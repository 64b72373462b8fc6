// The dialog that names a query for the buffer.
#include "ui/querylist_dialog.h"

#include "ui/dialog_rows.h"
#include "ui/language.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace orvalis {

TfrmQuerylist::TfrmQuerylist(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmQuerylist"));
  Caption(this, tText::frmQuerylist_self_caption);
  auto* label = Caption(new QLabel(this), tText::frmQuerylist_lblName_caption);
  comboName = new QComboBox(this);
  comboName->setObjectName(QStringLiteral("comboName"));
  comboName->setEditable(true);
  comboName->setInsertPolicy(QComboBox::NoInsert);
  comboName->setMinimumWidth(280);
  label->setBuddy(comboName);
  chkTimestamp = Caption(new QCheckBox(this), tText::frmQuerylist_chkTimestamp_caption);
  chkTimestamp->setObjectName(QStringLiteral("chkTimestamp"));

  QDialogButtonBox* buttons = OkCancelButtons(*this, tText::frmQuerylist_btnOK_caption,
                                              tText::frmQuerylist_btnCancel_caption);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(comboName);
  layout->addWidget(chkTimestamp);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  TranslateWindow(*this);
}

void TfrmQuerylist::Fill(const QStringList& names) {
  comboName->clear();
  comboName->addItems(names);
  comboName->setCurrentIndex(-1);
  comboName->setEditText(QString());
}

QString TfrmQuerylist::QueryName() const { return comboName->currentText().trimmed(); }

}  // namespace orvalis
