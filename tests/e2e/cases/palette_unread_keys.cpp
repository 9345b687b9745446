// A key pressed while the editor has not yet read the previous key's symbol: the editor is busy
// for 150 ms each time it gets the focus back, so the first symbol still waits in its queue when
// the second key goes down and is held. Both symbols must arrive, in click order, and the editor
// keeps the front and its focus while the key is held: a click on a key does not activate the
// palette.
#include <optional>
#include <string>

#include "driver/e2e.h"
#include "mouse_buttons.h"

namespace e2e::cases {
namespace {

constexpr int kRounds = 5;
constexpr Millis kBeforeSecondPress = 20ms;
constexpr Millis kHalfHeld = 200ms;  // the second key is held down twice this long

std::optional<POINT> centre_on_screen(HWND window) {
    const auto rect = client_rect_on_screen(window);
    if (!rect) return std::nullopt;
    return centre_of(*rect);
}

}  // namespace

void palette_unread_keys(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400", L"--slow-focus"});
    if (!report.check(editor.click_into(), "the user clicks into the busy editor")) return;

    // Set 1, group 0: key 0 types 縣 and key 1 types 市.
    const std::wstring first = L"\x7E23";
    const std::wstring second = L"\x5E02";
    const auto first_point = centre_on_screen(palette.key(0));
    const auto second_point = centre_on_screen(palette.key(1));
    if (!report.check(first_point && second_point, "the two keys are on screen")) return;

    std::wstring expected;
    int whole = 0;
    int editor_kept_front = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const size_t before = expected.size();
        expected += first + second;
        bool sent = click_at(*first_point);
        pause_for(kBeforeSecondPress);
        sent = move_button_at(*second_point, MouseButton::Left, ButtonMove::Down) && sent;
        pause_for(kHalfHeld);
        if (editor.has_focus()) ++editor_kept_front;
        pause_for(kHalfHeld);
        sent = move_button_at(*second_point, MouseButton::Left, ButtonMove::Up) && sent;
        const bool arrived = sent && editor.wait_for_text(expected, 10s);
        const std::wstring now = editor.text().value_or(L"");
        if (arrived) {
            ++whole;
        } else {
            report.note("round " + std::to_string(round) + ": the editor received " +
                        describe(now.size() > before ? now.substr(before) : L""));
        }
        expected = now;  // go on from what is there
    }
    report.check_equal(whole, kRounds, "rounds whose two symbols both arrived, in click order");
    report.check_equal(editor_kept_front, kRounds,
                       "rounds in which the editor kept the front and its focus while a key was "
                       "held down");
    context.screenshot("after-rounds");
    report.check(palette.close(), "the palette closes");
    report.check(editor.close().has_value(), "the editor closes");
}

E2E_TEST(palette_unread_keys, "NEEDS_PALETTE",
         "a key held down before a busy editor has read the last symbol loses nothing");

}  // namespace e2e::cases
