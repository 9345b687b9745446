// The palette's view of Windows: foreground, activation, messages, typing, files, editor.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "palette/desktop.h"
#include "win32/message_loop.h"
#include "win32/notice_balloon.h"

namespace quillaro::win32 {

class Win32Desktop : public Desktop {
  public:
    Win32Desktop(MessageLoop& loop, std::function<void()> open_about)
        : loop_(loop), open_about_(std::move(open_about)) {}

    void set_palette_window(HWND window) { palette_window_ = window; }

    WindowHandle foreground_window() override;
    WindowHandle own_window() override;
    void make_topmost() override;
    void set_foreground_window(WindowHandle window) override;
    void dispatch_pending_messages() override;
    bool wait_until_active(WindowHandle window) override;
    bool accepts_typing(WindowHandle window) override;
    bool type_text(std::u16string_view text) override;
    bool copy_text(std::u16string_view text) override;
    void show_key_notice(int16_t index, std::u16string_view title,
                         std::u16string_view text) override;
    void message_box(std::u16string_view text) override;
    bool start_editor(std::u16string_view command_line) override;
    FileRead read_file(std::u16string_view name) override;
    std::u16string decode_ansi(std::string_view bytes) override;
    void open_about() override { open_about_(); }

  private:
    MessageLoop& loop_;
    HWND palette_window_ = nullptr;
    std::function<void()> open_about_;
    NoticeBalloon key_notice_;
};

}  // namespace quillaro::win32
