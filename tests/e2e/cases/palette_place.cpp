// The palette opens where the user left it, and always wholly on a monitor.

#include <string>

#include "driver/e2e.h"
#include "driver/saved_place_aside.h"
#include "win32/saved_place.h"

namespace e2e::cases {
namespace {

std::wstring describe(const RECT& rect) {
    return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L" " +
           std::to_wstring(rect.right - rect.left) + L"x" + std::to_wstring(rect.bottom - rect.top);
}

RECT frame_of(const Palette& palette) {
    const auto rect = window_rect(palette.window());
    if (!rect) throw Error("the palette has no place");
    return *rect;
}

// Moves the palette's frame to `left`, `top` as a drag of its title bar would, and waits.
bool move_palette(const Palette& palette, int left, int top) {
    SetWindowPos(palette.window(), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return poll(
        [&] {
            const RECT now = frame_of(palette);
            return now.left == left && now.top == top;
        },
        5s);
}

}  // namespace

void palette_place(Context& context) {
    Report& report = context.report;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    // First start: the designed place. Moved, closed and started again: the same place.
    RECT home{};
    {
        Palette palette(context);
        home = frame_of(palette);
        report.note("first start at " + to_utf8(describe(home)));
        report.check(!quillaro::win32::load_saved_place().has_value(), "no place saved yet");
        report.check(move_palette(palette, work.left + 40, work.top + 30),
                     "moved the palette near the top-left corner");
        report.check(palette.close(), "closed the palette");
    }
    const auto saved = quillaro::win32::load_saved_place();
    report.check(saved && saved->x == work.left + 40 && saved->y == work.top + 30,
                 "the place is saved when the palette closes");
    {
        Palette palette(context);
        const RECT again = frame_of(palette);
        report.check_equal(
            describe(again),
            describe({work.left + 40, work.top + 30, work.left + 40 + home.right - home.left,
                      work.top + 30 + home.bottom - home.top}),
            "started again: where it was left, at its size");
        context.screenshot("reopened");

        // Far off the screen, as after unplugging the monitor it stood on.
        report.check(move_palette(palette, work.right + 3000, work.bottom + 2000),
                     "moved the palette far off the screen");
        report.check(palette.close(), "closed it there");
    }
    {
        Palette palette(context);
        const RECT back = frame_of(palette);
        report.note("off-screen place opened at " + to_utf8(describe(back)));
        report.check(back.left >= work.left && back.top >= work.top && back.right <= work.right &&
                         back.bottom <= work.bottom,
                     "started again: wholly inside the work area");
        report.check(back.right == work.right && back.bottom == work.bottom,
                     "moved the shortest way, into the bottom-right corner");
        report.check_equal(back.right - back.left, home.right - home.left, "its width kept");
        context.screenshot("brought-back");

        // Half off the left edge: brought wholly onto the screen too.
        report.check(move_palette(palette, work.left - 150, work.top + 200),
                     "moved the palette half off the left edge");
        report.check(palette.close(), "closed it there");
    }
    {
        Palette palette(context);
        const RECT edge = frame_of(palette);
        report.check(edge.left == work.left && edge.top == work.top + 200,
                     "started again: against the left edge, at the same height");
        report.check(palette.close(), "closed the palette");
    }

    // Without a saved place (a first start again) it opens at the designed place.
    forget_saved_place();
    {
        Palette palette(context);
        report.check_equal(describe(frame_of(palette)), describe(home),
                           "with no saved place: the designed place");
    }
}

E2E_TEST(palette_place, "NEEDS_PALETTE",
         "the palette opens where it was left, and wholly on the screen");

}  // namespace e2e::cases
