#include "palette/fitting_size.h"

#include <algorithm>
#include <cmath>

namespace quillaro {

double fitting_points(const SizeRange& range, int width,
                      const std::function<int(double)>& measure) {
    const int widest = measure(range.largest);
    if (widest <= width) return range.largest;
    constexpr double kSlack = 1e-9;  // a division that should come out whole may fall short
    const int steps =
        static_cast<int>(std::floor((range.largest - range.smallest) / range.step + kSlack));
    if (steps <= 0) return range.largest;
    const auto points = [&](int step) { return range.largest - step * range.step; };
    const auto fits = [&](int step) { return measure(points(step)) <= width; };
    // Where the width would just fit if it grew in proportion to the size, to the nearest step:
    // rounding to whole pixels makes a text stray a little from that either way.
    const double in_proportion = range.largest * std::max(0, width) / widest;
    int step = std::clamp(
        static_cast<int>(std::lround((range.largest - in_proportion) / range.step)), 1, steps);
    if (fits(step)) {
        while (step > 1 && fits(step - 1)) --step;
        return points(step);
    }
    while (step < steps) {
        ++step;
        if (step == steps || fits(step)) break;
    }
    return points(step);
}

}  // namespace quillaro
