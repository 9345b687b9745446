// The about window as a user meets it: 關於 opens it with its text, at most one at a time, ok啦
// closes it and 關於 brings it back fresh; the topmost palette stays in front of it and keeps
// working; and the program lives until the last of its two windows has closed.

#include <optional>
#include <string>
#include <vector>

#include "about/about_text.h"
#include "driver/e2e.h"
#include "driver/palette_expect.h"
#include "palette/layout.h"

namespace e2e::cases {
namespace {

const std::wstring kAboutTitle = to_wide(quillaro::kAboutTitle);

struct About {
    HWND window = nullptr;
    HWND text = nullptr;  // about_text_box
    HWND ok = nullptr;    // ok_button
};

std::wstring expected_text() { return to_wide(quillaro::about_text()); }

// A message to an EDIT control of the palette's process; nothing if it does not answer.
std::optional<LRESULT> ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 2000, &result) ==
        0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

int first_visible_line(HWND edit) {
    return static_cast<int>(ask(edit, EM_GETFIRSTVISIBLELINE).value_or(-1));
}

std::vector<HWND> about_windows(const Process& process) {
    return find_windows(kAboutTitle, process.id());
}

// Clicks 關於 and waits for the about window with both controls, shown and holding its text.
// Throws Error when it does not come.
About open_about(Palette& palette) {
    if (!click(palette.control(quillaro::kAboutButtonId))) throw Error("could not click 關於");
    About about;
    about.window = wait_for_window(kAboutTitle, 10s, palette.process().id());
    if (about.window == nullptr) throw Error("關於 opened no about window");
    about.text = require_child(about.window, quillaro::kAboutTextBoxId, 5s);
    about.ok = require_child(about.window, quillaro::kOkButtonId, 5s);
    const bool shown =
        poll([&] { return is_visible(about.window) && window_text(about.text) == expected_text(); },
             10s);
    if (!shown) throw Error("the about window never showed its text");
    return about;
}

void check_place(Report& report, HWND control, const quillaro::Twips& twips, int dpi,
                 const std::string& name) {
    const auto place = place_in_parent(control);
    const quillaro::PixelRect want = quillaro::to_pixels(twips, dpi);
    if (!report.check(place.has_value(), name + " has a place")) return;
    report.check(*place == want,
                 name + " at (" + std::to_string(want.left) + "," + std::to_string(want.top) +
                     ")-(" + std::to_string(want.right) + "," + std::to_string(want.bottom) +
                     "), found at (" + std::to_string(place->left) + "," +
                     std::to_string(place->top) + ")-(" + std::to_string(place->right) + "," +
                     std::to_string(place->bottom) + ")");
}

// The about window as it is when it opens: an ordinary window of its own, its size, its two
// controls, its text from the start.
void check_opened(Report& report, const About& about, HWND palette) {
    report.check(GetWindow(about.window, GW_OWNER) == nullptr, "the about window has no owner");
    report.check(GetParent(about.window) == nullptr, "the about window has no parent");
    report.check(!has_ex_style(about.window, WS_EX_TOPMOST), "the about window is not topmost");
    report.check(has_ex_style(palette, WS_EX_TOPMOST), "the palette is still topmost");

    const int dpi = check_client_size(report, about.window, quillaro::kAboutClientWidth,
                                      quillaro::kAboutClientHeight);
    check_place(report, about.text, quillaro::kAboutTextBox.rect, dpi, "about_text_box");
    check_place(report, about.ok, quillaro::kOkButton.rect, dpi, "ok啦");

    report.check_equal(class_name(about.text), std::wstring(L"Edit"), "about_text_box is an EDIT");
    report.check(has_style(about.text, ES_MULTILINE), "about_text_box is multi-line");
    report.check(has_style(about.text, WS_VSCROLL), "about_text_box has a vertical scroll bar");
    report.check(!has_style(about.text, WS_HSCROLL), "about_text_box has no horizontal scroll bar");
    report.check(!has_style(about.text, ES_AUTOHSCROLL), "about_text_box wraps long lines");
    report.check_equal(class_name(about.ok), std::wstring(L"Button"), "ok啦 is a button");
    report.check_equal(window_text(about.ok).value_or(L"<gone>"), std::wstring(L"ok啦"),
                       "ok啦's caption");

    report.check_equal(window_text(about.text).value_or(L"<gone>"), expected_text(),
                       "the about text");
    report.check_equal(first_visible_line(about.text), 0, "the text shows from its start");
    // 24 line breaks make 25 lines; the long paragraphs wrap into more.
    const auto lines = ask(about.text, EM_GETLINECOUNT);
    report.check(lines.value_or(0) > 25, "the long paragraphs wrap onto more lines (" +
                                             std::to_string(lines.value_or(0)) + " lines)");
    report.check(focus_of_thread_of(about.window) == about.text, "about_text_box has the focus");
}

bool is_in_front(HWND window) { return foreground_window() == window; }

}  // namespace

void about_window(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    HWND window = palette.window();
    Process& process = palette.process();
    HWND page_down_button = palette.control(quillaro::kPageDownButtonId);

    report.check(about_windows(process).empty(), "no about window at start-up");

    // First click: one about window, as it should look.
    About about = open_about(palette);
    report.check_equal(about_windows(process).size(), 1u, "one about window");
    check_opened(report, about, window);
    report.check(poll([&] { return is_in_front(about.window); }, 5s),
                 "the about window comes to the front");
    context.screenshot("opened");

    // The wheel scrolls the text; Tab moves on to ok啦 and back.
    report.check(hover(about.text) && turn_wheel(-3), "turned the wheel over the text");
    report.check(poll([&] { return first_visible_line(about.text) > 0; }, 5s),
                 "the wheel scrolls the text down");
    context.screenshot("scrolled");
    report.check(press_key(VK_TAB), "pressed Tab");
    report.check(poll([&] { return focus_of_thread_of(about.window) == about.ok; }, 5s),
                 "Tab moves the focus to ok啦");
    report.check(press_key(VK_TAB), "pressed Tab again");
    report.check(poll([&] { return focus_of_thread_of(about.window) == about.text; }, 5s),
                 "Tab moves the focus back to the text");

    // The palette works while the about window is open, which keeps the front. With the palette
    // brought forward, a second 關於 brings the same window to the front without building the
    // text again: the reader keeps their place.
    const int scrolled_to = first_visible_line(about.text);
    report.check(scrolled_to > 0, "the text is scrolled away from its start");
    report.check(palette.click_and_wait_label(palette.group(3), L"1/3頁"),
                 "a group button works with the about window open");
    report.check(is_in_front(about.window),
                 "the about window keeps the front: a click on a palette button takes none");
    report.check(palette.bring_forward(), "a click on its title bar brings the palette forward");
    report.check(click(palette.control(quillaro::kAboutButtonId)), "clicked 關於 again");
    report.check(poll([&] { return is_in_front(about.window); }, 5s),
                 "the second 關於 brings the about window to the front");
    const auto after_second = about_windows(process);
    report.check(after_second.size() == 1 && after_second.front() == about.window,
                 "still the one about window");
    report.check_equal(window_text(about.text).value_or(L"<gone>"), expected_text(),
                       "its text holds each piece once");
    report.check_equal(first_visible_line(about.text), scrolled_to, "the text kept its place");
    report.check(poll([&] { return focus_of_thread_of(about.window) == about.text; }, 5s),
                 "the focus is back on the text");

    // ok啦 closes it; the palette stays. 關於 makes it afresh.
    report.check(click(about.ok), "clicked ok啦");
    report.check(poll([&] { return about_windows(process).empty(); }, 5s),
                 "ok啦 closes the about window");
    report.check(IsWindow(window) && process.running(), "the palette runs on");
    about = open_about(palette);
    report.check_equal(about_windows(process).size(), 1u, "one about window again");
    report.check_equal(window_text(about.text).value_or(L"<gone>"), expected_text(),
                       "the same text again, not doubled");
    report.check_equal(first_visible_line(about.text), 0, "shown from its start again");

    // Enter closes it too, as its default button ok啦 promises; 關於 makes it afresh once more.
    report.check(poll([&] { return focus_of_thread_of(about.window) == about.text; }, 5s),
                 "the text has the focus");
    report.check(press_key(VK_RETURN), "pressed Enter");
    report.check(poll([&] { return about_windows(process).empty(); }, 5s),
                 "Enter closes the about window");
    report.check(IsWindow(window) && process.running(), "the palette runs on after Enter");
    about = open_about(palette);

    // Put the about window under the palette, covering most of it, and bring it to the front
    // with a click on the part the palette leaves free: the topmost palette stays above it.
    const auto palette_client = client_rect_on_screen(window);
    const auto about_frame = window_rect(about.window);
    const auto about_client = client_rect_on_screen(about.window);
    if (!palette_client || !about_frame || !about_client) throw Error("a window lost its place");
    const int shift_x = palette_client->left - 20 - about_client->left;
    const int shift_y = palette_client->top - 20 - about_client->top;
    SetWindowPos(about.window, nullptr, about_frame->left + shift_x, about_frame->top + shift_y, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    report.check(poll(
                     [&] {
                         const auto now = client_rect_on_screen(about.window);
                         return now && now->left == palette_client->left - 20 &&
                                now->top == palette_client->top - 20;
                     },
                     5s),
                 "moved the about window under the palette");
    const auto text_rect = window_rect(about.text);
    if (!text_rect) throw Error("about_text_box lost its place");
    const POINT free_spot{(text_rect->left + text_rect->right) / 2, text_rect->bottom - 10};
    report.check(top_level_at(free_spot) == about.window,
                 "part of the text is clear of the palette");
    report.check(click_at(free_spot), "clicked into the visible part of the text");
    report.check(poll([&] { return is_in_front(about.window); }, 5s), "the about window is active");
    const auto down_rect = window_rect(page_down_button);
    if (!down_rect) throw Error("下頁 lost its place");
    const POINT overlap = centre_of(*down_rect);
    const auto moved_client = client_rect_on_screen(about.window);
    report.check(moved_client && PtInRect(&*moved_client, overlap) != FALSE,
                 "下頁 lies over the about window's client area");
    report.check(WindowFromPoint(overlap) == page_down_button, "下頁 is on top where they overlap");
    bool about_below = false;
    for (HWND next = GetWindow(window, GW_HWNDNEXT); next != nullptr;
         next = GetWindow(next, GW_HWNDNEXT)) {
        if (next == about.window) about_below = true;
    }
    report.check(about_below, "the about window is below the palette in the z-order");
    context.screenshot("overlap");
    report.check(palette.click_and_wait_label(page_down_button, L"2/3頁"),
                 "下頁 works where the palette covers the about window");

    // Closing the palette leaves the about window open and the program running.
    PostMessageW(window, WM_CLOSE, 0, 0);
    report.check(poll([&] { return IsWindow(window) == FALSE; }, 10s), "the palette closes");
    report.check(!process.wait_exit(1500ms).has_value(), "the program keeps running");
    report.check(IsWindow(about.window) && is_visible(about.window), "the about window stays open");
    report.check_equal(window_text(about.text).value_or(L"<gone>"), expected_text(),
                       "and still answers with its text");
    context.screenshot("palette-closed");

    // Closing the last window ends the program.
    PostMessageW(about.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto exit_code = process.wait_exit(10s);
    report.check(exit_code.has_value(), "closing the about window ends the program");
    if (exit_code) report.check_equal(*exit_code, 0u, "the program's exit code");
}

E2E_TEST(about_window, "NEEDS_PALETTE",
         "the about window: its text and controls, one at a time, above it the palette, "
         "and the program's end with its last window");
E2E_TEST_ALSO(about_window, "NAME about_window_dpi144 DPI 144 NEEDS_PALETTE");

}  // namespace e2e::cases
