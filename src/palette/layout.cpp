#include "palette/layout.h"

#include <algorithm>
#include <array>

#include "palette/palette.h"

namespace quillaro {
namespace {

// Focus order of the group buttons, column by column from the bottom left.
constexpr std::array<int, 16> kGroupTabOrder = {15, 12, 9,  6,  3, 14, 11, 8,
                                                5,  2,  13, 10, 7, 4,  1,  0};

int group_tab_index(int group) {
    const auto* found = std::find(kGroupTabOrder.begin(), kGroupTabOrder.end(), group);
    return found == kGroupTabOrder.end() ? -1
                                         : 1 + static_cast<int>(found - kGroupTabOrder.begin());
}

std::vector<ControlPlacement> build_layout() {
    std::vector<ControlPlacement> controls;
    // about_button lies over more_button; every button lies over the page label.
    controls.push_back({kAboutButtonId,
                        ControlKind::Button,
                        {5040, 1800, 615, 375},
                        FontFace::WindowDefault,
                        0.0,
                        65});
    controls.push_back(
        {kMoreButtonId, ControlKind::Button, {4440, 1800, 735, 375}, FontFace::UiSans, 12.0, 0});
    for (int i = 0; i < 16; ++i) {
        controls.push_back({kFirstGroupButtonId + i,
                            ControlKind::GroupButton,
                            {3840 + 600 * (i % 3), 360 * (i / 3), 615, 375},
                            FontFace::Mingliu,
                            11.25,
                            group_tab_index(i)});
    }
    for (int i = 0; i < 46; ++i) {
        const int row = i < 6 ? 0 : 1 + (i - 6) / 10;
        const int column = i < 6 ? i : (i - 6) % 10;
        controls.push_back({kFirstKeyId + i,
                            ControlKind::KeyButton,
                            {360 * column, 360 * row, 375, 375},
                            FontFace::Mingliu,
                            12.0,
                            17 + i});
    }
    controls.push_back(
        {kPageUpButtonId, ControlKind::Button, {2160, 0, 615, 375}, FontFace::Mingliu, 11.25, 63});
    controls.push_back({kPageDownButtonId,
                        ControlKind::Button,
                        {2760, 0, 615, 375},
                        FontFace::Mingliu,
                        11.25,
                        64});
    controls.push_back(
        {kPreviewId, ControlKind::TextBox, {0, 1800, 3615, 375}, FontFace::Mingliu, 11.25, 66});
    controls.push_back(
        {kPageLabelId, ControlKind::Label, {3360, 0, 615, 375}, FontFace::Mingliu, 11.25, -1});
    return controls;
}

}  // namespace

const std::vector<ControlPlacement>& palette_layout() {
    static const std::vector<ControlPlacement> layout = build_layout();
    return layout;
}

const ControlPlacement& palette_control(int id) {
    const auto& layout = palette_layout();
    return *std::find_if(layout.begin(), layout.end(),
                         [id](const ControlPlacement& control) { return control.id == id; });
}

ControlRole control_role(int id) {
    if (id >= kFirstKeyId && id < kFirstKeyId + kKeysPerPage) {
        return {Role::Key, static_cast<int16_t>(id - kFirstKeyId)};
    }
    if (id >= kFirstGroupButtonId && id < kFirstGroupButtonId + kGroupButtons) {
        return {Role::Group, static_cast<int16_t>(id - kFirstGroupButtonId)};
    }
    switch (id) {
        case kPageUpButtonId:
            return {Role::PageUp};
        case kPageDownButtonId:
            return {Role::PageDown};
        case kPageLabelId:
            return {Role::PageLabel};
        case kPreviewId:
            return {Role::Preview};
        case kMoreButtonId:
            return {Role::More};
        case kAboutButtonId:
            return {Role::About};
        default:
            return {};
    }
}

}  // namespace quillaro
