// The about window: the about and usage text with an OK button.
#pragma once

#include <windows.h>

#include <functional>

#include "win32/font_cache.h"

namespace quillaro::win32 {

class AboutWindow {
  public:
    AboutWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> on_destroyed);
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    // Creates the window with a fresh text when there is none, then shows and activates it.
    void open();
    [[nodiscard]] HWND hwnd() const { return window_; }

  private:
    template <typename Owner>
    friend LRESULT CALLBACK owned_window_proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void place_controls();

    HINSTANCE instance_;
    FontCache& fonts_;
    std::function<void()> on_destroyed_;
    HWND window_ = nullptr;
    HWND about_text_box_ = nullptr;
    HWND ok_button_ = nullptr;
    HWND focus_ = nullptr;  // the control to give the keyboard focus back to on activation
    int dpi_ = 96;
};

}  // namespace quillaro::win32
