// The palette window: real child controls made from the layout table, driven by Palette.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "palette/palette.h"
#include "win32/fitted_text.h"
#include "win32/focusless_press.h"
#include "win32/font_cache.h"
#include "win32/glyph_coverage.h"
#include "win32/key_tooltips.h"
#include "win32/theme.h"
#include "win32/win32_desktop.h"
#include "win32/window_base.h"

namespace quillaro::win32 {

class PaletteWindow : public WindowBase<PaletteWindow> {
  public:
    static constexpr const wchar_t* kClassName = L"QuillaroPalette";
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr int kClientWidth = kPaletteClientWidth;
    static constexpr int kClientHeight = kPaletteClientHeight;

    PaletteWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> open_about,
                  std::function<void()> on_destroyed);

    // Creates the window and its controls, runs the start-up sequence, then shows it. False
    // when a window could not be made.
    bool create(int show_command);
    // Moves the focus in the palette's own tab order; true when `message` was a Tab for us.
    bool handle_tab(const MSG& message);
    // A group file changed: set 3 is read again once the files have been quiet for a moment.
    void group_files_changed();

  private:
    friend class WindowBase<PaletteWindow>;
    static LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void dpi_changed();
    void on_command(int id);
    void dispatch_command(int id);
    template <typename Handler>
    void run_handler(Handler handler);
    void reload_group_files();
    bool create_controls();
    void place_on_open();
    void remember_place();
    void set_control_fonts();
    void apply();
    void apply_button(HWND window, const ButtonControl& wanted, ButtonControl& shown);
    void draw_owner_button(const DRAWITEMSTRUCT& item);
    bool draw_code_point_caption(HDC dc, const RECT& rect, HFONT font, const ButtonControl& key);
    void apply_key_tooltips();
    void fit_page_label();
    void track_hot(HWND button, bool hot);
    [[nodiscard]] const ButtonControl* owner_drawn_state(int id) const;
    HFONT font_for(FontFace face, double points, bool bold = false, bool italic = false);

    FontCache& fonts_;
    std::function<void()> on_destroyed_;
    Win32Desktop desktop_;
    Palette palette_;
    ButtonTheme button_theme_;
    FocuslessPress focusless_press_;
    HWND hot_button_ = nullptr;   // the owner-drawn button under the mouse
    std::optional<POINT> place_;  // the window's corner when it was last neither minimized nor gone
    int reload_retries_ = 0;      // reloads since the last change, for files held by others

    std::array<HWND, kKeysPerPage> keys_{};
    std::array<HWND, kGroupButtons> group_buttons_{};
    HWND page_up_button_ = nullptr;
    HWND page_down_button_ = nullptr;
    HWND page_label_ = nullptr;
    HWND preview_ = nullptr;
    std::vector<HWND> tab_order_;
    GlyphCoverage glyph_coverage_;
    KeyTooltips key_tooltips_;
    std::array<std::u16string, kKeysPerPage> shown_tooltips_;
    FittingFonts fitting_fonts_{fonts_};
    std::array<int16_t, 3> tooltip_position_{};  // set, group and page the tooltips are for
    HFONT page_label_font_ = nullptr;

    // What the child windows show now, so that only changes reach them.
    std::array<ButtonControl, kKeysPerPage> shown_keys_;
    std::array<ButtonControl, kGroupButtons> shown_group_buttons_;
    ButtonControl shown_up_;
    ButtonControl shown_down_;
    LabelControl shown_page_;
    TextControl shown_preview_;
};

}  // namespace quillaro::win32
