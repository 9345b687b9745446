// Hovering and clicking the palette's keys and buttons, by real mouse or by message, and
// waiting until the palette has handled each action before the next one.
#pragma once

#include <windows.h>

#include <string>

#include "driver/e2e.h"

namespace e2e {

// Whether a button of the palette holds the mouse capture: its press is handled and its
// release not yet.
bool palette_has_capture(HWND palette_window);

// A real click on a button of the palette (not a key), handled to its end: the button is held
// down until it has taken the mouse capture, and let go until it has given it back. Handlers
// of the navigation buttons never dispatch messages, so whatever the test sends next runs
// after them. False if that does not happen in time.
bool click_button_handled(HWND palette_window, HWND button, Millis timeout = 10s);

// Moves the mouse to a point away from the palette, so that no key gets mouse moves of its own
// while the test hovers keys by message.
bool park_mouse(HWND away_from);

}  // namespace e2e
