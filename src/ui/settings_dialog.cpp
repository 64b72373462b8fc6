// The settings dialog's pages, its filling and its "OK".
#include "ui/settings_dialog.h"

#include "i18n/messages.h"
#include "ui/actions_page.h"
#include "ui/dialog_rows.h"
#include "ui/help_router.h"
#include "ui/language.h"
#include "ui/qt_text.h"
#include "ui/result_model.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
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
  Caption(this, tText::frmSettings_self_caption);
  fPages = new QTabWidget(this);
  auto addPage = [this](QWidget* page, tText caption) {
    NameAfter(*page, caption);
    const int index = fPages->addTab(page, QString());
    OnLanguage(page, [this, index, caption] { fPages->setTabText(index, Ui(caption)); });
  };

  // Page "Anzeige".
  auto* display = new QWidget;
  auto* displayLayout = new QGridLayout(display);
  displayLayout->addWidget(Caption(new QLabel, tText::frmSettings_lblThumbCaption_caption), 0, 0);
  auto* captionRule = Caption(new QLabel, tText::frmSettings_lblThumbCaptionRule_caption);
  QFont bold = captionRule->font();
  bold.setBold(true);
  captionRule->setFont(bold);
  displayLayout->addWidget(captionRule, 0, 1, 1, 2);
  displayLayout->addWidget(Caption(new QLabel, tText::frmSettings_lblThumbSize_caption), 1, 0);
  comboThumbSize = new QComboBox;
  comboThumbSize->addItems(
      {QStringLiteral("160x120"), QStringLiteral("120x90"), QStringLiteral("90x66")});
  comboThumbSize->setCurrentIndex(0);
  displayLayout->addWidget(comboThumbSize, 1, 1);
  displayLayout->addWidget(Caption(new QLabel, tText::frmSettings_lblPixel_caption), 1, 2);
  displayLayout->addWidget(Caption(new QLabel, tText::frmSettings_lblQueryFont_caption), 2, 0);
  auto* btnQueryFont = Caption(new QPushButton, tText::frmSettings_btnQueryFont_caption);
  btnQueryFont->setObjectName(QStringLiteral("btnQueryFont"));
  displayLayout->addWidget(btnQueryFont, 2, 1);
  displayLayout->addWidget(Caption(new QLabel, tText::frmSettings_lblResultFont_caption), 3, 0);
  auto* btnResultFont = Caption(new QPushButton, tText::frmSettings_btnResultFont_caption);
  btnResultFont->setObjectName(QStringLiteral("btnResultFont"));
  displayLayout->addWidget(btnResultFont, 3, 1);
  displayLayout->setRowStretch(4, 1);
  displayLayout->setColumnStretch(3, 1);
  addPage(display, tText::frmSettings_tsDisplay_caption);
  connect(btnQueryFont, &QPushButton::clicked, this,
          [this] { ChooseFont(fChosenQueryFont, fQueryPaneFont); });
  connect(btnResultFont, &QPushButton::clicked, this,
          [this] { ChooseFont(fChosenResultFont, fResultPaneFont); });

  // Page "Optionen".
  auto* options = new QWidget;
  auto* optionsLayout = new QGridLayout(options);
  chkSaveSettings = Caption(new QCheckBox, tText::frmSettings_chkSaveSettings_caption);
  chkGeneratePreview = Caption(new QCheckBox, tText::frmSettings_chkGeneratePreview_caption);
  chkUseNullText = Caption(new QCheckBox, tText::frmSettings_chkUseNullText_caption);
  edtNullText = new QLineEdit;
  chkDontAskOnExit = Caption(new QCheckBox, tText::frmSettings_chkDontAskOnExit_caption);
  chkEnforceRefinement = Caption(new QCheckBox, tText::frmSettings_chkEnforceRefinement_caption);
  edtRefinementLimit = new QLineEdit;
  chkStrDelimDoubleQuote =
      Caption(new QCheckBox, tText::frmSettings_chkStrDelimDoubleQuote_caption);
  chkRunWizard = Caption(new QCheckBox, tText::frmSettings_chkRunWizard_caption);
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
  addPage(options, tText::frmSettings_tsOptions_caption);
  pgActions = new TActionsPage;
  addPage(pgActions, tText::frmSettings_tsActions_caption);

  // Page "Ergebnisanzeige".
  auto* viewer = new QWidget;
  auto* viewerLayout = new QGridLayout(viewer);
  rbViewerWindows = Caption(new QRadioButton, tText::frmSettings_rbViewerWindows_caption);
  rbViewerInternal = Caption(new QRadioButton, tText::frmSettings_rbViewerInternal_caption);
  rbViewerUser = Caption(new QRadioButton, tText::frmSettings_rbViewerUser_caption);
  rbViewerWindows->setChecked(true);
  fLblViewerAppname = Caption(new QLabel, tText::frmSettings_lblViewerAppname_caption);
  fLblViewerParams = Caption(new QLabel, tText::frmSettings_lblViewerParams_caption);
  edtViewerAppname = new QLineEdit;
  edtViewerParams = new QLineEdit;
  viewerLayout->addWidget(rbViewerWindows, 0, 0, 1, 2);
  viewerLayout->addWidget(rbViewerInternal, 1, 0, 1, 2);
  viewerLayout->addWidget(rbViewerUser, 2, 0, 1, 2);
  viewerLayout->addWidget(fLblViewerAppname, 3, 0);
  viewerLayout->addWidget(edtViewerAppname, 3, 1);
  viewerLayout->addWidget(fLblViewerParams, 4, 0);
  viewerLayout->addWidget(edtViewerParams, 4, 1);
  chkTurnByOrientation = Caption(new QCheckBox, tText::frmSettings_chkTurnByOrientation_caption);
  chkTurnByOrientation->setChecked(true);
  viewerLayout->addWidget(chkTurnByOrientation, 5, 0, 1, 2);
  viewerLayout->setRowStretch(6, 1);
  addPage(viewer, tText::frmSettings_tsViewer_caption);
  for (QRadioButton* button : {rbViewerWindows, rbViewerInternal, rbViewerUser}) {
    connect(button, &QRadioButton::toggled, this, &TfrmSettings::UpdateViewerFields);
  }
  UpdateViewerFields();

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = Caption(buttons->addButton(QString(), QDialogButtonBox::AcceptRole),
                            tText::frmSettings_btnOK_caption);
  ok->setObjectName(QStringLiteral("btnOK"));
  Caption(buttons->addButton(QString(), QDialogButtonBox::RejectRole),
          tText::frmSettings_btnCancel_caption);
  // "Hilfe" and F1 show the section of the page in front.
  QPushButton* help = Caption(buttons->addButton(QString(), QDialogButtonBox::HelpRole),
                              tText::frmSettings_btnHelp_caption);
  static const char* const kPageTopics[] = {
      "ProgramUsage\\settings.htm#display", "ProgramUsage\\settings.htm#options",
      "ProgramUsage\\settings.htm#actions", "ProgramUsage\\settings.htm#viewer"};
  SetHelpContext(this, 6000);
  for (int page = 0; page < fPages->count(); ++page) {
    SetHelpKeyword(fPages->widget(page), QString::fromLatin1(kPageTopics[page]));
  }
  connect(help, &QPushButton::clicked, this,
          [this] { ShowHelpTopic(QString::fromLatin1(kPageTopics[fPages->currentIndex()])); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fPages);
  layout->addWidget(buttons);
  SetEnterButton(*this, ok);
  TranslateWindow(*this);
}

void TfrmSettings::UpdateViewerFields() {
  const bool user = rbViewerUser->isChecked();
  for (QWidget* widget :
       {static_cast<QWidget*>(fLblViewerAppname), static_cast<QWidget*>(edtViewerAppname),
        static_cast<QWidget*>(fLblViewerParams), static_cast<QWidget*>(edtViewerParams)}) {
    widget->setVisible(user);
  }
}

QFont ResolvedFont(const QFont& font) {
  // A family that is not installed ("Courier" on most Linux systems) is drawn
  // with a substitute; the font dialog knows only installed families and would
  // open on its first one instead.
  const QFontInfo info(font);
  QFont resolved(info.family(), info.pointSize() > 0 ? info.pointSize() : font.pointSize());
  resolved.setStyleHint(font.styleHint());
  return resolved;
}

void TfrmSettings::ChooseFont(std::optional<QFont>& chosen, const QFont& paneFont) {
  // The dialog starts from the font the pane really shows, so "OK" without a
  // change keeps that font; a cancelled choice changes nothing.
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, ResolvedFont(paneFont), this);
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
    return Ui(tText::InvalidInteger).replace(QStringLiteral("%s"), limitText);
  }
  if (!IsValidHitLimit(*limit)) {
    return Ui(tText::HitLimitNotPositive);
  }
  settings.RefinementLimit = *limit;

  if (fChosenQueryFont) {
    settings.QueryFontFace = Bytes(fChosenQueryFont->family());
    if (fChosenQueryFont->pointSize() > 0) settings.QueryFontSize = fChosenQueryFont->pointSize();
  }
  if (fChosenResultFont) {
    settings.ResultFontFace = Bytes(fChosenResultFont->family());
    if (fChosenResultFont->pointSize() > 0)
      settings.ResultFontSize = fChosenResultFont->pointSize();
  }
  settings.RunWizardOnStartup = chkRunWizard->isChecked();
  return std::nullopt;
}

}  // namespace orvalis
