// The settings dialog's pages, its filling and its "OK".
#include "ui/settings_dialog.h"

#include "i18n/messages.h"
#include "ui/actions_page.h"
#include "ui/result_model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvalis {

namespace {

struct tThumbSize {
  int Width;
  int Height;
};
constexpr tThumbSize kThumbSizes[] = {{160, 120}, {120, 90}, {90, 66}};

std::string Bytes(const QString& text) { return text.toStdString(); }

}  // namespace

TfrmSettings::TfrmSettings(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("Programmeinstellungen"));
  fPages = new QTabWidget(this);

  // Page "Anzeige".
  auto* display = new QWidget;
  auto* displayLayout = new QGridLayout(display);
  displayLayout->addWidget(new QLabel(QStringLiteral("Thumbnail caption:")), 0, 0);
  auto* captionRule = new QLabel(QStringLiteral("Immer die erste Spalte nach SELECT"));
  QFont bold = captionRule->font();
  bold.setBold(true);
  captionRule->setFont(bold);
  displayLayout->addWidget(captionRule, 0, 1, 1, 2);
  displayLayout->addWidget(new QLabel(QStringLiteral("Vorschaugrösse:")), 1, 0);
  comboThumbSize = new QComboBox;
  comboThumbSize->addItems({QStringLiteral("160x120"), QStringLiteral("120x90"),
                            QStringLiteral("90x66")});
  comboThumbSize->setCurrentIndex(0);
  displayLayout->addWidget(comboThumbSize, 1, 1);
  displayLayout->addWidget(new QLabel(QStringLiteral("pixel")), 1, 2);
  displayLayout->addWidget(new QLabel(QStringLiteral("Schriftart Abfrage")), 2, 0);
  auto* btnQueryFont = new QPushButton(QStringLiteral("Einstellen ..."));
  btnQueryFont->setObjectName(QStringLiteral("btnQueryFont"));
  displayLayout->addWidget(btnQueryFont, 2, 1);
  displayLayout->addWidget(new QLabel(QStringLiteral("Schriftart Ergebnis:")), 3, 0);
  auto* btnResultFont = new QPushButton(QStringLiteral("Einstellen ..."));
  btnResultFont->setObjectName(QStringLiteral("btnResultFont"));
  displayLayout->addWidget(btnResultFont, 3, 1);
  displayLayout->setRowStretch(4, 1);
  displayLayout->setColumnStretch(3, 1);
  fPages->addTab(display, QStringLiteral("Anzeige"));
  connect(btnQueryFont, &QPushButton::clicked, this,
          [this] { ChooseFont(fChosenQueryFont, fQueryPaneFont); });
  connect(btnResultFont, &QPushButton::clicked, this,
          [this] { ChooseFont(fChosenResultFont, fResultPaneFont); });

  // Page "Optionen".
  auto* options = new QWidget;
  auto* optionsLayout = new QGridLayout(options);
  chkSaveSettings = new QCheckBox(QStringLiteral("Einstellungen in der Registrierung speichern"));
  chkGeneratePreview =
      new QCheckBox(QStringLiteral("Vorschau erzeugen, wenn kein EXIF-Vorschaubild (LANGSAM!!)"));
  chkUseNullText = new QCheckBox(QStringLiteral("Ersatztext für Nullwerte ist"));
  edtNullText = new QLineEdit;
  chkDontAskOnExit = new QCheckBox(QStringLiteral("Kein Nachfragen beim Beenden"));
  chkEnforceRefinement = new QCheckBox(QStringLiteral("Maximale Treffer pro Abfrage"));
  edtRefinementLimit = new QLineEdit;
  chkStrDelimDoubleQuote =
      new QCheckBox(QStringLiteral("Doppelte Anführungszeichen als Stringbegrenzer"));
  chkRunWizard = new QCheckBox(QStringLiteral("Abfrageassistent beim Start anzeigen"));
  optionsLayout->addWidget(chkSaveSettings, 0, 0, 1, 2);
  optionsLayout->addWidget(chkGeneratePreview, 1, 0, 1, 2);
  optionsLayout->addWidget(chkUseNullText, 2, 0);
  optionsLayout->addWidget(edtNullText, 2, 1);
  optionsLayout->addWidget(chkDontAskOnExit, 3, 0, 1, 2);
  optionsLayout->addWidget(chkEnforceRefinement, 4, 0);
  optionsLayout->addWidget(edtRefinementLimit, 4, 1);
  optionsLayout->addWidget(chkStrDelimDoubleQuote, 5, 0, 1, 2);
  optionsLayout->addWidget(chkRunWizard, 6, 0, 1, 2);
  optionsLayout->setRowStretch(7, 1);
  fPages->addTab(options, QStringLiteral("Optionen"));
  pgActions = new TActionsPage;
  fPages->addTab(pgActions, QStringLiteral("Aktionen"));

  // Page "Ergebnisanzeige".
  auto* viewer = new QWidget;
  auto* viewerLayout = new QGridLayout(viewer);
  rbViewerWindows = new QRadioButton(QStringLiteral("Windows-Standardverknüpfung"));
  rbViewerInternal = new QRadioButton(QStringLiteral("Interne Bildanzeige verwenden"));
  rbViewerUser = new QRadioButton(QStringLiteral("Externes Programm verwenden"));
  rbViewerWindows->setChecked(true);
  fLblViewerAppname = new QLabel(QStringLiteral("Dateiname:"));
  fLblViewerParams = new QLabel(QStringLiteral("Parameter:"));
  edtViewerAppname = new QLineEdit;
  edtViewerParams = new QLineEdit;
  viewerLayout->addWidget(rbViewerWindows, 0, 0, 1, 2);
  viewerLayout->addWidget(rbViewerInternal, 1, 0, 1, 2);
  viewerLayout->addWidget(rbViewerUser, 2, 0, 1, 2);
  viewerLayout->addWidget(fLblViewerAppname, 3, 0);
  viewerLayout->addWidget(edtViewerAppname, 3, 1);
  viewerLayout->addWidget(fLblViewerParams, 4, 0);
  viewerLayout->addWidget(edtViewerParams, 4, 1);
  chkTurnByOrientation = new QCheckBox(QStringLiteral("Fotos nach ihrer EXIF-Ausrichtung drehen"));
  chkTurnByOrientation->setChecked(true);
  viewerLayout->addWidget(chkTurnByOrientation, 5, 0, 1, 2);
  viewerLayout->setRowStretch(6, 1);
  fPages->addTab(viewer, QStringLiteral("Ergebnisanzeige"));
  for (QRadioButton* button : {rbViewerWindows, rbViewerInternal, rbViewerUser}) {
    connect(button, &QRadioButton::toggled, this, &TfrmSettings::UpdateViewerFields);
  }
  UpdateViewerFields();

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  // The help pages come with the help system.
  QPushButton* help = buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole);
  help->setEnabled(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fPages);
  layout->addWidget(buttons);
}

void TfrmSettings::UpdateViewerFields() {
  const bool user = rbViewerUser->isChecked();
  for (QWidget* widget : {static_cast<QWidget*>(fLblViewerAppname),
                          static_cast<QWidget*>(edtViewerAppname),
                          static_cast<QWidget*>(fLblViewerParams),
                          static_cast<QWidget*>(edtViewerParams)}) {
    widget->setVisible(user);
  }
}

void TfrmSettings::ChooseFont(std::optional<QFont>& chosen, const QFont& paneFont) {
  // The dialog starts from the pane's own font; a cancelled choice changes nothing.
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, paneFont, this);
  if (ok) chosen = font;
}

void TfrmSettings::Fill(const tSettings& settings, bool saveOnExit, const QFont& queryFont,
                        const QFont& resultFont) {
  for (int i = 0; i < 3; ++i) {
    if (kThumbSizes[i].Width == settings.ThumbnailWidth) comboThumbSize->setCurrentIndex(i);
  }
  chkSaveSettings->setChecked(saveOnExit);
  chkGeneratePreview->setChecked(settings.GeneratePreview);
  chkUseNullText->setChecked(settings.UseNullText);
  edtNullText->setText(DisplayText(settings.NullText));
  chkDontAskOnExit->setChecked(settings.DontAskOnExit);
  chkEnforceRefinement->setChecked(settings.EnforceRefinement);
  edtRefinementLimit->setText(QString::number(settings.RefinementLimit));
  chkStrDelimDoubleQuote->setChecked(settings.StrDelimDoubleQuote);
  chkRunWizard->setChecked(settings.RunWizardOnStartup);
  fQueryPaneFont = queryFont;
  fResultPaneFont = resultFont;
  fChosenQueryFont.reset();
  fChosenResultFont.reset();
  switch (settings.ViewerModeLetter()) {
    case 'I': rbViewerInternal->setChecked(true); break;
    case 'U': rbViewerUser->setChecked(true); break;
    case 'W': rbViewerWindows->setChecked(true); break;
    default: break;
  }
  edtViewerAppname->setText(DisplayText(settings.ResultViewerAppname));
  edtViewerParams->setText(DisplayText(settings.ResultViewerParams));
  chkTurnByOrientation->setChecked(settings.TurnByOrientation);
  UpdateViewerFields();
}

std::optional<QString> TfrmSettings::TakeOver(tSettings& settings, bool& saveOnExit) const {
  const int sizeIndex = comboThumbSize->currentIndex();
  if (sizeIndex >= 0 && sizeIndex < 3) {
    settings.ThumbnailWidth = kThumbSizes[sizeIndex].Width;
    settings.ThumbnailHeight = kThumbSizes[sizeIndex].Height;
  }
  if (rbViewerWindows->isChecked()) settings.ResultViewerMode = "W";
  if (rbViewerInternal->isChecked()) settings.ResultViewerMode = "I";
  if (rbViewerUser->isChecked()) settings.ResultViewerMode = "U";
  settings.ResultViewerAppname = Bytes(edtViewerAppname->text());
  settings.ResultViewerParams = Bytes(edtViewerParams->text());
  settings.TurnByOrientation = chkTurnByOrientation->isChecked();
  saveOnExit = chkSaveSettings->isChecked();
  settings.GeneratePreview = chkGeneratePreview->isChecked();
  settings.UseNullText = chkUseNullText->isChecked();
  settings.NullText = Bytes(edtNullText->text());
  settings.DontAskOnExit = chkDontAskOnExit->isChecked();
  settings.StrDelimDoubleQuote = chkStrDelimDoubleQuote->isChecked();
  settings.EnforceRefinement = chkEnforceRefinement->isChecked();

  const QString limitText = edtRefinementLimit->text();
  const std::optional<std::int32_t> limit = ParseInteger(Bytes(limitText));
  if (!limit) {
    return QString::fromStdString(Message("InvalidInteger", "'%s' ist kein gültiger Integerwert."))
        .replace(QStringLiteral("%s"), limitText);
  }
  if (!IsValidHitLimit(*limit)) {
    return QString::fromStdString(
        Message("HitLimitNotPositive", "Die maximale Trefferzahl muss größer als 0 sein."));
  }
  settings.RefinementLimit = *limit;

  if (fChosenQueryFont) {
    settings.QueryFontFace = Bytes(fChosenQueryFont->family());
    if (fChosenQueryFont->pointSize() > 0) settings.QueryFontSize = fChosenQueryFont->pointSize();
  }
  if (fChosenResultFont) {
    settings.ResultFontFace = Bytes(fChosenResultFont->family());
    if (fChosenResultFont->pointSize() > 0) settings.ResultFontSize = fChosenResultFont->pointSize();
  }
  settings.RunWizardOnStartup = chkRunWizard->isChecked();
  return std::nullopt;
}

}  // namespace orvalis
