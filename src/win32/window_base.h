// A top-level window that belongs to one C++ object: the class registration with the program's
// icon, the handle, the window's DPI and the two DPI messages, written once for the palette and
// the about window. No exception leaves its window procedure.
#pragma once

#include <windows.h>

#include "palette/layout.h"
#include "win32/dpi.h"
#include "win32/unique_handle.h"

namespace quillaro::win32 {

// `Derived` supplies:
//   static constexpr const wchar_t* kClassName;
//   static constexpr DWORD kStyle;
//   static constexpr int kClientWidth, kClientHeight;  // twips
//   LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);  // every other message
//   void dpi_changed();  // after the window has taken its size at the new DPI (dpi() is new)
template <typename Derived>
class WindowBase {
  public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    WindowBase(WindowBase&&) = delete;
    WindowBase& operator=(WindowBase&&) = delete;

    [[nodiscard]] HWND hwnd() const { return window_.get(); }
    [[nodiscard]] int dpi() const { return dpi_; }

    // The window's outer rectangle, relative to its client area's origin, for a client area
    // of the layout's size at `dpi`.
    static RECT frame(int dpi) {
        return window_rect_for_client(twips_to_pixels(Derived::kClientWidth, dpi),
                                      twips_to_pixels(Derived::kClientHeight, dpi), Derived::kStyle,
                                      0, dpi);
    }

  protected:
    explicit WindowBase(HINSTANCE instance) : instance_(instance) {}
    ~WindowBase() {
        // A window that outlives its object must never reach it again.
        if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }

    // Registers the class on first use; false when that fails.
    bool register_class() {
        HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
        auto* small_icon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0));
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof(window_class);
        window_class.lpfnWndProc = window_proc;
        window_class.hInstance = instance_;
        window_class.hIcon = icon;
        window_class.hIconSm = small_icon;
        window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        window_class.lpszClassName = Derived::kClassName;
        return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }

    // Creates the window, unowned and not yet shown, and learns the DPI it lands on. The
    // caller places it (move_client_to).
    bool create_window(const wchar_t* title) {
        CreateWindowExW(0, Derived::kClassName, title, Derived::kStyle, 0, 0, 0, 0, nullptr,
                        nullptr, instance_, static_cast<Derived*>(this));
        if (!window_) return false;
        dpi_ = window_dpi(window_.get());
        return true;
    }

    // Moves the window so that its client area's origin is at `left`, `top` on the screen,
    // sized for the current DPI.
    void move_client_to(int left, int top) {
        const RECT outer = frame(dpi_);
        SetWindowPos(window_.get(), nullptr, left + outer.left, top + outer.top,
                     outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // `control`, a read-only text box, reads like a page: white, as an editable one.
    void show_as_page(HWND control) { page_like_ = control; }

    HINSTANCE instance_;

  private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam,
                                        LPARAM lparam) noexcept {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<Derived*>(
                reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->window_.reset(window);
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
        switch (message) {
            case WM_GETDPISCALEDSIZE: {
                // The exact size at the new DPI, so the size Windows suggests needs no fixing.
                const RECT outer = frame(static_cast<int>(wparam));
                auto* size = reinterpret_cast<SIZE*>(lparam);
                size->cx = outer.right - outer.left;
                size->cy = outer.bottom - outer.top;
                return TRUE;
            }
            case WM_DPICHANGED: {
                self->dpi_ = HIWORD(wparam);
                const auto* suggested = reinterpret_cast<const RECT*>(lparam);
                SetWindowPos(window, nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
                self->dpi_changed();
                return 0;
            }
            case WM_CTLCOLORSTATIC:
                if (reinterpret_cast<HWND>(lparam) != self->page_like_ || lparam == 0) {
                    return self->handle(message, wparam, lparam);
                }
                SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            case WM_NCDESTROY:
                // The window is gone: the object lets go of it and the window of the object.
                SetWindowLongPtrW(window, GWLP_USERDATA, 0);
                self->window_.release();
                self->page_like_ = nullptr;
                return DefWindowProcW(window, message, wparam, lparam);
            default:
                return self->handle(message, wparam, lparam);
        }
    }

    UniqueWindow window_;
    HWND page_like_ = nullptr;
    int dpi_ = 96;
};

}  // namespace quillaro::win32
