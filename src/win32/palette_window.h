// The palette window: real child controls made from the layout table, driven by Palette.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "palette/palette.h"
#include "win32/font_cache.h"
#include "win32/glyph_coverage.h"
#include "win32/key_tooltips.h"
#include "win32/theme.h"
#include "win32/win32_desktop.h"

namespace quillaro::win32 {

class PaletteWindow {
  public:
    PaletteWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> open_about,
                  std::function<void()> on_destroyed);
    PaletteWindow(const PaletteWindow&) = delete;
    PaletteWindow& operator=(const PaletteWindow&) = delete;

    // Creates the window and its controls, runs the start-up sequence, then shows it.
    bool create(int show_command);
    [[nodiscard]] HWND hwnd() const { return window_; }
    // Moves the focus in the palette's own tab order; true when `message` was a Tab for us.
    bool handle_tab(const MSG& message);

  private:
    template <typename Owner>
    friend LRESULT CALLBACK owned_window_proc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void on_command(int id);
    void create_controls();
    void place_controls();
    void apply();
    void apply_button(HWND window, const ButtonControl& wanted, ButtonControl& shown);
    void draw_owner_button(const DRAWITEMSTRUCT& item);
    bool draw_code_point_caption(HDC dc, const RECT& rect, HFONT font, const ButtonControl& key);
    void apply_key_tooltips();
    void fit_page_label();
    void track_hot(HWND button, bool hot);
    [[nodiscard]] const ButtonControl* owner_drawn_state(int id) const;
    HFONT font_for(FontFace face, double points, bool bold = false, bool italic = false);

    HINSTANCE instance_;
    FontCache& fonts_;
    std::function<void()> on_destroyed_;
    Win32Desktop desktop_;
    Palette palette_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    bool placed_once_ = false;
    int controls_dpi_ = 0;  // the DPI the child controls are placed for
    HBRUSH preview_brush_ = GetSysColorBrush(COLOR_WINDOW);
    ButtonTheme button_theme_;
    HWND hot_button_ = nullptr;  // the owner-drawn button under the mouse

    std::array<HWND, kKeysPerPage> keys_{};
    std::array<HWND, kGroupButtons> groups_{};
    HWND page_up_button_ = nullptr;
    HWND page_down_button_ = nullptr;
    HWND more_button_ = nullptr;
    HWND about_button_ = nullptr;
    HWND page_label_ = nullptr;
    HWND preview_ = nullptr;
    std::vector<HWND> tab_order_;
    GlyphCoverage glyph_coverage_;
    KeyTooltips key_tooltips_;
    std::array<int16_t, 3> tooltip_position_{};  // set, group and page the tooltips are for
    HFONT page_label_font_ = nullptr;

    // What the child windows show now, so that only changes reach them.
    std::array<ButtonControl, kKeysPerPage> shown_keys_;
    std::array<ButtonControl, kGroupButtons> shown_groups_;
    ButtonControl shown_up_;
    ButtonControl shown_down_;
    LabelControl shown_page_;
    TextControl shown_preview_;
};

}  // namespace quillaro::win32
