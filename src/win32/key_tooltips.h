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
    void add(HWND key);
    void set_text(HWND key, const std::u16string& text);
    // The tips are shown and taken down by the palette, from the key's own hover and leave
    // messages: a control that watched the mouse itself would poll the cursor for as long as
    // it rests on a key (Wine's does, ten times a second).
    void show(HWND key);
    // Takes a tip down: its key now shows something else, or the mouse has left it.
    void hide();
    // How long the mouse rests on a key before its tip shows, in ms.
    [[nodiscard]] DWORD initial_delay() const;
    // The owner's timer that takes a tip left standing down: its WM_TIMER calls hide().
    static constexpr UINT_PTR kPopTimerId = 3;
    [[nodiscard]] bool created() const { return static_cast<bool>(tooltip_); }

  private:
    TTTOOLINFOW tool_for(HWND key, const std::u16string* text) const;

    HWND owner_ = nullptr;
    HWND shown_key_ = nullptr;
    UniqueWindow tooltip_;
};

}  // namespace quillaro::win32
