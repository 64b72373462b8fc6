// The main window: panes, commands, status bar, settings at start and exit.
#include "ui/main_window.h"

#include "platform/system_locale.h"
#include "engine/data_folder.h"
#include "engine/query_buffer.h"
#include "metadata/image_metadata.h"
#include "ui/actions_page.h"
#include "ui/dialogs.h"
#include "ui/field_sidebar.h"
#include "ui/help_router.h"
#include "ui/language.h"
#include "ui/language_dialog.h"
#include "ui/main_commands.h"
#include "ui/orientation.h"
#include "ui/program_files.h"
#include "ui/qt_settings_store.h"
#include "ui/qt_text.h"
#include "ui/result_action_menus.h"
#include "ui/result_commands.h"
#include "ui/settings_dialog.h"
#include "ui/thumbnail.h"
#include "ui/ui_text.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace orvalis {

TfrmMain::TfrmMain(TDialogs* dialogs, QWidget* parent) : QMainWindow(parent), fDialogs(dialogs) {
  if (!fDialogs) {
    fOwnDialogs = std::make_unique<TQtDialogs>(this);
    fDialogs = fOwnDialogs.get();
  }
  setObjectName(QStringLiteral("frmMain"));
  fLocale = platform::SystemLocale();
  Caption(this, tText::frmMain_self_caption);
  resize(656, 478);

  // After loading the design state.
  const std::string dataFolder = DataFolder();
  if (!dataFolder.empty() && QDir(QString::fromStdString(dataFolder)).exists()) {
    fDataFolder = dataFolder;
  }
  CreatePanes();
  CreateCommands();
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  fResults->PlaceStatusPanels(*statusBar());
  CreateSidebarCommands();
  // The field sidebar's list: the user's own first, else the one shipped
  // beside the program.
  LoadSidebar({QString::fromStdString(fDataFolder),
               QFileInfo(ProgramFile(QStringLiteral("SideTree.ini"))).absolutePath()});

  // On create: defaults, then whatever the stored settings hold.
  fSettings = tSettings();
  ReadSettings();

  CreatePrintDialog();
  frmSettings = new TfrmSettings(this);
  ConnectResultCommands();
  ConnectHelpCommands();
  TranslateWindow(*this);
}

TfrmMain::~TfrmMain() {
  fResultCommands->SaveResultActions();
  comboQueries->Save();
}

void TfrmMain::CreatePanes() {
  pnlSidebar = new TFieldSidebar;
  pnlSidebar->setMinimumWidth(80);
  pnlSidebar->resize(169, pnlSidebar->height());
  pnlSidebar->hide();

  pnlQuery = new QWidget;
  pnlQuery->setObjectName(QStringLiteral("pnlQuery"));
  pnlQuery->setMinimumHeight(75);
  auto* queryLayout = new QVBoxLayout(pnlQuery);
  queryLayout->setContentsMargins(4, 4, 4, 0);
  lblQuery = Caption(new QLabel, tText::frmMain_lblQuery_caption);
  txtQuery = new TQueryEditor;
  lblQuery->setBuddy(txtQuery);
  queryLayout->addWidget(lblQuery);
  queryLayout->addWidget(txtQuery);

  fResults = new TResultPane(fSettings, fLocale, *fDialogs);
  connect(fResults, &TResultPane::QueryFaultAt, txtQuery, &TQueryEditor::FocusAt);

  fQuerySplitter = new QSplitter(Qt::Vertical);
  fQuerySplitter->setHandleWidth(4);
  fQuerySplitter->setChildrenCollapsible(false);
  fQuerySplitter->addWidget(pnlQuery);
  fQuerySplitter->addWidget(fResults);
  fQuerySplitter->setStretchFactor(0, 0);
  fQuerySplitter->setStretchFactor(1, 1);
  fQuerySplitter->setSizes({161, 478 - 161});

  fSidebarSplitter = new QSplitter(Qt::Horizontal);
  fSidebarSplitter->setHandleWidth(4);
  fSidebarSplitter->setChildrenCollapsible(false);
  fSidebarSplitter->addWidget(pnlSidebar);
  fSidebarSplitter->addWidget(fQuerySplitter);
  fSidebarSplitter->setStretchFactor(0, 0);
  fSidebarSplitter->setStretchFactor(1, 1);
  connect(fSidebarSplitter, &QSplitter::splitterMoved, this, [this] {
    if (pnlSidebar->isVisible()) fSidebarWidth = pnlSidebar->width();
  });
  setCentralWidget(fSidebarSplitter);

  connect(&fResults->View(), &TResultView::ContextMenuRequested, this,
          [this](const QPoint& pos) { popResultContext->popup(pos); });
}

void TfrmMain::CreateCommands() {
  fCommands = std::make_unique<TCommandSet>(*this);
  const TCommandSet& commands = *fCommands;
  using C = tCommand;
  actShowThumbs = commands.Action(C::actShowThumbs);
  actShowList = commands.Action(C::actShowList);
  actShowDetail = commands.Action(C::actShowDetail);
  actToggleSidebar = commands.Action(C::actToggleSidebar);
  popResultContext = commands.Menu(tBar::Context);
  tbMain = commands.ToolBar();

  connect(commands.Action(C::actExecQuery), &QAction::triggered, this,
          [this] { fResults->Execute(QueryText()); });
  connect(commands.Action(C::actStopQuery), &QAction::triggered, fResults, &TResultPane::Stop);
  connect(fResults, &TResultPane::RunningChanged, this,
          [this](bool running) { fCommands->UpdateEnabled(running); });

  // The three display commands form one group; the tag tells them apart.
  auto* displayGroup = new QActionGroup(this);
  displayGroup->setExclusive(true);
  const std::pair<QAction*, int> display[] = {
      {actShowThumbs, 0}, {actShowDetail, 1}, {actShowList, 2}};
  for (const auto& [action, tag] : display) {
    action->setData(tag);
    displayGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, tag = tag] { actSwitchDisplayExecute(tag); });
  }
  actShowThumbs->setChecked(true);

  connect(commands.Action(C::actCopyResults), &QAction::triggered, fResults,
          &TResultPane::CopyResults);
  connect(commands.Action(C::mnuCopyFilename), &QAction::triggered, fResults,
          &TResultPane::CopyFilename);
  connect(commands.Action(C::actEditSelectAll), &QAction::triggered, this,
          &TfrmMain::actEditSelectAllExecute);

  // Cut, copy and paste act on whichever editor has the focus.
  const std::pair<C, int> editing[] = {
      {C::actEditCut, 0}, {C::actEditCopy, 1}, {C::actEditPaste, 2}};
  for (const auto& [command, what] : editing) {
    connect(commands.Action(command), &QAction::triggered, this, [what = what] {
      QWidget* focus = QApplication::focusWidget();
      if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        if (what == 0) plain->cut();
        if (what == 1) plain->copy();
        if (what == 2) plain->paste();
      } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        if (what == 0) line->cut();
        if (what == 1) line->copy();
        if (what == 2) line->paste();
      }
    });
  }

  connect(commands.Action(C::actExitProgram), &QAction::triggered, this, &QWidget::close);
  connect(commands.Action(C::actSettings), &QAction::triggered, this,
          &TfrmMain::actSettingsExecute);
  connect(commands.Action(C::actLanguage), &QAction::triggered, this,
          &TfrmMain::actLanguageExecute);

  QAction* open = commands.Action(C::mnuOpen);
  connect(&fResults->View(), &TResultView::RowDoubleClicked, this, [open] {
    if (open->isEnabled()) open->trigger();
  });

  tbMain->setMovable(false);
  tbMain->setFloatable(false);
  tbMain->setIconSize(QSize(20, 20));
  tbMain->setFixedHeight(29);
  tbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
  comboQueries =
      new TQueryBufferBox(*txtQuery, *fDialogs, *commands.Action(C::actQuerylistPrev),
                          *commands.Action(C::actQuerylistNext), *commands.Action(C::actSaveQuery));
  tbMain->addWidget(comboQueries);
  CreateQueryCommands();
}

bool TfrmMain::event(QEvent* event) {
  // The long hint of the control under the mouse goes to the last panel,
  // which during a run shows the folder being searched instead.
  if (event->type() == QEvent::StatusTip) {
    fResults->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  if (event->type() == QEvent::WindowActivate && !fActivated) {
    fActivated = true;
    // Started after the activation has been handled, so the wizard's own
    // modal loop does not run inside it.
    if (fSettings.RunWizardOnStartup) {
      QMetaObject::invokeMethod(this, &TfrmMain::actQueryWizardExecute, Qt::QueuedConnection);
    }
  }
  return QMainWindow::event(event);
}

// ---- Settings --------------------------------------------------------------

void TfrmMain::ReadSettings() {
  TQtSettingsStore store;
  if (store.Exists()) fSettings.ReadFrom(store);
  txtQuery->setPlainText(EditorText(fSettings.LastQuery));
  // The query kept from the last run is no change of the user's.
  txtQuery->document()->setModified(false);
  fResults->ShowQueryMark(std::nullopt);
  ApplyFonts();
  ApplyViewStyle(fSettings.ResultViewStyle);

  int left = x(), top = y(), width = this->width(), height = this->height();
  if (fSettings.WindowTop != -1) top = fSettings.WindowTop;
  if (fSettings.WindowLeft != -1) left = fSettings.WindowLeft;
  if (fSettings.WindowWidth != -1) width = fSettings.WindowWidth;
  if (fSettings.WindowHeight != -1) height = fSettings.WindowHeight;
  if (fSettings.WindowTop != -1 || fSettings.WindowLeft != -1) move(left, top);
  resize(width, height);
  if (fSettings.QueryHeight != -1) {
    const int queryHeight = std::max(fSettings.QueryHeight, pnlQuery->minimumHeight());
    fQuerySplitter->setSizes({queryHeight, std::max(height - queryHeight, 75)});
  }
  if (fSettings.SidebarWidth != -1) fSidebarWidth = std::max(fSettings.SidebarWidth, 80);
  fSidebarSplitter->setSizes({fSidebarWidth, std::max(width - fSidebarWidth, 200)});
  // The sidebar's pressed state is kept; the pane itself comes with the field list.
  actToggleSidebar->setChecked(fSettings.ShowSidebar);
}

void TfrmMain::WriteSettings() {
  fSettings.WindowWidth = width();
  fSettings.WindowHeight = height();
  fSettings.QueryHeight = pnlQuery->height();
  fSettings.SidebarWidth = pnlSidebar->isVisible() ? pnlSidebar->width() : fSidebarWidth;
  fSettings.WindowTop = y();
  fSettings.WindowLeft = x();
  fSettings.ShowSidebar = actToggleSidebar->isChecked();
  fSettings.LastQuery = QueryText();
  fSettings.ResultViewStyle = fResults->Style();
  TQtSettingsStore store;
  fSettings.WriteTo(store);
  store.Flush();
}

void TfrmMain::ApplyFonts() {
  QFont queryFont(DisplayText(fSettings.QueryFontFace), fSettings.QueryFontSize);
  queryFont.setStyleHint(QFont::TypeWriter);
  txtQuery->setFont(queryFont);
  fResults->View().SetListFont(
      QFont(DisplayText(fSettings.ResultFontFace), fSettings.ResultFontSize));
}

void TfrmMain::ApplyViewStyle(tResultViewStyle style) {
  switch (style) {
    case tResultViewStyle::Preview: actShowThumbs->setChecked(true); break;
    case tResultViewStyle::Detail: actShowDetail->setChecked(true); break;
    case tResultViewStyle::List: actShowList->setChecked(true); break;
  }
  fResults->SetStyle(style);
}

void TfrmMain::actLanguageExecute() {
  TLanguage& language = TLanguage::Instance();
  TfrmSelectLang dialog(this);
  if (TLocalizerClass* localizer = language.Localizer()) {
    dialog.Fill(localizer->ListLanguages(), localizer->CurrentDisplayName());
  }
  if (!fDialogs->Execute(dialog) || dialog.Selected().isEmpty()) return;
  language.Switch(dialog.Selected());
}

void TfrmMain::actSettingsExecute() {
  frmSettings->Fill(fSettings, fSaveOnExit, txtQuery->font(), fResults->View().List()->font());
  frmSettings->pgActions->Fill(fResultCommands->ResultActions());
  if (frmSettings->exec() == QDialog::Accepted) TakeOverSettingsDialog();
}

void TfrmMain::TakeOverSettingsDialog() {
  const std::optional<QString> failure = frmSettings->TakeOver(fSettings, fSaveOnExit);
  ApplyFonts();
  TakeOverActionsPage();
  if (failure) fDialogs->ShowMessage(*failure);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!fSettings.DontAskOnExit && fDialogs->Ask(Ui(tText::ConfirmExit)) != TAnswer::Yes) {
    event->ignore();
    return;
  }
  if (!fClosing) {
    fClosing = true;
    // A run still going on ends at its next file.
    fResults->Stop();
    if (fSaveOnExit) WriteSettings();
    // The list files of the query buffer and the user actions are written
    // into this folder.
    const std::string dataFolder = DataFolder();
    if (!dataFolder.empty()) QDir().mkpath(QString::fromStdString(dataFolder));
  }
  // The help window has no parent; left open it would keep the program running.
  THelpRouter::Instance().CloseAll();
  event->accept();
}

// ---- Commands on the editor and the list -------------------------------------

void TfrmMain::actSwitchDisplayExecute(int tag) {
  switch (tag) {
    case 1: ApplyViewStyle(tResultViewStyle::Detail); break;
    case 2: ApplyViewStyle(tResultViewStyle::List); break;
    default: ApplyViewStyle(tResultViewStyle::Preview); break;
  }
}

void TfrmMain::actEditSelectAllExecute() {
  if (txtQuery->hasFocus()) {
    txtQuery->selectAll();
  } else if (fResults->View().ListHasFocus()) {
    fResults->View().SelectAllRows();
  }
}

// ---- The results' commands ----------------------------------------------------

void TfrmMain::ConnectResultCommands() {
  fResultCommands = new TResultCommands(*fResults, fSettings, *fCommands, *fDialogs, *this);
  frmSettings->pgActions->EditAction = [this](TResultAction& action) {
    TfrmAction dialog(*fDialogs, this);
    dialog.SetAction(action);
    if (dialog.exec() != QDialog::Accepted) return false;
    action = dialog.Action();
    return true;
  };
}

void TfrmMain::TakeOverActionsPage() {
  fResultCommands->TakeOverActions(frmSettings->pgActions->Actions());
}

}  // namespace orvalis
