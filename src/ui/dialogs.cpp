// Message and confirmation boxes with the application's title.
#include "ui/dialogs.h"

#include "ui/ui_text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace orvalis {

TAnswer TQtDialogs::Ask(const QString& text) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, fParent);
  box.button(QMessageBox::Yes)->setText(Ui(tText::ButtonYes));
  box.button(QMessageBox::No)->setText(Ui(tText::ButtonNo));
  box.button(QMessageBox::Cancel)->setText(Ui(tText::ButtonCancel));
  switch (box.exec()) {
    case QMessageBox::Yes: return TAnswer::Yes;
    case QMessageBox::No: return TAnswer::No;
    default: return TAnswer::Cancel;
  }
}

TAnswer TQtDialogs::AskWithAll(const QString& text, bool noToAll) {
  QMessageBox::StandardButtons buttons =
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll;
  if (noToAll) buttons |= QMessageBox::NoToAll;
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text, buttons,
                  fParent);
  box.button(QMessageBox::Yes)->setText(Ui(tText::ButtonYes));
  box.button(QMessageBox::No)->setText(Ui(tText::ButtonNo));
  box.button(QMessageBox::Cancel)->setText(Ui(tText::ButtonCancel));
  box.button(QMessageBox::YesToAll)->setText(Ui(tText::ButtonYesToAll));
  if (noToAll) box.button(QMessageBox::NoToAll)->setText(Ui(tText::ButtonNoToAll));
  switch (box.exec()) {
    case QMessageBox::Yes: return TAnswer::Yes;
    case QMessageBox::No: return TAnswer::No;
    case QMessageBox::YesToAll: return TAnswer::YesToAll;
    case QMessageBox::NoToAll: return TAnswer::NoToAll;
    default: return TAnswer::Cancel;
  }
}

void TQtDialogs::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, fParent);
  box.exec();
}

}  // namespace orvalis
