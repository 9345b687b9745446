// The program's one message loop. It waits for messages and for the kernel objects registered
// with it (a folder's change notice, say), so that whatever those trigger runs between
// messages, as a handler does. The pumping a click's delivery does while it waits for another
// window goes through the same loop, with the same key handling.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace quillaro::win32 {

class MessageLoop {
  public:
    MessageLoop() = default;
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;

    // `signalled` runs on this thread whenever `object` is signalled; it must reset or
    // unregister the object, or it runs again at once.
    void watch(HANDLE object, std::function<void()> signalled);
    void unwatch(HANDLE object);
    // Seen before a message is dispatched; true when it took the message (Tab in the palette,
    // the dialog keys of the about window).
    void set_key_handler(std::function<bool(MSG&)> handler);

    // Dispatches messages until WM_QUIT; returns its exit code.
    int run();
    // Dispatches what is waiting now, messages and signalled objects, without waiting. A
    // WM_QUIT met here is left for run().
    void dispatch_pending();
    // How often the loop has woken up from waiting: for the benchmarks, which show that an
    // idle palette does not wake up for nothing.
    [[nodiscard]] unsigned long wakes() const { return wakes_; }

  private:
    void dispatch(MSG& message);
    // Runs the handler of one signalled object, if any is; waits at most `timeout` for one or
    // for a message.
    void wait(DWORD timeout);

    // Side by side: the objects as the wait takes them, and what each one's signal runs.
    std::vector<HANDLE> objects_;
    std::vector<std::function<void()>> handlers_;
    std::function<bool(MSG&)> key_handler_;
    unsigned long wakes_ = 0;
};

}  // namespace quillaro::win32
