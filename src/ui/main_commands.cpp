// The main window's command table and the builder of its menus and toolbar.
#include "ui/main_commands.h"

#include "ui/language.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <utility>

namespace orvalis {

namespace {

using K = QKeySequence;
using enum tBar;
using enum tEnabledRule;
using S = QStyle;

tCommandRow Row(tCommand id, tText caption, tText hint, QList<QKeySequence> shortcuts,
                QStyle::StandardPixmap icon, std::vector<tPlace> places,
                tEnabledRule enabled = Always, tCommandKind kind = tCommandKind::Plain) {
  return tCommandRow{id,   caption,           hint,    std::move(shortcuts),
                     icon, std::move(places), enabled, kind};
}

constexpr auto kNoIcon = QStyle::SP_CustomBase;

struct tBarTitle {
  tBar Bar;
  tText Caption;  // its key names the menu: "frmMain.mnuFile.caption"
};
constexpr tBarTitle kMainMenus[] = {
    {File, tText::frmMain_mnuFile_caption},     {Edit, tText::frmMain_mnuEdit_caption},
    {Query, tText::frmMain_mnuQuery_caption},   {View, tText::frmMain_mnuView_caption},
    {Extras, tText::frmMain_mnuExtras_caption}, {Help, tText::frmMain_mnuHelp_caption},
};

// Fills a bar with its items ordered by slot, separators between slot groups.
template <typename AddItem, typename AddSeparator>
void Lay(tBar bar, const std::vector<tCommandRow>& rows, AddItem addItem,
         AddSeparator addSeparator) {
  std::vector<std::pair<int, tCommand>> items;
  for (const tCommandRow& row : rows) {
    for (const tPlace& place : row.Places) {
      if (place.Bar == bar) items.emplace_back(place.Slot, row.Id);
    }
  }
  std::sort(items.begin(), items.end());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0 && items[i].first / 10 != items[i - 1].first / 10) addSeparator();
    addItem(items[i].second);
  }
}

}  // namespace

const std::vector<tCommandRow>& MainCommands() {
  using C = tCommand;
  using T = tText;
  static const std::vector<tCommandRow> rows = {
      Row(C::actExecQuery, T::frmMain_actExecQuery_caption, T::frmMain_actExecQuery_hint,
          {K(Qt::CTRL | Qt::Key_E), K(Qt::Key_F5), K(Qt::CTRL | Qt::Key_Return),
           K(Qt::CTRL | Qt::Key_Enter)},
          S::SP_MediaPlay, {{Query, 10}, {ToolBar, 10}}, WhenIdle),
      Row(C::actStopQuery, T::frmMain_actStopQuery_caption, T::frmMain_actStopQuery_hint, {},
          S::SP_MediaStop, {{ToolBar, 11}}, WhenRunning),
      Row(C::actShowThumbs, T::frmMain_actShowThumbs_caption, T::frmMain_actShowThumbs_hint,
          {K(Qt::CTRL | Qt::Key_I)}, S::SP_FileDialogContentsView, {{View, 10}, {ToolBar, 20}},
          Always, tCommandKind::Checkable),
      Row(C::actShowList, T::frmMain_actShowList_caption, T::frmMain_actShowList_hint,
          {K(Qt::CTRL | Qt::Key_L)}, S::SP_FileDialogListView, {{View, 11}, {ToolBar, 22}}, Always,
          tCommandKind::Checkable),
      Row(C::actShowDetail, T::frmMain_actShowDetail_caption, T::frmMain_actShowDetail_hint,
          {K(Qt::CTRL | Qt::Key_D)}, S::SP_FileDialogDetailedView, {{View, 12}, {ToolBar, 21}},
          Always, tCommandKind::Checkable),
      Row(C::actCopyResults, T::frmMain_actCopyResults_caption, T::frmMain_actCopyResults_hint,
          {K(Qt::CTRL | Qt::ALT | Qt::Key_C)}, S::SP_FileLinkIcon, {{Edit, 20}, {ToolBar, 31}}),
      Row(C::actEditSelectAll, T::frmMain_actEditSelectAll_caption,
          T::frmMain_actEditSelectAll_hint, {K(Qt::CTRL | Qt::Key_A)}, kNoIcon, {{Edit, 21}}),
      Row(C::actEditCut, T::frmMain_actEditCut_caption, T::frmMain_actEditCut_hint,
          {K(Qt::CTRL | Qt::Key_X)}, kNoIcon, {{Edit, 10}}),
      Row(C::actEditCopy, T::frmMain_actEditCopy_caption, T::frmMain_actEditCopy_hint,
          {K(Qt::CTRL | Qt::Key_C)}, kNoIcon, {{Edit, 11}}),
      Row(C::actEditPaste, T::frmMain_actEditPaste_caption, T::frmMain_actEditPaste_hint,
          {K(Qt::CTRL | Qt::Key_V)}, kNoIcon, {{Edit, 12}}),
      Row(C::actExitProgram, T::frmMain_actExitProgram_caption, T::frmMain_actExitProgram_hint,
          {K(Qt::ALT | Qt::Key_F4)}, kNoIcon, {{File, 30}}),
      Row(C::actSettings, T::frmMain_actSettings_caption, T::frmMain_actSettings_hint, {}, kNoIcon,
          {{Extras, 21}}),
      Row(C::mnuCopyFilename, T::frmMain_mnuCopyFilename_caption, T::frmMain_mnuCopyFilename_hint,
          {}, kNoIcon, {{Context, 20}}),
      Row(C::actNewQuery, T::frmMain_actNewQuery_caption, T::frmMain_actNewQuery_hint, {}, kNoIcon,
          {{File, 10}, {Query, 11}}, WhenIdle),
      Row(C::actLoadQuery, T::frmMain_actLoadQuery_caption, T::frmMain_actLoadQuery_hint,
          {K(Qt::CTRL | Qt::Key_O)}, kNoIcon, {{File, 11}, {Query, 20}}, WhenIdle),
      Row(C::actSaveQuery, T::frmMain_actSaveQuery_caption, T::frmMain_actSaveQuery_hint,
          {K(Qt::CTRL | Qt::Key_S)}, kNoIcon, {{File, 12}, {Query, 21}}, WhenIdle),
      Row(C::actPrint, T::frmMain_actPrint_caption, T::frmMain_actPrint_hint,
          {K(Qt::CTRL | Qt::Key_P)}, S::SP_DriveFDIcon, {{File, 20}, {ToolBar, 32}}, WhenIdle),
      Row(C::actExport, T::frmMain_actExport_caption, T::frmMain_actExport_hint, {K(Qt::Key_F12)},
          kNoIcon, {{File, 21}}, WhenIdle),
      Row(C::actExportXML, T::frmMain_actExportXML_caption, T::frmMain_actExportXML_hint,
          {K(Qt::SHIFT | Qt::Key_F12)}, kNoIcon, {{File, 22}, {Context, 24}}, WhenIdle),
      Row(C::actQueryWizard, T::frmMain_actQueryWizard_caption, T::frmMain_actQueryWizard_hint, {},
          S::SP_DialogHelpButton, {{Query, 12}, {Extras, 10}, {ToolBar, 33}}, WhenIdle),
      Row(C::actQuerylistSave, T::frmMain_actQuerylistSave_caption,
          T::frmMain_actQuerylistSave_hint, {K(Qt::CTRL | Qt::ALT | Qt::Key_S)},
          S::SP_DialogSaveButton, {{Query, 30}, {ToolBar, 42}}, WhenIdle),
      Row(C::actQuerylistNext, T::frmMain_actQuerylistNext_caption,
          T::frmMain_actQuerylistNext_hint, {K(Qt::ALT | Qt::Key_Down)}, S::SP_ArrowDown,
          {{Query, 31}, {ToolBar, 40}}, ByFeature),
      Row(C::actQuerylistPrev, T::frmMain_actQuerylistPrev_caption,
          T::frmMain_actQuerylistPrev_hint, {K(Qt::ALT | Qt::Key_Up)}, S::SP_ArrowUp,
          {{Query, 32}, {ToolBar, 41}}, ByFeature),
      Row(C::actFullScreen, T::frmMain_actFullScreen_caption, T::frmMain_actFullScreen_hint,
          {K(Qt::CTRL | Qt::Key_F)}, kNoIcon, {{View, 20}, {Context, 21}}, Always),
      Row(C::actToggleSidebar, T::frmMain_actToggleSidebar_caption,
          T::frmMain_actToggleSidebar_hint, {K(Qt::Key_F11)}, S::SP_FileDialogInfoView,
          {{View, 21}, {ToolBar, 30}}, ByFeature, tCommandKind::Checkable),
      Row(C::actFileOperations, T::frmMain_actFileOperations_caption,
          T::frmMain_actFileOperations_hint, {}, kNoIcon, {{Extras, 12}, {Context, 10}}, Always),
      Row(C::actLanguage, T::frmMain_actLanguage_caption, T::frmMain_actLanguage_hint, {}, kNoIcon,
          {{Extras, 20}}, Always),
      Row(C::mnuHelpTopics, T::frmMain_mnuHelpTopics_caption, T::frmMain_mnuHelpTopics_hint, {},
          kNoIcon, {{Help, 10}}, Always),
      Row(C::mnuQuerySyntax, T::frmMain_mnuQuerySyntax_caption, T::frmMain_mnuQuerySyntax_hint, {},
          kNoIcon, {{Help, 11}}, Always),
      Row(C::actFieldHelp, T::frmMain_actFieldHelp_caption, T::frmMain_actFieldHelp_hint,
          {K(Qt::SHIFT | Qt::Key_F1)}, kNoIcon, {{Help, 12}}, Always),
      Row(C::mnuHomepage, T::frmMain_mnuHomepage_caption, T::frmMain_mnuHomepage_hint, {}, kNoIcon,
          {{Help, 20}}, Always),
      Row(C::actAbout, T::frmMain_actAbout_caption, T::frmMain_actAbout_hint, {}, kNoIcon,
          {{Help, 21}}, Always),
      Row(C::mnuOpen, T::frmMain_mnuOpen_caption, T::frmMain_mnuOpen_hint, {}, kNoIcon,
          {{Context, 22}}, Always),
      Row(C::mnuMetadata, T::frmMain_mnuMetadata_caption, T::frmMain_mnuMetadata_hint, {}, kNoIcon,
          {{Context, 23}}, Always),
      Row(C::mnuResultActions, T::frmMain_mnuResultActions_caption,
          T::frmMain_mnuResultActions_hint, {}, kNoIcon, {{Extras, 11}}, WhenFilled,
          tCommandKind::Submenu),
      Row(C::mnuContextResultActions, T::frmMain_mnuContextResultActions_caption,
          T::frmMain_mnuContextResultActions_hint, {}, kNoIcon, {{Context, 11}}, WhenFilled,
          tCommandKind::Submenu),
  };
  return rows;
}

QString CommandName(const tCommandRow& row) {
  // "frmMain.actPrint.caption" -> "actPrint"
  const std::string_view key = Entry(row.Caption).Key;
  const std::size_t first = key.find('.');
  const std::size_t last = key.rfind('.');
  return QString::fromLatin1(key.substr(first + 1, last - first - 1));
}

TCommandSet::TCommandSet(QMainWindow& window) {
  const std::vector<tCommandRow>& rows = MainCommands();
  fActions.resize(rows.size(), nullptr);
  for (const tCommandRow& row : rows) {
    const QString name = CommandName(row);
    QAction* action = nullptr;
    if (row.Kind == tCommandKind::Submenu) {
      auto* menu = new QMenu(&window);
      menu->setObjectName(name);
      Caption(menu, row.Caption);
      Hint(menu, row.Hint);
      fSubmenus[row.Id] = menu;
      action = menu->menuAction();
    } else {
      action = new QAction(&window);
      action->setObjectName(name);
      action->setShortcuts(row.Shortcuts);
      action->setCheckable(row.Kind == tCommandKind::Checkable);
      Caption(action, row.Caption);
      Hint(action, row.Hint);
    }
    if (row.Icon != kNoIcon) action->setIcon(window.style()->standardIcon(row.Icon));
    fActions[static_cast<std::size_t>(row.Id)] = action;
  }

  for (const tBarTitle& title : kMainMenus) {
    QMenu* menu = Caption(window.menuBar()->addMenu(QString()), title.Caption);
    fMenus[title.Bar] = menu;
  }
  auto* context = new QMenu(&window);
  context->setObjectName(QStringLiteral("popResultContext"));
  fMenus[Context] = context;
  for (const auto& [bar, menu] : fMenus) {
    QMenu* target = menu;
    Lay(
        bar, rows, [&](tCommand command) { target->addAction(Action(command)); },
        [&] { target->addSeparator(); });
  }

  fToolBar = Caption(window.addToolBar(QString()), tText::frmMain_tbMain_caption);
  Lay(
      tBar::ToolBar, rows, [&](tCommand command) { fToolBar->addAction(Action(command)); },
      [&] { fToolBar->addSeparator(); });
  UpdateEnabled(false);
}

QAction* TCommandSet::Action(tCommand command) const {
  return fActions.at(static_cast<std::size_t>(command));
}

QMenu* TCommandSet::Menu(tBar bar) const {
  const auto it = fMenus.find(bar);
  return it == fMenus.end() ? nullptr : it->second;
}

QMenu* TCommandSet::Submenu(tCommand command) const {
  const auto it = fSubmenus.find(command);
  return it == fSubmenus.end() ? nullptr : it->second;
}

void TCommandSet::UpdateEnabled(bool running) {
  for (const tCommandRow& row : MainCommands()) {
    bool enabled = true;
    switch (row.Enabled) {
      case Always: enabled = true; break;
      case WhenIdle: enabled = !running; break;
      case WhenRunning: enabled = running; break;
      case NotBuilt: enabled = false; break;
      case WhenFilled: enabled = Submenu(row.Id) && !Submenu(row.Id)->actions().isEmpty(); break;
      case ByFeature: continue;
    }
    if (QMenu* menu = Submenu(row.Id)) {
      menu->setEnabled(enabled);
    } else {
      Action(row.Id)->setEnabled(enabled);
    }
  }
}

}  // namespace orvalis
