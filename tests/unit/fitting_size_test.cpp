#include "palette/fitting_size.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quillaro {
namespace {

// The code point captions' sizes: 7.5, 6.75, 6, 5.25 and 4.5 points.
constexpr SizeRange kCaptionSizes{7.5, 4.5, 0.75};

int in_proportion(double points) { return static_cast<int>(std::lround(points * 8)); }
// Rounding to whole pixels that widens the text below 7 points, or narrows it.
int wider_when_small(double points) { return in_proportion(points) + (points < 7 ? 4 : 0); }
int narrower_when_small(double points) { return in_proportion(points) - (points < 7 ? 6 : 0); }

struct Case {
    const char* what;
    int width;
    int (*measure)(double);
    std::vector<double> measured;
};

// Each size measured is a font made: few are, whatever the text's width does.
TEST(FittingSize, MeasuresTheLargestThenTheSizeThatShouldFitAndItsNeighbours) {
    const Case cases[] = {
        {"fits at the largest", 60, in_proportion, {7.5}},
        {"fits two steps down (6)", 50, in_proportion, {7.5, 6.0, 6.75}},
        {"wider than in proportion (5.25)", 50, wider_when_small, {7.5, 6.0, 5.25}},
        {"narrower than in proportion (6.75)", 50, narrower_when_small, {7.5, 6.0, 6.75}},
        {"fits nowhere", 0, in_proportion, {7.5, 4.5}},
    };
    for (const Case& c : cases) {
        std::vector<double> measured;
        fitting_points(kCaptionSizes, c.width, [&](double size) {
            measured.push_back(size);
            return c.measure(size);
        });
        EXPECT_EQ(measured, c.measured) << c.what;
    }
    EXPECT_DOUBLE_EQ(fitting_points({9.0, 9.0, 0.75}, 10, in_proportion), 9.0) << "one size";
}

// Whatever the box, the answer is the one trying every size from the largest down would give.
TEST(FittingSize, AgreesWithTryingEverySize) {
    for (int (*measure)(double) : {in_proportion, wider_when_small, narrower_when_small}) {
        for (int width = -1; width <= 64; ++width) {
            double every_size = kCaptionSizes.largest;
            while (every_size > kCaptionSizes.smallest && measure(every_size) > width) {
                every_size -= kCaptionSizes.step;
            }
            EXPECT_DOUBLE_EQ(fitting_points(kCaptionSizes, width, measure), every_size) << width;
        }
    }
}

}  // namespace
}  // namespace quillaro
