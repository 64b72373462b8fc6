// "OK"/"Abbrechen" and browse rows of the dialogs.
#include "ui/dialog_rows.h"

#include "ui/language.h"
#include "ui/ui_text.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace orvalis {

QDialogButtonBox* OkCancelButtons(QDialog& dialog, tText ok, tText cancel) {
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* okButton = Caption(buttons->addButton(QString(), QDialogButtonBox::AcceptRole), ok);
  okButton->setObjectName(QStringLiteral("btnOK"));
  okButton->setDefault(true);
  Caption(buttons->addButton(QString(), QDialogButtonBox::RejectRole), cancel)
      ->setObjectName(QStringLiteral("btnCancel"));
  // accept() is virtual: a dialog's own "OK" work runs.
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

namespace {

// Enter in a field presses the button of the field's row and goes no further.
class TEnterPresses : public QObject {
 public:
  TEnterPresses(QLineEdit* field, QPushButton* button) : QObject(field), fButton(button) {
    field->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (fButton->isEnabled()) fButton->click();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QPushButton* fButton;
};

}  // namespace

void SetEnterButton(QDialog& dialog, QPushButton* button,
                    std::initializer_list<std::pair<QLineEdit*, QPushButton*>> rows) {
  Q_ASSERT(button->window() == &dialog);
  button->setDefault(true);
  for (const auto& [field, rowButton] : rows) new TEnterPresses(field, rowButton);
}

tBrowseRow BrowseRow(QDialog& dialog, QLineEdit* field, tText hint) {
  auto* button = new QPushButton(QStringLiteral("..."), &dialog);
  button->setObjectName(QStringLiteral("btnBrowse"));
  OnLanguage(button, [button, hint] { button->setToolTip(Ui(hint)); });
  button->setFixedWidth(32);
  auto* row = new QHBoxLayout;
  row->addWidget(field, 1);
  row->addWidget(button);
  return {row, button};
}

}  // namespace orvalis
