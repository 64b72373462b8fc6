// Turning command templates into what is started: the shell command of
// "Befehl ausführen" with the file name quoted for its place, the argument
// lists of user actions and of the user viewer, and the text of a captured
// shortcut. A file name is always data here, never syntax.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// The command for "/bin/sh -c": every "$filename" (exactly this lower-case
// form) becomes the path quoted for where it stands: bare, inside '...' or
// inside "...". Whatever the path holds (blanks, quotes, ";", "$( )",
// backquotes, line breaks), the shell sees it as one word of plain text.
std::string ShellCommandFor(std::string_view command, std::string_view path);

// Splits a parameter text into arguments at blanks and tabs; "..." and '...'
// keep blanks inside an argument and are removed. An unclosed quote runs to
// the end of the text.
std::vector<std::string> SplitParameters(std::string_view text);

// The arguments of a user action for one file: the parameter template is
// split first, then in each argument every "$FILENAME" (any letter case)
// becomes fileName, and every "$FILELIST" the hits each in double quotes,
// joined by ", ". An argument that is exactly "$FILELIST" becomes one
// argument per hit. Inserted text is not searched again.
std::vector<std::string> ActionArguments(std::string_view cmdLine, const std::string& fileName,
                                         const std::vector<std::string>& resultSet);

// The arguments of the user viewer: the template lower-cased as a whole,
// split, and every "$filename" replaced by fileName (which keeps its case).
std::vector<std::string> ViewerArguments(std::string_view paramTemplate,
                                         const std::string& fileName);

// The text the shortcut field shows for a key press: "SHIFT", "CTRL", "ALT"
// as held, joined by "+", then "+" and the key's character. Only keys with
// codes 0x30-0x3B, 0x41-0x5A and 0x61-0x7A count; nothing for the others.
std::optional<std::string> ShortcutCaptureText(int keyCode, bool shift, bool ctrl, bool alt);

// Every occurrence of placeholder (ASCII letters compared without regard to
// case) replaced by replacement; the inserted text is not searched again.
std::string ReplaceIgnoringCase(std::string_view text, std::string_view placeholder,
                                std::string_view replacement);

}  // namespace orvalis
