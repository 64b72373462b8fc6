// The print dialog "Drucken": printer (the system's printers and a PDF file),
// its set-up, page margins, the cell font and the layout options. Made once
// per main window, so its values stay for the program run.
#pragma once

#include "ui/result_printer.h"

#include <QDialog>
#include <QFont>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace orvalis {

class TDialogs;

class TfrmPrintMain : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmPrintMain(TDialogs& dialogs, QWidget* parent = nullptr);
  ~TfrmPrintMain() override;

  // Sets every text of the dialog from the catalogue.
  void ApplyTexts();
  // Lists the system's printers and the PDF file, the current printer chosen.
  void FillPrinters();
  // The printer as chosen; ready to print only when a PDF file has its name.
  QPrinter& Printer() { return *fPrinter; }
  bool PrinterReady() const;
  // The options of a job; empty when a margin field is empty.
  std::optional<TPrintOptions> Options() const;
  void SetCellFont(const QFont& font);
  // The help button asks for the page of this topic; without a handler it is off.
  void SetHelpHandler(std::function<void(const QString& topic)> handler);

  // On "OK" a PDF file is asked for; without a name the dialog stays open.
  void accept() override;

  QLabel* lblPrinter;
  QComboBox* comboPrinter;
  QPushButton* btnSetup;
  QGroupBox* grpMargins;
  QLabel* lblLeft;
  QLabel* lblRight;
  QLabel* lblTop;
  QLabel* lblBottom;
  QLineEdit* edtLeft;
  QLineEdit* edtRight;
  QLineEdit* edtTop;
  QLineEdit* edtBottom;
  QLabel* lblLeftUnit;
  QLabel* lblRightUnit;
  QLabel* lblTopUnit;
  QLabel* lblBottomUnit;
  QGroupBox* grpOptions;
  QPushButton* btnFont;
  QLabel* pnlDemo;
  QCheckBox* chkNameOnly;
  QCheckBox* chkThumbnails;
  QLabel* lblColumns;
  QSpinBox* edtColumns;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QPushButton* btnHelp;

 private:
  void comboPrinterSelect(int index);
  void btnSetupClick();
  void btnFontClick();
  bool PdfChosen() const;

  TDialogs& fDialogs;
  std::unique_ptr<QPrinter> fPrinter;
  QFont fCellFont;
  std::function<void(const QString&)> fShowHelp;
};

}  // namespace orvalis
