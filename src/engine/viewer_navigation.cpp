// The viewer's Next and Previous rules.
#include "engine/viewer_navigation.h"

#include <algorithm>

namespace orvalis {

namespace {

bool AnySelected(const std::vector<bool>& selected) {
  return std::find(selected.begin(), selected.end(), true) != selected.end();
}

}  // namespace

int NextViewerIndex(int current, const std::vector<bool>& selected) {
  const int count = static_cast<int>(selected.size());
  if (count == 0) return current;
  const auto isSelected = [&](int index) { return selected[static_cast<std::size_t>(index)]; };
  int index = current;
  if (!AnySelected(selected)) return index + 1 >= count || index + 1 < 0 ? 0 : index + 1;
  do {
    ++index;
    if (index >= count || index < 0) index = 0;
    while (index < count - 1 && !isSelected(index)) ++index;
  } while (!isSelected(index));
  return index;
}

int PreviousViewerIndex(int current, const std::vector<bool>& selected) {
  const int count = static_cast<int>(selected.size());
  if (count == 0) return current;
  const auto isSelected = [&](int index) { return selected[static_cast<std::size_t>(index)]; };
  int index = current;
  if (!AnySelected(selected)) return index - 1 < 0 || index - 1 >= count ? count - 1 : index - 1;
  do {
    if (index <= 0 || index > count) {
      index = count - 1;
    } else {
      --index;
    }
    while (index > 0 && !isSelected(index)) --index;
    if (!isSelected(index)) index = count - 1;
  } while (!isSelected(index));
  return index;
}

}  // namespace orvalis
