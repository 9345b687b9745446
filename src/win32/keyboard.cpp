#include "win32/keyboard.h"

#include <array>

namespace quillaro::win32 {
namespace {

INPUT key(WORD virtual_key, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

// An unassigned key: pressing it between Alt's release and the text keeps the target's menu
// bar from taking the bare Alt release as "open the menu".
constexpr WORD kMenuSuppressKey = 0xE8;

}  // namespace

std::vector<WORD> held_modifiers() {
    constexpr std::array<WORD, 8> modifiers = {VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU,
                                               VK_LSHIFT,   VK_RSHIFT,   VK_LWIN,  VK_RWIN};
    std::vector<WORD> held;
    for (WORD modifier : modifiers) {
        if ((GetAsyncKeyState(modifier) & 0x8000) != 0) held.push_back(modifier);
    }
    return held;
}

std::vector<INPUT> typing_inputs(std::u16string_view text, const std::vector<WORD>& held) {
    std::vector<INPUT> inputs;
    inputs.reserve(text.size() * 2 + held.size() * 2 + 2);
    bool alt_held = false;
    for (WORD modifier : held) alt_held = alt_held || modifier == VK_LMENU || modifier == VK_RMENU;
    if (alt_held) {
        inputs.push_back(key(kMenuSuppressKey, 0, 0));
        inputs.push_back(key(kMenuSuppressKey, 0, KEYEVENTF_KEYUP));
    }
    for (WORD modifier : held) inputs.push_back(key(modifier, 0, KEYEVENTF_KEYUP));
    for (char16_t unit : text) {
        inputs.push_back(key(0, unit, KEYEVENTF_UNICODE));
        inputs.push_back(key(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    for (WORD modifier : held) inputs.push_back(key(modifier, 0, 0));
    return inputs;
}

void type_text(std::u16string_view text) {
    std::vector<INPUT> inputs = typing_inputs(text, held_modifiers());
    if (!inputs.empty()) {
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
}

}  // namespace quillaro::win32
