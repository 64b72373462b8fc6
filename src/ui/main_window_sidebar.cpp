// The main window's aids for writing queries: the field sidebar, completion
// of field names and keyword help.
#include "ui/main_window.h"

#include "engine/keyword_help.h"
#include "engine/side_tree.h"
#include "metadata/image_metadata.h"
#include "ui/dialogs.h"
#include "ui/field_completion.h"
#include "ui/field_sidebar.h"
#include "ui/help_router.h"
#include "ui/main_commands.h"
#include "ui/ui_text.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolBar>

namespace orvalis {

void TfrmMain::CreateSidebarCommands() {
  connect(actToggleSidebar, &QAction::toggled, this, &TfrmMain::actToggleSidebarExecute);
  connect(Commands().Action(tCommand::actFieldHelp), &QAction::triggered, this,
          &TfrmMain::actFieldHelpExecute);
  const QList<QAction*> bar = tbMain->actions();
  const qsizetype place = bar.indexOf(actToggleSidebar);
  fSidebarButtonNext = place >= 0 && place + 1 < bar.size() ? bar.at(place + 1) : nullptr;
  ShowSidebarButton(true);
  connect(pnlSidebar, &TFieldSidebar::InsertRequested, txtQuery, &TQueryEditor::InsertAndFocus);
  pnlSidebar->AcceptDropsOn(*txtQuery);
  fCompletion = new TFieldCompletion(*txtQuery, tImageMetaData::GetTagNames(0));
}

void TfrmMain::LoadSidebar(const QStringList& folders) {
  fSidebarEnabled = false;
  const std::optional<QString> failure = pnlSidebar->Load(folders);
  if (failure) {
    if (!failure->isEmpty()) fDialogs->ShowMessage(*failure);
    DisableSidebar();
    return;
  }
  fSidebarEnabled = true;
  actToggleSidebar->setEnabled(true);
  ShowSidebarButton(true);
  fSidebarSplitter->handle(1)->setEnabled(true);
  actToggleSidebarExecute();
}

void TfrmMain::ShowSidebarButton(bool shown) {
  // A tool bar shows the button of every command it holds, hidden or not:
  // without a field list the command leaves the tool bar (its menu entry
  // stays, greyed).
  const bool there = tbMain->actions().contains(actToggleSidebar);
  if (shown && !there) tbMain->insertAction(fSidebarButtonNext, actToggleSidebar);
  if (!shown && there) tbMain->removeAction(actToggleSidebar);
  if (QWidget* button = tbMain->widgetForAction(actToggleSidebar)) {
    button->setObjectName(QStringLiteral("tbToggleSidebar"));
  }
}

void TfrmMain::DisableSidebar() {
  ShowSidebarButton(false);
  actToggleSidebar->setEnabled(false);
  fSidebarSplitter->handle(1)->setEnabled(false);
  fSidebarSplitter->handle(1)->hide();
  pnlSidebar->hide();
}

void TfrmMain::actToggleSidebarExecute() {
  // The check mark and the toolbar button are one checkable command; the
  // sidebar follows it.
  const bool show = fSidebarEnabled && actToggleSidebar->isChecked();
  if (!show && focusWidget() == pnlSidebar->treeSidebar) txtQuery->setFocus();
  if (show == !pnlSidebar->isHidden()) return;
  pnlSidebar->setVisible(show);
  if (show) {
    const int total = fSidebarSplitter->width();
    fSidebarSplitter->setSizes({fSidebarWidth, std::max(total - fSidebarWidth, 200)});
  }
}

void TfrmMain::actFieldHelpExecute() {
  const QString word = txtQuery->WordAtCursor();
  for (const tHelpTarget& target : KeywordHelpTargets(word.toStdString())) {
    if (target.Context != 0) {
      ShowHelpContext(target.Context);
    } else {
      ShowHelpTopic(QString::fromStdString(target.Topic));
    }
  }
}

}  // namespace orvalis
