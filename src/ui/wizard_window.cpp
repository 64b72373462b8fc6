// The query wizard's window: header, page area, footer and page stepping.
#include "ui/wizard_window.h"

#include "ui/language.h"

#include "ui/dialog_rows.h"
#include "ui/help_router.h"
#include "ui/ui_text.h"
#include "ui/wizard_pages.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

TfrmWizard::TfrmWizard(TDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmWizard"));
  ShowHelp = [](int context) { ShowHelpContext(context); };
  SetHelpContext(this, 10000);

  auto* pnlHeader = new QFrame;
  pnlHeader->setObjectName(QStringLiteral("pnlHeader"));
  pnlHeader->setFixedHeight(60);
  pnlHeader->setAutoFillBackground(true);
  QPalette white = pnlHeader->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  white.setColor(QPalette::Text, Qt::black);
  pnlHeader->setPalette(white);
  lblTitle = new QLabel;
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  QFont bold = lblTitle->font();
  bold.setBold(true);
  lblTitle->setFont(bold);
  memoDescription = new QPlainTextEdit;
  memoDescription->setObjectName(QStringLiteral("memoDescription"));
  memoDescription->setReadOnly(true);
  memoDescription->setFrameShape(QFrame::NoFrame);
  memoDescription->setFocusPolicy(Qt::NoFocus);
  memoDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memoDescription->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memoDescription->setPalette(white);
  memoDescription->document()->setDocumentMargin(0);
  imgHeader = new QLabel;
  imgHeader->setObjectName(QStringLiteral("imgHeader"));
  imgHeader->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(40, 40));
  auto* headerTexts = new QVBoxLayout;
  headerTexts->setSpacing(2);
  headerTexts->addWidget(lblTitle);
  headerTexts->addWidget(memoDescription, 1);
  auto* headerLayout = new QHBoxLayout(pnlHeader);
  headerLayout->setContentsMargins(10, 6, 10, 4);
  headerLayout->addLayout(headerTexts, 1);
  headerLayout->addWidget(imgHeader, 0, Qt::AlignTop);
  auto* headerLine = new QFrame;
  headerLine->setFrameShape(QFrame::HLine);
  headerLine->setFrameShadow(QFrame::Sunken);

  pnlPages = new QStackedWidget;
  pnlPages->setObjectName(QStringLiteral("pnlPages"));

  auto* footerLine = new QFrame;
  footerLine->setFrameShape(QFrame::HLine);
  footerLine->setFrameShadow(QFrame::Sunken);
  btnBack = new QPushButton;
  btnBack->setObjectName(QStringLiteral("btnBack"));
  btnNext = new QPushButton;
  btnNext->setObjectName(QStringLiteral("btnNext"));
  btnCancel = new QPushButton;
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnHelp = new QPushButton;
  btnHelp->setObjectName(QStringLiteral("btnHelp"));
  for (QPushButton* button : {btnBack, btnCancel, btnHelp}) button->setAutoDefault(false);
  connect(btnBack, &QPushButton::clicked, this, &TfrmWizard::btnBackClick);
  connect(btnNext, &QPushButton::clicked, this, &TfrmWizard::btnNextClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnHelp, &QPushButton::clicked, this, &TfrmWizard::btnHelpClick);
  auto* footer = new QHBoxLayout;
  footer->setContentsMargins(8, 0, 8, 6);
  footer->addStretch(1);
  footer->addWidget(btnBack);
  footer->addWidget(btnNext);
  footer->addSpacing(8);
  footer->addWidget(btnCancel);
  footer->addWidget(btnHelp);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pnlHeader);
  layout->addWidget(headerLine);
  layout->addWidget(pnlPages, 1);
  layout->addWidget(footerLine);
  layout->addSpacing(6);
  layout->addLayout(footer);
  SetEnterButton(*this, btnNext);

  frWelcome = new TfrWelcome;
  frSelectFiles = new TfrSelectFiles(dialogs);
  frSelectFields = new TfrSelectFields(dialogs);
  frSelectWhere = new TfrSelectWhere;
  AddScreen(frWelcome, tText::frWelcome_self_title, tText::frWelcome_self_description, 0);
  AddScreen(frSelectFiles, tText::frSelectFiles_self_title, tText::frSelectFiles_self_description,
            10100);
  AddScreen(frSelectFields, tText::frSelectFields_self_title,
            tText::frSelectFields_self_description, 10200);
  AddScreen(frSelectWhere, tText::frSelectWhere_self_title, tText::frSelectWhere_self_description,
            10300);
  OnLanguage(this, [this] { ApplyTexts(); });
  btnBack->setEnabled(false);
  // The size the wizard was laid out for, taller only where the platform's
  // font needs more room for a page's text.
  setFixedSize(450, std::max(301, layout->minimumSize().height()));
  TranslateWindow(*this);
}

void TfrmWizard::AddScreen(QWidget* page, tText title, tText description, int helpContext) {
  pnlPages->addWidget(page);
  fScreens.push_back(TWizardScreen{page, title, description, helpContext, {}, {}});
}

void TfrmWizard::ApplyTexts() {
  setWindowTitle(Ui(tText::frmWizard_self_caption));
  btnBack->setText(Ui(tText::frmWizard_btnBack_caption));
  btnCancel->setText(Ui(tText::frmWizard_btnCancel_caption));
  btnHelp->setText(Ui(tText::frmWizard_btnHelp_caption));
  fNextCaption = Ui(tText::frmWizard_btnNext_caption);
  SetNextCaption();
  for (TWizardScreen& screen : fScreens) {
    screen.Title = Ui(screen.TitleText);
    screen.Description = Ui(screen.DescriptionText);
  }
  frWelcome->ApplyTexts();
  frSelectFiles->ApplyTexts();
  frSelectFields->ApplyTexts();
  frSelectWhere->ApplyTexts();
  ShowScreen(fIndex);
}

void TfrmWizard::SetNextCaption() {
  btnNext->setText(fIndex < LastIndex() ? fNextCaption : Ui(tText::FinishWizard));
}

void TfrmWizard::showEvent(QShowEvent* event) {
  // Every showing starts on the welcome page. The forward caption is taken
  // from the button, so a translation applied to the button itself counts.
  if (!event->spontaneous()) {
    if (fIndex < LastIndex()) fNextCaption = btnNext->text();
    fIndex = 0;
    SetNextCaption();
    btnBack->setEnabled(false);
    ShowScreen(0);
  }
  QDialog::showEvent(event);
}

void TfrmWizard::ShowScreen(int index) {
  const TWizardScreen& screen = fScreens.at(static_cast<std::size_t>(index));
  pnlPages->setCurrentWidget(screen.Page);
  lblTitle->setText(screen.Title);
  memoDescription->setPlainText(screen.Description);
  btnHelp->setEnabled(screen.HelpContext != 0);
}

void TfrmWizard::btnNextClick() {
  ++fIndex;
  if (fIndex > LastIndex()) {
    fIndex = LastIndex();
    if (OnFinish) OnFinish(*this);
    accept();
    return;
  }
  SetNextCaption();
  btnBack->setEnabled(fIndex > 0);
  ShowScreen(fIndex);
  // The focus stays on the button, as after a click, and does not fall
  // into the new page (a list would select its first entry).
  btnNext->setFocus();
}

void TfrmWizard::btnBackClick() {
  if (fIndex > 0) {
    --fIndex;
    ShowScreen(fIndex);
  }
  SetNextCaption();
  btnBack->setEnabled(fIndex > 0);
  (fIndex > 0 ? btnBack : btnNext)->setFocus();
}

void TfrmWizard::btnHelpClick() {
  const int context = fScreens.at(static_cast<std::size_t>(fIndex)).HelpContext;
  if (context != 0 && ShowHelp) ShowHelp(context);
}

tWizardChoice TfrmWizard::Choice() const {
  tWizardChoice choice;
  choice.Fields = frSelectFields->ChosenFields();
  choice.FileMask = frSelectFiles->edtFileMask->text().toStdString();
  choice.Conditions = frSelectWhere->Conditions();
  choice.WithSubdirs = frSelectFiles->chkSubdirs->isChecked();
  return choice;
}

}  // namespace orvalis
