#include "ui/query_buffer_box.h"

#include "engine/data_folder.h"
#include "i18n/file_messages.h"
#include "query/query_statement.h"
#include "ui/dialogs.h"
#include "ui/language.h"
#include "ui/qt_text.h"
#include "ui/query_editor.h"
#include "ui/ui_text.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTextDocument>

#include <algorithm>

namespace orvalis {

namespace {

std::string BufferFilePath() {
  const std::string folder = DataFolder();
  return folder.empty() ? std::string() : folder + std::string(kQueryBufferFileName);
}

}  // namespace

TQueryBufferBox::TQueryBufferBox(TQueryEditor& editor, TDialogs& dialogs, QAction& previous,
                                 QAction& next, QAction& saveQuery, QWidget* parent)
    : QComboBox(parent), fEditor(editor), fDialogs(dialogs), fPrevious(previous), fNext(next) {
  Hint(this, tText::frmMain_comboQueries_hint);
  setFixedWidth(221);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QComboBox::activated, this, &TQueryBufferBox::Recall);
  connect(&previous, &QAction::triggered, this, [this] { Step(-1); });
  connect(&next, &QAction::triggered, this, [this] { Step(1); });
  popComboQueries = new QMenu(this);
  popComboQueries->setObjectName(QStringLiteral("popComboQueries"));
  fDelete =
      Caption(popComboQueries->addAction(QString()), tText::frmMain_mnuQueryComboDelete_caption);
  Hint(fDelete, tText::frmMain_mnuQueryComboDelete_hint);
  connect(fDelete, &QAction::triggered, this, &TQueryBufferBox::DeletePicked);
  QAction* save =
      Caption(popComboQueries->addAction(QString()), tText::frmMain_mnuQueryComboSave_caption);
  Hint(save, tText::frmMain_mnuQueryComboSave_hint);
  connect(save, &QAction::triggered, &saveQuery, &QAction::triggered);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popComboQueries->popup(mapToGlobal(pos)); });
}

QStringList TQueryBufferBox::Names() const {
  QStringList names;
  for (int entry : fLineEntries) {
    names.append(DisplayText(fBuffer.Entries().at(static_cast<std::size_t>(entry)).Name));
  }
  return names;
}

void TQueryBufferBox::Load() {
  const std::string path = BufferFilePath();
  std::string error;
  if (!path.empty() && !fBuffer.Load(path, &error)) {
    // An unreadable list is left as it is: the box starts empty and is not
    // written over it at exit.
    fUnreadable = true;
    fDialogs.ShowMessage(DisplayText(ReadFailureMessage(path, error)));
  }
  if (const int leftOut = Fill(); leftOut > 0) {
    fDialogs.ShowMessage(Ui(tText::QuerylistEntriesLeftOut)
                             .replace(QStringLiteral("%1"), DisplayText(path))
                             .replace(QStringLiteral("%2"), QString::number(leftOut))
                             .replace(QStringLiteral("%3"), QString::number(kMaxQueryLength)));
  }
  setCurrentIndex(-1);
  UpdateCommands();
}

void TQueryBufferBox::Save() {
  if (fBuffer.Empty() || fUnreadable) return;
  const std::string path = BufferFilePath();
  if (path.empty()) return;
  QDir().mkpath(QString::fromStdString(DataFolder()));
  std::string error;
  if (!fBuffer.Save(path, &error)) fDialogs.ShowMessage(DisplayText(error));
}

int TQueryBufferBox::Fill() {
  clear();
  fLineEntries.clear();
  // An entry longer than any query file could be would only stall the box
  // and the editor; it stays in the buffer and so in the list file.
  int leftOut = 0;
  const std::vector<tQueryBufferEntry>& entries = fBuffer.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].Name.size() + entries[i].Stored.size() > kMaxQueryLength) {
      ++leftOut;
      continue;
    }
    addItem(DisplayText(entries[i].Name));
    fLineEntries.push_back(static_cast<int>(i));
  }
  return leftOut;
}

void TQueryBufferBox::UpdateCommands() {
  const int index = currentIndex();
  const int lines = count();
  fPrevious.setEnabled(index > 0);
  fNext.setEnabled(index < lines - 1);
  fDelete->setEnabled(index >= 0);
}

void TQueryBufferBox::Recall(int index) {
  const int lines = count();
  if (lines == 0) return;
  index = std::clamp(index, 0, lines - 1);
  setCurrentIndex(index);
  const tQueryBufferEntry& entry = fBuffer.Entries().at(
      static_cast<std::size_t>(fLineEntries.at(static_cast<std::size_t>(index))));
  fEditor.setPlainText(EditorText(RecalledQueryText(entry.Stored)));
  fEditor.document()->setModified(false);
  fEditor.moveCursor(QTextCursor::End);
  UpdateCommands();
}

void TQueryBufferBox::DeletePicked() {
  const int index = currentIndex();
  if (index < 0) return;
  fBuffer.Remove(fLineEntries.at(static_cast<std::size_t>(index)));
  Fill();
  setCurrentIndex(-1);
  UpdateCommands();
}

void TQueryBufferBox::Put(const QString& name, const std::string& stored) {
  if (fBuffer.Find(name.toStdString()) >= 0) {
    QString question = Ui(tText::OverwriteQuerybuffer);
    question.replace(QStringLiteral("%s"), name);
    if (fDialogs.Ask(question) != TAnswer::Yes) return;
  }
  const int entry = fBuffer.Put(name.toStdString(), stored);
  Fill();
  const auto line = std::find(fLineEntries.begin(), fLineEntries.end(), entry);
  setCurrentIndex(line == fLineEntries.end() ? -1 : static_cast<int>(line - fLineEntries.begin()));
  UpdateCommands();
}

}  // namespace orvalis
