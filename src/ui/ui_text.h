// Catalogue texts for the windows.
#pragma once

#include "i18n/catalogue.h"

#include <QString>

namespace orvalis {

// Form 1 look-up of a catalogue entry as a window text.
inline QString Ui(tText text) { return QString::fromStdString(Text(text)); }

}  // namespace orvalis
