// The field sidebar: a tree of field names, functions and keywords read from
// "SideTree.ini", with the tip of the selected node below it. It hands the
// text to insert to the window; the window puts it into the query editor.
#pragma once

#include "engine/side_tree.h"

#include <QTreeWidget>
#include <QWidget>

#include <optional>

class QLabel;
class QPlainTextEdit;

namespace orvalis {

// The tree control: read-only node texts, nodes can be dragged.
class TSidebarTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit TSidebarTree(QWidget* parent = nullptr);

 signals:
  // Enter on the selected node.
  void EnterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class TFieldSidebar : public QWidget {
  Q_OBJECT

 public:
  explicit TFieldSidebar(QWidget* parent = nullptr);

  // Replaces the tree and the tips by the list file's. The tip box shows
  // only when there are tips; without it the tree takes its space.
  void Fill(const tSideTree& tree);
  // Reads "SideTree.ini" from the first of the folders that has one into
  // the tree. Nothing when it was read; an empty text when no folder has
  // one; what is wrong with the file when it cannot be read.
  std::optional<QString> Load(const QStringList& folders);
  void Clear();
  // The texts of the controls, again after a change of language.
  void ApplyTexts();

  // What a double click or Enter inserts for the selected node: its text, or
  // for a node with children their texts joined by ", ". Empty without a
  // selected node.
  QString InsertTextOfSelection() const;
  // The text of the selected node alone (what a drop inserts).
  QString SelectedText() const;
  // Shows the selected node's tip.
  void ShowTipOfSelection();
  // Lets the editor take drops of the tree's nodes, and only those: a drop
  // asks to insert the selected node's text at the editor's cursor,
  // wherever the mouse is.
  void AcceptDropsOn(QPlainTextEdit& editor);

  QLabel* lblSidebar = nullptr;
  TSidebarTree* treeSidebar = nullptr;
  QPlainTextEdit* memoFieldTip = nullptr;

 signals:
  // A double click or Enter with a node selected.
  void InsertRequested(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RequestInsert();

  QWidget* fDropTarget = nullptr;
  tSideTree fTree;
};

}  // namespace orvalis
