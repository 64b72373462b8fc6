// The one way a window asks for the help page of a help context number.
// The help window is not part of the program yet; until it is, a request
// opens nothing, and the windows already pass the right numbers.
#pragma once

class QWidget;

namespace orvalis {

void ShowHelpContext(QWidget* from, int context);

}  // namespace orvalis
