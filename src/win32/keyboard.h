// Synthesised typing: every UTF-16 unit arrives as itself, never as a shortcut.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace quillaro::win32 {

// The input batch that types `text` literally: a key-down and key-up pair per UTF-16 unit.
// Modifiers the user still holds are released first and pressed again after, so that no
// character turns into a shortcut in the target window.
std::vector<INPUT> typing_inputs(std::u16string_view text, const std::vector<WORD>& held);

// The modifier keys held down right now.
std::vector<WORD> held_modifiers();

// Types `text` into the window that has the keyboard focus, in one batch.
void type_text(std::u16string_view text);

}  // namespace quillaro::win32
