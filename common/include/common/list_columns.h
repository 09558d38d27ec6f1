// List boxes that are the columns of one list, row i of each belonging to entry i: they scroll
// together, so every column always shows the same rows, whichever of them the wheel, a scroll
// bar, the keys or a selection moved.
#pragma once

#include <vector>

namespace common {

class Window;

// Ties the window's list boxes with these ids together until the window closes. Lists that are
// missing are left out. When one of them needs a horizontal scroll bar, all show one, so their
// rows keep lining up to the last.
void scroll_lists_together(Window& window, const std::vector<int>& list_ids);

}  // namespace common
