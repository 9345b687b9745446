// Where every control of the palette stands, in twips (1440 per inch; 15 per pixel at 96 dpi).
#pragma once

#include <cstdint>
#include <vector>

#include "palette/pixel_rect.h"

namespace quillaro {

// Control IDs are also the contract for the end-to-end tests.
inline constexpr int kFirstKeyId = 1000;          // + index 0..45
inline constexpr int kFirstGroupButtonId = 1100;  // + index 0..15
inline constexpr int kPageUpButtonId = 1200;
inline constexpr int kPageDownButtonId = 1201;
inline constexpr int kPageLabelId = 1202;
inline constexpr int kPreviewId = 1203;
inline constexpr int kMoreButtonId = 1204;
inline constexpr int kAboutButtonId = 1205;

inline constexpr int kPaletteClientWidth = 5640;
inline constexpr int kPaletteClientHeight = 2160;

enum class ControlKind : uint8_t { KeyButton, GroupButton, Button, Label, TextBox };

enum class FontFace : uint8_t {
    Mingliu,        // 新細明體, Big5 character set
    UiSans,         // the system's sans-serif UI face, default character set
    WindowDefault,  // the window's default font
};

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

struct ControlPlacement {
    int id;
    ControlKind kind;
    Twips rect;
    FontFace face;
    double points;  // the font's size; 0 with FontFace::WindowDefault, the default font's own
    int tab_index;  // -1: takes no focus
};

// Every control of the palette, topmost first where controls overlap.
const std::vector<ControlPlacement>& palette_layout();
// The palette's control of this ID; the program never asks for an ID the layout lacks.
const ControlPlacement& palette_control(int id);

// What a control of the palette is for, decoded from its ID once for every caller.
enum class Role : std::uint8_t {
    None,
    Key,
    Group,
    PageUp,
    PageDown,
    PageLabel,
    Preview,
    More,
    About
};
struct ControlRole {
    Role role = Role::None;
    int16_t index = 0;  // of the key or group button; 0 for the others
    friend bool operator==(const ControlRole&, const ControlRole&) = default;
};
ControlRole control_role(int id);

// Twips to pixels at `dpi`, rounded to the nearest pixel.
constexpr int twips_to_pixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

// A control's place in client pixels, edges rounded one by one, so that neighbours that share
// a border line in twips still share one in pixels.
constexpr PixelRect to_pixels(const Twips& rect, int dpi) {
    return {twips_to_pixels(rect.left, dpi), twips_to_pixels(rect.top, dpi),
            twips_to_pixels(rect.left + rect.width, dpi),
            twips_to_pixels(rect.top + rect.height, dpi)};
}

// The about window: its client area, its text box and its OK button.
inline constexpr int kAboutClientWidth = 5760;
inline constexpr int kAboutClientHeight = 4110;
inline constexpr int kAboutTextBoxId = 1300;
inline constexpr int kOkButtonId = 1301;
inline constexpr ControlPlacement kAboutTextBox{
    kAboutTextBoxId, ControlKind::TextBox, {240, 120, 5175, 3375}, FontFace::WindowDefault, 0.0, 0};
inline constexpr ControlPlacement kOkButton{
    kOkButtonId, ControlKind::Button, {2040, 3600, 1455, 375}, FontFace::Mingliu, 14.25, 1};

}  // namespace quillaro
