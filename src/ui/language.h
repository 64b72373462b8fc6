// The program's language in the windows: the translator of the whole run,
// the switch to another language, and how a window takes part.
//
// A window sets each of its texts through Caption, Hint or OnLanguage. The
// text is set at once from the catalogue and again after every language
// switch, for as long as the control lives:
//
//   btnOK = Caption(buttons->addButton(QString(), QDialogButtonBox::AcceptRole),
//                   tText::frmExport_btnOK_caption);
//   OnLanguage(fPages, [this] { fPages->setTabText(0, Ui(tText::frmSettings_tsDisplay_caption));
//   });
//
// and calls TranslateWindow(*this) once in its constructor, so the language
// file's section for the window (named after its objectName) also places and
// sizes it and its controls.
#pragma once

#include "i18n/catalogue.h"
#include "i18n/localizer.h"
#include "ui/ui_text.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace orvalis {

class TLanguage : public QObject {
  Q_OBJECT

 public:
  static TLanguage& Instance();

  // The translator in use; null until one is installed (the texts are then
  // the built-in German ones).
  TLocalizerClass* Localizer() const { return fLocalizer.get(); }
  // Makes localizer the program's translator: its file answers every
  // catalogue look-up, Qt's own dialogs follow its language, and every
  // window is translated again. Null goes back to the built-in texts.
  void Install(std::unique_ptr<TLocalizerClass> localizer);
  // Switches to a language listed by the translator and translates every
  // window again. False when no file could be opened for it (the built-in
  // texts are shown then).
  bool Switch(const QString& displayName);
  // The language of the texts in use in lower case, "-" before a region
  // ("en", "pt-br"); the built-in language without a language file.
  QString LanguageTag() const;

 signals:
  // Every window sets its texts again.
  void Switched();

 private:
  TLanguage() = default;
  std::unique_ptr<TLocalizerClass> fLocalizer;
};

// The translator at start-up: the locale is the /LCID:n option when given,
// else the system's; the language folder is "lang/" beside the program.
std::unique_ptr<TLocalizerClass> StartupLocalizer(const QStringList& arguments);

// Calls setTexts now and after every language switch while context lives.
void OnLanguage(QObject* context, std::function<void()> setTexts);

// Sets a control's caption (a window's or wizard page's title, a label's,
// button's, group's, menu's or command's text) or hint (tool tip and status bar text).
void SetCaption(QObject& control, const QString& caption);
void SetHint(QObject& control, const QString& hint);
// A control without a name takes the one of its catalogue key
// ("frmExport.btnOK.caption" names it btnOK), so the language file's
// entries for it find it.
void NameAfter(QObject& control, tText text);

template <class Control>
Control* Caption(Control* control, tText text) {
  NameAfter(*control, text);
  OnLanguage(control, [control, text] { SetCaption(*control, Ui(text)); });
  return control;
}

template <class Control>
Control* Hint(Control* control, tText text) {
  NameAfter(*control, text);
  OnLanguage(control, [control, text] { SetHint(*control, Ui(text)); });
  return control;
}

// Applies the window's section of the language file now and after every
// switch: top, left, width and height of the window ("self") and of its
// controls found by name. Texts come through the catalogue only.
void TranslateWindow(QWidget& window);

}  // namespace orvalis
