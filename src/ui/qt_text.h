// Core byte strings as the windows show and use them, and back.
#pragma once

#include <QString>

#include <string>

namespace orvalis {

// Text of a core byte string for the windows (see ToDisplayUtf8).
QString DisplayText(const std::string& bytes);

// A path of the core as Qt names the file.
QString LocalPath(const std::string& path);

// A core text for a text editor: its lines, whether they end in CR LF, CR
// or LF, end in LF.
QString EditorText(const std::string& bytes);

// An editor's text as the core counts on it: every line ends in CR LF.
std::string WithCrLf(const QString& text);

}  // namespace orvalis
