#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "palette/key_grid.h"
#include "symbols/key_table.h"

namespace quillaro {
namespace {

// Row 0 holds keys 0 to 5 (the paging buttons stand beside them), rows 1 to 4 ten keys each.
TEST(KeyGrid, StepsFollowTheRowsAndColumnsAndStopAtTheEdges) {
    struct Step {
        int16_t from;
        KeyStep step;
        int16_t to;
    };
    const std::vector<Step> steps = {
        {0, KeyStep::Right, 1}, {5, KeyStep::Right, 5},   {0, KeyStep::Left, 0},
        {6, KeyStep::Left, 6},  {15, KeyStep::Right, 15}, {0, KeyStep::Down, 6},
        {6, KeyStep::Up, 0},    {11, KeyStep::Up, 5},     {12, KeyStep::Up, 12},
        {6, KeyStep::Down, 16}, {36, KeyStep::Down, 36},  {45, KeyStep::Down, 45},
        {0, KeyStep::Up, 0},    {20, KeyStep::First, 0},  {3, KeyStep::Last, 45},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(key_after_step(step.from, step.step), step.to) << step.from;
    }
}

// Right to the end of each row, then down to the next row's first key: every key once.
TEST(KeyGrid, ARowByRowWalkReachesEveryKey) {
    std::set<int16_t> seen{0};
    int16_t key = 0;
    int16_t row_start = 0;
    for (;;) {
        const int16_t right = key_after_step(key, KeyStep::Right);
        if (right != key) {
            key = right;
        } else {
            const int16_t down = key_after_step(row_start, KeyStep::Down);
            if (down == row_start) break;
            key = row_start = down;
        }
        EXPECT_TRUE(seen.insert(key).second) << key;
    }
    EXPECT_EQ(seen.size(), size_t{kKeysPerPage});
}

}  // namespace
}  // namespace quillaro
