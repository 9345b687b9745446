#include "win32/palette_window.h"

#include <commctrl.h>

#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "palette/key_grid.h"
#include "palette/layout.h"
#include "win32/child_control.h"
#include "win32/control_styles.h"
#include "win32/debug_log.h"
#include "win32/palette_settings.h"
#include "win32/saved_place.h"
#include "win32/utf16.h"

namespace quillaro::win32 {
namespace {

constexpr UINT_PTR kForegroundTimerId = 1;
constexpr UINT_PTR kReloadTimerId = 2;
// The recent symbols are written this long after their last change, not within the click: the
// write's file calls go through the same Wine server as the keys just typed, and made the
// symbol 2 ms later to arrive. A burst of clicks writes once.
constexpr UINT_PTR kSaveRecentTimerId = 4;
constexpr UINT kSaveRecentDelayMs = 1000;
constexpr int kHotkeyId = 1;
// A command of the window menu; the system's own commands are 0xF000 and above.
constexpr UINT kClearRecentCommand = 0x0010;
// Posted by start-up: the work the first page does not need, done once the page is on screen.
constexpr UINT kFinishStartupMessage = WM_APP + 1;
constexpr const wchar_t* kClearRecentCaption = L"清除最近使用的符號";
constexpr std::u16string_view kHotkeyTitle = u"快速鍵無法使用";
constexpr std::u16string_view kHotkeyUnreadable =
    u"登錄值 Hotkey 不是有效的快速鍵(例如 Ctrl+Alt+F10),本程式不使用快速鍵。";
constexpr std::u16string_view kHotkeyTakenBefore = u"快速鍵 ";
constexpr std::u16string_view kHotkeyTakenAfter = u" 已被其他程式使用,本程式不使用快速鍵。";
// Where the palette opens: its client area's top-left corner, in twips from the screen's.
constexpr int kHomeLeft = 5565;
constexpr int kHomeTop = 6945;

bool is_owner_drawn(ControlKind kind) {
    return kind == ControlKind::KeyButton || kind == ControlKind::GroupButton;
}
bool is_button(ControlKind kind) { return is_owner_drawn(kind) || kind == ControlKind::Button; }

// Asked by the end-to-end tests, which cannot count another program's GDI objects everywhere
// (Wine has no GetGuiResources): the palette answers with the number of fonts it has made.
UINT font_count_message() {
    static const UINT message = RegisterWindowMessageW(L"QuillaroFontCount");
    return message;
}
// Asked by the benchmarks: how often the message loop has woken up.
UINT wake_count_message() {
    static const UINT message = RegisterWindowMessageW(L"QuillaroWakeCount");
    return message;
}

}  // namespace

PaletteWindow::PaletteWindow(HINSTANCE instance, FontCache& fonts, MessageLoop& loop,
                             StartupMarks& marks, std::function<void()> open_about,
                             std::function<void()> on_destroyed)
    : WindowBase(instance),
      fonts_(fonts),
      loop_(loop),
      marks_(marks),
      on_destroyed_(std::move(on_destroyed)),
      desktop_(loop, std::move(open_about)),
      palette_(desktop_.services()) {}

bool PaletteWindow::create(int show_command) {
    const std::u16string title(kAppTitle);
    if (!register_class() || !create_window(as_wchars(title))) return false;
    marks_.mark("window");
    desktop_.set_palette_window(hwnd());
    palette_.recent = load_recent_symbols();
    saved_recent_changes_ = palette_.recent_changes;
    palette_.start();
    marks_.mark("key_table");
    // Each control is made showing the first page, which costs less than setting 62 captions
    // afterwards.
    if (!create_controls()) return false;
    marks_.mark("controls");
    attach_search_box();
    AppendMenuW(GetSystemMenu(hwnd(), FALSE), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(GetSystemMenu(hwnd(), FALSE), MF_STRING, kClearRecentCommand, kClearRecentCaption);
    place_on_open();
    marks_.mark("settings_and_place");
    set_control_fonts();
    marks_.mark("fonts");
    show_changes();
    marks_.mark("first_page");
    follow_foreground();
    marks_.mark("foreground_hook");
    ShowWindow(hwnd(), show_command);
    UpdateWindow(hwnd());
    marks_.mark("shown_and_painted");  // the theme and the glyph coverage come with the paint
    PostMessageW(hwnd(), kFinishStartupMessage, 0, 0);
    return true;
}

// What the first page does not need, from the message loop once the page is on screen. The
// tooltips come after start-up has made the palette topmost, too: under Wine an owned topmost
// popup made before keeps the palette from becoming topmost itself.
void PaletteWindow::finish_startup() {
    controls_.key_tooltips().create(hwnd(), instance_);
    for (HWND key : controls_.keys()) controls_.key_tooltips().add(key);
    show_changes();  // their texts
    marks_.mark("tooltips");
    register_hotkey();
    marks_.mark("hotkey");
    marks_.write();
}

// The target window without waking up between changes: the system's event for each new window
// in front, and the window in front read whenever the pointer comes to the palette, which is
// before any click on it (Wine tells of no other program's windows). A timer polls only where
// the system refuses the hook.
void PaletteWindow::follow_foreground() {
    palette_.track_foreground();  // the window in front at start-up
    const bool hooked = foreground_hook_.start([this](HWND window) {
        palette_.foreground_changed(reinterpret_cast<WindowHandle>(window));
    });
    if (!hooked) SetTimer(hwnd(), kForegroundTimerId, USER_TIMER_MINIMUM, nullptr);
}

void PaletteWindow::attach_search_box() {
    search_box_.attach(controls_.preview(),
                       {[this] { run_handler([this] { palette_.begin_search(); }); },
                        [this] { run_handler([this] { palette_.send_first_result(); }); },
                        [this] {
                            // Off the box first: while the palette is still in front.
                            SetFocus(hwnd());
                            run_handler([this] { palette_.escape_search(); });
                        }});
}

// Without a hotkey the palette works as before; the balloon tells why there is none.
void PaletteWindow::register_hotkey() {
    const HotkeySetting setting = load_hotkey_setting();
    if (setting.kind == HotkeySetting::Kind::Off) return;
    std::u16string notice(kHotkeyUnreadable);
    if (setting.kind == HotkeySetting::Kind::Valid) {
        hotkey_registered_ = RegisterHotKey(hwnd(), kHotkeyId, setting.key.modifiers | MOD_NOREPEAT,
                                            setting.key.virtual_key) != FALSE;
        if (hotkey_registered_) return;
        notice = kHotkeyTakenBefore;
        notice += hotkey_name(setting.key);
        notice += kHotkeyTakenAfter;
    }
    desktop_.notices().show_notice_at(kPreviewId, kHotkeyTitle, notice);
}

// Calls the palette to the front with the recent symbols in the search box, or, pressed with
// the palette in front, gives the front back.
void PaletteWindow::hotkey_pressed() {
    palette_.track_foreground();
    if (GetForegroundWindow() == hwnd()) {
        SetFocus(hwnd());
        run_handler([this] { palette_.escape_search(); });
        return;
    }
    if (IsIconic(hwnd()) != FALSE) ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
    // Focused, the box starts a fresh search; it may have kept the focus and not be told.
    SetFocus(controls_.preview());
    run_handler([this] { palette_.begin_search(); });
}

// The box's own edits; those the palette makes (the preview, an emptied box) change nothing.
void PaletteWindow::search_text_changed() {
    HWND box = controls_.preview();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    const std::u16string query(text.begin(), text.end());
    if (query == palette_.preview.text) return;
    controls_.preview_edited(query);
    run_handler([this, &query] { palette_.search_for(query); });
}

// Once for each change: the hovering that follows a click leaves the timer running.
void PaletteWindow::save_recent_soon() {
    const uint32_t changes = palette_.recent_changes;
    if (changes == saved_recent_changes_ || changes == save_timed_for_changes_) return;
    save_timed_for_changes_ = changes;
    SetTimer(hwnd(), kSaveRecentTimerId, kSaveRecentDelayMs, nullptr);
}

void PaletteWindow::save_recent_now() {
    KillTimer(hwnd(), kSaveRecentTimerId);
    if (palette_.recent_changes == saved_recent_changes_) return;
    saved_recent_changes_ = palette_.recent_changes;
    save_recent_symbols(palette_.recent);
}

bool PaletteWindow::create_controls() {
    // Overlapping controls stack in the layout's order, the first on top: each new child goes
    // below those made before it (the order dialogs rely on for their tab order), so making
    // them in the layout's order is enough. Made in place: moving 70 controls afterwards took
    // a sixth of the start-up under Wine.
    for (const ControlPlacement& placement : palette_layout()) {
        const int id = placement.id;
        const std::u16string& text = ControlMirror::text_of(palette_, control_role(id));
        HWND control =
            create_child(hwnd(), control_class(placement.kind), control_style(placement.kind),
                         control_ex_style(placement.kind), placement, dpi(), as_wchars(text));
        if (control == nullptr) return false;
        // First, so that it sits next to the button itself: the hover layer added after it
        // still sees every press.
        const auto come_up = placement.kind == ControlKind::KeyButton
                                 ? FocuslessPress::ComeUp::AfterClick
                                 : FocuslessPress::ComeUp::BeforeClick;
        if (is_button(placement.kind) && !focusless_press_.attach(control, come_up)) return false;
        if (is_owner_drawn(placement.kind) &&
            SetWindowSubclass(control, button_proc, static_cast<UINT_PTR>(id),
                              reinterpret_cast<DWORD_PTR>(this)) == FALSE) {
            return false;
        }
        const Role role = control_role(id).role;
        if (role != Role::Preview && role != Role::None && !accessible_controls_.attach(control)) {
            return false;
        }
        if (placement.tab_index >= 0) tab_order_.add(placement.tab_index, control);
        controls_.attach(control_role(id), control, text);
    }
    return true;
}

// Where the user left the palette, or its designed place on the first start; wholly on a
// monitor either way.
void PaletteWindow::place_on_open() {
    const std::vector<PixelRect> work_areas = monitor_work_areas();
    const auto fit = [&](POINT corner) {
        const RECT outer = frame(dpi());
        const PixelRect placed =
            place_on_screen({corner.x, corner.y, corner.x + outer.right - outer.left,
                             corner.y + outer.bottom - outer.top},
                            work_areas);
        SetWindowPos(hwnd(), nullptr, placed.left, placed.top, placed.width(), placed.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return POINT{placed.left, placed.top};
    };
    const RECT outer = frame(dpi());
    const POINT home{twips_to_pixels(kHomeLeft, dpi()) + outer.left,
                     twips_to_pixels(kHomeTop, dpi()) + outer.top};
    const int opened_dpi = dpi();
    const POINT corner = fit(load_saved_place().value_or(home));
    // On a monitor of another scale the window has taken another size: fit that one too.
    if (dpi() != opened_dpi) fit(corner);
}

// Minimized, the window stands far off the screen; the place to open at next time is the one
// it had before.
void PaletteWindow::remember_place() {
    RECT rect{};
    if (IsIconic(hwnd()) == FALSE && GetWindowRect(hwnd(), &rect) != FALSE) {
        place_ = POINT{rect.left, rect.top};
    }
}

// Fonts of the standard controls, from the layout; owner-drawn buttons pick theirs when they
// paint.
void PaletteWindow::set_control_fonts() {
    for (const ControlPlacement& placement : palette_layout()) {
        if (is_owner_drawn(placement.kind)) continue;
        SendMessageW(GetDlgItem(hwnd(), placement.id), WM_SETFONT,
                     reinterpret_cast<WPARAM>(
                         fonts_.get({placement.face, placement.points, false, false, dpi()})),
                     TRUE);
    }
    page_label_font_ = nullptr;
    fit_page_label();
}

void PaletteWindow::dpi_changed() {
    key_painter_.close_theme();
    for (const ControlPlacement& placement : palette_layout()) {
        move_child(GetDlgItem(hwnd(), placement.id), placement, dpi());
    }
    set_control_fonts();
    for (HWND button : controls_.keys()) InvalidateRect(button, nullptr, TRUE);
    for (HWND button : controls_.group_buttons()) InvalidateRect(button, nullptr, TRUE);
}

void PaletteWindow::show_changes() {
    if (controls_.show(palette_)) fit_page_label();
    save_recent_soon();
}

// The page label runs under group button 0; its text takes the size that fits the part left
// visible.
void PaletteWindow::fit_page_label() {
    const ControlPlacement& placement = palette_control(kPageLabelId);
    const PixelRect label = to_pixels(placement.rect, dpi());
    const PixelRect cover = to_pixels(palette_control(kFirstGroupButtonId).rect, dpi());
    const FitRequest fit{placement.face, placement.points, 6.0, dpi(), cover.left - label.left - 1};
    HWND label_window = controls_.page_label();
    HDC dc = GetDC(label_window);
    const HFONT font = fitting_fonts_.get(dc, fit, palette_.page_label.caption);
    ReleaseDC(label_window, dc);
    if (font == page_label_font_) return;
    page_label_font_ = font;
    SendMessageW(label_window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool PaletteWindow::handle_keyboard(const MSG& message) {
    if (tab_order_.handle(hwnd(), message)) return true;
    if (message.message != WM_KEYDOWN || GetAncestor(message.hwnd, GA_ROOT) != hwnd()) return false;
    const WPARAM key = message.wParam;
    if (key == VK_F3 || (key == 'F' && GetKeyState(VK_CONTROL) < 0)) {
        SetFocus(controls_.preview());
        return true;
    }
    if (key == VK_PRIOR || key == VK_NEXT) {
        const ButtonControl& button =
            key == VK_PRIOR ? palette_.page_up_button : palette_.page_down_button;
        // Never the edit command that 上頁 is on page 1 of a set-3 group.
        if (button.enabled && button.caption != u"編輯") {
            run_handler([this, key] {
                if (key == VK_PRIOR) {
                    palette_.previous_page_or_edit();
                } else {
                    palette_.next_page();
                }
            });
        }
        return true;
    }
    if (message.hwnd == controls_.preview()) return false;  // the search box has its own keys
    if (key == VK_ESCAPE) {
        SetFocus(hwnd());
        run_handler([this] { palette_.escape_search(); });
        return true;
    }
    // The palette itself has the focus when it comes to the front: an arrow reaches key 0.
    const ControlRole control = message.hwnd == hwnd() ? ControlRole{Role::Key, 0}
                                                       : control_role(GetDlgCtrlID(message.hwnd));
    if (control.role != Role::Key) return false;
    if (key == VK_RETURN && message.hwnd != hwnd()) {
        run_handler([this, control] { palette_.send_key(control.index); });
        return true;
    }
    const auto step = [key]() -> std::optional<KeyStep> {
        switch (key) {
            case VK_LEFT:
                return KeyStep::Left;
            case VK_RIGHT:
                return KeyStep::Right;
            case VK_UP:
                return KeyStep::Up;
            case VK_DOWN:
                return KeyStep::Down;
            case VK_HOME:
                return KeyStep::First;
            case VK_END:
                return KeyStep::Last;
            default:
                return std::nullopt;
        }
    }();
    if (!step) return false;
    show_focus_cues(true);
    const int16_t next = message.hwnd == hwnd() ? 0 : key_after_step(control.index, *step);
    SetFocus(controls_.keys().at(static_cast<size_t>(next)));
    return true;
}

// The focus rectangle shows while the keyboard moves the focus, and not after a mouse click.
void PaletteWindow::show_focus_cues(bool shown) {
    SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS),
                 0);
}

// Every way into the palette's handlers from a window procedure: runs one and shows what it
// changed. Out of memory, the handler stops where it was (a reload of set 3 keeps the set it
// had), what it changed so far shows at the next event, and no exception leaves the window
// procedure.
template <typename Handler>
void PaletteWindow::run_handler(Handler handler) {
    try {
        handler();
        show_changes();
    } catch (const std::exception&) {
        log_ignored(L"Quillaro: a handler stopped on an exception\n");
    }
}

void PaletteWindow::group_files_changed() {
    if (hwnd() == nullptr) return;
    reload_schedule_.files_changed();
    SetTimer(hwnd(), kReloadTimerId, ReloadSchedule::kQuietMs, nullptr);  // restarts a running one
}

void PaletteWindow::reload_group_files() {
    KillTimer(hwnd(), kReloadTimerId);
    controls_.tooltips_stale();  // the keys of set 3 may change where they stand
    run_handler([this] { palette_.reload_user_groups(); });
    if (reload_schedule_.retry_after_reload(palette_.met_file_in_use())) {
        SetTimer(hwnd(), kReloadTimerId, ReloadSchedule::kQuietMs, nullptr);
    }
}

void PaletteWindow::dispatch_command(ControlRole control) {
    switch (control.role) {
        case Role::Key:
            palette_.send_key(control.index);
            break;
        case Role::Group:
            palette_.select_group(control.index);
            break;
        case Role::PageUp:
            palette_.previous_page_or_edit();
            break;
        case Role::PageDown:
            palette_.next_page();
            break;
        case Role::More:
            palette_.next_set();
            break;
        case Role::About:
            palette_.open_about();
            break;
        case Role::PageLabel:
        case Role::Preview:
        case Role::None:
            break;
    }
}

LRESULT PaletteWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == font_count_message()) return static_cast<LRESULT>(fonts_.created());
    if (message == wake_count_message()) return static_cast<LRESULT>(loop_.wakes());
    if (message == kFinishStartupMessage) {
        finish_startup();
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wparam) == kPreviewId && HIWORD(wparam) == EN_CHANGE) {
                search_text_changed();
            } else if (HIWORD(wparam) == BN_CLICKED) {
                const ControlRole control = control_role(LOWORD(wparam));
                run_handler([this, control] { dispatch_command(control); });
            }
            return 0;
        case WM_MOUSEACTIVATE:
            // A click on a key or button leaves the window the user types in at the front.
            // Taken from it, that window would drop the keys of the click before, if it had
            // not read them yet: a window reads its keys only after it has handled its
            // deactivation, and drops those that find no focus. Clicks on the frame still
            // bring the palette forward.
            if (LOWORD(lparam) == HTCLIENT) return MA_NOACTIVATE;
            break;
        case WM_SETCURSOR:
            // The pointer over the palette: it may be on its way to a key.
            palette_.track_foreground();
            break;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                search_box_.palette_deactivated();
            } else {
                // The window the palette takes the front from (by the keyboard, say).
                palette_.foreground_changed(static_cast<WindowHandle>(lparam));
            }
            break;
        case WM_HOTKEY:
            if (wparam == kHotkeyId) hotkey_pressed();
            return 0;
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == kClearRecentCommand) {
                run_handler([this] { palette_.clear_recent(); });
                return 0;
            }
            break;
        case WM_TIMER:
            if (wparam == kForegroundTimerId) palette_.track_foreground();
            if (wparam == kReloadTimerId) reload_group_files();
            if (wparam == KeyTooltips::kPopTimerId) controls_.key_tooltips().hide();
            if (wparam == kSaveRecentTimerId) save_recent_now();
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            const int id = static_cast<int>(item.CtlID);
            const ControlRole control = control_role(id);
            const auto index = static_cast<size_t>(control.index);
            const bool key = control.role == Role::Key;
            if (key || control.role == Role::Group) {
                const ButtonControl& state =
                    key ? palette_.keys.at(index) : palette_.group_buttons.at(index);
                key_painter_.draw(hwnd(), item, state, palette_control(id).face, key, dpi());
            }
            return TRUE;
        }
        case WM_SETTINGCHANGE:
            if (wparam != SPI_SETHIGHCONTRAST) break;
            [[fallthrough]];
        case WM_SYSCOLORCHANGE:  // a high-contrast scheme comes or goes
        case WM_THEMECHANGED:
            key_painter_.close_theme();
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return 0;
        case WM_MOVE:
            remember_place();
            break;
        case WM_ENDSESSION:  // Windows ends without destroying the window
            if (wparam != FALSE) {
                save_recent_now();
                if (place_) save_place(*place_);
            }
            return 0;
        case WM_DESTROY:
            key_painter_.close_theme();
            foreground_hook_.stop();
            KillTimer(hwnd(), kForegroundTimerId);
            KillTimer(hwnd(), kReloadTimerId);
            KillTimer(hwnd(), KeyTooltips::kPopTimerId);
            if (hotkey_registered_) UnregisterHotKey(hwnd(), kHotkeyId);
            save_recent_now();
            if (place_) save_place(*place_);
            on_destroyed_();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd(), message, wparam, lparam);
}

// Told when the mouse leaves `button`, and for a key when it has rested there as long as a tip
// waits: one tip each time the mouse comes to a key, as the system's tooltips show.
void PaletteWindow::track_mouse(HWND button, bool key) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
    if (key && controls_.key_tooltips().created()) {
        track.dwFlags |= TME_HOVER;
        track.dwHoverTime = controls_.key_tooltips().initial_delay();
    }
    TrackMouseEvent(&track);
}

LRESULT CALLBACK PaletteWindow::button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR self) noexcept {
    auto* palette_window = reinterpret_cast<PaletteWindow*>(self);
    const ControlRole control = control_role(static_cast<int>(id));
    const bool key = control.role == Role::Key;
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // Owner-drawn buttons take the second click of a quick pair as a double click:
            // they report BN_DOUBLECLICKED at once instead of pressing and reporting
            // BN_CLICKED, so a key clicked twice typed its symbol once. Every click is a
            // click of its own here.
            message = WM_LBUTTONDOWN;
            [[fallthrough]];
        case WM_LBUTTONDOWN:
            palette_window->show_focus_cues(false);
            if (key) palette_window->controls_.key_tooltips().hide();
            break;
        case WM_MOUSEMOVE:
            if (palette_window->key_painter_.track_hot(window, true)) {
                palette_window->controls_.key_tooltips().hide();  // another key's tip
                palette_window->track_mouse(window, key);
            }
            if (key) {
                palette_window->run_handler([palette_window, control] {
                    palette_window->palette_.preview_key(control.index);
                });
            }
            // The system's button would ask, on every move, to be told when the mouse hovers,
            // for a hot look we draw ourselves; Wine answers by polling the cursor every 10 ms
            // while it rests on the button. The button needs moves only while it is pressed
            // (dragging off a pressed button releases it).
            if (GetCapture() != window) return 0;
            break;
        case WM_MOUSEHOVER:
            if (key) palette_window->controls_.key_tooltips().show(window);
            return 0;
        case WM_MOUSELEAVE:
            palette_window->key_painter_.track_hot(window, false);
            if (key) palette_window->controls_.key_tooltips().hide();
            break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:  // the menu key or Shift+F10 on a focused key
            // A right click copies the key's send string. Handled here, the release makes no
            // WM_CONTEXTMENU of its own.
            if (key) {
                palette_window->run_handler([palette_window, control] {
                    palette_window->palette_.copy_key(control.index);
                });
                return 0;
            }
            break;
        case WM_NCDESTROY:
            palette_window->key_painter_.forget(window);
            RemoveWindowSubclass(window, button_proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace quillaro::win32
