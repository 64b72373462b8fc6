// The window "Abfrage-Assistent": a header with the current page's title
// and description, the page itself, and the buttons that step through the
// pages. Finishing the last page calls OnFinish and closes with "OK"; the
// query text itself is built by the caller from Choice().
#pragma once

#include "engine/query_wizard.h"
#include "i18n/catalogue.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace orvalis {

class TDialogs;
class TfrSelectFields;
class TfrSelectFiles;
class TfrSelectWhere;
class TfrWelcome;

// One page of the wizard: its frame (owned by the wizard's page area), the
// header texts and the help context (0: none).
struct TWizardScreen {
  QWidget* Page;
  tText TitleText;
  tText DescriptionText;
  int HelpContext;
  QString Title;
  QString Description;
};

class TfrmWizard : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmWizard(TDialogs& dialogs, QWidget* parent = nullptr);

  // Sets every text of the window and its pages from the catalogue; run at
  // creation and again whenever the language changes.
  void ApplyTexts();

  const std::vector<TWizardScreen>& Screens() const { return fScreens; }
  int PageIndex() const { return fIndex; }
  // What the pages hold now.
  tWizardChoice Choice() const;

  void btnNextClick();
  void btnBackClick();
  void btnHelpClick();

  // Called with the wizard when the user finishes the last page.
  std::function<void(TfrmWizard&)> OnFinish;
  // Where "Hilfe" sends the current page's help context.
  std::function<void(int context)> ShowHelp;

  QLabel* lblTitle;
  QLabel* imgHeader;
  QPlainTextEdit* memoDescription;
  QStackedWidget* pnlPages;
  QPushButton* btnBack;
  QPushButton* btnNext;
  QPushButton* btnCancel;
  QPushButton* btnHelp;

  TfrWelcome* frWelcome;
  TfrSelectFiles* frSelectFiles;
  TfrSelectFields* frSelectFields;
  TfrSelectWhere* frSelectWhere;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void AddScreen(QWidget* page, tText title, tText description, int helpContext);
  void ShowScreen(int index);
  int LastIndex() const { return static_cast<int>(fScreens.size()) - 1; }
  // The caption of the forward button for the current page.
  void SetNextCaption();

  std::vector<TWizardScreen> fScreens;
  int fIndex = 0;
  QString fNextCaption;  // "Vorwärts >" as the window was shown
};

}  // namespace orvalis
