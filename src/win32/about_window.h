// The about window: the about and usage text with an OK button.
#pragma once

#include <windows.h>

#include <functional>

#include "palette/layout.h"
#include "win32/font_cache.h"
#include "win32/window_base.h"

namespace quillaro::win32 {

class AboutWindow : public WindowBase<AboutWindow> {
  public:
    static constexpr const wchar_t* kClassName = L"QuillaroAbout";
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr int kClientWidth = kAboutClientWidth;
    static constexpr int kClientHeight = kAboutClientHeight;

    AboutWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> on_destroyed);

    // Creates the window with a fresh text when there is none, then shows and activates it.
    // False when the window could not be made.
    bool open();

  private:
    friend class WindowBase<AboutWindow>;
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void dpi_changed() { place_controls(); }
    void place_controls();

    FontCache& fonts_;
    std::function<void()> on_destroyed_;
    HWND text_box_ = nullptr;
    HWND ok_button_ = nullptr;
    HWND focus_ = nullptr;  // the control to give the keyboard focus back to on activation
};

}  // namespace quillaro::win32
