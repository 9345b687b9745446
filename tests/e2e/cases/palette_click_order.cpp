// Two keys clicked quickly into a busy editor (it takes 150 ms to answer its activation), while
// the palette is in front (the user has just clicked its title bar): the first key hands the
// editor the front again, the second click reaches the palette while the first is still being
// delivered, and both symbols must arrive in the order they were clicked.
#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "driver/e2e.h"
#include "mouse_buttons.h"

namespace e2e::cases {
namespace {

constexpr int kRounds = 10;
constexpr Millis kBetweenClicks = 50ms;

std::optional<POINT> centre_on_screen(HWND window) {
    const auto rect = client_rect_on_screen(window);
    if (!rect) return std::nullopt;
    return centre_of(*rect);
}

}  // namespace

void palette_click_order(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400", L"--slow-activate"});
    if (!report.check(editor.click_into(), "the user clicks into the slow editor")) return;

    // Set 1, group 0: key 0 types 縣 and key 1 types 市.
    const std::wstring first = L"\x7E23";
    const std::wstring second = L"\x5E02";
    const auto first_point = centre_on_screen(palette.key(0));
    const auto second_point = centre_on_screen(palette.key(1));
    if (!report.check(first_point && second_point, "the two keys are on screen")) return;

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
        expected += first + second;
        const auto start = std::chrono::steady_clock::now();
        bool sent = click_at(*first_point);
        pause_for(kBetweenClicks);
        sent = press_button_at(*second_point, MouseButton::Left) && sent;
        const bool arrived = sent && poll(
                                         [&] {
                                             const auto text = editor.text();
                                             return text && text->size() >= expected.size();
                                         },
                                         10s);
        slowest = std::max(
            slowest, std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start));
        const std::wstring now = editor.text().value_or(L"");
        const std::wstring got = now.size() > before ? now.substr(before) : L"";
        if (got == first + second) {
            ++in_order;
        } else {
            if (got == second + first) ++swapped;
            report.note("round " + std::to_string(round) + ": the editor received " +
                        describe(got) + (arrived ? "" : " (not both in time)"));
            if (round == 1 || got.size() != 2) context.screenshot("round-" + std::to_string(round));
        }
        expected = now;  // go on from what is there
    }
    report.note(std::to_string(kRounds) + " rounds: " + std::to_string(in_order) +
                " in click order, " + std::to_string(swapped) + " swapped; the slowest took " +
                std::to_string(slowest.count()) + " ms");
    report.check_equal(in_order, kRounds, "rounds whose two symbols arrived in click order");
    context.screenshot("after-rounds");

    report.check(palette.close(), "the palette closes");
    report.check(editor.close().has_value(), "the editor closes");
}

E2E_TEST(palette_click_order, "NEEDS_PALETTE",
         "two keys clicked 50 ms apart into a slow editor arrive in click order");

}  // namespace e2e::cases
