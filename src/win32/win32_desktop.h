// The palette's view of Windows: foreground, activation, messages, typing, files, editor.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "palette/desktop.h"
#include "win32/notice_balloon.h"

namespace quillaro::win32 {

class Win32Desktop : public Desktop {
  public:
    explicit Win32Desktop(std::function<void()> open_about) : open_about_(std::move(open_about)) {}

    void set_palette(HWND palette) { palette_ = palette; }

    WindowHandle foreground_window() override;
    WindowHandle own_window() override;
    void make_topmost() override;
    void set_foreground_window(WindowHandle window) override;
    void do_events() override;
    bool wait_until_active(WindowHandle window) override;
    bool accepts_typing(WindowHandle window) override;
    bool type_text(std::u16string_view text) override;
    bool copy_text(std::u16string_view text) override;
    void show_key_notice(int16_t index, std::u16string_view title,
                         std::u16string_view text) override;
    void message_box(std::u16string_view text) override;
    bool start_editor(std::u16string_view command_line) override;
    std::optional<std::string> read_file(std::u16string_view name) override;
    std::u16string decode_ansi(std::string_view bytes) override;
    void open_about() override { open_about_(); }

    // True once since the last call when read_file met a file that another program held
    // open without sharing (an editor in the middle of saving, say): read again later, it may
    // give what it now does not.
    bool take_file_in_use() { return std::exchange(file_in_use_, false); }

  private:
    HWND palette_ = nullptr;
    bool file_in_use_ = false;
    std::function<void()> open_about_;
    NoticeBalloon key_notice_;
};

// Dispatches every message waiting in this thread's queue.
void pump_pending_messages();

}  // namespace quillaro::win32
