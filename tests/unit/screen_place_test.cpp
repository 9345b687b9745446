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

struct TipCase {
    const char* what;
    int x;
    int y;
    PixelRect expected;
};

TEST(ScreenPlace, ATipStandsUnderThePointerAndStaysWhollyOnItsWorkArea) {
    // The right monitor's work area; a cursor 32 pixels tall; a tip 200 by 40.
    const PixelRect work = kTwoMonitors[1];
    const TipCase cases[] = {
        {"room below", 1500, 300, {1500, 324, 1700, 364}},
        {"at the bottom: above the pointer", 1500, 850, {1500, 810, 1700, 850}},
        {"at the right edge: moved in", 3100, 300, {3000, 324, 3200, 364}},
        {"in the bottom-right corner", 3150, 870, {3000, 830, 3200, 870}},
        {"left of the work area (a task bar on the left)", 1270, 300, {1280, 324, 1480, 364}},
        {"near the top", 1500, -200, {1500, -176, 1700, -136}},
    };
    for (const TipCase& c : cases) {
        EXPECT_EQ(place_tip(c.x, c.y, 32, 200, 40, work), c.expected) << c.what;
    }
}

TEST(ScreenPlace, ATipLargerThanItsWorkAreaKeepsItsCornerOnIt) {
    const PixelRect work = {0, 0, 300, 50};
    EXPECT_EQ(place_tip(10, 30, 32, 400, 60, work), (PixelRect{0, 0, 400, 60}));
}

}  // namespace
}  // namespace quillaro
