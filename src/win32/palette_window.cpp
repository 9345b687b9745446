#include "win32/palette_window.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <utility>

#include "palette/layout.h"
#include "win32/dpi.h"
#include "win32/owned_window.h"
#include "win32/unique_handle.h"

namespace quillaro::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuillaroPalette";
constexpr UINT_PTR kTimerId = 1;
// Set 3 is read again this long after the last change to a group file: an editor's save is
// several changes in a row (truncate, write, rename), and only the last one counts.
constexpr UINT_PTR kReloadTimerId = 2;
constexpr UINT kReloadDelayMs = 300;
// A file held open by another program reads as missing; it is tried again this many times,
// one delay apart, before the next change.
constexpr int kMaxReloadRetries = 10;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Where the palette opens: its client area's top-left corner, in twips from the screen's.
constexpr int kHomeLeft = 5565;
constexpr int kHomeTop = 6945;

bool is_key(int id) { return id >= kFirstKeyId && id < kFirstKeyId + kKeysPerPage; }
bool is_group(int id) {
    return id >= kFirstGroupButtonId && id < kFirstGroupButtonId + kGroupButtons;
}

const wchar_t* class_for(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return L"STATIC";
        case ControlKind::TextBox:
            return L"EDIT";
        default:
            return L"BUTTON";
    }
}

DWORD style_for(ControlKind kind) {
    const DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (kind) {
        // Drawn by us so that a caption shows literally: "&" is never a mnemonic.
        case ControlKind::KeyButton:
        case ControlKind::GroupButton:
            return common | WS_TABSTOP | BS_OWNERDRAW;
        case ControlKind::Button:
            return common | WS_TABSTOP | BS_PUSHBUTTON;
        case ControlKind::Label:
            return common | SS_LEFT | SS_NOPREFIX;
        case ControlKind::TextBox:
            return common | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
    }
    return common;
}

void set_text(HWND window, const std::u16string& text) { SetWindowTextW(window, wide(text)); }

// The palette's window size for a client area of the layout's size at `dpi`.
RECT palette_frame(int dpi) {
    return window_rect_for_client(twips_to_pixels(kPaletteClientWidth, dpi),
                                  twips_to_pixels(kPaletteClientHeight, dpi), kStyle, 0, dpi);
}

// Asked by the end-to-end tests, which cannot count another program's GDI objects everywhere
// (Wine has no GetGuiResources): the palette answers with the number of fonts it has made.
UINT font_count_message() {
    static const UINT message = RegisterWindowMessageW(L"QuillaroFontCount");
    return message;
}

// A control's place in client pixels at `dpi`, from edges rounded one by one, so that
// neighbours keep sharing one border line.
RECT control_rect(const ControlPlacement& placement, int dpi) {
    const Twips& r = placement.rect;
    const int left = twips_to_pixels(r.left, dpi);
    const int top = twips_to_pixels(r.top, dpi);
    return {left, top, twips_to_pixels(r.left + r.width, dpi),
            twips_to_pixels(r.top + r.height, dpi)};
}

}  // namespace

PaletteWindow::PaletteWindow(HINSTANCE instance, FontCache& fonts, std::function<void()> open_about,
                             std::function<void()> on_destroyed)
    : instance_(instance),
      fonts_(fonts),
      on_destroyed_(std::move(on_destroyed)),
      desktop_(std::move(open_about)),
      palette_(desktop_) {}

bool PaletteWindow::create(int show_command) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = owned_window_proc<PaletteWindow>;
    window_class.hInstance = instance_;
    window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    window_class.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);

    const std::u16string title(kAppTitle);
    window_ = CreateWindowExW(0, kClassName, wide(title), kStyle, 0, 0, 0, 0, nullptr, nullptr,
                              instance_, this);
    if (window_ == nullptr) return false;
    desktop_.set_palette(window_);
    dpi_ = window_dpi(window_);
    create_controls();
    place_controls();

    palette_.start();
    apply();
    SetTimer(window_, kTimerId, USER_TIMER_MINIMUM, nullptr);
    ShowWindow(window_, show_command);
    UpdateWindow(window_);
    return true;
}

void PaletteWindow::create_controls() {
    std::vector<std::pair<int, HWND>> by_tab;
    // Overlapping controls stack in the layout's order, the first on top: each new child goes
    // below those made before it (the order dialogs rely on for their tab order), so making
    // them in the layout's order is enough.
    for (const ControlPlacement& placement : palette_layout()) {
        const DWORD ex_style = placement.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
        // Made in place: moving 70 controls afterwards took a sixth of the start-up under Wine.
        const RECT rect = control_rect(placement, dpi_);
        HWND control = CreateWindowExW(
            ex_style, class_for(placement.kind), L"", style_for(placement.kind), rect.left,
            rect.top, rect.right - rect.left, rect.bottom - rect.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)), instance_, nullptr);
        if (placement.tab_index >= 0) by_tab.emplace_back(placement.tab_index, control);

        const int id = placement.id;
        if (is_key(id) || is_group(id)) {
            SetWindowSubclass(control, button_proc, static_cast<UINT_PTR>(id),
                              reinterpret_cast<DWORD_PTR>(this));
        }
        if (is_key(id)) {
            keys_.at(static_cast<size_t>(id - kFirstKeyId)) = control;
        } else if (is_group(id)) {
            groups_.at(static_cast<size_t>(id - kFirstGroupButtonId)) = control;
        } else if (id == kPageUpButtonId) {
            page_up_button_ = control;
        } else if (id == kPageDownButtonId) {
            page_down_button_ = control;
        } else if (id == kMoreButtonId) {
            more_button_ = control;
        } else if (id == kAboutButtonId) {
            about_button_ = control;
        } else if (id == kPageLabelId) {
            page_label_ = control;
        } else if (id == kPreviewId) {
            preview_ = control;
        }
    }
    controls_dpi_ = dpi_;
    std::sort(by_tab.begin(), by_tab.end());
    for (const auto& entry : by_tab) tab_order_.push_back(entry.second);

    // Captions and states the controls have before start-up runs.
    set_text(more_button_, palette_.more_button.caption);
    set_text(about_button_, palette_.about_button.caption);
    shown_up_.caption = u"\x1";  // force the first apply to write them
    shown_down_.caption = u"\x1";
}

HFONT PaletteWindow::font_for(FontFace face, double points, bool bold, bool italic) {
    return fonts_.get({face, points, bold, italic, dpi_});
}

void PaletteWindow::place_controls() {
    const RECT frame = palette_frame(dpi_);
    RECT placed{};
    GetWindowRect(window_, &placed);
    if (!placed_once_) {
        placed_once_ = true;
        // First placement: the palette's home position, kept inside the work area.
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        int left = twips_to_pixels(kHomeLeft, dpi_) + frame.left;
        int top = twips_to_pixels(kHomeTop, dpi_) + frame.top;
        left =
            std::clamp(left, static_cast<int>(work.left),
                       std::max(static_cast<int>(work.left), static_cast<int>(work.right) - width));
        top = std::clamp(
            top, static_cast<int>(work.top),
            std::max(static_cast<int>(work.top), static_cast<int>(work.bottom) - height));
        placed = {left, top, left + width, top + height};
    }
    SetWindowPos(window_, nullptr, placed.left, placed.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);

    if (controls_dpi_ != dpi_) {
        for (const ControlPlacement& placement : palette_layout()) {
            const RECT rect = control_rect(placement, dpi_);
            SetWindowPos(GetDlgItem(window_, placement.id), nullptr, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        controls_dpi_ = dpi_;
    }

    // Fonts of the standard controls; owner-drawn buttons pick theirs when they paint.
    SendMessageW(page_up_button_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_for(FontFace::Mingliu, 11.25)), TRUE);
    SendMessageW(page_down_button_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_for(FontFace::Mingliu, 11.25)), TRUE);
    SendMessageW(page_label_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_for(FontFace::Mingliu, 11.25)), TRUE);
    SendMessageW(preview_, WM_SETFONT, reinterpret_cast<WPARAM>(font_for(FontFace::Mingliu, 11.25)),
                 TRUE);
    SendMessageW(more_button_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_for(FontFace::UiSans, 12.0)), TRUE);
    SendMessageW(about_button_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_for(FontFace::WindowDefault, 0.0)), TRUE);
    for (HWND button : keys_) InvalidateRect(button, nullptr, TRUE);
    for (HWND button : groups_) InvalidateRect(button, nullptr, TRUE);
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
    for (size_t i = 0; i < groups_.size(); ++i) {
        apply_button(groups_[i], palette_.group_buttons[i], shown_groups_[i]);
    }
    apply_button(page_up_button_, palette_.page_up_button, shown_up_);
    apply_button(page_down_button_, palette_.page_down_button, shown_down_);
    if (palette_.page_label != shown_page_) {
        set_text(page_label_, palette_.page_label.caption);
        shown_page_ = palette_.page_label;
    }
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
    if (!button_theme_.draw_background(window_, item.hDC, rect, look)) {
        UINT frame = DFCS_BUTTONPUSH;
        if (pushed) frame |= DFCS_PUSHED;
        if (disabled) frame |= DFCS_INACTIVE;
        if (look == ButtonLook::Hot) frame |= DFCS_HOT;
        DrawFrameControl(item.hDC, &rect, DFC_BUTTON, frame);
        if (pushed) OffsetRect(&rect, 1, 1);
    }

    HGDIOBJ old_font = SelectObject(
        item.hDC, font_for(FontFace::Mingliu, state->font_size, state->bold, state->italic));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(item.hDC, wide(state->caption), static_cast<int>(state->caption.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(item.hDC, old_font);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
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
    if (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE) return false;
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
    if (window_ == nullptr) return;
    reload_retries_ = 0;
    SetTimer(window_, kReloadTimerId, kReloadDelayMs, nullptr);  // restarts a running delay
}

void PaletteWindow::reload_group_files() {
    KillTimer(window_, kReloadTimerId);
    desktop_.take_file_in_use();
    run_handler([this] { palette_.reload_user_groups(); });
    if (desktop_.take_file_in_use() && reload_retries_ < kMaxReloadRetries) {
        ++reload_retries_;
        SetTimer(window_, kReloadTimerId, kReloadDelayMs, nullptr);
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
        case WM_TIMER:
            if (wparam == kTimerId) palette_.track_foreground();
            if (wparam == kReloadTimerId) reload_group_files();
            return 0;
        case WM_DRAWITEM:
            draw_owner_button(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            // The preview box is read-only but reads like a text box.
            if (reinterpret_cast<HWND>(lparam) == preview_) {
                SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(preview_brush_);
            }
            break;
        case WM_GETDPISCALEDSIZE:
            return answer_scaled_size(lparam, palette_frame(static_cast<int>(wparam)));
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wparam);
            button_theme_.close();  // theme parts are made for one DPI
            take_suggested_rect(window_, lparam);
            place_controls();
            return 0;
        }
        case WM_THEMECHANGED:
            button_theme_.close();
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return 0;
        case WM_DESTROY:
            button_theme_.close();
            KillTimer(window_, kTimerId);
            KillTimer(window_, kReloadTimerId);
            window_ = nullptr;
            on_destroyed_();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
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
