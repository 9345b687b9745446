#include "win32/tab_order.h"

#include <algorithm>

namespace quillaro::win32 {

void TabOrder::add(int tab_index, HWND control) {
    const std::pair<int, HWND> entry{tab_index, control};
    const auto by_index = [](const auto& a, const auto& b) { return a.first < b.first; };
    controls_.insert(std::upper_bound(controls_.begin(), controls_.end(), entry, by_index), entry);
}

bool TabOrder::handle(HWND owner, const MSG& message) const {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (message.hwnd != owner && IsChild(owner, message.hwnd) == FALSE) return false;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const auto count = static_cast<int>(controls_.size());
    HWND focus = GetFocus();
    const auto current = std::find_if(controls_.begin(), controls_.end(),
                                      [focus](const auto& entry) { return entry.second == focus; });
    int index = current == controls_.end() ? (backwards ? 0 : -1)
                                           : static_cast<int>(current - controls_.begin());
    for (int step = 0; step < count; ++step) {
        index = (index + (backwards ? count - 1 : 1)) % count;
        HWND next = controls_[static_cast<size_t>(index)].second;
        if (IsWindowEnabled(next) != FALSE) {
            SetFocus(next);
            break;
        }
    }
    return true;
}

}  // namespace quillaro::win32
