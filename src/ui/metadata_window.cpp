// The metadata window, filled from a fresh reader in its default settings.
#include "ui/ui_text.h"
#include "ui/metadata_window.h"

#include "metadata/image_metadata.h"
#include "ui/result_model.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

TfrmMetadata::TfrmMetadata(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMetaInfo"));
  setWindowTitle(Ui(tText::frmMetaInfo_self_caption));
  resize(333, 480);
  lblTitle = new QLabel(Ui(tText::frmMetaInfo_lblTitle_caption));
  lstMetadata = new QListWidget;
  lstMetadata->setObjectName(QStringLiteral("lstMetadata"));
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(Ui(tText::frmMetaInfo_btnOK_caption), QDialogButtonBox::AcceptRole)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(lstMetadata, 1);
  layout->addWidget(buttons);
}

void TfrmMetadata::Fill(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  lblTitle->setText(Ui(tText::MetaInfoFor) +
                    DisplayText(slash == std::string::npos ? path : path.substr(slash + 1)));
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
    lines.append(DisplayText(tImageMetaData::TagName(entry)) + QStringLiteral(": ") + DisplayText(entry.Text));
  }
  std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  lstMetadata->addItems(lines);
}

}  // namespace orvalis
