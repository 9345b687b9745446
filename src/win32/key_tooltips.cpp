#include "win32/key_tooltips.h"
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
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
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

void KeyTooltips::hide() {
    if (tooltip_) SendMessageW(tooltip_.get(), TTM_POP, 0, 0);
}

}  // namespace quillaro::win32
