// The metadata window, filled from a fresh reader in its default settings.
#include "ui/metadata_window.h"

#include "metadata/image_metadata.h"
#include "ui/dialog_rows.h"
#include "ui/language.h"
#include "ui/qt_text.h"
#include "ui/result_model.h"
#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

TfrmMetadata::TfrmMetadata(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMetaInfo"));
  Caption(this, tText::frmMetaInfo_self_caption);
  resize(333, 480);
  lblTitle = new QLabel;
  NameAfter(*lblTitle, tText::frmMetaInfo_lblTitle_caption);
  OnLanguage(lblTitle, [this] { ShowTitle(); });
  lstMetadata = new QListWidget;
  lstMetadata->setObjectName(QStringLiteral("lstMetadata"));
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = Caption(buttons->addButton(QString(), QDialogButtonBox::AcceptRole),
                            tText::frmMetaInfo_btnOK_caption);
  ok->setObjectName(QStringLiteral("btnOK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(lstMetadata, 1);
  layout->addWidget(buttons);
  SetEnterButton(*this, ok);
  TranslateWindow(*this);
}

void TfrmMetadata::ShowTitle() {
  lblTitle->setText(fFileName.isEmpty() ? Ui(tText::frmMetaInfo_lblTitle_caption)
                                        : Ui(tText::MetaInfoFor) + fFileName);
}

void TfrmMetadata::Fill(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  fFileName = DisplayText(slash == std::string::npos ? path : path.substr(slash + 1));
  ShowTitle();
  lstMetadata->clear();
  tImageMetaData store;
  try {
    store.ReadJpegFile(path);
  } catch (const std::exception&) {
    // What was read before the error is listed; a file that cannot be
    // opened gives an empty list.
  }
  QStringList lines;
  for (const tMetaEntry& entry : store.Entries()) {
    lines.append(DisplayText(tImageMetaData::TagName(entry)) + QStringLiteral(": ") +
                 DisplayText(entry.Text));
  }
  std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  lstMetadata->addItems(lines);
  // Another file starts at its first line, not where the last one was left.
  lstMetadata->scrollToTop();
}

}  // namespace orvalis
