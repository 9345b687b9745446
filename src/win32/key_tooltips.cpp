#include "win32/key_tooltips.h"

#include "palette/screen_place.h"
#include "win32/utf16.h"

#include <commctrl.h>

namespace quillaro::win32 {
namespace {

// Wide enough for a line of code points; the text's own line breaks then take effect.
constexpr int kMaxTipWidth = 600;

}  // namespace

void KeyTooltips::create(HWND owner, HINSTANCE instance) {
    owner_ = owner;
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                   instance, nullptr));
    if (tooltip_) SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

TTTOOLINFOW KeyTooltips::tool_for(HWND key, const std::u16string* text) const {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(key);
    // The control copies the text; an empty text shows no tip.
    tool.lpszText =
        text == nullptr ? const_cast<wchar_t*>(L"") : const_cast<wchar_t*>(as_wchars(*text));
    return tool;
}

void KeyTooltips::add(HWND key) {
    if (!tooltip_) return;
    TTTOOLINFOW tool = tool_for(key, nullptr);
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void KeyTooltips::set_text(HWND key, const std::u16string& text) {
    if (!tooltip_) return;
    TTTOOLINFOW tool = tool_for(key, &text);
    SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

DWORD KeyTooltips::initial_delay() const {
    if (!tooltip_) return HOVER_DEFAULT;
    return static_cast<DWORD>(SendMessageW(tooltip_.get(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
}

void KeyTooltips::show(HWND key) {
    POINT cursor{};
    if (!tooltip_ || GetCursorPos(&cursor) == FALSE) return;
    hide();
    HWND tooltip = tooltip_.get();
    TTTOOLINFOW tool = tool_for(key, nullptr);
    const auto size = static_cast<DWORD>(
        SendMessageW(tooltip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool)));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const PixelRect place =
        place_tip(cursor.x, cursor.y, GetSystemMetrics(SM_CYCURSOR), LOWORD(size), HIWORD(size),
                  {work.left, work.top, work.right, work.bottom});
    SendMessageW(tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(place.left, place.top));
    SendMessageW(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    shown_key_ = key;
    // A tip left standing goes after the system's time, as a tip of any other program does.
    const auto shown_ms =
        static_cast<UINT>(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    SetTimer(owner_, kPopTimerId, shown_ms, nullptr);
}

void KeyTooltips::hide() {
    if (!tooltip_ || shown_key_ == nullptr) return;
    KillTimer(owner_, kPopTimerId);
    TTTOOLINFOW tool = tool_for(shown_key_, nullptr);
    SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    shown_key_ = nullptr;
}

}  // namespace quillaro::win32
