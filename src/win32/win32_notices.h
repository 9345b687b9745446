// The palette's balloons beside a key, its message boxes, and the about window's opening.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "palette/desktop.h"
#include "win32/notice_balloon.h"

namespace quillaro::win32 {

class Win32Notices : public Notices {
  public:
    explicit Win32Notices(std::function<void()> open_about) : open_about_(std::move(open_about)) {}
    void set_palette_window(HWND window) { palette_window_ = window; }

    void show_key_notice(int16_t index, std::u16string_view title,
                         std::u16string_view text) override;
    // The same beside the palette's control `control_id`.
    void show_notice_at(int control_id, std::u16string_view title, std::u16string_view text);
    void message_box(std::u16string_view text) override;
    void open_about() override { open_about_(); }

  private:
    HWND palette_window_ = nullptr;
    std::function<void()> open_about_;
    NoticeBalloon key_notice_;
};

}  // namespace quillaro::win32
