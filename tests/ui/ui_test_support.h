// Shared pieces of the window tests: the application object, an isolated
// settings location per test, dialogs answered by the test, the main
// window's controls by their names, and fixtures of a main window and of the
// exports run through their dialogs.
#pragma once

#include "ui/dialogs.h"
#include "ui/thumbnail_cache.h"
#include "ui/main_commands.h"
#include "ui/main_window.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <QDialog>
#include <QComboBox>
#include <QPlainTextEdit>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

// Failure messages show Qt texts as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace orvalis::test {

// Points the stored settings and the data folder at a fresh empty folder.
void UseFreshSettingsLocation();

// A small JPEG photo (16 by 16) whose EXIF thumbnail, 64 by 48 pixels, is
// filled with one colour.
QByteArray PhotoWithThumbnail(const QColor& colour);
// Lets window events run until the cache has made every thumbnail asked
// for and told the views (or a generous bound has passed).
void WaitForThumbnails(const TThumbnailCache& cache);
// Whether the middle of a 160 by 120 thumbnail has about this colour.
bool ThumbnailHasColour(const QImage& thumbnail, const QColor& colour);

// A control of a window found by its object name, the name its language-file
// section uses; a test that names a control the window lacks fails.
template <class TControl>
TControl& Named(const QObject& window, const char* name) {
  TControl* control = window.findChild<TControl*>(QString::fromLatin1(name));
  if (!control) throw std::runtime_error(std::string("no control ") + name);
  return *control;
}
inline QPlainTextEdit& QueryEditor(const TfrmMain& window) {
  return Named<QPlainTextEdit>(window, "txtQuery");
}
inline QComboBox& QueryBox(const TfrmMain& window) {
  return Named<QComboBox>(window, "comboQueries");
}
inline TFieldSidebar& Sidebar(const TfrmMain& window) {
  return Named<TFieldSidebar>(window, "pnlSidebar");
}
inline QAction* Command(const TfrmMain& window, tCommand command) {
  return window.Commands().Action(command);
}
// Picks a line of the query buffer box, as a click on it does.
inline void SelectQuery(TfrmMain& window, int index) { emit QueryBox(window).activated(index); }
// Runs a command's handler also where the command is disabled, as a
// shortcut that arrives before the command is updated would.
inline void RunHandler(QAction& command) { emit command.triggered(false); }

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

  // Modal dialogs: each is handed to the next action, whose result says
  // whether it was closed with "OK" (accept() is called then, so the
  // dialog's own "OK" work runs). Cancelled when no action is left.
  std::deque<std::function<bool(QDialog&)>> dialogActions;
  bool Execute(QDialog& dialog) override {
    if (dialogActions.empty()) return false;
    const auto action = dialogActions.front();
    dialogActions.pop_front();
    if (!action(dialog)) return false;
    dialog.accept();
    return true;
  }

  // File choosers: the names given in turn; cancelled when none is left.
  std::deque<QString> chosenFiles;
  QStringList chooserTitles;
  QStringList chooserFilters;
  QString ChooseSaveFile(QWidget*, const QString& title, const QStringList& filters, int,
                         const QString&) override {
    return Choose(title, filters);
  }
  QString ChooseOpenFile(QWidget*, const QString& title, const QStringList& filters) override {
    return Choose(title, filters);
  }
  QString ChooseFolder(QWidget*, const QString& title) override { return Choose(title, {}); }
  QString ChooseProgram(QWidget*, const QString& title) override { return Choose(title, {}); }

 private:
  QString Choose(const QString& title, const QStringList& filters) {
    chooserTitles.append(title);
    chooserFilters.append(filters.join(QStringLiteral(";;")));
    if (chosenFiles.empty()) return {};
    const QString chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
  }
};

// A main window on fresh settings, its questions answered by the test.
class TWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseFreshSettingsLocation();
    window = std::make_unique<TfrmMain>(&dialogs);
  }

  TScriptedDialogs dialogs;
  std::unique_ptr<TfrmMain> window;
};

// An export run through its dialog into target, a file in a fresh folder.
class TExportTest : public TWindowTest {
 protected:
  // Triggers the command and closes its dialog with "OK" after the target
  // name and the given settings were put in.
  template <class TDialog>
  void RunExport(const char* command, const std::function<void(TDialog&)>& settings) {
    dialogs.dialogActions.push_back([this, settings](QDialog& dialog) {
      auto& form = dynamic_cast<TDialog&>(dialog);
      form.edtFilename->setText(target);
      if (settings) settings(form);
      return true;
    });
    window->findChild<QAction*>(QString::fromLatin1(command))->trigger();
  }

  std::string Written() const {
    QFile file(target);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
  }

  QTemporaryDir folder;
  QString target;
};

}  // namespace orvalis::test
