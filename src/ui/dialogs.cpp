// Message and confirmation boxes with the application's title.
#include "ui/dialogs.h"

#include "ui/ui_text.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>

namespace orvalis {

namespace {

// A box opens above the window in front: a modal window (the full-screen
// viewer, a dialog) covers its owner, and a box under it would catch the
// keys unseen.
QWidget* Front(QWidget* owner) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return owner;
}

}  // namespace

TAnswer TQtDialogs::Ask(const QString& text) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Front(fParent));
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
                  Front(fParent));
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

QStringList FileDialogFilters(const QString& pairs) {
  const QStringList parts = pairs.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts.at(i);
    const QString pattern = parts.at(i + 1);
    QString qtPattern = pattern;
    qtPattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    // "*.*" in the dialog would ask for a point; every file is meant.
    if (qtPattern == QStringLiteral("*.*")) qtPattern = QStringLiteral("*");
    QString shown = description;
    const qsizetype bracket = shown.lastIndexOf(QLatin1Char('('));
    if (bracket > 0) shown = shown.left(bracket).trimmed();
    filters.append(shown + QStringLiteral(" (") + qtPattern + QLatin1Char(')'));
  }
  return filters;
}

bool TDialogs::Execute(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

QString TDialogs::ChooseSaveFile(QWidget* parent, const QString& title, const QStringList& filters,
                                 int selected, const QString& current) {
  QFileDialog dialog(parent, title, current, filters.join(QStringLiteral(";;")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (selected >= 0 && selected < filters.size()) dialog.selectNameFilter(filters.at(selected));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString TDialogs::ChooseOpenFile(QWidget* parent, const QString& title,
                                 const QStringList& filters) {
  QFileDialog dialog(parent, title, QString(), filters.join(QStringLiteral(";;")));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void TQtDialogs::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, Front(fParent));
  box.exec();
}

namespace {

class TProgramFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files) return true;
    const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
    return info.isDir() || info.isExecutable();
  }
};

}  // namespace

void ShowProgramsOnly(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new TProgramFilter(&dialog));
}

QString TDialogs::ChooseProgram(QWidget* parent, const QString& title) {
  QFileDialog dialog(parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  ShowProgramsOnly(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QString TDialogs::ChooseFolder(QWidget* parent, const QString& title) {
  return QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
}

}  // namespace orvalis
