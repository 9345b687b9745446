// The user holds right Ctrl, or AltGr (left Ctrl with right Alt), while clicking a key: the
// symbol arrives as itself, and once the user lets go no modifier is left down, so the next
// letter typed is a letter.

#include <string>
#include <vector>

#include "driver/e2e.h"

namespace e2e::cases {
namespace {

struct Modifier {
    WORD virtual_key;
    WORD scan;
    bool extended;
};

constexpr Modifier kLeftCtrl{VK_LCONTROL, 0x1D, false};
constexpr Modifier kRightCtrl{VK_RCONTROL, 0x1D, true};
constexpr Modifier kRightAlt{VK_RMENU, 0x38, true};

// Presses (or lets go of) the keys in order (in reverse order when letting go), as a keyboard
// does: with their scan codes and the extended flag where the key has it.
bool hold(const std::vector<Modifier>& keys, bool down) {
    std::vector<INPUT> events;
    for (const Modifier& key : keys) {
        INPUT event{};
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = key.virtual_key;
        event.ki.wScan = key.scan;
        event.ki.dwFlags =
            (key.extended ? KEYEVENTF_EXTENDEDKEY : 0) | (down ? 0 : KEYEVENTF_KEYUP);
        if (down) {
            events.push_back(event);
        } else {
            events.insert(events.begin(), event);
        }
    }
    const auto count = static_cast<UINT>(events.size());
    return SendInput(count, events.data(), sizeof(INPUT)) == count;
}

// The modifiers the system holds down now, by name; empty when none is.
std::string modifiers_down() {
    const std::vector<std::pair<int, const char*>> keys = {
        {VK_LCONTROL, "left Ctrl"}, {VK_RCONTROL, "right Ctrl"}, {VK_LMENU, "left Alt"},
        {VK_RMENU, "right Alt"},    {VK_LSHIFT, "left Shift"},   {VK_RSHIFT, "right Shift"},
        {VK_LWIN, "left Win"},      {VK_RWIN, "right Win"},
    };
    std::string down;
    for (const auto& [key, name] : keys) {
        if ((GetAsyncKeyState(key) & 0x8000) != 0)
            down += std::string(down.empty() ? "" : ", ") + name;
    }
    return down;
}

}  // namespace

void palette_held_modifiers(Context& context) {
    Report& report = context.report;
    Palette palette(context);
    StandInEditor editor(context, {L"--pos=20,20", L"--size=330,400"});
    if (!report.check(editor.click_into(), "the user clicks into the editor")) return;

    struct Case {
        std::string name;
        std::vector<Modifier> held;
        int key;
        std::wstring symbol;
    };
    // Set 1, group 0 (地址): key 0 types 縣, key 1 types 市.
    const std::vector<Case> cases = {
        {"right Ctrl", {kRightCtrl}, 0, L"\x7E23"},
        {"AltGr", {kLeftCtrl, kRightAlt}, 1, L"\x5E02"},
    };
    std::wstring expected;
    for (const Case& c : cases) {
        // Typing gave the editor the focus back: a click now could make a double click with
        // the last one and select the text.
        report.check(editor.has_focus() || editor.click_into(),
                     c.name + ": the editor has the focus");
        report.check(hold(c.held, true), c.name + ": held down");
        report.check(poll([&] { return !modifiers_down().empty(); }, 2s),
                     c.name + ": the system sees it down");
        expected += c.symbol;
        if (!report.check(click(palette.key(c.key)) && editor.wait_for_text(expected),
                          c.name + " held during a click: the symbol arrives as itself")) {
            report.note("the editor holds " + describe(editor.text().value_or(L"?")));
        }
        report.check(hold(c.held, false), c.name + ": let go");
        report.check(poll([&] { return modifiers_down().empty(); }, 2s),
                     c.name + ": no modifier is left down");
        const std::string still = modifiers_down();
        if (!still.empty()) report.note(c.name + ": still down: " + still);
        // A letter typed now is a letter, not a shortcut.
        expected += L"a";
        report.check(press_key('A') && editor.wait_for_text(expected),
                     c.name + ": the next key typed arrives as a letter");
        expected = editor.text().value_or(expected);
    }
    context.screenshot("after-modifiers");

    report.check(palette.close(), "the palette closes");
    report.check(editor.close().has_value(), "the editor closes");
}

E2E_TEST(palette_held_modifiers, "NEEDS_PALETTE",
         "right Ctrl or AltGr held during a click: the symbol arrives, no key stays down");

}  // namespace e2e::cases
