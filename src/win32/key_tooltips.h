// One standard tooltip control for the palette's keys: after the system's hover delay it shows
// what a key is (its caption, the code points it types, where it comes from).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "win32/unique_handle.h"

namespace quillaro::win32 {

class KeyTooltips {
  public:
    // Made for `owner`; each key is added with add() and its text set with set_text().
    void create(HWND owner, HINSTANCE instance);
    // The tooltip watches the key's mouse messages itself, so hovering and clicking the key
    // take no extra step of ours.
    void add(HWND key);
    void set_text(HWND key, const std::u16string& text);
    // Takes a tip down: its key now shows something else, or the mouse has left it (Wine's
    // control shows a tip again when its text changes, wherever the mouse is).
    void hide();
    [[nodiscard]] bool created() const { return static_cast<bool>(tooltip_); }

  private:
    TTTOOLINFOW tool_for(HWND key, const std::u16string* text) const;

    HWND owner_ = nullptr;
    UniqueWindow tooltip_;
};

}  // namespace quillaro::win32
