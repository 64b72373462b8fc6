// The commands of the main window as one table: each row gives a command's
// caption and hint (catalogue entries), shortcuts, icon, its places in the
// menus, the context menu and the toolbar, and the rule that enables it.
// TCommandSet turns the table into actions, menus and the toolbar; the
// window only connects handlers.
//
// Adding a command: its caption and hint in i18n/catalogue_entries.h, its
// name in tCommand, one row in MainCommands(), and in the window
//   connect(fCommands->Action(tCommand::actPrint), &QAction::triggered, this, ...);
// A command whose work is not built yet has the rule NotBuilt: it shows in
// its places, disabled; building it means switching the rule to Always.
#pragma once

#include "i18n/catalogue.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStyle>

#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace orvalis {

// One name per command, as the window's controls are named.
enum class tCommand {
  actExecQuery,
  actStopQuery,
  actShowThumbs,
  actShowList,
  actShowDetail,
  actCopyResults,
  actEditSelectAll,
  actEditCut,
  actEditCopy,
  actEditPaste,
  actExitProgram,
  actSettings,
  mnuCopyFilename,
  actNewQuery,
  actLoadQuery,
  actSaveQuery,
  actPrint,
  actExport,
  actExportXML,
  actQueryWizard,
  actQuerylistSave,
  actQuerylistNext,
  actQuerylistPrev,
  actFullScreen,
  actToggleSidebar,
  actFileOperations,
  actLanguage,
  mnuHelpTopics,
  mnuQuerySyntax,
  actFieldHelp,
  mnuHomepage,
  actAbout,
  mnuOpen,
  mnuMetadata,
  mnuResultActions,
  mnuContextResultActions,
};

// Where a command shows: the main menus, the result list's context menu and
// the toolbar.
enum class tBar { File, Edit, Query, View, Extras, Help, Context, ToolBar };

// A place in a bar. Items are ordered by slot; a separator stands between
// two items whose slots differ in their tens (19 | 20).
struct tPlace {
  tBar Bar;
  int Slot;
};

enum class tEnabledRule {
  Always,
  WhenIdle,     // not during a query run
  WhenRunning,  // only during a query run
  WhenFilled,   // a submenu: only while its feature has put items into it
  NotBuilt,     // the feature is still to come: shown, disabled
  ByFeature,    // its feature sets it from its own state (query buffer steps)
};

enum class tCommandKind {
  Plain,
  Checkable,
  Submenu,  // a submenu (filled by its feature) instead of a single command
};

struct tCommandRow {
  tCommand Id;
  tText Caption;  // its key names the command: "frmMain.<name>.caption"
  tText Hint;
  QList<QKeySequence> Shortcuts;
  QStyle::StandardPixmap Icon = QStyle::SP_CustomBase;  // SP_CustomBase: no icon
  std::vector<tPlace> Places;
  tEnabledRule Enabled = tEnabledRule::Always;
  tCommandKind Kind = tCommandKind::Plain;
};

// The table, in the order of tCommand.
const std::vector<tCommandRow>& MainCommands();
// The command's object name, taken from its caption's catalogue key.
QString CommandName(const tCommandRow& row);

// The actions, menus, context menu and toolbar built from the table.
class TCommandSet {
 public:
  // Actions are children of the window; menus go into its menu bar.
  explicit TCommandSet(QMainWindow& window);

  QAction* Action(tCommand command) const;
  // The main menu or the context menu of a bar (not the toolbar).
  QMenu* Menu(tBar bar) const;
  // A command of kind Submenu.
  QMenu* Submenu(tCommand command) const;
  QToolBar* ToolBar() const { return fToolBar; }

  // Applies every row's rule for the given run state.
  void UpdateEnabled(bool running);

 private:
  std::vector<QAction*> fActions;
  std::map<tCommand, QMenu*> fSubmenus;
  std::map<tBar, QMenu*> fMenus;
  QToolBar* fToolBar = nullptr;
};

}  // namespace orvalis
