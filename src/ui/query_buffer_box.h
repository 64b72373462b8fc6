// The query buffer box of the toolbar: the named queries of the query
// buffer, kept in "Querylist.txt" of the data folder between runs. Picking
// a line (or "Nächste Abfrage", "Vorherige Abfrage") puts its query into
// the editor; its context menu deletes the picked entry.
#pragma once

#include "engine/query_buffer.h"

#include <QComboBox>

#include <string>
#include <vector>

class QAction;
class QMenu;

namespace orvalis {

class TDialogs;
class TQueryEditor;

class TQueryBufferBox : public QComboBox {
  Q_OBJECT

 public:
  // previous and next are the commands that step through the box; its
  // context menu offers saveQuery too.
  TQueryBufferBox(TQueryEditor& editor, TDialogs& dialogs, QAction& previous, QAction& next,
                  QAction& saveQuery, QWidget* parent = nullptr);

  // Reads the list file, saying what it cannot take; an unreadable file is
  // left as it is, also at exit.
  void Load();
  // Writes the list file when the buffer holds entries.
  void Save();
  const tQueryBuffer& Buffer() const { return fBuffer; }
  // The names of the box's lines.
  QStringList Names() const;
  // Files the stored text under the name, asking before it replaces an
  // entry of that name, and picks its line.
  void Put(const QString& name, const std::string& stored);
  // Puts the query of the line (kept within the lines) into the editor.
  void Recall(int index);
  // The next (1) or previous (-1) line.
  void Step(int step) { Recall(currentIndex() + step); }
  // "Aus Liste löschen": the picked entry goes; nothing is picked then.
  void DeletePicked();

 private:
  // Fills the box with the entries short enough for the editor; returns how
  // many were left out.
  int Fill();
  void UpdateCommands();

  TQueryEditor& fEditor;
  TDialogs& fDialogs;
  QAction& fPrevious;
  QAction& fNext;
  QMenu* popComboQueries = nullptr;
  QAction* fDelete = nullptr;
  tQueryBuffer fBuffer;
  bool fUnreadable = false;       // the list file is kept as found
  std::vector<int> fLineEntries;  // the buffer entry of each line
};

}  // namespace orvalis
