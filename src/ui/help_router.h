// Where the program's help requests go. Windows and commands carry a help
// context number or a topic path ("ProgramUsage\printing.htm#anchor"); the
// router turns both into a page of the help folder and shows it in the help
// window. Every call is written to the help log.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class QApplication;
class QWidget;

namespace orvalis {

class TfrmHelp;

class THelpRouter {
 public:
  // Receives the page path ("ProgramUsage/printing.htm#x") instead of the
  // help window; for tests.
  using tSink = std::function<void(const QString& page)>;

  static THelpRouter& Instance();

  // The folder holding the help pages of `language`, falling back to the
  // built-in language's pages.
  QString HelpFolder() const;

  // Shows the page mapped to the number (a number without a page shows the
  // contents).
  void ShowContext(int context);
  // Shows a topic path; see NormalizeTopic.
  void ShowTopic(const QString& topic);
  // Closes the help window (at exit).
  void CloseAll();

  void SetSinkForTests(tSink sink) { fSink = std::move(sink); }

  // "%20" becomes a blank, surrounding blanks go, backslashes become "/" and
  // the leading "/" is dropped: "ProgramUsage\printing.htm" names the page
  // ProgramUsage/printing.htm of the help folder.
  static QString NormalizeTopic(const QString& topic);
  // Reads "number page" lines of the context map; malformed lines and
  // anything past a sane size are skipped.
  static std::map<int, QString> ReadContextMap(const QString& path);

 private:
  // Follows every change of the program's language from here on.
  THelpRouter();
  void Show(const QString& page);

  QString fLanguage;
  tSink fSink;
  QPointer<TfrmHelp> fWindow;
};

// The help context or keyword of a window, found by F1 on it or on any of
// its children.
void SetHelpContext(QWidget* widget, int context);
void SetHelpKeyword(QWidget* widget, const QString& topic);
// Routes F1 to the help of the focused window.
void InstallHelpKey(QApplication& application);

// Switches the help log on when "/debug" or "-debug" was given or a file
// "debug.debug" lies beside the program, and writes its header.
void StartHelpLog(const QStringList& arguments);

inline void ShowHelpContext(int context) { THelpRouter::Instance().ShowContext(context); }
inline void ShowHelpTopic(const QString& topic) { THelpRouter::Instance().ShowTopic(topic); }

}  // namespace orvalis
