// Help for the windows: a window or menu with a help page carries its
// context number as the property kHelpContext; its "Hilfe" opens that page.
// The help log notes what went wrong around help and program starts when
// the program runs in debug mode.
#pragma once

#include <QString>

namespace orvalis {

inline constexpr char kHelpContext[] = "helpContext";

// Opens the help file at the page of context (the file maps numbers to pages).
void ShowHelpContext(int context);

// The help log "HHDebug.txt": beside the program (else in the temporary
// folder) when the program folder holds "debug.debug" or the program was
// started with /debug or -debug; empty when the log is off.
QString& HelpLogFile();

// Appends one line to the help log: "-" or "=" alone become a rule of 80,
// a leading "!", "-" or "=" is dropped, any other text gets three blanks
// and the time. The log is written whole and renamed into place.
void AppendHelpLog(const QString& text);

}  // namespace orvalis
