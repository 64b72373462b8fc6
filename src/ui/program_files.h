// Files the program reads from beside itself (help pages, language files,
// the field list): found relative to the program's own location, so the same
// binary works from the build folder and from an installation.
#pragma once

#include <QString>

namespace orvalis {

// The first of "<program folder>/<relative>" and
// "<program folder>/../share/orvalis/<relative>" that exists; the first one
// when neither does.
QString ProgramFile(const QString& relative);

}  // namespace orvalis
