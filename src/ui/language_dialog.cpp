#include "ui/language_dialog.h"

#include "ui/language.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvalis {

TfrmSelectLang::TfrmSelectLang(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmSelectLang"));
  Caption(this, tText::frmSelectLang_self_caption);
  auto* label = Caption(new QLabel(this), tText::frmSelectLang_lblSelect_caption);
  label->setWordWrap(true);
  lstLanguages = new QListWidget(this);
  lstLanguages->setObjectName(QStringLiteral("lstLanguages"));
  label->setBuddy(lstLanguages);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = Caption(buttons->addButton(QString(), QDialogButtonBox::AcceptRole),
                            tText::frmSelectLang_btnOK_caption);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  Caption(buttons->addButton(QString(), QDialogButtonBox::RejectRole),
          tText::frmSelectLang_btnCancel_caption);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lstLanguages, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(lstLanguages, 1);
  layout->addWidget(buttons);
  setFixedSize(178, 186);
  TranslateWindow(*this);
}

void TfrmSelectLang::Fill(const std::vector<std::string>& names, const std::string& current) {
  lstLanguages->clear();
  for (const std::string& name : names) lstLanguages->addItem(QString::fromStdString(name));
  lstLanguages->sortItems(Qt::AscendingOrder);
  const QList<QListWidgetItem*> found =
      lstLanguages->findItems(QString::fromStdString(current), Qt::MatchExactly);
  if (found.isEmpty()) {
    lstLanguages->setCurrentRow(-1);
  } else {
    lstLanguages->setCurrentItem(found.front());
  }
}

QString TfrmSelectLang::Selected() const {
  const QList<QListWidgetItem*> selected = lstLanguages->selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->text();
}

}  // namespace orvalis
