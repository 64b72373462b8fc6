#include "ui/query_editor.h"

#include "ui/qt_text.h"

#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace orvalis {

namespace {

bool IsAsciiLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

}  // namespace

TQueryEditor::TQueryEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("txtQuery"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

std::string TQueryEditor::QueryText() const { return WithCrLf(toPlainText()); }

void TQueryEditor::FocusAt(int position) {
  // The position counts bytes of the query text with CR LF line breaks; the
  // editor counts characters with LF line breaks.
  const std::string query = QueryText();
  std::string before = query.substr(
      0, static_cast<std::size_t>(std::clamp(position - 1, 0, static_cast<int>(query.size()))));
  std::erase(before, '\r');
  QTextCursor cursor = textCursor();
  cursor.setPosition(static_cast<int>(
      QString::fromUtf8(before.data(), static_cast<qsizetype>(before.size())).size()));
  setTextCursor(cursor);
  setFocus();
}

void TQueryEditor::InsertAndFocus(const QString& text) {
  QTextCursor cursor = textCursor();
  cursor.insertText(text);
  setTextCursor(cursor);
  setFocus();
}

QString TQueryEditor::WordAtCursor() const {
  const QTextCursor cursor = textCursor();
  const QString line = cursor.block().text();
  qsizetype start = cursor.positionInBlock();
  qsizetype end = start;
  while (start > 0 && IsAsciiLetter(line[start - 1])) --start;
  while (end < line.size() && IsAsciiLetter(line[end])) ++end;
  return line.mid(start, end - start);
}

}  // namespace orvalis
