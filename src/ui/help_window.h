// The program's help window: the HTML pages of the help folder with
// contents, back, forward and a search over all pages.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace orvalis {

class TfrmHelp : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmHelp(QWidget* parent = nullptr);

  // Shows `page` ("SyntaxHelp/exif.htm#make") of the pages in `folder`.
  void ShowPage(const QString& folder, const QString& page);
  // Finds the next place of `text`: in the page shown after the cursor, then
  // in the following pages of the folder in name order, wrapping around.
  // False when no page holds it.
  bool Find(const QString& text);
  void ApplyTexts();
  // After a language switch: the page shown, from the pages in `folder`
  // (the new language's).
  void FollowFolder(const QString& folder);

  QTextBrowser* browser;
  QPushButton* btnContents;
  QPushButton* btnBack;
  QPushButton* btnForward;
  QLineEdit* edtSearch;
  QPushButton* btnSearch;
  QLabel* lblSearchResult;

 private:
  QString fFolder;
};

}  // namespace orvalis
