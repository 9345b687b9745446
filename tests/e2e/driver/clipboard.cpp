#include "clipboard.h"

#include <windows.h>

#include "poll.h"

namespace e2e {

std::optional<std::wstring> clipboard_text() {
    if (!poll([] { return OpenClipboard(nullptr) != FALSE; }, 2s)) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data)); units != nullptr) {
            text = units;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool set_clipboard_text(const std::wstring& text) {
    if (!poll([] { return OpenClipboard(nullptr) != FALSE; }, 2s)) return false;
    bool done = false;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes); memory != nullptr) {
        if (void* target = GlobalLock(memory); target != nullptr) {
            CopyMemory(target, text.c_str(), bytes);
            GlobalUnlock(memory);
            done = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!done) GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

}  // namespace e2e
