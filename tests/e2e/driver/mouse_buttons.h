// A mouse button pressed and let go at a point in one batch, the button events carrying the
// point: the click lands there even while the cursor is still on its way, so two clicks can
// follow each other as closely as a person's.
#pragma once

#include <windows.h>

namespace e2e {

enum class MouseButton { Left, Right };

enum class ButtonMove { Down, Up };

// False if the system took fewer events than it was given.
bool press_button_at(POINT point, MouseButton button);

// One half of a press: the button goes down, or comes up, at `point`.
bool move_button_at(POINT point, MouseButton button, ButtonMove move);

}  // namespace e2e
