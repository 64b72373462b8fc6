// The settings page "Aktionen": the grid of the user's actions with
// "Hinzufügen", "Ändern" and "Löschen".
#pragma once

#include "engine/result_actions.h"

#include <QWidget>

#include <functional>

class QTableWidget;

namespace orvalis {

class TActionsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TActionsPage(QWidget* parent = nullptr);

  // One row per action: Menu, Shortcut, Program, CmdLine.
  void Fill(const TResultActions* actions);
  // The grid's rows as actions.
  TResultActions Actions() const;

  void btnAddClick();
  void btnChangeClick();
  void btnDeleteClick();

  // Edits an action in the action dialog; false when it was cancelled.
  std::function<bool(TResultAction& action)> EditAction;

  QTableWidget* grdActions;

 private:
  void SetRow(int row, const TResultAction& action);
};

}  // namespace orvalis
