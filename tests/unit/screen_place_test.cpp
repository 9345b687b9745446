#include "palette/screen_place.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillaro {
namespace {

// Two monitors side by side, the right one at 1.5x and above the left one's top; the left one
// has a task bar 40 pixels high at its bottom.
const std::vector<PixelRect> kTwoMonitors = {{0, 0, 1280, 984}, {1280, -200, 3200, 880}};

struct Case {
    const char* what;
    PixelRect window;
    PixelRect expected;
};

TEST(ScreenPlace, KeepsWhatIsWhollyOnAMonitorAndMovesTheRestTheShortestWay) {
    const Case cases[] = {
        {"wholly on the left monitor", {371, 463, 771, 643}, {371, 463, 771, 643}},
        {"wholly on the right monitor, above the left's top",
         {2000, -150, 2400, 30},
         {2000, -150, 2400, 30}},
        {"touching the work area's edges", {880, 804, 1280, 984}, {880, 804, 1280, 984}},
        {"under the task bar", {100, 900, 500, 1080}, {100, 804, 500, 984}},
        {"half off the left edge", {-200, 100, 200, 280}, {0, 100, 400, 280}},
        {"across both monitors, mostly on the right",
         {1200, 100, 1600, 280},
         {1280, 100, 1680, 280}},
        {"across both monitors, mostly on the left", {1000, 100, 1400, 280}, {880, 100, 1280, 280}},
        {"far off to the right (a monitor unplugged)",
         {5000, 300, 5400, 480},
         {2800, 300, 3200, 480}},
        {"far below both", {100, 4000, 500, 4180}, {100, 804, 500, 984}},
        {"far up and left", {-3000, -3000, -2600, -2820}, {0, 0, 400, 180}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(place_on_screen(c.window, kTwoMonitors), c.expected) << c.what;
    }
}

TEST(ScreenPlace, AWindowLargerThanTheWorkAreaKeepsItsCornerOnIt) {
    const std::vector<PixelRect> small = {{0, 0, 300, 200}};
    EXPECT_EQ(place_on_screen({50, 50, 450, 280}, small), (PixelRect{0, 0, 400, 230}));
}

TEST(ScreenPlace, NoMonitorsLeavesTheWindowAlone) {
    EXPECT_EQ(place_on_screen({-9000, 10, -8600, 190}, {}), (PixelRect{-9000, 10, -8600, 190}));
}

}  // namespace
}  // namespace quillaro
