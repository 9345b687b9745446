// The palette window: real child controls made from the layout table, driven by Palette.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "palette/palette.h"
#include "win32/font_cache.h"
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
    // A group file changed: set 3 is read again once the files have been quiet for a moment.
    void group_files_changed();

  private:
    template <typename Owner>
    friend LRESULT CALLBACK owned_window_proc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void on_command(int id);
    void dispatch_command(int id);
    template <typename Handler>
    void run_handler(Handler handler);
    void reload_group_files();
    void create_controls();
    void place_controls();
    void apply();
    void apply_button(HWND window, const ButtonControl& wanted, ButtonControl& shown);
    void draw_owner_button(const DRAWITEMSTRUCT& item);
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
    int reload_retries_ = 0;     // reloads since the last change, for files held by others

    std::array<HWND, kKeysPerPage> keys_{};
    std::array<HWND, kGroupButtons> groups_{};
    HWND page_up_button_ = nullptr;
    HWND page_down_button_ = nullptr;
    HWND more_button_ = nullptr;
    HWND about_button_ = nullptr;
    HWND page_label_ = nullptr;
    HWND preview_ = nullptr;
    std::vector<HWND> tab_order_;

    // What the child windows show now, so that only changes reach them.
    std::array<ButtonControl, kKeysPerPage> shown_keys_;
    std::array<ButtonControl, kGroupButtons> shown_groups_;
    ButtonControl shown_up_;
    ButtonControl shown_down_;
    LabelControl shown_page_;
    TextControl shown_preview_;
};

}  // namespace quillaro::win32
