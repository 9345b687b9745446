// Two keys clicked quickly into a busy editor: both symbols must arrive, in click order.
//
// palette_click_order: the editor takes 150 ms to answer its activation, and the palette is in
// front (the user has just clicked its title bar). The first key hands the editor the front
// again; the second click reaches the palette while the first is still being delivered.
//
// palette_unread_keys: the editor is busy for 150 ms each time it gets the focus back, so the
// first symbol still waits in its queue, unread, when the second key goes down and is held.
// The editor keeps the front and its focus while the key is held: a click on a key does not
// activate the palette. The held key shows pushed, and comes up once it has typed.
#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "driver/e2e.h"
#include "driver/mouse_buttons.h"

namespace e2e::cases {
namespace {

// Set 1, group 0: key 0 types 縣 and key 1 types 市.
const std::wstring kFirst = L"\x7E23";
const std::wstring kSecond = L"\x5E02";

struct KeyPoints {
    POINT first;
    POINT second;
};

std::optional<KeyPoints> key_points(const Palette& palette) {
    const auto first = client_rect_on_screen(palette.key(0));
    const auto second = client_rect_on_screen(palette.key(1));
    if (!first || !second) return std::nullopt;
    return KeyPoints{centre_of(*first), centre_of(*second)};
}

bool shows_pushed(HWND key) { return (SendMessageW(key, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

// What the editor received since it held `before` units, noted when it is not both symbols.
// `expected` goes on from what the editor holds, so that one bad round does not spoil the next.
bool both_arrived(Report& report, const StandInEditor& editor, std::wstring& expected,
                  size_t before, int round, std::wstring& got) {
    const std::wstring now = editor.text().value_or(L"");
    got = now.size() > before ? now.substr(before) : L"";
    expected = now;
    if (got == kFirst + kSecond) return true;
    report.note("round " + std::to_string(round) + ": the editor received " + describe(got));
    return false;
}

}  // namespace

void palette_click_order(Context& context) {
    constexpr int kRounds = 10;
    constexpr Millis kBetweenClicks = 50ms;
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400", L"--slow-activate"});
    if (!report.check(editor.click_into(), "the user clicks into the slow editor")) return;
    const auto keys = key_points(palette);
    if (!report.check(keys.has_value(), "the two keys are on screen")) return;

    std::wstring expected;
    int in_order = 0;
    int swapped = 0;
    Millis slowest{0};  // from the first click until both symbols were there
    for (int round = 1; round <= kRounds; ++round) {
        if (!palette.bring_forward()) {
            report.fail("round " + std::to_string(round) +
                        ": a click on its title bar brings the palette forward");
            return;
        }
        const size_t before = expected.size();
        expected += kFirst + kSecond;
        const auto start = std::chrono::steady_clock::now();
        bool sent = click_at(keys->first);
        pause_for(kBetweenClicks);
        sent = press_button_at(keys->second, MouseButton::Left) && sent;
        if (sent) poll([&] { return editor.text_length() >= expected.size(); }, 10s);
        slowest = std::max(
            slowest, std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start));
        std::wstring got;
        if (both_arrived(report, editor, expected, before, round, got)) {
            ++in_order;
        } else {
            if (got == kSecond + kFirst) ++swapped;
            if (round == 1 || got.size() != 2) context.screenshot("round-" + std::to_string(round));
        }
    }
    report.note(std::to_string(kRounds) + " rounds: " + std::to_string(in_order) +
                " in click order, " + std::to_string(swapped) + " swapped; the slowest took " +
                std::to_string(slowest.count()) + " ms");
    report.check_equal(in_order, kRounds, "rounds whose two symbols arrived in click order");
    context.screenshot("after-rounds");

    report.check(palette.close(), "the palette closes");
    report.check(editor.close().has_value(), "the editor closes");
}

void palette_unread_keys(Context& context) {
    constexpr int kRounds = 5;
    constexpr Millis kBeforeSecondPress = 20ms;
    constexpr Millis kHalfHeld = 200ms;  // the second key is held down twice this long
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400", L"--slow-focus"});
    if (!report.check(editor.click_into(), "the user clicks into the busy editor")) return;
    const auto keys = key_points(palette);
    if (!report.check(keys.has_value(), "the two keys are on screen")) return;

    std::wstring expected;
    int whole = 0;
    int editor_kept_front = 0;
    int held_key_pushed = 0;
    int released_key_up = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const size_t before = expected.size();
        expected += kFirst + kSecond;
        bool sent = click_at(keys->first);
        pause_for(kBeforeSecondPress);
        sent = move_button_at(keys->second, MouseButton::Left, ButtonMove::Down) && sent;
        pause_for(kHalfHeld);
        if (editor.has_focus()) ++editor_kept_front;
        if (shows_pushed(palette.key(1))) ++held_key_pushed;
        pause_for(kHalfHeld);
        sent = move_button_at(keys->second, MouseButton::Left, ButtonMove::Up) && sent;
        if (sent) editor.wait_for_text(expected, 10s);
        if (poll([&] { return !shows_pushed(palette.key(1)); }, 2s)) ++released_key_up;
        std::wstring got;
        if (both_arrived(report, editor, expected, before, round, got)) ++whole;
    }
    report.check_equal(whole, kRounds, "rounds whose two symbols both arrived, in click order");
    report.check_equal(editor_kept_front, kRounds,
                       "rounds in which the editor kept the front and its focus while a key was "
                       "held down");
    report.check_equal(held_key_pushed, kRounds, "rounds in which the held key showed pushed");
    report.check_equal(released_key_up, kRounds, "rounds after which the released key came up");
    context.screenshot("after-rounds");
    report.check(palette.close(), "the palette closes");
    report.check(editor.close().has_value(), "the editor closes");
}

E2E_TEST(palette_click_order, "NEEDS_PALETTE",
         "two keys clicked 50 ms apart into a slow editor arrive in click order");
E2E_TEST(palette_unread_keys, "NEEDS_PALETTE",
         "a key held down before a busy editor has read the last symbol loses nothing");

}  // namespace e2e::cases
