// A right click on a key puts its send string on the clipboard, types nothing, and says so in
// a balloon at the key that goes away by itself; an empty key leaves the clipboard alone.

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/e2e.h"
#include "driver/mouse_buttons.h"

namespace e2e::cases {
namespace {

bool right_click(HWND window) {
    const auto rect = client_rect_on_screen(window);
    if (!rect) return false;
    const POINT point = centre_of(*rect);
    return move_mouse_to(point) && press_button_at(point, MouseButton::Right);
}

// The palette's visible balloons: tooltip windows of its process in the balloon style, not
// the key's own tooltip, which may show as well while the mouse rests on the key.
std::vector<HWND> visible_balloons(DWORD process_id) {
    std::vector<HWND> found;
    for (HWND window : top_level_windows_of(process_id)) {
        if (class_name(window) == L"tooltips_class32" &&
            (GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON) != 0 && is_visible(window)) {
            found.push_back(window);
        }
    }
    return found;
}

}  // namespace

void palette_right_click(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400"});
    if (!report.check(editor.click_into(), "the user clicks into the editor")) return;
    report.check(type_text(L"ab") && editor.wait_for_text(L"ab"), "the user types in the editor");

    // Set 1, group 0 (地址): key 0 types 縣; its 44 keys leave keys 44 and 45 empty.
    const std::wstring symbol = L"\x7E23";
    report.check(set_clipboard_text(L"before"), "the clipboard holds the user's text");
    report.check(right_click(palette.key(44)), "right click on an empty key");
    // Input is handled in order: once the group click has shown, the right click is done.
    report.check(palette.click_and_wait_label(palette.group(3), L"1/3頁") &&
                     palette.click_and_wait_label(palette.group(0), L"1/1頁"),
                 "a group click after it is handled");
    report.check_equal(clipboard_text().value_or(L"<none>"), std::wstring(L"before"),
                       "an empty key leaves the clipboard as it was");
    report.check(visible_balloons(palette.process().id()).empty(), "and shows no balloon");

    report.check(right_click(palette.key(0)), "right click on key 0");
    report.check(poll([&] { return clipboard_text() == symbol; }, 5s),
                 "the key's send string is on the clipboard");
    std::vector<HWND> balloons;
    poll(
        [&] {
            balloons = visible_balloons(palette.process().id());
            return !balloons.empty();
        },
        5s);
    if (report.check(balloons.size() == 1, "one balloon shows at the key")) {
        const auto balloon_rect = window_rect(balloons[0]);
        const auto key_rect = window_rect(palette.key(0));
        const LONG key_middle = key_rect ? (key_rect->left + key_rect->right) / 2 : -1;
        report.check(
            balloon_rect && balloon_rect->left <= key_middle && balloon_rect->right >= key_middle,
            "the balloon points at the key");
        report.check(foreground_window() != balloons[0], "the balloon takes no activation");
        context.screenshot("copied-balloon");
        const auto shown = std::chrono::steady_clock::now();
        report.check(poll([&] { return visible_balloons(palette.process().id()).empty(); }, 8s),
                     "the balloon goes away by itself");
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
        report.note("the balloon stayed about " + std::to_string(seconds) + " s after it was seen");
        report.check(seconds > 2.5 && seconds < 6.0, "after about four seconds");
    }

    // Another program holds the clipboard open: the palette tries again for a moment, then
    // says it could not copy, and the clipboard keeps what it had.
    if (report.check(OpenClipboard(nullptr) != FALSE, "the driver holds the clipboard open")) {
        report.check(right_click(palette.key(1)), "right click on key 1");
        const bool shown =
            poll([&] { return !visible_balloons(palette.process().id()).empty(); }, 5s);
        report.check(shown, "a balloon tells that nothing was copied");
        if (shown) context.screenshot("copy-failed-balloon");
        CloseClipboard();
        report.check_equal(clipboard_text().value_or(L"<none>"), symbol,
                           "the clipboard keeps the earlier copy");
    }

    // Nothing was typed: a left click on key 1 now types 市 right behind "ab".
    report.check(editor.click_into(), "back in the editor");
    report.check(click(palette.key(1)) && editor.wait_for_text(L"ab\x5E02"),
                 "the editor holds only what was typed and the left click's symbol");

    report.check(palette.close(), "the palette closes");
    report.check(editor.close().has_value(), "the editor closes");
}

E2E_TEST(palette_right_click, "NEEDS_PALETTE",
         "a right click copies the key's send string, with a balloon, and types nothing");

}  // namespace e2e::cases
