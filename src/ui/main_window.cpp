// The main window: panes, commands, menus, toolbar, status bar, settings at
// start and exit, and the run host.
#include "ui/main_window.h"

#include "cli/system_locale.h"
#include "engine/data_folder.h"
#include "i18n/messages.h"
#include "metadata/image_metadata.h"
#include "ui/actions_page.h"
#include "ui/dialogs.h"
#include "ui/orientation.h"
#include "ui/qt_settings_store.h"
#include "ui/settings_dialog.h"
#include "ui/thumbnail.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
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

namespace orvalis {

namespace {

QString Text(const std::string& bytes) { return DisplayText(bytes); }

QString Msg(std::string_view key, std::string_view germanDefault) {
  return QString::fromStdString(Message(key, germanDefault));
}

TListStyle ListStyleOf(tResultViewStyle style) {
  switch (style) {
    case tResultViewStyle::List: return TListStyle::List;
    case tResultViewStyle::Detail: return TListStyle::Report;
    case tResultViewStyle::Preview: break;
  }
  return TListStyle::LargeIcon;
}

// Line breaks of the editor as the rest of the program counts on them.
std::string WithCrLf(const QString& text) {
  QString normalized = text;
  normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  normalized.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return normalized.toStdString();
}

QString WithLf(const std::string& text) {
  QString result = Text(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

}  // namespace

TfrmMain::TfrmMain(TDialogs* dialogs, QWidget* parent) : QMainWindow(parent), fDialogs(dialogs) {
  if (!fDialogs) {
    fOwnDialogs = std::make_unique<TQtDialogs>(this);
    fDialogs = fOwnDialogs.get();
  }
  setObjectName(QStringLiteral("frmMain"));
  fLocale = cli::SystemLocale();
  fDriver = std::make_unique<tQueryDriver>(*this);
  setWindowTitle(QStringLiteral("Orvalis"));
  resize(656, 478);

  // After loading the design state.
  const std::string dataFolder = DataFolder();
  if (!dataFolder.empty() && QDir(QString::fromStdString(dataFolder)).exists()) {
    fDataFolder = dataFolder;
  }
  CreatePanes();
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();

  // On create: defaults, then whatever the stored settings hold.
  fSettings = tSettings();
  ReadSettings();

  frmSettings = new TfrmSettings(this);
  ConnectResultCommands();
}

TfrmMain::~TfrmMain() { SaveResultActions(); }

QAction* TfrmMain::MakeAction(const char* name, const QString& caption, const QString& hint,
                              const QList<QKeySequence>& shortcuts, bool available) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  }
  action->setShortcuts(shortcuts);
  // Commands whose work is not part of this program yet stay visible but off.
  action->setEnabled(available);
  return action;
}

void TfrmMain::CreatePanes() {
  pnlSidebar = new QWidget;
  pnlSidebar->setObjectName(QStringLiteral("pnlSidebar"));
  pnlSidebar->setMinimumWidth(80);
  pnlSidebar->resize(169, pnlSidebar->height());
  pnlSidebar->hide();

  pnlQuery = new QWidget;
  pnlQuery->setObjectName(QStringLiteral("pnlQuery"));
  pnlQuery->setMinimumHeight(75);
  auto* queryLayout = new QVBoxLayout(pnlQuery);
  queryLayout->setContentsMargins(4, 4, 4, 0);
  auto* lblQuery = new QLabel(QStringLiteral("Abfragetext:"));
  txtQuery = new QPlainTextEdit;
  txtQuery->setObjectName(QStringLiteral("txtQuery"));
  txtQuery->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtQuery->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtQuery->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  lblQuery->setBuddy(txtQuery);
  queryLayout->addWidget(lblQuery);
  queryLayout->addWidget(txtQuery);

  pnlResult = new QWidget;
  pnlResult->setObjectName(QStringLiteral("pnlResult"));
  pnlResult->setMinimumSize(200, 75);
  auto* resultLayout = new QVBoxLayout(pnlResult);
  resultLayout->setContentsMargins(4, 0, 4, 4);
  resultLayout->addWidget(new QLabel(QStringLiteral("Ergebnisse:")));
  fResultStack = new QStackedWidget;
  vwResult = new TResultView;
  lblRunning = new QLabel(QStringLiteral("Abfrage läuft ..."));
  lblRunning->setObjectName(QStringLiteral("lblRunning"));
  lblRunning->setAlignment(Qt::AlignCenter);
  QFont bold = lblRunning->font();
  bold.setBold(true);
  lblRunning->setFont(bold);
  fResultStack->addWidget(vwResult);
  fResultStack->addWidget(lblRunning);
  resultLayout->addWidget(fResultStack);

  fQuerySplitter = new QSplitter(Qt::Vertical);
  fQuerySplitter->setHandleWidth(4);
  fQuerySplitter->setChildrenCollapsible(false);
  fQuerySplitter->addWidget(pnlQuery);
  fQuerySplitter->addWidget(pnlResult);
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

  connect(vwResult, &TResultView::HeaderClicked, this, &TfrmMain::vwResultColumnClick);
  connect(vwResult, &TResultView::ContextMenuRequested, this,
          [this](const QPoint& pos) { popResultContext->popup(pos); });
}

void TfrmMain::CreateActions() {
  using K = QKeySequence;
  actExecQuery = MakeAction("actExecQuery", QStringLiteral("Ausführen"),
                            QStringLiteral("Führt die aktuelle Abfrage aus"),
                            {K(Qt::CTRL | Qt::Key_E), K(Qt::Key_F5), K(Qt::CTRL | Qt::Key_Return),
                             K(Qt::CTRL | Qt::Key_Enter)});
  actExecQuery->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  connect(actExecQuery, &QAction::triggered, this, &TfrmMain::actExecQueryExecute);
  actStopQuery = MakeAction("actStopQuery", QString(), QStringLiteral("Stoppt eine laufende Abfrage"),
                            {}, false);
  actStopQuery->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
  connect(actStopQuery, &QAction::triggered, this, &TfrmMain::tbStopQueryClick);

  fDisplayGroup = new QActionGroup(this);
  fDisplayGroup->setExclusive(true);
  actShowThumbs = MakeAction("actShowThumbs", QStringLiteral("Vorschau"),
                             QStringLiteral("Anzeige der Vorschaubilder"), {K(Qt::CTRL | Qt::Key_I)});
  actShowThumbs->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
  actShowDetail = MakeAction("actShowDetail", QStringLiteral("Details"),
                             QStringLiteral("Anzeige aller Spalten"), {K(Qt::CTRL | Qt::Key_D)});
  actShowDetail->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  actShowList = MakeAction("actShowList", QStringLiteral("Liste"), QStringLiteral("Anzeige als Liste"),
                           {K(Qt::CTRL | Qt::Key_L)});
  actShowList->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
  const std::pair<QAction*, int> display[] = {{actShowThumbs, 0}, {actShowDetail, 1}, {actShowList, 2}};
  for (const auto& [action, tag] : display) {
    action->setCheckable(true);
    action->setData(tag);
    fDisplayGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, tag = tag] { actSwitchDisplayExecute(tag); });
  }
  actShowThumbs->setChecked(true);

  actCopyResults = MakeAction("actCopyResults", QStringLiteral("Ergebnisdateinamen kopieren"),
                              QStringLiteral("Kopiert die markierten Dateinamen in die Zwischenablage"),
                              {K(Qt::CTRL | Qt::ALT | Qt::Key_C)});
  actCopyResults->setIcon(style()->standardIcon(QStyle::SP_FileLinkIcon));
  connect(actCopyResults, &QAction::triggered, this, &TfrmMain::actCopyResultsExecute);
  actEditSelectAll = MakeAction("actEditSelectAll", QStringLiteral("Alles markieren"),
                                QStringLiteral("Markiert alles"), {K(Qt::CTRL | Qt::Key_A)});
  connect(actEditSelectAll, &QAction::triggered, this, &TfrmMain::actEditSelectAllExecute);

  actEditCut = MakeAction("actEditCut", QStringLiteral("Ausschneiden"),
                          QStringLiteral("Ausschneiden in Zwischenablage"), {K(Qt::CTRL | Qt::Key_X)});
  actEditCopy = MakeAction("actEditCopy", QStringLiteral("Kopieren"),
                           QStringLiteral("Markierung in Zwischenablage"), {K(Qt::CTRL | Qt::Key_C)});
  actEditPaste = MakeAction("actEditPaste", QStringLiteral("Einfügen"),
                            QStringLiteral("Fügt den Inhalt der Zwischenablage ein"),
                            {K(Qt::CTRL | Qt::Key_V)});
  // Cut, copy and paste act on whichever editor has the focus.
  const std::pair<QAction*, int> editing[] = {{actEditCut, 0}, {actEditCopy, 1}, {actEditPaste, 2}};
  for (const auto& [action, what] : editing) {
    connect(action, &QAction::triggered, this, [what = what] {
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

  actExitProgram = MakeAction("actExitProgram", QStringLiteral("Programm beenden"),
                              QStringLiteral("Beendet das Programm"), {K(Qt::ALT | Qt::Key_F4)});
  connect(actExitProgram, &QAction::triggered, this, &QWidget::close);
  actSettings = MakeAction("actSettings", QStringLiteral("Einstellungen ..."),
                           QStringLiteral("Programmeinstellungen ändern"));
  connect(actSettings, &QAction::triggered, this, &TfrmMain::actSettingsExecute);

  mnuCopyFilename = MakeAction("mnuCopyFilename", QStringLiteral("In &Zwischenablage"),
                               QStringLiteral("Dateiname in Zwischenablage"));
  connect(mnuCopyFilename, &QAction::triggered, this, &TfrmMain::mnuCopyFilenameClick);

  // Commands of the parts still to come: in their places, switched off.
  MakeAction("actNewQuery", QStringLiteral("Neue Abfrage"), QStringLiteral("Erzeugt eine neue Abfrage"),
             {}, false);
  MakeAction("actLoadQuery", QStringLiteral("Abfrage öffnen"),
             QStringLiteral("Öffnet eine gespeicherte Abfrage"), {K(Qt::CTRL | Qt::Key_O)}, false);
  MakeAction("actSaveQuery", QStringLiteral("Abfrage speichern"),
             QStringLiteral("Speichert Abfrage in einer Datei"), {K(Qt::CTRL | Qt::Key_S)}, false);
  MakeAction("actPrint", QStringLiteral("Drucken ..."), QStringLiteral("Druckt die Ergebnisse"),
             {K(Qt::CTRL | Qt::Key_P)}, false)
      ->setIcon(style()->standardIcon(QStyle::SP_DriveFDIcon));
  MakeAction("actExport", QStringLiteral("Export ..."), QStringLiteral("Exportieren von Ergebnissen"),
             {K(Qt::Key_F12)}, false);
  MakeAction("actExportXML", QStringLiteral("Export XML ..."), QString(),
             {K(Qt::SHIFT | Qt::Key_F12)}, false);
  MakeAction("actQueryWizard", QStringLiteral("Abfrageassistent starten"),
             QStringLiteral("Hilft bei der Erstellung von Abfragen"), {}, false)
      ->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  MakeAction("actQuerylistSave", QStringLiteral("Abfrage in Liste"),
             QStringLiteral("Legt Abfrage in der Pufferliste ab"), {K(Qt::CTRL | Qt::ALT | Qt::Key_S)},
             false)
      ->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  MakeAction("actQuerylistNext", QStringLiteral("Nächste Abfrage"),
             QStringLiteral("Liest die nächste Abfrage aus der Liste"), {K(Qt::ALT | Qt::Key_Down)},
             false)
      ->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  MakeAction("actQuerylistPrev", QStringLiteral("Vorherige Abfrage"),
             QStringLiteral("Liest die vorherige Abfrage aus der Liste ein"), {K(Qt::ALT | Qt::Key_Up)},
             false)
      ->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  MakeAction("actFullScreen", QStringLiteral("Vollbildmodus"), QStringLiteral("Schaltet in den Vollbildmodus"),
             {K(Qt::CTRL | Qt::Key_F)}, false);
  actToggleSidebar = MakeAction("actToggleSidebar", QStringLiteral("Feldliste an/aus"),
                                QStringLiteral("Blendet die Feldliste ein und aus"), {K(Qt::Key_F11)},
                                false);
  actToggleSidebar->setCheckable(true);
  actToggleSidebar->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
  MakeAction("actFileOperations", QStringLiteral("Dateioperationen"),
             QStringLiteral("Kopieren, Verschieben und andere Dinge"), {}, false);
  MakeAction("actLanguage", QStringLiteral("Sprache ..."), QStringLiteral("Wechselt die Programmsprache"),
             {}, false);
  MakeAction("mnuHelpTopics", QStringLiteral("Hilfethemen"),
             QStringLiteral("Zeigt den Inhalt der Onlinehilfe an"), {}, false);
  MakeAction("mnuQuerySyntax", QStringLiteral("Abfrage-Syntax"),
             QStringLiteral("Informationen zur Abfragesprache"), {}, false);
  MakeAction("actFieldHelp", QStringLiteral("Schlüsselwort-Hilfe"),
             QStringLiteral("Hilfe zu den Schlüsselworten"), {K(Qt::SHIFT | Qt::Key_F1)}, false);
  MakeAction("mnuHomepage", QStringLiteral("Orvalis Homepage"),
             QStringLiteral("Öffnet die Homepage von Orvalis"), {}, false);
  MakeAction("actAbout", QStringLiteral("Info ..."), QString(), {}, false);
  MakeAction("mnuOpen", QStringLiteral("Ö&ffnen"), QStringLiteral("Öffnet die Datei mit Standardprogramm"),
             {}, false);
  MakeAction("mnuMetadata", QStringLiteral("&Metadaten"),
             QStringLiteral("Zeit alle Metadaten dieser Datei an"), {}, false);

  connect(vwResult, &TResultView::RowDoubleClicked, this, [this] {
    QAction* open = findChild<QAction*>(QStringLiteral("mnuOpen"));
    if (open && open->isEnabled()) open->trigger();
  });
}

void TfrmMain::CreateMenus() {
  auto action = [this](const char* name) {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  };
  auto addMenu = [this](const char* name, const QString& title) {
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  QMenu* file = addMenu("mnuFile", QStringLiteral("Datei"));
  file->addAction(action("actNewQuery"));
  file->addAction(action("actLoadQuery"));
  file->addAction(action("actSaveQuery"));
  file->addSeparator();
  file->addAction(action("actPrint"));
  file->addAction(action("actExport"));
  file->addAction(action("actExportXML"));
  file->addSeparator();
  file->addAction(actExitProgram);

  QMenu* edit = addMenu("mnuEdit", QStringLiteral("Edit"));
  edit->addAction(actEditCut);
  edit->addAction(actEditCopy);
  edit->addAction(actEditPaste);
  edit->addSeparator();
  edit->addAction(actCopyResults);
  edit->addAction(actEditSelectAll);

  QMenu* query = addMenu("mnuQuery", QStringLiteral("Abfrage"));
  query->addAction(actExecQuery);
  query->addAction(action("actNewQuery"));
  query->addAction(action("actQueryWizard"));
  query->addSeparator();
  query->addAction(action("actLoadQuery"));
  query->addAction(action("actSaveQuery"));
  query->addSeparator();
  query->addAction(action("actQuerylistSave"));
  query->addAction(action("actQuerylistNext"));
  query->addAction(action("actQuerylistPrev"));

  QMenu* view = addMenu("mnuView", QStringLiteral("Ansicht"));
  view->addAction(actShowThumbs);
  view->addAction(actShowList);
  view->addAction(actShowDetail);
  view->addSeparator();
  view->addAction(action("actFullScreen"));
  view->addAction(actToggleSidebar);

  QMenu* extras = addMenu("mnuExtras", QStringLiteral("Extras"));
  extras->addAction(action("actQueryWizard"));
  QMenu* resultActions = extras->addMenu(QStringLiteral("Eigene Aktionen"));
  resultActions->setObjectName(QStringLiteral("mnuResultActions"));
  resultActions->menuAction()->setStatusTip(QStringLiteral("Benutzerdefinierte Aktionen ausführen"));
  resultActions->setEnabled(false);
  extras->addAction(action("actFileOperations"));
  extras->addSeparator();
  extras->addAction(action("actLanguage"));
  extras->addAction(actSettings);

  QMenu* help = addMenu("mnuHelp", QStringLiteral("Hilfe"));
  help->addAction(action("mnuHelpTopics"));
  help->addAction(action("mnuQuerySyntax"));
  help->addAction(action("actFieldHelp"));
  help->addSeparator();
  help->addAction(action("mnuHomepage"));
  help->addAction(action("actAbout"));

  popResultContext = new QMenu(this);
  popResultContext->setObjectName(QStringLiteral("popResultContext"));
  popResultContext->addAction(action("actFileOperations"));
  QMenu* contextActions = popResultContext->addMenu(QStringLiteral("Eigene Aktionen"));
  contextActions->setObjectName(QStringLiteral("mnuContextResultActions"));
  contextActions->menuAction()->setStatusTip(QStringLiteral("Benuterdefinierte Aktionen ausführen"));
  contextActions->setEnabled(false);
  popResultContext->addSeparator();
  popResultContext->addAction(mnuCopyFilename);
  popResultContext->addAction(action("actFullScreen"));
  popResultContext->addAction(action("mnuOpen"));
  popResultContext->addAction(action("mnuMetadata"));
  popResultContext->addAction(action("actExportXML"));
}

void TfrmMain::CreateToolBar() {
  tbMain = addToolBar(QStringLiteral("Symbolleiste"));
  tbMain->setObjectName(QStringLiteral("tbMain"));
  tbMain->setMovable(false);
  tbMain->setFloatable(false);
  tbMain->setIconSize(QSize(20, 20));
  tbMain->setFixedHeight(29);
  tbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
  auto action = [this](const char* name) {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  };
  tbMain->addAction(actExecQuery);
  tbMain->addAction(actStopQuery);
  tbMain->addSeparator();
  tbMain->addAction(actShowThumbs);
  tbMain->addAction(actShowDetail);
  tbMain->addAction(actShowList);
  tbMain->addSeparator();
  tbMain->addAction(actToggleSidebar);
  tbMain->addAction(actCopyResults);
  tbMain->addAction(action("actPrint"));
  tbMain->addAction(action("actQueryWizard"));
  tbMain->addSeparator();
  tbMain->addAction(action("actQuerylistNext"));
  tbMain->addAction(action("actQuerylistPrev"));
  tbMain->addAction(action("actQuerylistSave"));
  comboQueries = new QComboBox;
  comboQueries->setObjectName(QStringLiteral("comboQueries"));
  comboQueries->setFixedWidth(221);
  comboQueries->setFocusPolicy(Qt::NoFocus);
  comboQueries->setToolTip(QStringLiteral("Auswahl einer Abfrage zum Bearbeiten"));
  comboQueries->setStatusTip(QStringLiteral("Auswahl einer Abfrage zum Bearbeiten"));
  comboQueries->setEnabled(false);
  tbMain->addWidget(comboQueries);
}

void TfrmMain::CreateStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  const int widths[] = {75, 55, 50, 50};
  for (int i = 0; i < 4; ++i) {
    StatusPanel[i] = new QLabel;
    StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    StatusPanel[i]->setFrameShape(QFrame::Panel);
    StatusPanel[i]->setFrameShadow(QFrame::Sunken);
    if (i < 3) {
      StatusPanel[i]->setFixedWidth(widths[i]);
      statusBar()->addWidget(StatusPanel[i]);
    } else {
      StatusPanel[i]->setMinimumWidth(widths[i]);
      statusBar()->addWidget(StatusPanel[i], 1);
    }
  }
}

bool TfrmMain::event(QEvent* event) {
  // The long hint of the control under the mouse goes to the last panel,
  // which during a run shows the folder being searched instead.
  if (event->type() == QEvent::StatusTip) {
    if (!fRunning) StatusPanel[3]->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  if (event->type() == QEvent::WindowActivate && !fActivated) {
    // The query wizard would start here (RunWizardOnStartup) once it exists.
    fActivated = true;
  }
  return QMainWindow::event(event);
}

// ---- Settings --------------------------------------------------------------

void TfrmMain::ReadSettings() {
  TQtSettingsStore store;
  if (store.Exists()) fSettings.ReadFrom(store);
  txtQuery->setPlainText(WithLf(fSettings.LastQuery));
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
  fSettings.ResultViewStyle = fRunning ? fStyleBeforeRun : fStyle;
  TQtSettingsStore store;
  fSettings.WriteTo(store);
  store.Flush();
}

void TfrmMain::ApplyFonts() {
  QFont queryFont(Text(fSettings.QueryFontFace), fSettings.QueryFontSize);
  queryFont.setStyleHint(QFont::TypeWriter);
  txtQuery->setFont(queryFont);
  vwResult->SetListFont(QFont(Text(fSettings.ResultFontFace), fSettings.ResultFontSize));
}

void TfrmMain::ApplyViewStyle(tResultViewStyle style) {
  fStyle = style;
  switch (style) {
    case tResultViewStyle::Preview: actShowThumbs->setChecked(true); break;
    case tResultViewStyle::Detail: actShowDetail->setChecked(true); break;
    case tResultViewStyle::List: actShowList->setChecked(true); break;
  }
  // During a run the list keeps its small icons; the style returns at the end.
  if (fRunning) {
    fStyleBeforeRun = style;
  } else {
    vwResult->SetStyle(ListStyleOf(style));
  }
}

void TfrmMain::actSettingsExecute() {
  frmSettings->Fill(fSettings, fSaveOnExit, txtQuery->font(), vwResult->List()->font());
  frmSettings->pgActions->Fill(fResultActions.get());
  if (frmSettings->exec() == QDialog::Accepted) TakeOverSettingsDialog();
}

void TfrmMain::TakeOverSettingsDialog() {
  const std::optional<QString> failure = frmSettings->TakeOver(fSettings, fSaveOnExit);
  ApplyFonts();
  TakeOverActionsPage();
  if (failure) fDialogs->ShowMessage(*failure);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!fSettings.DontAskOnExit &&
      fDialogs->Ask(Msg("ConfirmExit", "Programm beenden?")) != TAnswer::Yes) {
    event->ignore();
    return;
  }
  if (!fClosing) {
    fClosing = true;
    // A run still going on ends at its next file.
    if (fDriver->Running()) fDriver->Stop();
    if (fSaveOnExit) WriteSettings();
    // The list files of the query buffer and the user actions are written
    // into this folder.
    const std::string dataFolder = DataFolder();
    if (!dataFolder.empty()) QDir().mkpath(QString::fromStdString(dataFolder));
  }
  event->accept();
}

// ---- Result list commands ---------------------------------------------------

void TfrmMain::actSwitchDisplayExecute(int tag) {
  switch (tag) {
    case 1: ApplyViewStyle(tResultViewStyle::Detail); break;
    case 2: ApplyViewStyle(tResultViewStyle::List); break;
    default: ApplyViewStyle(tResultViewStyle::Preview); break;
  }
}

void TfrmMain::vwResultColumnClick(int column) {
  fSortColumn = column;
  vwResult->Model().SortByColumn(fSortColumn, fSortAscending);
  fSortAscending = !fSortAscending;
}

void TfrmMain::actCopyResultsExecute() {
  const TResultModel& model = vwResult->Model();
  if (model.rowCount() == 0) {
    fDialogs->ShowMessage(Msg("NoResults", "Keine Ergebnisse vorhanden."));
    return;
  }
  std::vector<int> rows = vwResult->SelectedRows();
  if (rows.empty()) {
    for (int row = 0; row < model.rowCount(); ++row) rows.push_back(row);
  }
  QString text;
  for (int row : rows) text += Text(model.Row(row).FileInfo.Path) + QStringLiteral("\r\n");
  QApplication::clipboard()->setText(text);
}

void TfrmMain::mnuCopyFilenameClick() {
  const std::vector<int> rows = vwResult->SelectedRows();
  if (rows.empty()) return;
  QApplication::clipboard()->setText(Text(vwResult->Model().Row(rows.front()).FileInfo.Path));
}

void TfrmMain::actEditSelectAllExecute() {
  if (txtQuery->hasFocus()) {
    txtQuery->selectAll();
  } else if (vwResult->ListHasFocus()) {
    vwResult->SelectAllRows();
  }
}

// ---- Query runs -------------------------------------------------------------

std::string TfrmMain::QueryText() const { return WithCrLf(txtQuery->toPlainText()); }

tRunSettings TfrmMain::RunSettings() const {
  tRunSettings run;
  run.StrDelimDoubleQuote = fSettings.StrDelimDoubleQuote;
  run.EnforceRefinement = fSettings.EnforceRefinement;
  run.RefinementLimit = fSettings.RefinementLimit;
  run.UseNullText = fSettings.UseNullText;
  run.NullText = fSettings.NullText;
  run.ThumbnailWidth = fSettings.ThumbnailWidth;
  run.ThumbnailHeight = fSettings.ThumbnailHeight;
  run.GeneratePreview = fSettings.GeneratePreview;
  run.Locale = fLocale;
  return run;
}

void TfrmMain::actExecQueryExecute() {
  if (fDriver->Running()) return;
  fDriver->actExecQueryExecute(QueryText(), RunSettings());
}

void TfrmMain::tbStopQueryClick() {
  if (fDriver->Running()) fDriver->Stop();
}

int TfrmMain::AddFileToResultlist(const std::string& path, const QImage& picture) {
  TResultModel& model = vwResult->Model();
  const int row = model.AppendRow(path);
  if (!picture.isNull()) {
    const QImage thumbnail = MakeThumbnail(picture, vwResult->ThumbnailSize());
    model.SetImageIndex(row, model.AddImage(QPixmap::fromImage(thumbnail)));
  }
  return row;
}

void TfrmMain::PrepareResultList(int thumbnailWidth, int thumbnailHeight) {
  const QSize size(thumbnailWidth, thumbnailHeight);
  TResultModel& model = vwResult->Model();
  model.Clear();
  model.ResetImages(QPixmap::fromImage(NoPreviewThumbnail(size)));
  vwResult->SetThumbnailSize(size);
}

void TfrmMain::AddColumn(const std::string& caption) {
  const int column = vwResult->Model().AddColumn(Text(caption));
  vwResult->FitColumnToContent(column);
}

int TfrmMain::AddRow(const std::string& path, tImageMetaData& store, bool generatePreview) {
  // The picture is taken before the row exists: a picture that cannot be
  // decoded throws, and the file then gets no row.
  store.ThumbFromImage = generatePreview;
  const std::unique_ptr<RgbBitmap> picture = store.GetThumbnail();
  QImage image;
  if (picture) {
    image = ImageFromRgb24(picture->Width, picture->Height, picture->Pixels.data(),
                           picture->Pixels.size());
  }
  if (fSettings.TurnByOrientation) image = OrientedImage(image, OrientationOf(store));
  return AddFileToResultlist(path, image);
}

void TfrmMain::SetCell(int row, int column, const std::string& text) {
  vwResult->Model().SetCell(row, column, Text(text));
}

std::vector<std::string> TfrmMain::RowPaths() const {
  const TResultModel& model = vwResult->Model();
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(model.rowCount()));
  for (int row = 0; row < model.rowCount(); ++row) paths.push_back(model.Row(row).FileInfo.Path);
  return paths;
}

void TfrmMain::FitColumnsToCaptions() { vwResult->FitColumnsToCaptions(); }

void TfrmMain::EnterRunningState() {
  fResultStack->setCurrentWidget(lblRunning);
  QCoreApplication::processEvents();
  fStyleBeforeRun = fStyle;
  fRunning = true;
  vwResult->SetStyle(TListStyle::SmallIcon);
  actStopQuery->setEnabled(true);
  actExecQuery->setEnabled(false);
}

void TfrmMain::LeaveRunningState() {
  actStopQuery->setEnabled(false);
  fRunning = false;
  actExecQuery->setEnabled(true);
  fResultStack->setCurrentWidget(vwResult);
  ApplyViewStyle(fStyleBeforeRun);
}

void TfrmMain::FocusQueryText() {
  txtQuery->selectAll();
  txtQuery->setFocus();
}

void TfrmMain::SetStatusPanel(int panel, const std::string& text) {
  if (panel < 0 || panel > 3) return;
  StatusPanel[panel]->setText(Text(text));
}

void TfrmMain::ShowMessage(const std::string& text) { fDialogs->ShowMessage(Text(text)); }

void TfrmMain::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace orvalis
