#include "palette.h"

#include "input.h"
#include "report.h"
#include "window.h"

namespace e2e {

Palette::Palette(const Context& context, Millis timeout)
    : process_(Process::start(context.program(L"quillaro_palette.exe"), {}, context.work_dir)) {
    window_ = require_window(kTitle, timeout, process_.id());
    for (int i = 0; i < kKeys; ++i)
        keys_.at(static_cast<size_t>(i)) = require_child(window_, quillaro::kFirstKeyId + i, 5s);
    for (int i = 0; i < kGroups; ++i) {
        groups_.at(static_cast<size_t>(i)) =
            require_child(window_, quillaro::kFirstGroupButtonId + i, 5s);
    }
    for (int id : {quillaro::kPageUpButtonId, quillaro::kPageDownButtonId, quillaro::kPageLabelId,
                   quillaro::kPreviewId, quillaro::kMoreButtonId, quillaro::kAboutButtonId}) {
        require_child(window_, id, 5s);
    }
    // Shown and painted: the first page's label is there once start-up is over.
    if (!poll([&] { return is_visible(window_) && !page_label().empty(); }, timeout)) {
        throw Error("the palette never showed its first page");
    }
}

HWND Palette::control(int id) const { return child_by_id(window_, id); }

std::wstring Palette::text(HWND control) const { return window_text(control).value_or(L"<gone>"); }

std::array<std::wstring, Palette::kKeys> Palette::key_captions() const {
    std::array<std::wstring, kKeys> captions;
    for (size_t i = 0; i < captions.size(); ++i) captions[i] = text(keys_[i]);
    return captions;
}

std::array<std::wstring, Palette::kGroups> Palette::group_captions() const {
    std::array<std::wstring, kGroups> captions;
    for (size_t i = 0; i < captions.size(); ++i) captions[i] = text(groups_[i]);
    return captions;
}

bool Palette::click_control(HWND target) {
    // The mouse button goes down and up over the control; the palette handles the click on
    // its own thread, so the caller polls for the effect.
    return click(target);
}

bool Palette::click_and_wait_label(HWND target, std::wstring_view expected_label, Millis timeout) {
    return click_until(
        target, [&] { return page_label() == expected_label; }, timeout);
}

int Palette::current_set() const {
    if (text(quillaro::kPageUpButtonId) == L"編輯") return 3;
    const std::wstring first = text(groups_[0]);
    if (first == L"地址") return 1;
    if (first == L"俄文") return 2;
    return 0;
}

bool Palette::show_set(int set) {
    for (int clicks = 0; clicks < 3 && current_set() != set; ++clicks) {
        const int before = current_set();
        if (!click_until(control(quillaro::kMoreButtonId), [&] { return current_set() != before; }))
            return false;
    }
    return current_set() == set;
}

namespace {

bool send_within(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Millis timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG,
                               static_cast<UINT>(timeout.count()), &result) != 0;
}

}  // namespace

bool Palette::responsive(Millis timeout) const {
    return process_.running() && send_within(window_, WM_NULL, 0, 0, timeout);
}

bool Palette::hover_by_message(HWND control, Millis timeout) const {
    return send_within(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2), timeout);
}

bool Palette::click_by_message(HWND control, Millis timeout) const {
    return send_within(control, BM_CLICK, 0, 0, timeout);
}

bool Palette::bring_forward(Millis timeout) {
    const auto client = client_rect_on_screen(window_);
    if (!client) return false;
    const POINT point{client->left + 40, client->top - GetSystemMetrics(SM_CYCAPTION) / 2};
    DWORD_PTR hit = HTNOWHERE;
    SendMessageTimeoutW(window_, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y), SMTO_ABORTIFHUNG,
                        2000, &hit);
    return hit == HTCAPTION && click_at(point) &&
           poll([&] { return foreground_window() == window_; }, timeout);
}

bool Palette::close(Millis timeout) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_.wait_exit(timeout).has_value();
}

}  // namespace e2e
