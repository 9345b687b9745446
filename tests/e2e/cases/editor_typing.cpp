// Real input reaches the stand-in editor intact: a mouse click gives it the focus, and text
// typed with SendInput arrives unit for unit, including characters outside the keyboard's
// reach (private use, CJK, a surrogate pair) and the ones other send-keys schemes treat as
// commands (+ ^ % ~ { } ( ) [ ]).

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

#include "driver/e2e.h"

namespace e2e::cases {

namespace {

// U+E000 (private use), U+4E2D, and U+20000 as the surrogate pair D840 DC00.
const std::wstring kMixedText = L"Quillaro 1.1 \xE000\x4E2D\xD840\xDC00 +^%~{}()[] end";

constexpr int kRounds = 50;
// Rounds lost one after another before the test stops waiting for more.
constexpr int kGiveUpAfter = 3;

std::wstring round_text(int round) {
    return L"<" + std::to_wstring(round) + L"\xE000\xD840\xDC00\x4E2D{+}>";
}

}  // namespace

void editor_typing(Context& context) {
    Report& report = context.report;
    StandInEditor editor(context, context.args);

    report.check_equal(class_name(editor.edit()), std::wstring(L"Edit"),
                       "the editor's control 100 is an EDIT control");
    report.check(has_style(editor.edit(), ES_MULTILINE), "the edit control is multi-line");
    report.check_equal(editor.text().value_or(L"?"), std::wstring(),
                       "the edit control starts empty");

    if (!report.check(editor.click_into(), "a click puts the focus into the edit control")) {
        return;
    }

    report.check(type_text(kMixedText), "SendInput took every key event of the mixed text");
    report.check(editor.wait_for_text(kMixedText), "the mixed text arrived unchanged");
    report.check_equal(editor.text().value_or(L"?"), kMixedText, "the edit control's text");
    context.screenshot("typed");

    // Round after round: each string must arrive whole before the next is typed.
    const auto rounds_started = std::chrono::steady_clock::now();
    std::wstring expected = editor.text().value_or(kMixedText);
    int intact = 0;
    int lost_in_a_row = 0;
    for (int round = 1; round <= kRounds && lost_in_a_row < kGiveUpAfter; ++round) {
        const std::wstring text = round_text(round);
        expected += text;
        if (type_text(text) && editor.wait_for_text(expected, 5s)) {
            ++intact;
            lost_in_a_row = 0;
        } else {
            ++lost_in_a_row;
            // Go on from what is there, so one loss does not fail every later round.
            expected = editor.text().value_or(expected);
            report.note("round " + std::to_string(round) + " typed " + describe(text) +
                        "; the editor ends with " +
                        describe(std::wstring_view(expected).substr(
                            expected.size() - std::min(expected.size(), text.size() + 8))));
        }
    }
    report.check_equal(intact, kRounds, "rounds of typing that arrived intact");
    const auto rounds_ms =
        std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - rounds_started);
    report.note(std::to_string(intact) + " of " + std::to_string(kRounds) + " rounds intact, in " +
                std::to_string(rounds_ms.count()) + " ms");

    report.check(editor.close() == DWORD{0}, "the editor closes and exits with code 0");
}

E2E_TEST(editor_typing, "", "click into the stand-in editor and type Unicode text with SendInput");

}  // namespace e2e::cases
