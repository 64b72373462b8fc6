// The query editor: the query text with the line breaks of the query
// language (CR LF), the caret put where a run found a fault, text inserted
// at the cursor, and the word under the cursor for keyword help.
#pragma once

#include <QPlainTextEdit>

#include <string>

namespace orvalis {

class TQueryEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TQueryEditor(QWidget* parent = nullptr);

  // The whole text with CR LF line breaks.
  std::string QueryText() const;
  // The caret to a 1-based byte position of QueryText(), and the focus here.
  void FocusAt(int position);
  // Replaces the selection by text (inserts at the cursor without one) and
  // takes the focus.
  void InsertAndFocus(const QString& text);
  // The run of ASCII letters around the cursor.
  QString WordAtCursor() const;
};

}  // namespace orvalis
