// The menu items of the user's own actions under "Eigene Aktionen" in the
// main menu and the result list's context menu, and the dialog that enters
// one action.
#pragma once

#include "engine/result_actions.h"

#include <QDialog>
#include <QKeySequence>

#include <functional>

class QLineEdit;
class QMenu;

namespace orvalis {

class TDialogs;

// A shortcut from its text form: modifier words Shift, Ctrl and Alt (any
// letter case), each followed by "+", then the key name. Empty when the
// text cannot be read.
QKeySequence ShortcutFromText(const std::string& text);

// Rebuilds both menus from the actions: one item per action and menu with
// its caption and shortcut, its index as data, choosing it calls onAction
// with that index. With no main menu or no actions nothing changes.
void BuildMenus(const TResultActions& actions, QMenu* mainMenu, QMenu* contextMenu,
                const std::function<void(int index)>& onAction);

// "Benutzeraktion hinzufügen".
class TfrmAction : public QDialog {
  Q_OBJECT

 public:
  TfrmAction(TDialogs& dialogs, QWidget* parent = nullptr);

  void SetAction(const TResultAction& action);
  TResultAction Action() const;
  // "OK": accepts only with an existing program file and a menu text.
  void btnOkClick();

  QLineEdit* edtMenu;
  QLineEdit* edtProgram;
  QLineEdit* edtParams;
  QLineEdit* edtShortcut;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TDialogs& fDialogs;
};

}  // namespace orvalis
