#include "win32/foreground_hook.h"

#include <utility>

namespace quillaro::win32 {
namespace {

// The callback carries no context of its own.
ForegroundHook* current = nullptr;

}  // namespace

bool ForegroundHook::start(std::function<void(HWND)> changed) {
    stop();
    changed_ = std::move(changed);
    // This program's windows too: the about window counts as any other.
    hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, on_event, 0,
                            0, WINEVENT_OUTOFCONTEXT);
    if (hook_ != nullptr) current = this;
    return hook_ != nullptr;
}

void ForegroundHook::stop() {
    if (hook_ == nullptr) return;
    UnhookWinEvent(hook_);
    hook_ = nullptr;
    current = nullptr;
}

void CALLBACK ForegroundHook::on_event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                       LONG /*child*/, DWORD /*thread*/, DWORD /*time*/) {
    if (current == nullptr || hook != current->hook_ || event != EVENT_SYSTEM_FOREGROUND ||
        object != OBJID_WINDOW || window == nullptr) {
        return;
    }
    current->changed_(window);
}

}  // namespace quillaro::win32
