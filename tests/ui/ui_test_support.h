// Shared pieces of the window tests: the application object, an isolated
// settings location per test, and dialogs answered by the test.
#pragma once

#include "ui/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <ostream>

// Failure messages show Qt texts as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace orvalis::test {

// Points the stored settings and the data folder at a fresh empty folder.
void UseFreshSettingsLocation();

class TScriptedDialogs : public TDialogs {
 public:
  std::deque<TAnswer> answers;  // given in turn; Cancel when none is left
  QStringList questions;
  QStringList messages;

  TAnswer Ask(const QString& text) override {
    questions.append(text);
    if (answers.empty()) return TAnswer::Cancel;
    const TAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowMessage(const QString& text) override { messages.append(text); }
};

}  // namespace orvalis::test
