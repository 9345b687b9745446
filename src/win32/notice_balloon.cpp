#include "win32/notice_balloon.h"

#include <commctrl.h>

#include <string>

#include "win32/dpi.h"

namespace quillaro::win32 {
namespace {

constexpr UINT_PTR kToolId = 1;
constexpr UINT_PTR kHideTimerId = 1;
constexpr UINT kShownMs = 4000;
constexpr int kMaxWidthPoints = 240;  // long strings wrap rather than cross the screen

TTTOOLINFOW tool_of(HWND owner) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK;
    tool.hwnd = owner;
    tool.uId = kToolId;
    return tool;
}

void CALLBACK hide_balloon(HWND tooltip, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
    KillTimer(tooltip, timer);
    TTTOOLINFOW tool = tool_of(GetWindow(tooltip, GW_OWNER));
    SendMessageW(tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

bool NoticeBalloon::create(HWND owner) {
    if (tooltip_ && owner_ == owner) return true;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!tooltip_) return false;
    owner_ = owner;
    TTTOOLINFOW tool = tool_of(owner);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

void NoticeBalloon::show(HWND owner, HWND anchor, HFONT font, std::u16string_view title,
                         std::u16string_view text) {
    RECT rect{};
    if (anchor == nullptr || GetWindowRect(anchor, &rect) == FALSE || !create(owner)) return;
    HWND tooltip = tooltip_.get();
    const std::wstring shown_title(title.begin(), title.end());
    std::wstring shown_text(text.begin(), text.end());
    if (font != nullptr) SendMessageW(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    TTTOOLINFOW tool = tool_of(owner);
    tool.lpszText = shown_text.data();
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(shown_title.c_str()));
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, MulDiv(kMaxWidthPoints, window_dpi(owner), 72));
    // The stem points at the middle of the key's lower edge.
    SendMessageW(tooltip, TTM_TRACKPOSITION, 0,
                 MAKELPARAM((rect.left + rect.right) / 2, rect.bottom));
    SendMessageW(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(tooltip, kHideTimerId, kShownMs, hide_balloon);
}

}  // namespace quillaro::win32
