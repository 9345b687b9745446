#include "palette/fitting_size.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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
    SizeRange sizes;
    int width;
    int (*measure)(double);
    double expected;
    std::vector<double> measured;
};

TEST(FittingSize, TakesTheLargestSizeThatFitsAndMeasuresFewSizes) {
    const Case cases[] = {
        {"fits at the largest", kCaptionSizes, 60, in_proportion, 7.5, {7.5}},
        {"fits two steps down", kCaptionSizes, 50, in_proportion, 6.0, {7.5, 6.0, 6.75}},
        {"fits exactly two steps down", kCaptionSizes, 48, in_proportion, 6.0, {7.5, 6.0, 6.75}},
        {"wider than in proportion: a step down",
         kCaptionSizes,
         50,
         wider_when_small,
         5.25,
         {7.5, 6.0, 5.25}},
        {"narrower than in proportion: a step up",
         kCaptionSizes,
         50,
         narrower_when_small,
         6.75,
         {7.5, 6.0, 6.75}},
        {"fits nowhere: the smallest", kCaptionSizes, 10, in_proportion, 4.5, {7.5, 4.5}},
        {"a box of no width", kCaptionSizes, 0, in_proportion, 4.5, {7.5, 4.5}},
        {"a negative width", kCaptionSizes, -5, in_proportion, 4.5, {7.5, 4.5}},
        {"the page label's sizes", {12.0, 6.0, 0.75}, 76, in_proportion, 9.0, {12.0, 9.75, 9.0}},
        {"a range of one size", {9.0, 9.0, 0.75}, 10, in_proportion, 9.0, {9.0}},
    };
    for (const Case& c : cases) {
        std::vector<double> measured;
        const double points = fitting_points(c.sizes, c.width, [&](double size) {
            measured.push_back(size);
            return c.measure(size);
        });
        EXPECT_DOUBLE_EQ(points, c.expected) << c.what;
        EXPECT_EQ(measured, c.measured) << c.what;
    }
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
