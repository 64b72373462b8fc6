// Help requests of the windows; see help_link.h.
#include "ui/help_link.h"

namespace orvalis {

void ShowHelpContext(QWidget* /*from*/, int /*context*/) {}

}  // namespace orvalis
