// Every modal question and message of the windows goes through this
// interface, so tests can answer without a real dialog.
#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QFileDialog;
class QWidget;

namespace orvalis {

enum class TAnswer { Yes, No, Cancel, YesToAll, NoToAll };

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // A confirmation with the buttons Yes, No and Cancel.
  virtual TAnswer Ask(const QString& text) = 0;
  // A confirmation with Yes, No, Cancel, Yes to all and, with noToAll, No to
  // all. Dialogs that know no "to all" answer as Ask does.
  virtual TAnswer AskWithAll(const QString& text, bool /*noToAll*/) { return Ask(text); }
  // A message with an OK button; returns when it was confirmed.
  virtual void ShowMessage(const QString& text) = 0;
  // Shows a dialog modally; true when it was closed with "OK". The default
  // runs the dialog itself.
  virtual bool Execute(QDialog& dialog);
  // A save dialog that asks before overwriting: the chosen name, empty when
  // cancelled. filters are "Description (*.ext)" entries; selected is the
  // index of the preselected one.
  virtual QString ChooseSaveFile(QWidget* parent, const QString& title, const QStringList& filters,
                                 int selected, const QString& current);
  // An open dialog for an existing file: the chosen name, empty when cancelled.
  virtual QString ChooseOpenFile(QWidget* parent, const QString& title, const QStringList& filters);
  // An open dialog that lists folders and the files the user may run: the
  // chosen program, empty when cancelled.
  virtual QString ChooseProgram(QWidget* parent, const QString& title);
  // A folder chooser with no folder preselected: the chosen folder, empty
  // when cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& title);
};

// A filter list written as "Description|pattern|Description|pattern" turned
// into the file dialog's "Description (pattern)" entries.
QStringList FileDialogFilters(const QString& pairs);

// Makes the (Qt-drawn) file dialog list only folders and files with the
// right to run them; a name may still be typed.
void ShowProgramsOnly(QFileDialog& dialog);

// The real boxes, owned by the window they belong to.
class TQtDialogs : public TDialogs {
 public:
  explicit TQtDialogs(QWidget* parent) : fParent(parent) {}
  TAnswer Ask(const QString& text) override;
  TAnswer AskWithAll(const QString& text, bool noToAll) override;
  void ShowMessage(const QString& text) override;

 private:
  QWidget* fParent;
};

}  // namespace orvalis
