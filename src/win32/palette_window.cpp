#include "win32/palette_window.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <utility>

#include "palette/key_tooltip.h"
#include "palette/layout.h"
#include "win32/child_control.h"
#include "win32/control_styles.h"
#include "win32/fitted_text.h"
#include "win32/saved_place.h"
#include "win32/unique_handle.h"

namespace quillaro::win32 {
namespace {

constexpr UINT_PTR kForegroundTimerId = 1;
// Set 3 is read again this long after the last change to a group file: an editor's save is
// several changes in a row (truncate, write, rename), and only the last one counts.
constexpr UINT_PTR kReloadTimerId = 2;
constexpr UINT kReloadDelayMs = 300;
// A file held open by another program reads as missing; it is tried again this many times,
// one delay apart, before the next change.
constexpr int kMaxReloadRetries = 10;
// Where the palette opens: its client area's top-left corner, in twips from the screen's.
constexpr int kHomeLeft = 5565;
constexpr int kHomeTop = 6945;

bool is_key(int id) { return id >= kFirstKeyId && id < kFirstKeyId + kKeysPerPage; }
bool is_group(int id) {
    return id >= kFirstGroupButtonId && id < kFirstGroupButtonId + kGroupButtons;
}
bool is_owner_drawn(ControlKind kind) {
    return kind == ControlKind::KeyButton || kind == ControlKind::GroupButton;
}
bool is_button(ControlKind kind) { return is_owner_drawn(kind) || kind == ControlKind::Button; }

void set_text(HWND window, const std::u16string& text) { SetWindowTextW(window, wide(text)); }

// Asked by the end-to-end tests, which cannot count another program's GDI objects everywhere
// (Wine has no GetGuiResources): the palette answers with the number of fonts it has made.
UINT font_count_message() {
    static const UINT message = RegisterWindowMessageW(L"QuillaroFontCount");
    return message;
}

}  // namespace

PaletteWindow::PaletteWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> open_about,
                             std::function<void()> on_destroyed)
    : WindowBase(instance),
      fonts_(fonts),
      on_destroyed_(std::move(on_destroyed)),
      desktop_(std::move(open_about)),
      palette_(desktop_) {}

bool PaletteWindow::create(int show_command) {
    HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    auto* small_icon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), 0));
    const std::u16string title(kAppTitle);
    if (!register_class(icon, small_icon) || !create_window(wide(title))) return false;
    desktop_.set_palette(hwnd());
    if (!create_controls()) return false;
    place_on_open();
    set_control_fonts();

    palette_.start();
    // Made after start-up has made the palette topmost: under Wine an owned topmost popup
    // made before keeps the palette from becoming topmost itself.
    key_tooltips_.create(hwnd(), instance_);
    for (HWND key : keys_) key_tooltips_.add(key);
    apply();
    SetTimer(hwnd(), kForegroundTimerId, USER_TIMER_MINIMUM, nullptr);
    ShowWindow(hwnd(), show_command);
    UpdateWindow(hwnd());
    return true;
}

bool PaletteWindow::create_controls() {
    std::vector<std::pair<int, HWND>> by_tab;
    // Overlapping controls stack in the layout's order, the first on top: each new child goes
    // below those made before it (the order dialogs rely on for their tab order), so making
    // them in the layout's order is enough. Made in place: moving 70 controls afterwards took
    // a sixth of the start-up under Wine.
    for (const ControlPlacement& placement : palette_layout()) {
        const int id = placement.id;
        const std::u16string* text = nullptr;
        if (id == kMoreButtonId) text = &palette_.more_button.caption;
        if (id == kAboutButtonId) text = &palette_.about_button.caption;
        HWND control = create_child(hwnd(), control_class(placement.kind),
                                    control_style(placement.kind), control_ex_style(placement.kind),
                                    placement, dpi(), text != nullptr ? wide(*text) : L"");
        if (control == nullptr) return false;
        // First, so that it sits next to the button itself: the hover and tooltip layers
        // added after it still see every press.
        if (is_button(placement.kind) && !focusless_press_.attach(control)) return false;
        if (is_owner_drawn(placement.kind) &&
            SetWindowSubclass(control, button_proc, static_cast<UINT_PTR>(id),
                              reinterpret_cast<DWORD_PTR>(this)) == FALSE) {
            return false;
        }
        if (placement.tab_index >= 0) by_tab.emplace_back(placement.tab_index, control);

        if (is_key(id)) {
            keys_.at(static_cast<size_t>(id - kFirstKeyId)) = control;
        } else if (is_group(id)) {
            group_buttons_.at(static_cast<size_t>(id - kFirstGroupButtonId)) = control;
        } else if (id == kPageUpButtonId) {
            page_up_button_ = control;
        } else if (id == kPageDownButtonId) {
            page_down_button_ = control;
        } else if (id == kPageLabelId) {
            page_label_ = control;
        } else if (id == kPreviewId) {
            preview_ = control;
        }
    }
    std::sort(by_tab.begin(), by_tab.end());
    for (const auto& entry : by_tab) tab_order_.push_back(entry.second);

    return true;
}

HFONT PaletteWindow::font_for(FontFace face, double points, bool bold, bool italic) {
    return fonts_.get({face, points, bold, italic, dpi()});
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
                     reinterpret_cast<WPARAM>(font_for(placement.face, placement.points)), TRUE);
    }
    page_label_font_ = nullptr;
    fit_page_label();
}

void PaletteWindow::dpi_changed() {
    button_theme_.close();  // theme parts are made for one DPI
    for (const ControlPlacement& placement : palette_layout()) {
        move_child(GetDlgItem(hwnd(), placement.id), placement, dpi());
    }
    set_control_fonts();
    for (HWND button : keys_) InvalidateRect(button, nullptr, TRUE);
    for (HWND button : group_buttons_) InvalidateRect(button, nullptr, TRUE);
}

void PaletteWindow::apply_button(HWND window, const ButtonControl& wanted, ButtonControl& shown) {
    if (wanted == shown) return;
    if (wanted.caption != shown.caption) set_text(window, wanted.caption);
    if (wanted.enabled != shown.enabled) EnableWindow(window, wanted.enabled ? TRUE : FALSE);
    if (wanted.bold != shown.bold || wanted.italic != shown.italic ||
        wanted.font_size != shown.font_size) {
        InvalidateRect(window, nullptr, FALSE);
    }
    shown = wanted;
}

void PaletteWindow::apply() {
    for (size_t i = 0; i < keys_.size(); ++i) {
        apply_button(keys_[i], palette_.keys[i], shown_keys_[i]);
    }
    for (size_t i = 0; i < group_buttons_.size(); ++i) {
        apply_button(group_buttons_[i], palette_.group_buttons[i], shown_group_buttons_[i]);
    }
    apply_button(page_up_button_, palette_.page_up_button, shown_up_);
    apply_button(page_down_button_, palette_.page_down_button, shown_down_);
    if (palette_.page_label != shown_page_) {
        set_text(page_label_, palette_.page_label.caption);
        shown_page_ = palette_.page_label;
        fit_page_label();
    }
    apply_key_tooltips();
    if (palette_.preview != shown_preview_) {
        set_text(preview_, palette_.preview.text);
        shown_preview_ = palette_.preview;
    }
}

const ButtonControl* PaletteWindow::owner_drawn_state(int id) const {
    if (is_key(id)) return &palette_.keys.at(static_cast<size_t>(id - kFirstKeyId));
    if (is_group(id))
        return &palette_.group_buttons.at(static_cast<size_t>(id - kFirstGroupButtonId));
    return nullptr;
}

void PaletteWindow::draw_owner_button(const DRAWITEMSTRUCT& item) {
    const ButtonControl* state = owner_drawn_state(static_cast<int>(item.CtlID));
    if (state == nullptr) return;
    RECT rect = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool hot = item.hwndItem == hot_button_ || (item.itemState & ODS_HOTLIGHT) != 0;
    ButtonLook look = ButtonLook::Normal;
    if (disabled) {
        look = ButtonLook::Disabled;
    } else if (pushed) {
        look = ButtonLook::Pressed;
    } else if (hot) {
        look = ButtonLook::Hot;
    }

    // With visual styles the keys look like the standard buttons beside them; a style's
    // rounded corners show the window's background, as a standard button's do.
    FillRect(item.hDC, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (!button_theme_.draw_background(hwnd(), item.hDC, rect, look)) {
        UINT frame = DFCS_BUTTONPUSH;
        if (pushed) frame |= DFCS_PUSHED;
        if (disabled) frame |= DFCS_INACTIVE;
        if (look == ButtonLook::Hot) frame |= DFCS_HOT;
        DrawFrameControl(item.hDC, &rect, DFC_BUTTON, frame);
        if (pushed) OffsetRect(&rect, 1, 1);
    }

    const HFONT font = font_for(palette_control(static_cast<int>(item.CtlID)).face,
                                state->font_size, state->bold, state->italic);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (!is_key(static_cast<int>(item.CtlID)) ||
        !draw_code_point_caption(item.hDC, rect, font, *state)) {
        HGDIOBJ old_font = SelectObject(item.hDC, font);
        DrawTextW(item.hDC, wide(state->caption), static_cast<int>(state->caption.size()), &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        SelectObject(item.hDC, old_font);
    }

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

// A key whose symbol no installed font draws shows its code point instead, in a small face
// that fits the key; its window text stays the caption. False when the caption draws.
bool PaletteWindow::draw_code_point_caption(HDC dc, const RECT& rect, HFONT font,
                                            const ButtonControl& key) {
    if (glyph_coverage_.draws(font, key.caption)) return false;
    // The digits take the size that fits; the "…" of a caption of several characters goes on
    // a line of its own below them, so that it never makes the digits smaller.
    const CodePointCaption shown = code_point_caption(key.caption);
    const std::u16string lines = shown.text(true);
    const std::u16string& digits = shown.digits;
    RECT inside = rect;
    const int margin = MulDiv(2, dpi(), 96);  // clear of the key's frame
    InflateRect(&inside, -margin, -margin);
    const FitRequest fit{FontFace::UiSans, 7.5, 4.5, dpi(), inside.right - inside.left, true};
    HGDIOBJ old_font = SelectObject(dc, fitting_fonts_.get(dc, fit, digits));
    RECT measured = inside;
    constexpr UINT kFormat = DT_CENTER | DT_NOPREFIX;
    DrawTextW(dc, wide(lines), static_cast<int>(lines.size()), &measured, kFormat | DT_CALCRECT);
    const int height = static_cast<int>(measured.bottom - measured.top);
    inside.top += std::max(0, static_cast<int>(inside.bottom - inside.top - height) / 2);
    DrawTextW(dc, wide(lines), static_cast<int>(lines.size()), &inside, kFormat);
    SelectObject(dc, old_font);
    return true;
}

// Tooltip texts change with the position or a reload of set 3, not with every hover.
void PaletteWindow::apply_key_tooltips() {
    const std::array<int16_t, 3> position{palette_.set, palette_.group, palette_.page};
    if (position == tooltip_position_) return;
    tooltip_position_ = position;
    key_tooltips_.hide();
    for (size_t i = 0; i < keys_.size(); ++i) {
        std::u16string text = palette_.key_tooltip(static_cast<int16_t>(i));
        if (text == shown_tooltips_[i]) continue;
        key_tooltips_.set_text(keys_[i], text);
        shown_tooltips_[i] = std::move(text);
    }
}

// The page label runs under group button 0; its text takes the size that fits the part left
// visible.
void PaletteWindow::fit_page_label() {
    const ControlPlacement& placement = palette_control(kPageLabelId);
    const PixelRect label = to_pixels(placement.rect, dpi());
    const PixelRect cover = to_pixels(palette_control(kFirstGroupButtonId).rect, dpi());
    const FitRequest fit{placement.face, placement.points, 6.0, dpi(), cover.left - label.left - 1};
    HDC dc = GetDC(page_label_);
    const HFONT font = fitting_fonts_.get(dc, fit, palette_.page_label.caption);
    ReleaseDC(page_label_, dc);
    if (font == page_label_font_) return;
    page_label_font_ = font;
    SendMessageW(page_label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void PaletteWindow::track_hot(HWND button, bool hot) {
    if (hot == (hot_button_ == button)) return;
    HWND previous = hot_button_;
    hot_button_ = hot ? button : nullptr;
    if (hot) {
        // Told when the mouse leaves, to draw the button plain again.
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
    }
    if (previous != nullptr) InvalidateRect(previous, nullptr, FALSE);
    if (hot_button_ != nullptr) InvalidateRect(hot_button_, nullptr, FALSE);
}

bool PaletteWindow::handle_tab(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (message.hwnd != hwnd() && IsChild(hwnd(), message.hwnd) == FALSE) return false;
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const auto count = static_cast<int>(tab_order_.size());
    const auto current = std::find(tab_order_.begin(), tab_order_.end(), GetFocus());
    int index = current == tab_order_.end() ? (backwards ? 0 : -1)
                                            : static_cast<int>(current - tab_order_.begin());
    for (int step = 0; step < count; ++step) {
        index = (index + (backwards ? count - 1 : 1)) % count;
        HWND next = tab_order_[static_cast<size_t>(index)];
        if (IsWindowEnabled(next) != FALSE) {
            SetFocus(next);
            break;
        }
    }
    return true;
}

// Runs one of the palette's handlers and shows what it changed. Out of memory, the handler
// stops where it was (a reload of set 3 keeps the set it had) and no exception leaves the
// window procedure.
template <typename Handler>
void PaletteWindow::run_handler(Handler handler) {
    try {
        handler();
        apply();
    } catch (const std::bad_alloc&) {
        // Shown as far as it got; the next event shows the rest.
    }
}

void PaletteWindow::group_files_changed() {
    if (hwnd() == nullptr) return;
    reload_retries_ = 0;
    SetTimer(hwnd(), kReloadTimerId, kReloadDelayMs, nullptr);  // restarts a running delay
}

void PaletteWindow::reload_group_files() {
    KillTimer(hwnd(), kReloadTimerId);
    desktop_.take_file_in_use();
    tooltip_position_ = {};  // the keys of set 3 may change where they stand
    run_handler([this] { palette_.reload_user_groups(); });
    if (desktop_.take_file_in_use() && reload_retries_ < kMaxReloadRetries) {
        ++reload_retries_;
        SetTimer(hwnd(), kReloadTimerId, kReloadDelayMs, nullptr);
    }
}

void PaletteWindow::on_command(int id) {
    run_handler([this, id] { dispatch_command(id); });
}

void PaletteWindow::dispatch_command(int id) {
    if (is_key(id)) {
        palette_.send_key(static_cast<int16_t>(id - kFirstKeyId));
    } else if (is_group(id)) {
        palette_.select_group(static_cast<int16_t>(id - kFirstGroupButtonId));
    } else if (id == kPageUpButtonId) {
        palette_.previous_page_or_edit();
    } else if (id == kPageDownButtonId) {
        palette_.next_page();
    } else if (id == kMoreButtonId) {
        palette_.next_set();
    } else if (id == kAboutButtonId) {
        palette_.open_about();
    }
}

LRESULT PaletteWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == font_count_message()) return static_cast<LRESULT>(fonts_.created());
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED) on_command(LOWORD(wparam));
            return 0;
        case WM_MOUSEACTIVATE:
            // A click on a key or button leaves the window the user types in at the front.
            // Taken from it, that window would drop the keys of the click before, if it had
            // not read them yet: a window reads its keys only after it has handled its
            // deactivation, and drops those that find no focus. Clicks on the frame still
            // bring the palette forward.
            if (LOWORD(lparam) == HTCLIENT) return MA_NOACTIVATE;
            break;
        case WM_TIMER:
            if (wparam == kForegroundTimerId) palette_.track_foreground();
            if (wparam == kReloadTimerId) reload_group_files();
            return 0;
        case WM_DRAWITEM:
            draw_owner_button(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            // The preview box is read-only but reads like a text box.
            if (reinterpret_cast<HWND>(lparam) == preview_) {
                SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        case WM_THEMECHANGED:
            button_theme_.close();
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return 0;
        case WM_MOVE:
            remember_place();
            break;
        case WM_DESTROY:
            button_theme_.close();
            KillTimer(hwnd(), kForegroundTimerId);
            KillTimer(hwnd(), kReloadTimerId);
            if (place_) save_place(*place_);
            on_destroyed_();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd(), message, wparam, lparam);
}

LRESULT CALLBACK PaletteWindow::button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR self) {
    auto* palette_window = reinterpret_cast<PaletteWindow*>(self);
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // Owner-drawn buttons take the second click of a quick pair as a double click:
            // they report BN_DOUBLECLICKED at once instead of pressing and reporting
            // BN_CLICKED, so a key clicked twice typed its symbol once. Every click is a
            // click of its own here.
            message = WM_LBUTTONDOWN;
            break;
        case WM_MOUSEMOVE:
            palette_window->track_hot(window, true);
            if (is_key(static_cast<int>(id))) {
                palette_window->run_handler([palette_window, id] {
                    palette_window->palette_.preview_key(
                        static_cast<int16_t>(static_cast<int>(id) - kFirstKeyId));
                });
            }
            // The system's button would ask, on every move, to be told when the mouse hovers,
            // for a hot look we draw ourselves; Wine answers by polling the cursor every 10 ms
            // while it rests on the button. The button needs moves only while it is pressed
            // (dragging off a pressed button releases it).
            if (GetCapture() != window) return 0;
            break;
        case WM_MOUSELEAVE:
            palette_window->track_hot(window, false);
            if (is_key(static_cast<int>(id))) palette_window->key_tooltips_.hide();
            break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:  // the menu key or Shift+F10 on a focused key
            // A right click copies the key's send string. Handled here, the release makes no
            // WM_CONTEXTMENU of its own.
            if (is_key(static_cast<int>(id))) {
                palette_window->palette_.copy_key(
                    static_cast<int16_t>(static_cast<int>(id) - kFirstKeyId));
                palette_window->apply();
                return 0;
            }
            break;
        case WM_NCDESTROY:
            if (palette_window->hot_button_ == window) palette_window->hot_button_ = nullptr;
            RemoveWindowSubclass(window, button_proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace quillaro::win32
