// The palette window: real child controls made from the layout table, driven by Palette.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "palette/palette.h"
#include "palette/reload_schedule.h"
#include "win32/accessible_controls.h"
#include "win32/control_mirror.h"
#include "win32/fitted_text.h"
#include "win32/focusless_press.h"
#include "win32/font_cache.h"
#include "win32/foreground_hook.h"
#include "win32/key_painter.h"
#include "win32/message_loop.h"
#include "win32/search_box.h"
#include "win32/startup_marks.h"
#include "win32/tab_order.h"
#include "win32/win32_desktop.h"
#include "win32/window_base.h"

namespace quillaro::win32 {

class PaletteWindow : public WindowBase<PaletteWindow> {
  public:
    static constexpr const wchar_t* kClassName = L"QuillaroPalette";
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr int kClientWidth = kPaletteClientWidth;
    static constexpr int kClientHeight = kPaletteClientHeight;

    // `loop` is the thread's message loop, which a click's delivery pumps while it waits.
    // `marks` notes each phase of the start-up for the benchmarks.
    PaletteWindow(HINSTANCE instance, FontCache& fonts, MessageLoop& loop, StartupMarks& marks,
                  std::function<void()> open_about, std::function<void()> on_destroyed);

    // Creates the window and its controls, runs the start-up sequence, then shows it. False
    // when a window could not be made.
    bool create(int show_command);
    // The palette's keyboard, before the focused control sees the key: Tab in its own order,
    // arrows, Home and End among the keys, Page Up and Down as 上頁 and 下頁, Enter on a key,
    // Escape, Ctrl+F and F3. True when `message` was such a key for us.
    bool handle_keyboard(const MSG& message);
    // A group file changed: set 3 is read again once the files have been quiet for a moment.
    void group_files_changed();

  private:
    friend class WindowBase<PaletteWindow>;
    static LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR self) noexcept;
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void dpi_changed();
    void dispatch_command(ControlRole control);
    template <typename Handler>
    void run_handler(Handler handler);
    void show_changes();
    void reload_group_files();
    bool create_controls();
    void place_on_open();
    void remember_place();
    void set_control_fonts();
    void fit_page_label();
    void attach_search_box();
    void finish_startup();
    void register_hotkey();
    void follow_foreground();
    void show_focus_cues(bool shown);
    void track_mouse(HWND button, bool key);
    void hotkey_pressed();
    void search_text_changed();
    void save_recent_soon();
    void save_recent_now();

    FontCache& fonts_;
    MessageLoop& loop_;
    StartupMarks& marks_;
    std::function<void()> on_destroyed_;
    Win32Desktop desktop_;
    Palette palette_;
    AccessibleControls accessible_controls_{[this](HWND control) {
        return palette_.accessible_facts(control_role(GetDlgCtrlID(control)));
    }};
    FocuslessPress focusless_press_;
    KeyPainter key_painter_{fonts_};
    ControlMirror controls_;
    TabOrder tab_order_;
    FittingFonts fitting_fonts_{fonts_};
    HFONT page_label_font_ = nullptr;
    std::optional<POINT> place_;  // the window's corner when it was last neither minimized nor gone
    ReloadSchedule reload_schedule_;
    SearchBox search_box_;
    ForegroundHook foreground_hook_;
    uint32_t saved_recent_changes_ = 0;
    uint32_t save_timed_for_changes_ = 0;  // the changes the running save timer will write
    bool hotkey_registered_ = false;
};

}  // namespace quillaro::win32
