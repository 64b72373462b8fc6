// The actions grid and its buttons.
#include "ui/actions_page.h"

#include "ui/language.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

TActionsPage::TActionsPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pgActions"));
  grdActions = new QTableWidget(0, 4);
  grdActions->setObjectName(QStringLiteral("grdActions"));
  // Each column at least as wide as its title; the last one fills the rest.
  OnLanguage(grdActions, [this] {
    grdActions->setHorizontalHeaderLabels({Ui(tText::frmSettings_colActionName_caption),
                                           Ui(tText::frmSettings_colActionShortcut_caption),
                                           Ui(tText::frmSettings_colActionProgram_caption),
                                           Ui(tText::frmSettings_colActionParams_caption)});
    const int widths[] = {90, 60, 150, 80};
    for (int column = 0; column < 4; ++column) {
      grdActions->setColumnWidth(
          column,
          std::max(widths[column], grdActions->horizontalHeader()->sectionSizeHint(column)));
    }
  });
  grdActions->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdActions->setSelectionMode(QAbstractItemView::SingleSelection);
  grdActions->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdActions->verticalHeader()->hide();
  grdActions->horizontalHeader()->setSectionsMovable(true);
  grdActions->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grdActions->horizontalHeader()->setStretchLastSection(true);

  auto button = [this](tText caption, void (TActionsPage::*slot)()) {
    auto* b = Caption(new QPushButton, caption);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button(tText::frmSettings_btnActionAdd_caption, &TActionsPage::btnAddClick));
  buttons->addWidget(
      button(tText::frmSettings_btnActionChange_caption, &TActionsPage::btnChangeClick));
  buttons->addWidget(
      button(tText::frmSettings_btnActionDelete_caption, &TActionsPage::btnDeleteClick));
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Caption(new QLabel, tText::frmSettings_lblActions_caption));
  layout->addWidget(grdActions, 1);
  layout->addLayout(buttons);
}

void TActionsPage::SetRow(int row, const TResultAction& action) {
  const std::string* texts[] = {&action.Menu, &action.Shortcut, &action.Program, &action.CmdLine};
  for (int column = 0; column < 4; ++column) {
    grdActions->setItem(row, column, new QTableWidgetItem(QString::fromStdString(*texts[column])));
  }
}

void TActionsPage::Fill(const TResultActions* actions) {
  grdActions->setRowCount(0);
  if (!actions) return;
  for (int i = 0; i < actions->Count(); ++i) {
    grdActions->insertRow(i);
    SetRow(i, actions->Items(i));
  }
  if (actions->Count() > 0) grdActions->setCurrentCell(0, 0);
}

TResultActions TActionsPage::Actions() const {
  TResultActions actions;
  for (int row = 0; row < grdActions->rowCount(); ++row) {
    const auto text = [&](int column) {
      const QTableWidgetItem* item = grdActions->item(row, column);
      return item ? item->text().toStdString() : std::string();
    };
    actions.Add({"", text(0), text(2), text(3), text(1)});
  }
  return actions;
}

void TActionsPage::btnAddClick() {
  TResultAction action;
  if (!EditAction || !EditAction(action)) return;
  const int row = grdActions->rowCount();
  grdActions->insertRow(row);
  SetRow(row, action);
  grdActions->setCurrentCell(row, 0);
}

void TActionsPage::btnChangeClick() {
  const int row = grdActions->currentRow();
  if (row < 0 || !EditAction) return;
  TResultAction action = Actions().Items(row);
  if (EditAction(action)) SetRow(row, action);
}

void TActionsPage::btnDeleteClick() {
  const int row = grdActions->currentRow();
  if (row < 0) return;
  grdActions->removeRow(row);
}

}  // namespace orvalis
