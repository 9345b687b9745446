// The visual style of push buttons, for the buttons the palette draws itself.
#pragma once

#include <windows.h>

#include <uxtheme.h>

namespace quillaro::win32 {

enum class ButtonLook { Normal, Hot, Pressed, Disabled };

// The "BUTTON" theme data of one window, opened when first needed and kept until the theme or
// the window's DPI changes. Without visual styles (classic look, or no uxtheme.dll) it stays
// empty and the caller draws the classic frame instead.
class ButtonTheme {
  public:
    ButtonTheme() = default;
    ButtonTheme(const ButtonTheme&) = delete;
    ButtonTheme& operator=(const ButtonTheme&) = delete;
    ~ButtonTheme() { close(); }

    // Draws a push button's background for `look` into `rect`; false when no theme is
    // active for `window`, and nothing was drawn.
    bool draw_background(HWND window, HDC dc, const RECT& rect, ButtonLook look);
    // Forgets the theme data: on WM_THEMECHANGED, WM_DPICHANGED and WM_DESTROY.
    void close();

  private:
    HTHEME theme_ = nullptr;
    bool opened_ = false;  // asked already; theme_ may still be null (no visual styles)
};

}  // namespace quillaro::win32
