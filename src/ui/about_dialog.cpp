#include "ui/about_dialog.h"

#include "ui/dialog_rows.h"
#include "ui/language.h"

#include "ui/application.h"
#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvalis {

namespace {
// "Blende" is the photographer's aperture.
constexpr const char* kSecretWord = "blende";
constexpr int kTypedKept = 6;
}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent), VersionInfo(TCEVersionInfo::ForThisProgram()) {
  LoadIconResources();
  setObjectName(QStringLiteral("AboutBox"));
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);
  setFixedSize(298, 171);

  imgProgram = new QLabel;
  imgProgram->setPixmap(QPixmap(QStringLiteral(":/icons/orvalis-64.png")));
  imgProgram->setAlignment(Qt::AlignTop);
  lblProduct = new QLabel;
  QFont bold = lblProduct->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  lblProduct->setFont(bold);
  lblVersion = new QLabel;
  lblCopyright = new QLabel;
  lblComments = new QLabel;
  lblComments->setWordWrap(true);
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("btnOK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(lblProduct);
  texts->addWidget(lblVersion);
  texts->addWidget(lblCopyright);
  texts->addWidget(lblComments, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(imgProgram);
  top->addLayout(texts, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(buttons);
  SetEnterButton(*this, ok);
  OnLanguage(this, [this] { ApplyTexts(); });
  TranslateWindow(*this);
}

void TfrmAbout::ApplyTexts() {
  setWindowTitle(Ui(tText::AboutBox_self_caption));
  if (auto* ok = findChild<QPushButton*>(QStringLiteral("btnOK")))
    ok->setText(Ui(tText::AboutBox_btnOK_caption));
  lblComments->setText(Ui(tText::AboutBox_lblComments_caption));
}

void TfrmAbout::Prepare(const QString& programFileName) {
  VersionInfo.OriginalFilename = programFileName.toStdString();
  lblProduct->setText(QString::fromStdString(VersionInfo.ProductName));
  lblVersion->setText(QStringLiteral("Version ") + QString::fromStdString(VersionInfo.FileVersion));
  lblCopyright->setText(QString::fromStdString(VersionInfo.LegalCopyright));
  if (parentWidget()) {
    move(parentWidget()->window()->frameGeometry().center() - rect().center());
  }
}

void TfrmAbout::showEvent(QShowEvent* event) {
  fTyped.clear();
  QDialog::showEvent(event);
}

void TfrmAbout::keyPressEvent(QKeyEvent* event) {
  fTyped = (fTyped + event->text()).right(kTypedKept);
  if (!fSecondPicture && fTyped == QLatin1String(kSecretWord)) {
    fSecondPicture = true;
    imgProgram->setPixmap(QPixmap(QStringLiteral(":/icons/orvalis-night-64.png")));
  }
  QDialog::keyPressEvent(event);
}

}  // namespace orvalis
