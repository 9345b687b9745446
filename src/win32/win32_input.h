// The windows in front, activation, the palette's own messages while it waits, keystrokes and
// the clipboard, as Windows gives them.
#pragma once

#include <windows.h>

#include "palette/desktop.h"
#include "win32/message_loop.h"

namespace quillaro::win32 {

class Win32Input : public Input {
  public:
    explicit Win32Input(MessageLoop& loop) : loop_(loop) {}
    void set_palette_window(HWND window) { palette_window_ = window; }

    WindowHandle foreground_window() override;
    WindowHandle own_window() override;
    void make_topmost() override;
    void set_foreground_window(WindowHandle window) override;
    void dispatch_pending_messages() override;
    bool is_active(WindowHandle window) override;
    bool wait_until_active(WindowHandle window) override;
    bool accepts_typing(WindowHandle window) override;
    bool type_text(std::u16string_view text) override;
    bool copy_text(std::u16string_view text) override;

  private:
    MessageLoop& loop_;
    HWND palette_window_ = nullptr;
    // The last window asked about typing, and the answer: a window's program, and so its
    // integrity level, stays the same for as long as the window lives.
    struct TypingCheck {
        HWND window = nullptr;
        DWORD process = 0;
        bool accepts = true;
    } last_check_;
};

}  // namespace quillaro::win32
