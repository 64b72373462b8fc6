// The print dialog.
#include "ui/print_dialog.h"

#include "common/whole_file.h"
#include "i18n/file_messages.h"
#include "ui/language.h"
#include "ui/qt_text.h"
#include "ui/result_model.h"

#include "ui/dialogs.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orvalis {

namespace {

template <typename Widget>
Widget* Named(const char* name, QWidget* parent) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

TfrmPrintMain::TfrmPrintMain(TDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      fDialogs(dialogs),
      fPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("frmPrintMain"));

  lblPrinter = Named<QLabel>("lblPrinter", this);
  comboPrinter = Named<QComboBox>("comboPrinter", this);
  comboPrinter->setMinimumWidth(220);
  lblPrinter->setBuddy(comboPrinter);
  connect(comboPrinter, &QComboBox::activated, this, &TfrmPrintMain::comboPrinterSelect);
  btnSetup = Named<QPushButton>("btnSetup", this);
  connect(btnSetup, &QPushButton::clicked, this, &TfrmPrintMain::btnSetupClick);
  auto* printerRow = new QHBoxLayout;
  printerRow->addWidget(comboPrinter, 1);
  printerRow->addWidget(btnSetup);

  // Margins: whole millimetres, digits only.
  grpMargins = Named<QGroupBox>("grpMargins", this);
  auto* margins = new QGridLayout(grpMargins);
  const auto* digits =
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
  const struct {
    QLabel*& Label;
    const char* LabelName;
    QLineEdit*& Edit;
    const char* EditName;
    QLabel*& Unit;
    const char* UnitName;
  } fields[] = {
      {lblLeft, "lblLeft", edtLeft, "edtLeft", lblLeftUnit, "lblLeftUnit"},
      {lblRight, "lblRight", edtRight, "edtRight", lblRightUnit, "lblRightUnit"},
      {lblTop, "lblTop", edtTop, "edtTop", lblTopUnit, "lblTopUnit"},
      {lblBottom, "lblBottom", edtBottom, "edtBottom", lblBottomUnit, "lblBottomUnit"},
  };
  int place = 0;
  for (const auto& field : fields) {
    field.Label = Named<QLabel>(field.LabelName, grpMargins);
    field.Edit = Named<QLineEdit>(field.EditName, grpMargins);
    field.Edit->setValidator(digits);
    field.Edit->setMaxLength(4);
    field.Edit->setFixedWidth(48);
    field.Edit->setText(QStringLiteral("20"));
    field.Label->setBuddy(field.Edit);
    field.Unit = Named<QLabel>(field.UnitName, grpMargins);
    const int row = place / 2;
    const int column = (place % 2) * 3;
    margins->addWidget(field.Label, row, column);
    margins->addWidget(field.Edit, row, column + 1);
    margins->addWidget(field.Unit, row, column + 2);
    ++place;
  }
  margins->setColumnStretch(2, 1);
  margins->setColumnStretch(5, 1);

  grpOptions = Named<QGroupBox>("grpOptions", this);
  btnFont = Named<QPushButton>("btnFont", grpOptions);
  connect(btnFont, &QPushButton::clicked, this, &TfrmPrintMain::btnFontClick);
  pnlDemo = Named<QLabel>("pnlDemo", grpOptions);
  pnlDemo->setFrameShape(QFrame::Panel);
  pnlDemo->setFrameShadow(QFrame::Sunken);
  pnlDemo->setAlignment(Qt::AlignCenter);
  pnlDemo->setMinimumHeight(36);
  chkNameOnly = Named<QCheckBox>("chkNameOnly", grpOptions);
  chkThumbnails = Named<QCheckBox>("chkThumbnails", grpOptions);
  chkThumbnails->setChecked(true);
  lblColumns = Named<QLabel>("lblColumns", grpOptions);
  edtColumns = Named<QSpinBox>("edtColumns", grpOptions);
  edtColumns->setRange(1, 4);
  edtColumns->setValue(2);
  lblColumns->setBuddy(edtColumns);
  auto* options = new QGridLayout(grpOptions);
  options->addWidget(btnFont, 0, 0);
  options->addWidget(pnlDemo, 0, 1, 1, 2);
  options->addWidget(chkNameOnly, 1, 0, 1, 3);
  options->addWidget(chkThumbnails, 2, 0, 1, 3);
  options->addWidget(lblColumns, 3, 0);
  options->addWidget(edtColumns, 3, 1);
  options->setColumnStretch(2, 1);

  auto* buttons = new QDialogButtonBox(this);
  btnOK = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnCancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnHelp = buttons->addButton(QString(), QDialogButtonBox::HelpRole);
  btnHelp->setObjectName(QStringLiteral("btnHelp"));
  btnHelp->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
    if (fShowHelp) fShowHelp(QStringLiteral("ProgramUsage\\printing.htm"));
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPrinter);
  layout->addLayout(printerRow);
  layout->addWidget(grpMargins);
  layout->addWidget(grpOptions);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QFont cellFont(QStringLiteral("Arial Narrow"), 9);
  cellFont.setStyleHint(QFont::SansSerif);
  SetCellFont(cellFont);
  OnLanguage(this, [this] { ApplyTexts(); });
  TranslateWindow(*this);
  FillPrinters();
}

TfrmPrintMain::~TfrmPrintMain() = default;

void TfrmPrintMain::ApplyTexts() {
  setWindowTitle(Ui(tText::frmPrintMain_self_caption));
  lblPrinter->setText(Ui(tText::frmPrintMain_lblPrinter_caption));
  btnSetup->setText(Ui(tText::frmPrintMain_btnSetup_caption));
  grpMargins->setTitle(Ui(tText::frmPrintMain_grpMargins_caption));
  lblLeft->setText(Ui(tText::frmPrintMain_lblLeft_caption));
  lblRight->setText(Ui(tText::frmPrintMain_lblRight_caption));
  lblTop->setText(Ui(tText::frmPrintMain_lblTop_caption));
  lblBottom->setText(Ui(tText::frmPrintMain_lblBottom_caption));
  lblLeftUnit->setText(Ui(tText::frmPrintMain_lblLeftUnit_caption));
  lblRightUnit->setText(Ui(tText::frmPrintMain_lblRightUnit_caption));
  lblTopUnit->setText(Ui(tText::frmPrintMain_lblTopUnit_caption));
  lblBottomUnit->setText(Ui(tText::frmPrintMain_lblBottomUnit_caption));
  grpOptions->setTitle(Ui(tText::frmPrintMain_grpOptions_caption));
  btnFont->setText(Ui(tText::frmPrintMain_btnFont_caption));
  pnlDemo->setText(Ui(tText::frmPrintMain_pnlDemo_caption));
  chkNameOnly->setText(Ui(tText::frmPrintMain_chkNameOnly_caption));
  chkThumbnails->setText(Ui(tText::frmPrintMain_chkThumbnails_caption));
  lblColumns->setText(Ui(tText::frmPrintMain_lblColumns_caption));
  btnOK->setText(Ui(tText::frmPrintMain_btnOK_caption));
  btnCancel->setText(Ui(tText::frmPrintMain_btnCancel_caption));
  btnHelp->setText(Ui(tText::frmPrintMain_btnHelp_caption));
  // The PDF entry is the last one of the printer list.
  if (comboPrinter->count() > 0) {
    comboPrinter->setItemText(comboPrinter->count() - 1, Ui(tText::PrintToPdfFile));
  }
}

void TfrmPrintMain::FillPrinters() {
  const bool pdf =
      comboPrinter->count() > 0 ? PdfChosen() : fPrinter->outputFormat() == QPrinter::PdfFormat;
  const QString current = fPrinter->printerName();
  comboPrinter->clear();
  comboPrinter->addItems(QPrinterInfo::availablePrinterNames());
  comboPrinter->addItem(Ui(tText::PrintToPdfFile));
  int chosen = pdf ? -1 : comboPrinter->findText(current, Qt::MatchExactly);
  if (chosen < 0 || chosen == comboPrinter->count() - 1) chosen = comboPrinter->count() - 1;
  comboPrinter->setCurrentIndex(chosen);
  comboPrinterSelect(chosen);
}

bool TfrmPrintMain::PdfChosen() const {
  return comboPrinter->currentIndex() == comboPrinter->count() - 1;
}

void TfrmPrintMain::comboPrinterSelect(int index) {
  if (index < 0) return;
  if (PdfChosen()) {
    fPrinter->setOutputFormat(QPrinter::PdfFormat);
  } else {
    fPrinter->setOutputFileName(QString());
    fPrinter->setOutputFormat(QPrinter::NativeFormat);
    fPrinter->setPrinterName(comboPrinter->itemText(index));
  }
  // The job's margins count from the edge of what the printer can print
  // (all of the page for a PDF file), not from margins of Qt's own.
  fPrinter->setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

bool TfrmPrintMain::PrinterReady() const {
  return !PdfChosen() || !fPrinter->outputFileName().isEmpty();
}

void TfrmPrintMain::btnSetupClick() {
  QPageSetupDialog setup(fPrinter.get(), this);
  fDialogs.Execute(setup);
}

void TfrmPrintMain::btnFontClick() {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, ResolvedFont(fCellFont), this);
  if (ok) SetCellFont(font);
}

void TfrmPrintMain::SetCellFont(const QFont& font) {
  fCellFont = font;
  pnlDemo->setFont(font);
}

void TfrmPrintMain::SetHelpHandler(std::function<void(const QString& topic)> handler) {
  fShowHelp = std::move(handler);
  btnHelp->setEnabled(static_cast<bool>(fShowHelp));
}

std::optional<TPrintOptions> TfrmPrintMain::Options() const {
  TPrintOptions options;
  const std::pair<QLineEdit*, int*> margins[] = {{edtLeft, &options.Margins.Left},
                                                 {edtRight, &options.Margins.Right},
                                                 {edtTop, &options.Margins.Top},
                                                 {edtBottom, &options.Margins.Bottom}};
  for (const auto& [edit, value] : margins) {
    bool ok = false;
    *value = edit->text().toInt(&ok);
    if (!ok) return std::nullopt;
  }
  options.CellFont = fCellFont;
  options.NamesOnly = chkNameOnly->isChecked();
  options.Thumbnails = chkThumbnails->isChecked();
  options.CellsPerRow = edtColumns->value();
  return options;
}

void TfrmPrintMain::accept() {
  if (PdfChosen()) {
    const QString previous = fPrinter->outputFileName();
    fPrinter->setOutputFileName(QString());
    QString chosen =
        fDialogs.ChooseSaveFile(this, Ui(tText::frmPrintMain_dlgPdfFile_caption),
                                FileDialogFilters(Ui(tText::PdfFileFilter)), 0, previous);
    if (chosen.isEmpty()) return;
    // A name without an ending gets the one the file is written in.
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".pdf");
    const tWholeWriteResult target = CheckWriteTarget(QFile::encodeName(chosen).toStdString());
    if (target.Outcome == tWholeWrite::NotRegular) {
      fDialogs.ShowMessage(DisplayText(WriteFailureMessage(target)));
      return;
    }
    fPrinter->setOutputFormat(QPrinter::PdfFormat);
    fPrinter->setOutputFileName(chosen);
  }
  QDialog::accept();
}

}  // namespace orvalis
