#include "palette/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace quillaro {
namespace {

std::map<int, ControlPlacement> by_id() {
    std::map<int, ControlPlacement> controls;
    for (const auto& placement : palette_layout()) controls.emplace(placement.id, placement);
    return controls;
}

TEST(Layout, EveryControlOnceWithItsPlace) {
    const auto controls = by_id();
    ASSERT_EQ(controls.size(), 46U + 16U + 6U);
    ASSERT_EQ(palette_layout().size(), controls.size());

    struct Expected {
        int id;
        Twips rect;
    };
    const Expected fixed[] = {
        {kPageUpButtonId, {2160, 0, 615, 375}},
        {kPageDownButtonId, {2760, 0, 615, 375}},
        {kPageLabelId, {3360, 0, 615, 375}},
        {kPreviewId, {0, 1800, 3615, 375}},
        {kMoreButtonId, {4440, 1800, 735, 375}},
        {kAboutButtonId, {5040, 1800, 615, 375}},
        {kFirstKeyId + 5, {1800, 0, 375, 375}},
        {kFirstKeyId + 6, {0, 360, 375, 375}},
        {kFirstKeyId + 15, {3240, 360, 375, 375}},
        {kFirstKeyId + 45, {3240, 1440, 375, 375}},
        {kFirstGroupButtonId + 0, {3840, 0, 615, 375}},
        {kFirstGroupButtonId + 14, {5040, 1440, 615, 375}},
        {kFirstGroupButtonId + 15, {3840, 1800, 615, 375}},
    };
    for (const auto& expected : fixed) {
        const Twips& r = controls.at(expected.id).rect;
        EXPECT_EQ(std::tie(r.left, r.top, r.width, r.height),
                  std::tie(expected.rect.left, expected.rect.top, expected.rect.width,
                           expected.rect.height))
            << expected.id;
    }
    // Rows of keys at a pitch of 360: neighbours share one border line.
    for (int i = 0; i < 46; ++i) {
        const Twips& r = controls.at(kFirstKeyId + i).rect;
        EXPECT_EQ(r.left % 360, 0);
        EXPECT_EQ(r.top, i < 6 ? 0 : 360 * (1 + (i - 6) / 10)) << i;
    }
    EXPECT_EQ(controls.at(kFirstGroupButtonId + 14).rect.left + 615,
              5655);  // one pixel past the edge
}

TEST(Layout, FocusOrder) {
    std::map<int, int> tab;  // tab index -> id
    for (const auto& placement : palette_layout()) {
        if (placement.tab_index >= 0) {
            EXPECT_TRUE(tab.emplace(placement.tab_index, placement.id).second);
        }
    }
    ASSERT_EQ(tab.size(), 67U);
    EXPECT_EQ(tab.begin()->first, 0);
    EXPECT_EQ(tab.rbegin()->first, 66);
    EXPECT_EQ(tab.at(0), kMoreButtonId);
    EXPECT_EQ(tab.at(1), kFirstGroupButtonId + 15);
    EXPECT_EQ(tab.at(5), kFirstGroupButtonId + 3);
    EXPECT_EQ(tab.at(16), kFirstGroupButtonId + 0);
    EXPECT_EQ(tab.at(17), kFirstKeyId + 0);
    EXPECT_EQ(tab.at(62), kFirstKeyId + 45);
    EXPECT_EQ(tab.at(63), kPageUpButtonId);
    EXPECT_EQ(tab.at(66), kPreviewId);
    EXPECT_EQ(by_id().at(kPageLabelId).tab_index, -1);
}

TEST(Layout, OverlapsStackAboutOverMoreAndButtonsOverTheLabel) {
    const auto& layout = palette_layout();
    auto position = [&](int id) {
        return std::find_if(layout.begin(), layout.end(),
                            [id](const ControlPlacement& p) { return p.id == id; }) -
               layout.begin();
    };
    EXPECT_LT(position(kAboutButtonId), position(kMoreButtonId));
    EXPECT_LT(position(kFirstGroupButtonId), position(kPageLabelId));
    EXPECT_EQ(position(kPageLabelId), static_cast<long>(layout.size()) - 1);
}

TEST(Layout, TwipsBecomePixelsAtTheWindowDpi) {
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    const Case cases[] = {{5640, 96, 376},  {2160, 96, 144}, {375, 96, 25},    {360, 96, 24},
                          {5640, 144, 564}, {375, 144, 38},  {5640, 192, 752}, {375, 120, 31}};
    for (const auto& c : cases) {
        EXPECT_EQ(twips_to_pixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

TEST(Layout, ControlRoleDecodesEveryId) {
    struct Case {
        int id;
        ControlRole role;
    };
    const Case cases[] = {
        {kFirstKeyId, {Role::Key, 0}},
        {kFirstKeyId + 45, {Role::Key, 45}},
        {kFirstKeyId + 46, {}},  // past the last key, before the first group button
        {kFirstKeyId - 1, {}},
        {kFirstGroupButtonId, {Role::Group, 0}},
        {kFirstGroupButtonId + 15, {Role::Group, 15}},
        {kFirstGroupButtonId + 16, {}},
        {kPageUpButtonId, {Role::PageUp}},
        {kPageDownButtonId, {Role::PageDown}},
        {kPageLabelId, {Role::PageLabel}},
        {kPreviewId, {Role::Preview}},
        {kMoreButtonId, {Role::More}},
        {kAboutButtonId, {Role::About}},
        {kOkButtonId, {}},  // the about window's
        {0, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(control_role(c.id), c.role) << c.id;
    // Every control of the layout has a role, and no two share one.
    std::set<std::pair<Role, int16_t>> seen;
    for (const auto& placement : palette_layout()) {
        const ControlRole role = control_role(placement.id);
        EXPECT_NE(role.role, Role::None) << placement.id;
        EXPECT_TRUE(seen.emplace(role.role, role.index).second) << placement.id;
    }
}

}  // namespace
}  // namespace quillaro
