#include "win32/clipboard.h"

#include <cstring>

namespace quillaro::win32 {
namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 20;

bool open_clipboard(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (attempt > 0) Sleep(kOpenRetryMs);
        if (OpenClipboard(owner) != FALSE) return true;
    }
    return false;
}

// The text and its terminating null in movable global memory, as the clipboard takes it.
HGLOBAL global_copy(std::u16string_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return nullptr;
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(target)[text.size()] = u'\0';
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

bool copy_to_clipboard(HWND owner, std::u16string_view text) {
    HGLOBAL memory = global_copy(text);
    if (memory == nullptr) return false;
    if (!open_clipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    // Once SetClipboardData succeeds the clipboard owns the memory; until then it is ours.
    const bool copied =
        EmptyClipboard() != FALSE && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!copied) GlobalFree(memory);
    CloseClipboard();
    return copied;
}

}  // namespace quillaro::win32
