// The XML export dialog.
#include "ui/xml_export_dialog.h"

#include "ui/dialog_rows.h"
#include "ui/dialogs.h"
#include "ui/language.h"
#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvalis {

TfrmExportXML::TfrmExportXML(TDialogs& dialogs, QWidget* parent)
    : QDialog(parent), fDialogs(dialogs) {
  setObjectName(QStringLiteral("frmExportXML"));
  Caption(this, tText::frmExportXML_self_caption);

  edtFilename = new QLineEdit(QStringLiteral("export.txt"), this);
  edtFilename->setObjectName(QStringLiteral("edtFilename"));
  const tBrowseRow fileRow = BrowseRow(*this, edtFilename, tText::frmExportXML_dlgSave_caption);
  btnBrowse = fileRow.Button;
  connect(btnBrowse, &QPushButton::clicked, this, &TfrmExportXML::btnBrowseClick);

  edtRootElement = new QLineEdit(QStringLiteral("files"), this);
  edtRootElement->setObjectName(QStringLiteral("edtRootElement"));

  auto* grid = new QGridLayout;
  grid->addWidget(Caption(new QLabel(this), tText::frmExportXML_lblFilename_caption), 0, 0);
  grid->addLayout(fileRow.Row, 0, 1, 1, 2);
  grid->addWidget(Caption(new QLabel(this), tText::frmExportXML_lblRootElement_caption), 1, 0);
  grid->addWidget(edtRootElement, 1, 1);
  grid->addWidget(Caption(new QLabel(this), tText::frmExportXML_lblRootNote_caption), 1, 2);
  grid->setColumnStretch(1, 1);

  auto* tags = Caption(new QGroupBox(this), tText::frmExportXML_grpTags_caption);
  tags->setObjectName(QStringLiteral("grpTags"));
  rbTagsAsText = Caption(new QRadioButton(tags), tText::frmExportXML_rbTagsAsText_caption);
  rbTagsAsText->setObjectName(QStringLiteral("rbTagsAsText"));
  rbTagsAsNumber = Caption(new QRadioButton(tags), tText::frmExportXML_rbTagsAsNumber_caption);
  rbTagsAsNumber->setObjectName(QStringLiteral("rbTagsAsNumber"));
  rbTagsAsText->setChecked(true);
  auto* tagLayout = new QHBoxLayout(tags);
  tagLayout->addWidget(rbTagsAsText);
  tagLayout->addWidget(rbTagsAsNumber);
  tagLayout->addStretch(1);

  QDialogButtonBox* buttons = OkCancelButtons(*this, tText::frmExportXML_btnOK_caption,
                                              tText::frmExportXML_btnCancel_caption);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(tags);
  layout->addWidget(buttons);
  setMinimumWidth(460);
  TranslateWindow(*this);
}

XmlExportOptions TfrmExportXML::Options() const {
  XmlExportOptions options;
  options.rootElement = edtRootElement->text().toStdString();
  options.tagsAsNumbers = rbTagsAsNumber->isChecked();
  return options;
}

QString TfrmExportXML::FileName() const { return edtFilename->text(); }

void TfrmExportXML::accept() {
  edtFilename->setText(
      QString::fromStdString(XmlExportFileName(edtFilename->text().toStdString())));
  QDialog::accept();
}

void TfrmExportXML::btnBrowseClick() {
  const QString chosen = fDialogs.ChooseSaveFile(this, Ui(tText::frmExportXML_dlgSave_caption),
                                                 FileDialogFilters(Ui(tText::XmlExportFileFilter)),
                                                 1, edtFilename->text());
  if (!chosen.isEmpty()) edtFilename->setText(chosen);
}

}  // namespace orvalis
