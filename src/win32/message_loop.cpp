#include "win32/message_loop.h"

#include <algorithm>
#include <utility>

namespace quillaro::win32 {

void MessageLoop::watch(HANDLE object, std::function<void()> signalled) {
    unwatch(object);
    objects_.push_back(object);
    handlers_.push_back(std::move(signalled));
}

void MessageLoop::unwatch(HANDLE object) {
    const auto found = std::find(objects_.begin(), objects_.end(), object);
    if (found == objects_.end()) return;
    handlers_.erase(handlers_.begin() + (found - objects_.begin()));
    objects_.erase(found);
}

void MessageLoop::set_key_handler(std::function<bool(MSG&)> handler) {
    key_handler_ = std::move(handler);
}

void MessageLoop::dispatch(MSG& message) {
    if (key_handler_ && key_handler_(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MessageLoop::wait(DWORD timeout) {
    const auto count = static_cast<DWORD>(objects_.size());
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, count != 0 ? objects_.data() : nullptr,
                                                   timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke != WAIT_TIMEOUT) ++wakes_;
    if (woke >= WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + count) {
        // A copy: the handler may unwatch its object, or watch another.
        const std::function<void()> signalled = handlers_[woke - WAIT_OBJECT_0];
        signalled();
    }
}

int MessageLoop::run() {
    MSG message;
    for (;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            dispatch(message);
        }
        wait(INFINITE);
    }
}

void MessageLoop::dispatch_pending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
    if (!objects_.empty()) wait(0);
}

}  // namespace quillaro::win32
