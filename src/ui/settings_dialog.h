// The settings dialog "Programmeinstellungen": pages "Anzeige", "Optionen"
// and "Ergebnisanzeige", filled from the settings on every opening and
// written back on "OK" in a fixed order.
#pragma once

#include "engine/settings.h"

#include <QDialog>
#include <QFont>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace orvalis {

// The installed font that is drawn for font (its family resolved through the
// font substitution), with font's size and style hint.
QFont ResolvedFont(const QFont& font);

class TActionsPage;

class TfrmSettings : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSettings(QWidget* parent = nullptr);

  // Fills the controls; the fonts are those of the two panes.
  void Fill(const tSettings& settings, bool saveOnExit, const QFont& queryFont,
            const QFont& resultFont);
  // Writes the controls back in the order of "OK". An unusable hit limit
  // stops there: what came before is taken over, what comes after is not,
  // and the message for the user is returned.
  std::optional<QString> TakeOver(tSettings& settings, bool& saveOnExit) const;

  // What the font buttons would choose, for callers without a font dialog.
  void ChooseQueryFont(const QFont& font) { fChosenQueryFont = font; }
  void ChooseResultFont(const QFont& font) { fChosenResultFont = font; }

  QTabWidget* Pages() const { return fPages; }
  QComboBox* comboThumbSize;
  QCheckBox* chkSaveSettings;
  QCheckBox* chkGeneratePreview;
  QCheckBox* chkUseNullText;
  QLineEdit* edtNullText;
  QCheckBox* chkDontAskOnExit;
  QCheckBox* chkEnforceRefinement;
  QLineEdit* edtRefinementLimit;
  QCheckBox* chkStrDelimDoubleQuote;
  QCheckBox* chkRunWizard;
  QRadioButton* rbViewerWindows;
  QRadioButton* rbViewerInternal;
  QRadioButton* rbViewerUser;
  QLineEdit* edtViewerAppname;
  QLineEdit* edtViewerParams;
  QCheckBox* chkTurnByOrientation;
  TActionsPage* pgActions;

 private:
  void UpdateViewerFields();
  void ChooseFont(std::optional<QFont>& chosen, const QFont& paneFont);

  QTabWidget* fPages;
  QLabel* fLblViewerAppname;
  QLabel* fLblViewerParams;
  QFont fQueryPaneFont;
  QFont fResultPaneFont;
  std::optional<QFont> fChosenQueryFont;
  std::optional<QFont> fChosenResultFont;
};

}  // namespace orvalis
