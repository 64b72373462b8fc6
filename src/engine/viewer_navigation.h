// Stepping through the result list in the full-screen viewer: with nothing
// selected every item in turn, else only the selected ones, wrapping around.
#pragma once

#include <vector>

namespace orvalis {

// selected holds one flag per result item. The index of the item after
// current (Next) or before it (Previous); current itself when the list is empty.
int NextViewerIndex(int current, const std::vector<bool>& selected);
int PreviousViewerIndex(int current, const std::vector<bool>& selected);

}  // namespace orvalis
