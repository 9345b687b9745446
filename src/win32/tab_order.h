// The palette's own focus order for Tab and Shift+Tab: the layout's tab indexes, skipping
// disabled controls, round and round.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace quillaro::win32 {

class TabOrder {
  public:
    // `control` takes the focus at `tab_index` in the order; added in any order.
    void add(int tab_index, HWND control);
    // Moves the focus to the next enabled control; true when `message` was a Tab for a
    // window of `owner`.
    bool handle(HWND owner, const MSG& message) const;

  private:
    std::vector<std::pair<int, HWND>> controls_;  // sorted by tab index
};

}  // namespace quillaro::win32
