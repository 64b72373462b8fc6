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
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QToolBar>

namespace orvalis {

namespace {

bool IsAsciiLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

// The run of ASCII letters around the cursor.
QString WordAtCursor(const QPlainTextEdit& editor) {
  const QTextCursor cursor = editor.textCursor();
  const QString line = cursor.block().text();
  qsizetype start = cursor.positionInBlock();
  qsizetype end = start;
  while (start > 0 && IsAsciiLetter(line[start - 1])) --start;
  while (end < line.size() && IsAsciiLetter(line[end])) ++end;
  return line.mid(start, end - start);
}

}  // namespace

void TfrmMain::CreateSidebarCommands() {
  connect(actToggleSidebar, &QAction::toggled, this, &TfrmMain::actToggleSidebarExecute);
  connect(Commands().Action(tCommand::actFieldHelp), &QAction::triggered, this, &TfrmMain::actFieldHelpExecute);
  const QList<QAction*> bar = tbMain->actions();
  const qsizetype place = bar.indexOf(actToggleSidebar);
  fSidebarButtonNext = place >= 0 && place + 1 < bar.size() ? bar.at(place + 1) : nullptr;
  ShowSidebarButton(true);
  connect(pnlSidebar, &TFieldSidebar::InsertRequested, this, &TfrmMain::InsertIntoQuery);
  pnlSidebar->AcceptDropsOn(*txtQuery);
  fCompletion = new TFieldCompletion(*txtQuery, tImageMetaData::GetTagNames(0));
}

void TfrmMain::LoadSidebar(const QStringList& folders) {
  pnlSidebar->Clear();
  fSidebarEnabled = false;
  QString path;
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    const QString candidate = QDir(folder).filePath(QString::fromLatin1(kSideTreeFileName.data(),
                                                                        static_cast<qsizetype>(kSideTreeFileName.size())));
    if (QFile::exists(candidate)) {
      path = candidate;
      break;
    }
  }
  if (path.isEmpty()) {
    DisableSidebar();
    return;
  }
  std::optional<tSideTree> tree;
  tSideTreeRefusal why = tSideTreeRefusal::Format;
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxSideTreeBytes) + 1);
    if (file.error() == QFileDevice::NoError) {
      tree = ParseSideTree(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &why);
    }
  }
  if (!tree) {
    // A file past a limit is named with that limit, not as a wrong format.
    QString message;
    switch (why) {
      case tSideTreeRefusal::Size:
        message = Ui(tText::SideTreeTooLarge).replace(QStringLiteral("%d"), QString::number(kMaxSideTreeBytes));
        break;
      case tSideTreeRefusal::Depth:
        message = Ui(tText::SideTreeTooDeep).replace(QStringLiteral("%d"), QString::number(kMaxSideTreeDepth));
        break;
      case tSideTreeRefusal::Nodes:
        message = Ui(tText::SideTreeTooManyLines).replace(QStringLiteral("%d"), QString::number(kMaxSideTreeNodes));
        break;
      case tSideTreeRefusal::Format:
        message = Ui(tText::SideTreeInvalidFormat);
        break;
    }
    fDialogs->ShowMessage(message.replace(QStringLiteral("%s"), path));
    DisableSidebar();
    return;
  }
  pnlSidebar->Fill(*tree);
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

void TfrmMain::InsertIntoQuery(const QString& text) {
  QTextCursor cursor = txtQuery->textCursor();
  cursor.insertText(text);
  txtQuery->setTextCursor(cursor);
  txtQuery->setFocus();
}

void TfrmMain::actFieldHelpExecute() {
  const QString word = WordAtCursor(*txtQuery);
  for (const tHelpTarget& target : KeywordHelpTargets(word.toStdString())) {
    if (target.Context != 0) {
      ShowHelpContext(target.Context);
    } else {
      ShowHelpTopic(QString::fromStdString(target.Topic));
    }
  }
}

}  // namespace orvalis
