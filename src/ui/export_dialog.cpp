// The text export dialog.
#include "ui/export_dialog.h"

#include "ui/dialog_rows.h"
#include "ui/dialogs.h"
#include "ui/language.h"
#include "ui/ui_text.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvalis {

namespace {

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

std::string Bytes(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

TfrmExport::TfrmExport(TDialogs& dialogs, QWidget* parent) : QDialog(parent), fDialogs(dialogs) {
  setObjectName(QStringLiteral("frmExport"));
  Caption(this, tText::frmExport_self_caption);

  edtFilename = NamedEdit("edtFilename", this);
  edtFilename->setText(QStringLiteral("export.txt"));
  const tBrowseRow fileRow = BrowseRow(*this, edtFilename, tText::frmExport_dlgSave_caption);
  btnBrowse = fileRow.Button;
  connect(btnBrowse, &QPushButton::clicked, this, &TfrmExport::btnBrowseClick);

  comboDelim = new QComboBox(this);
  comboDelim->setObjectName(QStringLiteral("comboDelim"));
  comboDelim->setEditable(true);
  comboDelim->setInsertPolicy(QComboBox::NoInsert);
  comboDelim->addItems({QStringLiteral(","), QStringLiteral(";"), QStringLiteral("(tab)"),
                        QStringLiteral("(cr)"), QStringLiteral("(crlf)")});
  comboDelim->setCurrentIndex(0);
  // The box takes a typed text for the list entry it matches when the field
  // is left; "(TAB)" is literal text and must not become "(tab)".
  comboDelim->completer()->setCaseSensitivity(Qt::CaseSensitive);

  comboQuoting = new QComboBox(this);
  comboQuoting->setObjectName(QStringLiteral("comboQuoting"));
  comboQuoting->addItems(QStringList(5, QString()));
  OnLanguage(comboQuoting, [this] {
    const tText items[] = {tText::QuotingDoubleQuotes, tText::QuotingBackslash,
                           tText::QuotingOtherQuote, tText::QuotingHex, tText::QuotingNone};
    for (int i = 0; i < 5; ++i) comboQuoting->setItemText(i, Ui(items[i]));
  });
  comboQuoting->setCurrentIndex(0);

  auto* top = new QFormLayout;
  top->addRow(Caption(new QLabel, tText::frmExport_lblFilename_caption), fileRow.Row);
  top->addRow(Caption(new QLabel, tText::frmExport_lblDelim_caption), comboDelim);
  top->addRow(Caption(new QLabel, tText::frmExport_lblQuoting_caption), comboQuoting);

  auto group = [this](tText caption, const char* name, tText firstLabel, QLineEdit* first,
                      tText secondLabel, QLineEdit* second) {
    auto* box = Caption(new QGroupBox(this), caption);
    box->setObjectName(QString::fromLatin1(name));
    auto* form = new QFormLayout(box);
    form->addRow(Caption(new QLabel, firstLabel), first);
    form->addRow(Caption(new QLabel, secondLabel), second);
    return box;
  };
  edtFileHeader = NamedEdit("edtFileHeader", this);
  edtFileFooter = NamedEdit("edtFileFooter", this);
  edtLineBefore = NamedEdit("edtLineBefore", this);
  edtLineAfter = NamedEdit("edtLineAfter", this);
  edtColBefore = NamedEdit("edtColBefore", this);
  edtColAfter = NamedEdit("edtColAfter", this);

  QDialogButtonBox* buttons =
      OkCancelButtons(*this, tText::frmExport_btnOK_caption, tText::frmExport_btnCancel_caption);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(group(tText::frmExport_grpHeaderFooter_caption, "grpHeaderFooter",
                          tText::frmExport_lblFileHeader_caption, edtFileHeader,
                          tText::frmExport_lblFileFooter_caption, edtFileFooter));
  layout->addWidget(group(tText::frmExport_grpLine_caption, "grpLine",
                          tText::frmExport_lblLineBefore_caption, edtLineBefore,
                          tText::frmExport_lblLineAfter_caption, edtLineAfter));
  layout->addWidget(group(tText::frmExport_grpColumn_caption, "grpColumn",
                          tText::frmExport_lblColBefore_caption, edtColBefore,
                          tText::frmExport_lblColAfter_caption, edtColAfter));
  layout->addWidget(buttons);
  setMinimumWidth(420);
  TranslateWindow(*this);
}

TextExportOptions TfrmExport::Options() const {
  TextExportOptions options;
  options.delimiter = comboDelim->currentText().toStdString();
  options.quoting = static_cast<QuotingMode>(std::max(0, comboQuoting->currentIndex()));
  options.fileHeader = Bytes(edtFileHeader);
  options.fileFooter = Bytes(edtFileFooter);
  options.lineBefore = Bytes(edtLineBefore);
  options.lineAfter = Bytes(edtLineAfter);
  options.colBefore = Bytes(edtColBefore);
  options.colAfter = Bytes(edtColAfter);
  return options;
}

QString TfrmExport::FileName() const { return edtFilename->text(); }

void TfrmExport::btnBrowseClick() {
  const QString chosen = fDialogs.ChooseSaveFile(this, Ui(tText::frmExport_dlgSave_caption),
                                                 FileDialogFilters(Ui(tText::ExportFileFilter)), 0,
                                                 edtFilename->text());
  if (!chosen.isEmpty()) edtFilename->setText(chosen);
}

}  // namespace orvalis
