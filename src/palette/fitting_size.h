// The size a text takes to fit a box: the largest of a range of sizes whose width fits.
#pragma once

#include <functional>

namespace quillaro {

// Sizes from `largest` down to `smallest` points, `step` apart.
struct SizeRange {
    double largest;
    double smallest;
    double step;
};

// The largest size of `range` at which `measure` (the text's width in pixels at a size) is at
// most `width`, widths growing with the size; the smallest when none fits. Each size measured is
// a font the system makes and keeps (under Wine 75 KiB or more each, with its glyphs), so few
// are: the largest, then the size whose width should just fit, then its neighbours only until
// the answer is certain.
double fitting_points(const SizeRange& range, int width, const std::function<int(double)>& measure);

}  // namespace quillaro
