#include "win32/keyboard.h"

#include <windows.h>

#include <span>

namespace quillaro::win32 {
namespace {

INPUT input_for(const KeyEvent& event) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = event.virtual_key;
    input.ki.wScan = event.scan;
    if (event.kind == KeyEvent::Kind::Unicode) input.ki.dwFlags |= KEYEVENTF_UNICODE;
    if (event.extended) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    if (event.up) input.ki.dwFlags |= KEYEVENTF_KEYUP;
    return input;
}

// How many of `events` the system took.
size_t send(std::span<const KeyEvent> events) {
    if (events.empty()) return 0;
    std::vector<INPUT> inputs;
    inputs.reserve(events.size());
    for (const KeyEvent& event : events) inputs.push_back(input_for(event));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

std::vector<ModifierKey> held_modifiers() {
    std::vector<ModifierKey> held;
    for (const ModifierKey& key : kModifierKeys) {
        if ((GetAsyncKeyState(key.virtual_key) & 0x8000) != 0) held.push_back(key);
    }
    return held;
}

bool type_text(std::u16string_view text) {
    const std::vector<KeyEvent> events = typing_events(text, held_modifiers());
    const size_t taken = send(events);
    if (taken == events.size()) return true;
    const std::vector<KeyEvent> left_down =
        keys_left_down(std::span<const KeyEvent>(events).first(taken));
    send(left_down);
    return false;
}

}  // namespace quillaro::win32
