// Field name completion in the query editor.
#include "ui/field_completion.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace orvalis {

namespace {

// As many characters as the user may type before asking for completion.
constexpr qsizetype kMaxPrefix = 255;

bool IsAsciiLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

char16_t AsciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

}  // namespace

TFieldCompletion::TFieldCompletion(QPlainTextEdit& editor, const std::vector<std::string>& names)
    : QObject(&editor), fEditor(editor) {
  for (const std::string& name : names)
    fNames << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  fEditor.installEventFilter(this);
}

bool TFieldCompletion::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &fEditor) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->modifiers() & Qt::ControlModifier) fCtrlDown = true;
      // Tab counts only with Ctrl held now: after a Ctrl released elsewhere
      // a plain Tab stays a Tab.
      if (key->key() == Qt::Key_Tab && fCtrlDown && (key->modifiers() & Qt::ControlModifier)) {
        Step();
        return true;
      }
      break;
    }
    case QEvent::KeyRelease:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control) Accept();
      break;
    case QEvent::FocusOut:
      // The release of Ctrl would go to another window.
      Accept();
      break;
    default: break;
  }
  return false;
}

bool TFieldCompletion::Begins(const QString& name) const {
  if (name.size() < fPrefix.size()) return false;
  for (qsizetype i = 0; i < fPrefix.size(); ++i) {
    if (AsciiLower(name[i].unicode()) != AsciiLower(fPrefix[i].unicode())) return false;
  }
  return true;
}

void TFieldCompletion::Step() {
  if (fNames.isEmpty()) return;
  QTextCursor cursor = fEditor.textCursor();
  cursor.beginEditBlock();
  if (fAnchor < 0) {
    fIndex = 0;
    if (cursor.hasSelection()) {
      fAnchor = cursor.selectionStart();
      fPrefix = cursor.selectedText();
    } else {
      const int position = cursor.position();
      const QString line = cursor.block().text();
      const int inLine = cursor.positionInBlock();
      int start = inLine;
      while (start > 0 && IsAsciiLetter(line[start - 1])) --start;
      fAnchor = position - (inLine - start);
      fPrefix = line.mid(start, inLine - start);
      cursor.setPosition(fAnchor);
      cursor.setPosition(position, QTextCursor::KeepAnchor);
    }
    fPrefix.truncate(kMaxPrefix);
    cursor.removeSelectedText();
  }
  const int count = static_cast<int>(fNames.size());
  if (!fPrefix.isEmpty()) {
    while (fIndex < count && !Begins(fNames[fIndex])) ++fIndex;
  }
  if (fIndex < count) {
    const QString& name = fNames[fIndex];
    cursor.insertText(name);
    cursor.setPosition(fAnchor);
    cursor.setPosition(fAnchor + static_cast<int>(name.size()), QTextCursor::KeepAnchor);
  }
  cursor.endEditBlock();
  fEditor.setTextCursor(cursor);
  if (++fIndex >= count) fIndex = 0;
}

void TFieldCompletion::Accept() {
  if (fAnchor >= 0) {
    QTextCursor cursor = fEditor.textCursor();
    if (cursor.hasSelection()) {
      cursor.setPosition(cursor.selectionEnd());
      fEditor.setTextCursor(cursor);
    }
  }
  fAnchor = -1;
  fCtrlDown = false;
}

}  // namespace orvalis
