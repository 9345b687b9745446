#include "palette/screen_place.h"

#include <algorithm>
#include <cstdint>

namespace quillaro {
namespace {

int64_t overlap(const PixelRect& a, const PixelRect& b) {
    const int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance between the two rectangles' nearest points; 0 when they touch or overlap.
int64_t gap(const PixelRect& a, const PixelRect& b) {
    const int64_t dx = std::max({int64_t{0}, int64_t{b.left} - a.right, int64_t{a.left} - b.right});
    const int64_t dy = std::max({int64_t{0}, int64_t{b.top} - a.bottom, int64_t{a.top} - b.bottom});
    return dx * dx + dy * dy;
}

bool contains(const PixelRect& area, const PixelRect& window) {
    return window.left >= area.left && window.top >= area.top && window.right <= area.right &&
           window.bottom <= area.bottom;
}

// The shift along one axis that brings [low, high) inside [first, last), the start first.
int shift_into(int low, int high, int first, int last) {
    if (high > last) return std::max(first, last - (high - low)) - low;
    if (low < first) return first - low;
    return 0;
}

}  // namespace

PixelRect place_on_screen(const PixelRect& window, std::span<const PixelRect> work_areas) {
    if (work_areas.empty()) return window;
    if (std::any_of(work_areas.begin(), work_areas.end(),
                    [&](const PixelRect& area) { return contains(area, window); })) {
        return window;
    }
    const auto best = std::min_element(work_areas.begin(), work_areas.end(),
                                       [&](const PixelRect& a, const PixelRect& b) {
                                           const int64_t overlap_a = overlap(a, window);
                                           const int64_t overlap_b = overlap(b, window);
                                           if (overlap_a != overlap_b) return overlap_a > overlap_b;
                                           return gap(a, window) < gap(b, window);
                                       });
    const int dx = shift_into(window.left, window.right, best->left, best->right);
    const int dy = shift_into(window.top, window.bottom, best->top, best->bottom);
    return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

PixelRect place_tip(int x, int y, int cursor_height, int width, int height,
                    const PixelRect& work_area) {
    // Below the cursor's hot spot by most of its height, clear of the arrow's tail.
    int top = y + cursor_height * 3 / 4;
    if (top + height > work_area.bottom) top = y - height;
    top = std::max(top, work_area.top);
    const int left = std::max(work_area.left, std::min(x, work_area.right - width));
    return {left, top, left + width, top + height};
}

}  // namespace quillaro
