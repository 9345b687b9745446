// Synthesised typing: every UTF-16 unit arrives as itself, never as a shortcut.
#pragma once

#include <string_view>
#include <vector>

#include "palette/keystrokes.h"

namespace quillaro::win32 {

// The modifier keys held down right now.
std::vector<ModifierKey> held_modifiers();

// Types `text` into the window that has the keyboard focus, in one batch, letting go of the
// modifiers the user holds for the time of it. False when the system took fewer events than
// it was given (a locked desktop, input blocked); no key it took is then left down.
bool type_text(std::u16string_view text);

}  // namespace quillaro::win32
