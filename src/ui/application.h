// Program-wide set-up of the desktop program's QApplication.
#pragma once

#include <QString>

namespace orvalis {

// The program's built-in language.
inline constexpr const char* kProgramLanguage = "de";

// Names and organisation (the settings location follows them) and Qt's own
// translations for the program's language. No display name is set: Qt would
// append it to every window title, and each window's title is its own caption.
void SetUpApplication();

// Makes the program's icons (":/icons/...") available; safe to call often.
void LoadIconResources();

// Loads Qt's translations (qtbase_<language>.qm, language as "de" or
// "pt_BR") so Qt's dialogs (font, file, print, message box buttons) speak the
// program's language; they replace the ones loaded before. False when Qt has
// none for the language: its dialogs then speak Qt's own English.
bool InstallQtTranslations(const QString& language);

}  // namespace orvalis
